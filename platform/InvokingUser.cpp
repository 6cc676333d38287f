#include "platform/InvokingUser.h"

#include <charconv>
#include <cstdlib>
#include <string_view>
#include <vector>

#include <pwd.h>
#include <unistd.h>

namespace kaldo {

namespace {

std::optional<uid_t> NumericVariable(const char* name) {
    const char* value = std::getenv(name);
    if (value == nullptr || *value == '\0')
        return std::nullopt;
    const std::string_view text(value);
    uid_t uid = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), uid);
    if (error != std::errc() || end != text.data() + text.size())
        return std::nullopt;
    return uid;
}

std::optional<InvokingUser> FromEntry(const passwd* entry) {
    if (entry == nullptr || entry->pw_uid == 0 || entry->pw_dir == nullptr ||
        entry->pw_dir[0] != '/')
        return std::nullopt;
    return InvokingUser{entry->pw_name, entry->pw_dir, entry->pw_uid, entry->pw_gid};
}

} // namespace

std::optional<InvokingUser> UserBehindElevation() {
    if (::geteuid() != 0)
        return std::nullopt;
    for (const char* variable : {"PKEXEC_UID", "SUDO_UID"}) {
        if (const std::optional<uid_t> uid = NumericVariable(variable))
            return FromEntry(::getpwuid(*uid));
    }
    if (const char* name = std::getenv("SUDO_USER"); name != nullptr && *name != '\0')
        return FromEntry(::getpwnam(name));
    return std::nullopt;
}

void TakeUsersPlace(const InvokingUser& user) {
    ::setenv("HOME", user.Home.c_str(), 1);
    const std::string inHome = user.Home + "/";
    for (const char* variable :
         {"XDG_CONFIG_HOME", "XDG_DATA_HOME", "XDG_CACHE_HOME", "XDG_DESKTOP_DIR"}) {
        const char* value = std::getenv(variable);
        if (value != nullptr && std::string_view(value).rfind(inHome, 0) != 0)
            ::unsetenv(variable);
    }
}

} // namespace kaldo
