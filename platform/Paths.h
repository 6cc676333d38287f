#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace kaldo {

// Joins two path pieces with exactly one '/' between them. An empty piece adds nothing.
std::string JoinPath(std::string_view a, std::string_view b);

// The folder of the running executable, ending in '/'.
std::string ProgramFolder();

// A folder named by an environment variable (HOME, XDG_*); it counts only when it holds an
// absolute path.
std::optional<std::string> AbsolutePathVariable(const char* name);

// The user's home folder: $HOME, else the password database's entry.
std::optional<std::string> HomeFolder();

// "$XDG_CACHE_HOME", by default "$HOME/.cache".
std::string CacheFolder();

// This user's own copy of what the program writes into its content: the pages it generates,
// downloads and updates, laid out like the program folder (Data/<content folder>/...), so
// that the pages' relative links keep working. "kaldo/Tendwell/" below CacheFolder(); ends in
// '/'.
std::string StateFolder();

struct PreparedFolder {
    std::string Path;  // ends in '/'; empty when the folder must not be used
    std::string Error; // why not
};

// Makes the state folder below `cacheFolder`, every missing level with mode 0700, and checks
// the program's own levels ("kaldo" and "kaldo/Tendwell") as a private folder is checked: real
// folders of this user that no other user may write. One of this user's that others may only
// read or enter is closed to them; one that another user owns or may write is refused, since
// they could change the pages the program shows.
PreparedFolder PrepareStateFolder(const std::string& cacheFolder);

// Content made on Windows names files without regard to case ("Data\UI\Guide.PDF").
// Resolves each component of `path`: the exact name when it exists, else the first entry of
// the folder whose name matches without regard to case. From the first component that has no
// match on, the rest is kept as given, so a file that is about to be created still lands in
// the resolved folder. Backslashes are taken as separators.
std::string ResolvePath(std::string_view path);

// The names of the folders in `folder`, links to folders included, in the one order in which
// folder names are listed and chosen: NameBeforeIgnoringCase. None when the folder cannot be
// read to its end.
std::optional<std::vector<std::string>> ListFolders(const std::string& folder);

// A machine-wide path (/opt, /etc, /sys, ...) below the root folder named by KALDO_ROOT
// (default "/"), so that tests and the demo run in a folder of their own.
std::string MachinePath(std::string_view absolutePath);

} // namespace kaldo
