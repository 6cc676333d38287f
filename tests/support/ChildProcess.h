#pragma once

#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <csignal>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <type_traits>
#include <utility>
#include <vector>

namespace kaldo::testsupport {

// Runs `work` (returning an int or a result code) in a child process, for what a test must not
// do to its own process: limit it, or give it state that is chosen once per process. Gives what
// `work` returned, or nothing when the child did not get that far.
template <typename Work, typename Result = std::invoke_result_t<Work>>
std::optional<Result> RunInChild(Work&& work) {
    static_assert(std::is_trivially_copyable_v<Result>);
    int channel[2];
    if (pipe(channel) != 0)
        return std::nullopt;
    const pid_t child = fork();
    if (child == 0) {
        close(channel[0]);
        const Result result = std::forward<Work>(work)();
        const bool told = ::write(channel[1], &result, sizeof result) == sizeof result;
        _exit(told ? 0 : 1);
    }
    close(channel[1]);
    Result result{};
    const bool heard = child > 0 && read(channel[0], &result, sizeof result) == sizeof result;
    close(channel[0]);
    int status = 0;
    if (child > 0)
        waitpid(child, &status, 0);
    if (!heard || !WIFEXITED(status) || WEXITSTATUS(status) != 0)
        return std::nullopt;
    return result;
}

// Runs `write` in a child process whose files cannot grow beyond `limit` bytes, as on a full
// disk: a write past the limit fails instead of killing the child.
template <typename Write, typename Result = std::invoke_result_t<Write>>
std::optional<Result> RunWithFileSizeLimit(rlim_t limit, Write&& write) {
    return RunInChild([&]() -> Result {
        std::signal(SIGXFSZ, SIG_IGN);
        const rlimit small{limit, limit};
        if (setrlimit(RLIMIT_FSIZE, &small) != 0)
            _exit(1);
        return std::forward<Write>(write)();
    });
}

// The names in `folder`, hidden ones included, sorted: what a failed write must not add to.
inline std::vector<std::string> FolderNames(const std::string& folder) {
    std::vector<std::string> names;
    std::error_code error;
    for (const auto& entry : std::filesystem::directory_iterator(folder, error))
        names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

// A child process, as `uid` when given, that runs `step`, reports its one-character answer
// and then stays until it is let go or killed, keeping whatever it holds.
class Child {
public:
    explicit Child(std::function<char()> step, uid_t uid = ::geteuid()) {
        if (::pipe(m_answer) != 0 || ::pipe(m_release) != 0)
            return;
        m_pid = ::fork();
        if (m_pid == 0) {
            char answer = 'u';
            if (uid == ::geteuid() ||
                (::setresgid(uid, uid, uid) == 0 && ::setresuid(uid, uid, uid) == 0))
                answer = step();
            (void)!::write(m_answer[1], &answer, 1);
            char done;
            (void)!::read(m_release[0], &done, 1);
            ::_exit(0);
        }
    }
    ~Child() {
        if (m_pid > 0) {
            ::kill(m_pid, SIGKILL);
            ::waitpid(m_pid, nullptr, 0);
        }
        for (int fd : {m_answer[0], m_answer[1], m_release[0], m_release[1]})
            ::close(fd);
    }

    char Answer() {
        char answer = 0;
        return ::read(m_answer[0], &answer, 1) == 1 ? answer : 0;
    }
    // Ends the child, as a crash would.
    void Kill() {
        ::kill(m_pid, SIGKILL);
        ::waitpid(m_pid, nullptr, 0);
        m_pid = -1;
    }

private:
    pid_t m_pid = -1;
    int m_answer[2] = {-1, -1};
    int m_release[2] = {-1, -1};
};

} // namespace kaldo::testsupport
