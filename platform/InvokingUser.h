#pragma once

#include <optional>
#include <string>

#include <sys/types.h>

namespace kaldo {

// The user on whose behalf a setup program runs as root.
struct InvokingUser {
    std::string Name;
    std::string Home;
    uid_t Uid = 0;
    gid_t Gid = 0;
};

// When the program runs as root through pkexec (PKEXEC_UID) or sudo (SUDO_UID, else
// SUDO_USER): the user who started it. Nothing otherwise, and nothing for root itself.
std::optional<InvokingUser> UserBehindElevation();

// Makes HOME the user's home, so that the user's desktop, menu and registry are the ones
// found; XDG base variables that lead outside that home are dropped.
void TakeUsersPlace(const InvokingUser& user);

} // namespace kaldo
