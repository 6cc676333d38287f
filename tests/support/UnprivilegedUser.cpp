#include "tests/support/UnprivilegedUser.h"

#include <algorithm>
#include <cerrno>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace kaldo::testsupport {

namespace fs = std::filesystem;

namespace {

std::string Describe(const fs::path& path) {
    struct stat info {};
    if (::lstat(path.c_str(), &info) != 0)
        return path.string() + " unreadable";
    std::string line = path.string() + " mode " + std::to_string(info.st_mode) + " owner " +
                       std::to_string(info.st_uid) + ":" + std::to_string(info.st_gid) + " size " +
                       std::to_string(info.st_size) + " time " +
                       std::to_string(info.st_mtim.tv_sec) + "." +
                       std::to_string(info.st_mtim.tv_nsec);
    if (S_ISLNK(info.st_mode)) {
        std::error_code error;
        line += " -> " + fs::read_symlink(path, error).string();
    }
    return line;
}

void MakeOwnFolder(const std::string& folder, uid_t uid) {
    fs::create_directories(folder);
    ::chown(folder.c_str(), uid, uid);
    ::chmod(folder.c_str(), 0700);
}

} // namespace

std::vector<std::string> TreeListing(const std::string& folder) {
    std::vector<std::string> lines{Describe(folder)};
    std::error_code error;
    for (fs::recursive_directory_iterator it(folder, error), end; !error && it != end;
         it.increment(error))
        lines.push_back(Describe(it->path()));
    if (error)
        lines.push_back(folder + " cannot be listed: " + error.message());
    std::sort(lines.begin(), lines.end());
    return lines;
}

UnprivilegedUser::UnprivilegedUser(uid_t uid, const std::string& base)
    : m_uid(uid)
    , m_home(base + "/home-" + std::to_string(uid))
    , m_runtime(base + "/run-" + std::to_string(uid))
    , m_output(base + "/output-" + std::to_string(uid)) {
    MakeOwnFolder(m_home, uid);
    MakeOwnFolder(m_runtime, uid);
}

std::vector<std::string>
UnprivilegedUser::Environment(const std::string& cupsServer,
                              const std::vector<std::string>& extra) const {
    std::vector<std::string> environment{
        "PATH=/usr/bin:/bin",
        "HOME=" + m_home,
        "XDG_RUNTIME_DIR=" + m_runtime,
        "CUPS_SERVER=" + cupsServer,
        "LC_ALL=C.UTF-8",
        "QT_QPA_PLATFORM=offscreen",
        "KALDO_EXIT_WHEN_READY=1",
        // The engine's sandbox needs user namespaces, which a test machine may not offer.
        "QTWEBENGINE_DISABLE_SANDBOX=1",
        "QTWEBENGINE_CHROMIUM_FLAGS=--disable-gpu --no-sandbox",
    };
    environment.insert(environment.end(), extra.begin(), extra.end());
    return environment;
}

pid_t UnprivilegedUser::Start(const std::string& programFolder,
                              const std::vector<std::string>& arguments,
                              const std::vector<std::string>& environment) {
    const std::string id = std::to_string(m_uid);
    std::vector<std::string> command{"setpriv",        "--reuid=" + id, "--regid=" + id,
                                     "--clear-groups", "env",           "-i"};
    command.insert(command.end(), environment.begin(), environment.end());
    command.push_back(programFolder + "/ktendwell");
    command.insert(command.end(), arguments.begin(), arguments.end());
    std::vector<char*> argv;
    for (std::string& part : command)
        argv.push_back(part.data());
    argv.push_back(nullptr);

    const int output = ::open(m_output.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    if (output < 0)
        return -1;
    const pid_t pid = ::fork();
    if (pid == 0) {
        const int input = ::open("/dev/null", O_RDONLY);
        ::dup2(input, STDIN_FILENO);
        ::dup2(output, STDOUT_FILENO);
        ::dup2(output, STDERR_FILENO);
        // Home and runtime folders are private; start where every user may be.
        if (::chdir("/") != 0)
            ::_exit(126);
        ::execvp(argv[0], argv.data());
        ::_exit(127);
    }
    ::close(output);
    return pid;
}

int UnprivilegedUser::Wait(pid_t pid) {
    if (pid < 0)
        return -1;
    int status = 0;
    while (::waitpid(pid, &status, 0) < 0) {
        if (errno != EINTR)
            return -1;
    }
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

int UnprivilegedUser::Run(const std::string& programFolder,
                          const std::vector<std::string>& arguments,
                          const std::vector<std::string>& environment) {
    return Wait(Start(programFolder, arguments, environment));
}

std::string UnprivilegedUser::Output() const {
    std::ifstream in(m_output, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

} // namespace kaldo::testsupport
