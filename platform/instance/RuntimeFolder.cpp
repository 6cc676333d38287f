#include "platform/instance/RuntimeFolder.h"

#include "platform/Paths.h"

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <filesystem>

#include <sys/stat.h>
#include <unistd.h>

namespace kaldo {

std::string CheckPrivateFolder(const std::string& path) {
    struct stat info {};
    if (::lstat(path.c_str(), &info) != 0)
        return path + ": " + std::strerror(errno);
    if (!S_ISDIR(info.st_mode))
        return path + ": not a folder";
    if (info.st_uid != ::geteuid())
        return path + ": belongs to another user (uid " + std::to_string(info.st_uid) + ")";
    if ((info.st_mode & (S_IRWXG | S_IRWXO)) != 0)
        return path + ": other users may open it";
    return {};
}

RuntimeFolder UserRuntimeFolder() {
    std::string path;
    // A relative value is no runtime folder by its definition.
    if (const char* runtime = std::getenv("XDG_RUNTIME_DIR");
        runtime != nullptr && *runtime == '/') {
        path = runtime;
    } else {
        path = MachinePath("/tmp/kaldo-tendwell-" + std::to_string(::geteuid()));
        std::error_code ignored; // below a test's root folder /tmp may not exist yet
        std::filesystem::create_directories(std::filesystem::path(path).parent_path(), ignored);
        // An existing one is checked below like a new one: someone may have made it first.
        if (::mkdir(path.c_str(), 0700) != 0 && errno != EEXIST)
            return {{}, path + ": " + std::strerror(errno)};
    }
    if (std::string error = CheckPrivateFolder(path); !error.empty())
        return {{}, std::move(error)};
    return {std::move(path), {}};
}

} // namespace kaldo
