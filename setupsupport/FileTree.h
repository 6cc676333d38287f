#pragma once

#include <string>
#include <string_view>

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

} // namespace kaldo
