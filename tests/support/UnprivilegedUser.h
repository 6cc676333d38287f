#pragma once

// Runs an installed ktendwell the way an ordinary user does: under an unprivileged uid, with a
// home folder and runtime folder of its own, over any program folder (one the installer laid
// out, or one extracted from the package). The test process must be root.
#include <string>
#include <sys/types.h>
#include <vector>

namespace kaldo::testsupport {

// Every entry below `folder` (the folder itself included) with its type, mode, owner, size,
// time and link target: equal listings mean nothing was added, removed or written.
std::vector<std::string> TreeListing(const std::string& folder);

class UnprivilegedUser {
public:
    // Makes `base`/home-<uid> and `base`/run-<uid>, owned by `uid` and private to it. `base`
    // must be reachable by every user.
    UnprivilegedUser(uid_t uid, const std::string& base);

    uid_t Uid() const { return m_uid; }
    const std::string& Home() const { return m_home; }
    // This user's state folder of the program (its default place below the home folder).
    std::string StateFolder() const { return m_home + "/.cache/kaldo/Tendwell"; }

    // The environment of an offscreen, unattended run: HOME, XDG_RUNTIME_DIR, CUPS_SERVER
    // (`cupsServer`), and `extra`; nothing else of the test's environment.
    std::vector<std::string> Environment(const std::string& cupsServer,
                                         const std::vector<std::string>& extra = {}) const;

    // Starts `programFolder`/ktendwell with `arguments` as this user; the output (stdout and
    // stderr) goes to a file of the base folder. -1 when it could not start.
    pid_t Start(const std::string& programFolder, const std::vector<std::string>& arguments,
                const std::vector<std::string>& environment);
    // Waits for a started run: its exit code, or -1 when it did not end normally.
    int Wait(pid_t pid);
    // Start and Wait.
    int Run(const std::string& programFolder, const std::vector<std::string>& arguments,
            const std::vector<std::string>& environment);
    // What the last run wrote.
    std::string Output() const;

private:
    uid_t m_uid;
    std::string m_home;
    std::string m_runtime;
    std::string m_output;
};

} // namespace kaldo::testsupport
