#include "tests/support/PrivateCups.h"

#include "tests/support/TestFiles.h"

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <csignal>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <grp.h>
#include <pwd.h>
#include <sstream>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

extern char** environ;

namespace kaldo::testsupport {

namespace fs = std::filesystem;

namespace {

constexpr auto kStartLimit = std::chrono::seconds(30);
constexpr auto kStopLimit = std::chrono::seconds(10);
constexpr auto kPollInterval = std::chrono::milliseconds(20);

const char* const kStubBackends[] = {"socket", "lpd", "usb",  "parallel", "serial",
                                     "dnssd",  "ipp", "ipps", "http",     "https",
                                     "smb",    "beh", "snmp"};

bool WriteFile(const fs::path& path, const std::string& text, fs::perms permissions) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out << text;
    out.close();
    if (!out)
        return false;
    std::error_code error;
    fs::permissions(path, permissions, error);
    return !error;
}

std::vector<std::string> Environment(const std::vector<std::string>& extra) {
    std::vector<std::string> environment;
    for (char** entry = environ; *entry; ++entry) {
        const std::string_view text = *entry;
        bool replaced = text.starts_with("CUPS_SERVER=");
        for (const std::string& added : extra)
            replaced = replaced || text.starts_with(added.substr(0, added.find('=') + 1));
        if (!replaced)
            environment.emplace_back(text);
    }
    environment.insert(environment.end(), extra.begin(), extra.end());
    return environment;
}

int WaitFor(pid_t pid) {
    int status = 0;
    while (waitpid(pid, &status, 0) < 0) {
        if (errno != EINTR)
            return -1;
    }
    if (WIFEXITED(status))
        return WEXITSTATUS(status);
    return -1;
}

bool SocketAnswers(const std::string& path) {
    const int fd = socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (fd < 0)
        return false;
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    std::strncpy(address.sun_path, path.c_str(), sizeof(address.sun_path) - 1);
    const bool connected = connect(fd, reinterpret_cast<sockaddr*>(&address), sizeof(address)) == 0;
    close(fd);
    return connected;
}

} // namespace

