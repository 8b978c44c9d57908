// The crash checkpoint: the name of the risky step in work, kept in a
// one-line file so that the next start can tell a step that never finished.
#pragma once
#include <string>

namespace vantrel {

// Writes "x|ver:<version>|<name>" to the checkpoint file; empty text deletes
// the file. Never fails visibly.
void SetCheckpoint(const std::wstring& name);
std::wstring CheckpointFile();

}  // namespace vantrel
