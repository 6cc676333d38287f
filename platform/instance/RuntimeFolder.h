#pragma once

#include <string>

namespace kaldo {

// A folder for this user's lock and socket, which only this user can enter.
struct RuntimeFolder {
    std::string Path;  // empty when there is none
    std::string Error; // why there is none
};

// $XDG_RUNTIME_DIR, or when it is unset a folder of our own below /tmp (KALDO_ROOT applies),
// made on first use. Either must be a real folder of this user that nobody else may enter:
// one that another user made first, or that others may open, is refused rather than shared.
RuntimeFolder UserRuntimeFolder();

// The same checks on a given folder; an empty text when it may be used, else why not.
std::string CheckPrivateFolder(const std::string& path);

} // namespace kaldo