pid_t Spawn(const std::vector<std::string>& arguments, const std::vector<std::string>& environment,
            const std::string& outputFile) {
    std::vector<char*> argv;
    for (const std::string& argument : arguments)
        argv.push_back(const_cast<char*>(argument.c_str()));
    argv.push_back(nullptr);
    std::vector<char*> envp;
    for (const std::string& entry : environment)
        envp.push_back(const_cast<char*>(entry.c_str()));
    envp.push_back(nullptr);

    const int output = open(outputFile.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    if (output < 0)
        return -1;
    const pid_t pid = fork();
    if (pid == 0) {
        const int input = open("/dev/null", O_RDONLY);
        dup2(input, STDIN_FILENO);
        dup2(output, STDOUT_FILENO);
        dup2(output, STDERR_FILENO);
        execvpe(argv[0], argv.data(), envp.data());
        _exit(127);
    }
    close(output);
    return pid;
}

PrivateCups::PrivateCups(std::vector<std::string> realBackends)
    : m_realBackends(std::move(realBackends)) {
    std::string pattern = (fs::temp_directory_path() / "kcups.XXXXXX").string();
    if (!mkdtemp(pattern.data())) {
        m_error = std::string("cannot create a temporary folder: ") + std::strerror(errno);
        return;
    }
    m_folder = pattern;
    m_socket = m_folder + "/cups.sock";
    if (m_socket.size() >= sizeof(sockaddr_un::sun_path)) {
        m_error = "socket path too long: " + m_socket;
        return;
    }
    if (!WriteConfiguration()) {
        m_error = "cannot write the scheduler's configuration in " + m_folder;
        return;
    }
    const pid_t pid = Spawn({"/usr/sbin/cupsd", "-f", "-c", m_folder + "/etc/cupsd.conf", "-s",
                             m_folder + "/etc/cups-files.conf"},
                            Environment({}), m_folder + "/log/cupsd.out");
    if (pid < 0) {
        m_error = "cannot start cupsd";
        return;
    }
    m_pid = pid;
    if (!WaitUntilReady()) {
        Stop();
        m_error = "cupsd did not come up: " + ReadBytes(m_folder + "/log/cupsd.out") + Log();
    }
}

PrivateCups::~PrivateCups() {
    Stop();
    if (!m_folder.empty()) {
        std::error_code error;
        fs::remove_all(m_folder, error);
    }
}

bool PrivateCups::WriteConfiguration() {
    const fs::path root = m_folder;
    std::error_code error;
    for (const char* folder :
         {"etc", "bin/backend", "bin/filter", "spool", "cache", "state", "log", "tmp"})
        fs::create_directories(root / folder, error);
    if (error)
        return false;
    // cupsd drops to an unprivileged user for its helpers; the tree must stay reachable.
    fs::permissions(root, fs::perms(0755), error);

    constexpr fs::perms kExecutable = fs::perms(0755);
    // Every backend reports what the test left for its queue, as a real backend passes on the
    // device's supplies and state while a job runs; without cups-exec no backend starts.
    const std::string backend = "#!/bin/sh\n[ $# -ge 5 ] || exit 0\nreport=\"" + m_folder +
                                "/reports/$PRINTER\"\n[ -r \"$report\" ] && cat \"$report\" >&2\n"
                                "exit 0\n";
    for (const char* name : kStubBackends) {
        if (std::find(m_realBackends.begin(), m_realBackends.end(), name) != m_realBackends.end())
            fs::create_symlink(fs::path("/usr/lib/cups/backend") / name,
                               root / "bin/backend" / name, error);
        else if (!WriteFile(root / "bin/backend" / name, backend, kExecutable))
            return false;
    }
    fs::create_directories(root / "bin/daemon", error);
    fs::create_directories(root / "reports", error);
    fs::create_symlink("/usr/lib/cups/daemon/cups-exec", root / "bin/daemon/cups-exec", error);
    if (error)
        return false;
    if (!WriteFile(root / "bin/filter/commandtops", "#!/bin/sh\nexit 0\n", kExecutable))
        return false;

    std::string user = "lp";
    std::string group = "lp";
    std::string systemGroup = "root";
    if (geteuid() != 0) {
        const passwd* account = getpwuid(geteuid());
        const struct group* primary = getgrgid(getegid());
        if (!account || !primary)
            return false;
        user = account->pw_name;
        group = primary->gr_name;
        systemGroup = group;
    }

    const std::string files =
        "User " + user + "\nGroup " + group + "\nSystemGroup " + systemGroup + "\nServerRoot " +
        m_folder + "/etc\nServerBin " + m_folder + "/bin\nRequestRoot " + m_folder +
        "/spool\nTempDir " + m_folder + "/tmp\nCacheDir " + m_folder + "/cache\nStateDir " +
        m_folder + "/state\nDataDir /usr/share/cups\nErrorLog " + m_folder +
        "/log/error_log\nAccessLog " + m_folder + "/log/access_log\nPageLog " + m_folder +
        "/log/page_log\nFileDevice Yes\nSandboxing Relaxed\n";
    const std::string daemon = "Listen " + m_socket +
                               "\nLogLevel warn\nBrowsing No\nWebInterface No\n"
                               "DefaultAuthType None\n"
                               "<Location />\n  Order allow,deny\n  Allow all\n</Location>\n"
                               "<Policy default>\n"
                               "  JobPrivateAccess all\n  JobPrivateValues none\n"
                               "  SubscriptionPrivateAccess all\n  SubscriptionPrivateValues none\n"
                               "  <Limit All>\n    Order deny,allow\n  </Limit>\n"
                               "</Policy>\n";
    return WriteFile(root / "etc/cups-files.conf", files, fs::perms(0644)) &&
           WriteFile(root / "etc/cupsd.conf", daemon, fs::perms(0644));
}

bool PrivateCups::WaitUntilReady() {
    const auto deadline = std::chrono::steady_clock::now() + kStartLimit;
    while (std::chrono::steady_clock::now() < deadline) {
        int status = 0;
        if (waitpid(m_pid, &status, WNOHANG) == m_pid) {
            m_pid = -1;
            return false;
        }
        if (SocketAnswers(m_socket))
            return true;
        std::this_thread::sleep_for(kPollInterval);
    }
    return false;
}

void PrivateCups::Stop() {
    if (m_pid <= 0)
        return;
    kill(m_pid, SIGTERM);
    const auto deadline = std::chrono::steady_clock::now() + kStopLimit;
    int status = 0;
    while (waitpid(m_pid, &status, WNOHANG) == 0) {
        if (std::chrono::steady_clock::now() >= deadline) {
            kill(m_pid, SIGKILL);
            waitpid(m_pid, &status, 0);
            break;
        }
        std::this_thread::sleep_for(kPollInterval);
    }
    m_pid = -1;
}

int PrivateCups::Run(const std::vector<std::string>& arguments,
                     const std::vector<std::string>& extraEnvironment, std::string* output) {
    if (arguments.empty())
        return -1;
    std::vector<std::string> environment = extraEnvironment;
    environment.push_back("CUPS_SERVER=" + m_socket);
    const std::string outputFile = m_folder + "/log/run.out";
    const pid_t pid = Spawn(arguments, Environment(environment), outputFile);
    if (pid < 0)
        return -1;
    const int code = WaitFor(pid);
    if (output)
        *output = ReadBytes(outputFile);
    return code;
}

bool PrivateCups::AddQueue(const std::string& name, const std::string& deviceUri,
                           const std::string& ppdFile) {
    std::vector<std::string> arguments = {"lpadmin", "-p", name, "-E", "-v", deviceUri};
    if (!ppdFile.empty()) {
        arguments.push_back("-P");
        arguments.push_back(ppdFile);
    }
    std::string output;
    if (Run(arguments, {}, &output) == 0)
        return true;
    m_error = "lpadmin failed for " + name + ": " + output;
    return false;
}

bool PrivateCups::AddQueueForModel(const std::string& name, const std::string& deviceUri,
                                   const std::string& model) {
    const bool colour = model.find(" C") != std::string::npos;
    const std::string ppd =
        "*PPD-Adobe: \"4.3\"\n*FormatVersion: \"4.3\"\n*FileVersion: \"1.0\"\n"
        "*LanguageVersion: English\n*LanguageEncoding: ISOLatin1\n"
        "*PCFileName: \"KALDO.PPD\"\n*Manufacturer: \"Kaldo\"\n"
        "*Product: \"(" +
        model + ")\"\n*ModelName: \"" + model +
        "\"\n"
        "*ShortNickName: \"" +
        model + "\"\n*NickName: \"" + model +
        "\"\n"
        "*PSVersion: \"(3010.000) 0\"\n*LanguageLevel: \"3\"\n"
        "*ColorDevice: " +
        (colour ? "True" : "False") +
        "\n"
        "*DefaultColorSpace: " +
        (colour ? "RGB" : "Gray") +
        "\n"
        "*OpenUI *PageSize/Media Size: PickOne\n*OrderDependency: 10 AnySetup *PageSize\n"
        "*DefaultPageSize: A4\n*PageSize A4/A4: \"<</PageSize[595 842]>>setpagedevice\"\n"
        "*PageSize Letter/Letter: \"<</PageSize[612 792]>>setpagedevice\"\n"
        "*CloseUI: *PageSize\n*DefaultImageableArea: A4\n"
        "*ImageableArea A4/A4: \"12 12 583 830\"\n*DefaultPaperDimension: A4\n"
        "*PaperDimension A4/A4: \"595 842\"\n*DefaultFont: Courier\n";
    const std::string ppdFile = m_folder + "/" + name + ".ppd";
    if (!WriteFile(ppdFile, ppd,
                   fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read |
                       fs::perms::others_read))
        return false;
    return AddQueue(name, deviceUri, ppdFile);
}

bool PrivateCups::SetBackendReport(const std::string& queue, const std::string& lines) {
    return WriteFile(fs::path(m_folder) / "reports" / queue, lines, fs::perms(0644));
}

bool PrivateCups::PrintRaw(const std::string& queue, const std::string& text) {
    const std::string file = m_folder + "/tmp/job-" + queue;
    if (!WriteFile(file, text, fs::perms(0644)))
        return false;
    std::string output;
    if (Run({"lp", "-d", queue, "-o", "raw", file}, {}, &output) == 0)
        return true;
    m_error = "lp failed for " + queue + ": " + output;
    return false;
}

bool PrivateCups::WaitUntilIdle(const std::string& queue) {
    const auto deadline = std::chrono::steady_clock::now() + kStartLimit;
    while (std::chrono::steady_clock::now() < deadline) {
        std::string output;
        if (Run({"lpstat", "-o", queue}, {}, &output) == 0 && output.empty())
            return true;
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
    }
    m_error = "jobs of " + queue + " did not finish:\n" + Log();
    return false;
}

bool PrivateCups::AddDriverlessQueue(const std::string& name, const std::string& deviceUri) {
    std::string output;
    if (Run({"lpadmin", "-p", name, "-E", "-v", deviceUri, "-m", "everywhere"}, {}, &output) == 0)
        return true;
    m_error = "lpadmin -m everywhere failed for " + name + ": " + output;
    return false;
}

bool PrivateCups::RemoveQueue(const std::string& name) {
    return Run({"lpadmin", "-x", name}) == 0;
}

std::string PrivateCups::Log() const {
    return ReadBytes(m_folder + "/log/error_log");
}

} // namespace kaldo::testsupport
