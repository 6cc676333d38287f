#pragma once

#include <string>
#include <string_view>

#include <sys/types.h>

namespace kaldo {

// Whether a file name matches a setup pattern: '*' and '?' as wildcards, without regard to
// case; "*.*" matches every name, with or without a dot.
bool MatchesPattern(std::string_view name, std::string_view pattern);

// Creates every folder along `path` up to its last '/', and the full path as well when
// `includeLast` is set. Folders that exist already are no error. True when the last folder
// asked for exists afterwards.
bool CreateDirectories(std::string_view path, bool includeLast);

// Deletes the files that match `pattern` in `folder` and all its subfolders, then every
// subfolder that became empty and the folder itself. Symbolic links are removed as links and
// never followed, so nothing outside the tree is touched. Folders that lack write permission
// for their owner get it, as folders do not stop deletion where setup came from. `keep`, when
// it names a file in the tree, stays with the folders above it. "." and ".." are left alone.
// True when `folder` no longer exists.
bool DeleteTree(std::string_view folder, std::string_view pattern, std::string_view keep = {});

// Gives the file `path`, and the folders on its way that lie below `existingFolder`, to
// `uid`:`gid`. Walks down from `base`, a folder that holds `path`, opening each step without
// following a link, and changes owners through the open descriptors, deepest first, so that a
// link swapped into the path gives nothing away. Only a plain file with a single name is given.
// False when a step is not a plain folder or file, or an owner cannot be changed.
bool GiveOwnership(std::string_view base, std::string_view path, std::string_view existingFolder,
                   uid_t uid, gid_t gid);

} // namespace kaldo
