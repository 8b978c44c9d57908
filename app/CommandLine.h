// Command-line verbs: one-shot jobs of the same executable.
#pragma once
#include <string>

namespace vantrel {

// Runs the job of a verb. True when the verb took over and the wizard must
// not start. Placeholder until the verbs are built: every command line is a
// normal start.
bool DispatchVerb(const std::wstring& commandLine);

// Starts the program again with a verb, without waiting for it.
void RestartWithVerb(const std::wstring& verb);

}  // namespace vantrel
