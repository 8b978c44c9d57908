// Deleted names in the folders that stay. NTFS keeps a folder's entries in
// an index of 4 KiB blocks sorted by upper-cased name, and a removed entry's
// name stays in its block's unused tail until that block fills again; FAT
// keeps a removed entry's long-name parts and most of its short name in the
// folder's entries the same way. This step fills every block of every
// folder of the disk with entries of its own, short ones then long ones,
// spread over the folder's order, removes them, and puts the folder's times back. It runs
// before the name files, which then overwrite the file records it used.
#pragma once
#include <cstdint>
#include <cstddef>

namespace vantrel {

class StageContext;

// Walks the disk's folders; counts those rewritten and those skipped. False,
// with the disk failed, when an entry of its own would not go.
bool RewriteFolderNames(StageContext& stage);

// How many entries with names of `nameLength` characters fill an index of
// `indexBytes`, spread after `bases` names: twice a block's worth for each
// block and for one beyond (the folder's root grows into one), and at least
// half a block's worth after each name.
int EntriesToFill(uint64_t indexBytes, std::size_t nameLength, std::size_t bases);

}  // namespace vantrel
