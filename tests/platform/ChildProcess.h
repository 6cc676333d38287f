#pragma once

#include <csignal>
#include <functional>

#include <sys/types.h>
#include <sys/wait.h>
#include <unistd.h>

namespace kaldo::testing {

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

} // namespace kaldo::testing
