#include "tests/support/ReferencePrinter.h"

#include "tests/support/PrivateCups.h"
#include "tests/support/TestFiles.h"

#include <arpa/inet.h>
#include <atomic>
#include <cerrno>
#include <chrono>
#include <csignal>
#include <cstring>
#include <fcntl.h>
#include <filesystem>
#include <mutex>
#include <netinet/in.h>
#include <sys/socket.h>
#include <sys/time.h>
#include <sys/un.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

extern char** environ;

namespace kaldo::testsupport {

namespace fs = std::filesystem;

namespace {

constexpr auto kStartLimit = std::chrono::seconds(20);
constexpr auto kStopLimit = std::chrono::seconds(10);
constexpr auto kPollInterval = std::chrono::milliseconds(20);
constexpr char kSystemBusSocket[] = "/run/dbus/system_bus_socket";

// Starts `arguments` with the environment as it is and the output in `outputFile`.
pid_t Spawn(const std::vector<std::string>& arguments, const std::string& outputFile) {
    std::vector<std::string> environment;
    for (char** entry = environ; *entry != nullptr; ++entry)
        environment.emplace_back(*entry);
    return testsupport::Spawn(arguments, environment, outputFile);
}

// Ends `pid` with SIGTERM, or SIGKILL when it does not go in time, and reaps it.
void Terminate(pid_t pid) {
    if (pid <= 0)
        return;
    kill(pid, SIGTERM);
    const auto deadline = std::chrono::steady_clock::now() + kStopLimit;
    int status = 0;
    while (waitpid(pid, &status, WNOHANG) == 0) {
        if (std::chrono::steady_clock::now() >= deadline) {
            kill(pid, SIGKILL);
            waitpid(pid, &status, 0);
            return;
        }
        std::this_thread::sleep_for(kPollInterval);
    }
}

bool HasEnded(pid_t pid) {
    int status = 0;
    return waitpid(pid, &status, WNOHANG) == pid;
}

bool UnixSocketAnswers(const char* path) {
    const int fd = socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (fd < 0)
        return false;
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    std::strncpy(address.sun_path, path, sizeof(address.sun_path) - 1);
    const bool connected = connect(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0;
    close(fd);
    return connected;
}

int ConnectLoopback(int port) {
    const int fd = socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (fd < 0)
        return -1;
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_port = htons(uint16_t(port));
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    if (connect(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0) {
        close(fd);
        return -1;
    }
    return fd;
}

int FreePort() {
    const int fd = socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (fd < 0)
        return 0;
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t length = sizeof address;
    int port = 0;
    if (bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0 &&
        getsockname(fd, reinterpret_cast<sockaddr*>(&address), &length) == 0)
        port = ntohs(address.sin_port);
    close(fd);
    return port;
}

int RunQuietly(const std::vector<std::string>& arguments) {
    const pid_t pid = Spawn(arguments, "/dev/null");
    int status = 0;
    if (pid < 0 || waitpid(pid, &status, 0) != pid || !WIFEXITED(status))
        return -1;
    return WEXITSTATUS(status);
}

} // namespace

// The system D-Bus and avahi-daemon, started only when they do not run yet; stopped with the
// object only when started by it.
class DnssdDaemons {
public:
    DnssdDaemons() {
        m_folder = fs::temp_directory_path() / ("kdnssd." + std::to_string(getpid()));
        std::error_code error;
        fs::create_directories(m_folder, error);
        if (!UnixSocketAnswers(kSystemBusSocket)) {
            if (geteuid() != 0) {
                m_error = "no system D-Bus runs, and only root can start one";
                return;
            }
            fs::create_directories("/run/dbus", error);
            // A bus that ended without cleaning up leaves its pid file, which blocks a new one.
            fs::remove("/run/dbus/pid", error);
            m_bus = Spawn({"dbus-daemon", "--system", "--nofork", "--nopidfile"},
                          m_folder + "/dbus.out");
            if (!WaitFor([] { return UnixSocketAnswers(kSystemBusSocket); }, m_bus)) {
                m_error = "the system D-Bus did not start: " + ReadBytes(m_folder + "/dbus.out");
                return;
            }
        }
        if (RunQuietly({"avahi-daemon", "--check"}) != 0) {
            if (geteuid() != 0) {
                m_error = "avahi-daemon does not run, and only root can start it";
                return;
            }
            m_avahi =
                Spawn({"avahi-daemon", "--no-chroot", "--no-rlimits"}, m_folder + "/avahi.out");
            if (!WaitFor([] { return RunQuietly({"avahi-daemon", "--check"}) == 0; }, m_avahi)) {
                m_error = "avahi-daemon did not start: " + ReadBytes(m_folder + "/avahi.out");
                return;
            }
        }
        m_ready = true;
    }
    ~DnssdDaemons() {
        Terminate(m_avahi);
        Terminate(m_bus);
        std::error_code error;
        fs::remove_all(m_folder, error);
    }

    bool Ready() const { return m_ready; }
    const std::string& Error() const { return m_error; }

    // The daemons of this process, shared by its printers.
    static std::shared_ptr<DnssdDaemons> Shared() {
        static std::mutex mutex;
        static std::weak_ptr<DnssdDaemons> shared;
        std::lock_guard lock(mutex);
        std::shared_ptr<DnssdDaemons> daemons = shared.lock();
        if (!daemons) {
            daemons = std::make_shared<DnssdDaemons>();
            shared = daemons;
        }
        return daemons;
    }

private:
    template <typename Condition> bool WaitFor(Condition ready, pid_t& pid) {
        const auto deadline = std::chrono::steady_clock::now() + kStartLimit;
        while (pid > 0 && std::chrono::steady_clock::now() < deadline) {
            if (ready())
                return true;
            if (HasEnded(pid)) {
                pid = -1;
                return false;
            }
            std::this_thread::sleep_for(kPollInterval);
        }
        return false;
    }

    std::string m_folder;
    std::string m_error;
    pid_t m_bus = -1;
    pid_t m_avahi = -1;
    bool m_ready = false;
};

ReferencePrinter::ReferencePrinter(std::string maker, std::string model, std::string location)
    : m_maker(std::move(maker))
    , m_model(std::move(model))
    , m_location(std::move(location)) {
    std::string pattern = (fs::temp_directory_path() / "kprinter.XXXXXX").string();
    if (!mkdtemp(pattern.data())) {
        m_error = std::string("cannot create a temporary folder: ") + std::strerror(errno);
        return;
    }
    m_folder = pattern;
    m_dnssd = DnssdDaemons::Shared();
    if (!m_dnssd->Ready()) {
        m_error = m_dnssd->Error();
        return;
    }
    m_port = FreePort();
    Start();
}

ReferencePrinter::~ReferencePrinter() {
    Stop();
    m_dnssd.reset();
    if (!m_folder.empty()) {
        std::error_code error;
        fs::remove_all(m_folder, error);
    }
}

std::string ReferencePrinter::Uri() const {
    return "ipp://127.0.0.1:" + std::to_string(m_port) + "/ipp/print";
}

bool ReferencePrinter::Start() {
    if (m_pid > 0)
        return true;
    if (!m_dnssd || !m_dnssd->Ready() || m_port <= 0)
        return false;
    static std::atomic<int> serial{0};
    const std::string service =
        m_model + " " + std::to_string(getpid()) + "-" + std::to_string(++serial);
    const std::string output = m_folder + "/printer.out";
    const auto deadline = std::chrono::steady_clock::now() + kStartLimit;
    // A daemon that has only just started may not take the printer's advertisement yet.
    while (std::chrono::steady_clock::now() < deadline) {
        std::vector<std::string> command{
            "ippeveprinter",        "-M", m_maker,     "-m", m_model, "-p",
            std::to_string(m_port), "-n", "localhost", "-d", m_folder};
        if (!m_location.empty())
            command.insert(command.end(), {"-l", m_location});
        command.push_back(service);
        m_pid = Spawn(command, output);
        if (m_pid < 0)
            break;
        while (std::chrono::steady_clock::now() < deadline) {
            if (HasEnded(m_pid)) {
                m_pid = -1;
                break;
            }
            if (const int fd = ConnectLoopback(m_port); fd >= 0) {
                close(fd);
                return true;
            }
            std::this_thread::sleep_for(kPollInterval);
        }
        if (m_pid > 0)
            break;
        std::this_thread::sleep_for(std::chrono::milliseconds(200));
    }
    Stop();
    m_error = "ippeveprinter did not start: " + ReadBytes(output);
    return false;
}

void ReferencePrinter::Stop() {
    Terminate(m_pid);
    m_pid = -1;
}

bool ReferencePrinter::SetSupplies(const std::vector<int>& levels) {
    std::string query;
    for (size_t i = 0; i < levels.size(); ++i)
        query += (i ? "&supply" : "supply") + std::to_string(i) + "=" + std::to_string(levels[i]);
    const std::string request = "GET /supplies?" + query +
                                " HTTP/1.1\r\nHost: localhost:" + std::to_string(m_port) +
                                "\r\nConnection: close\r\n\r\n";
    const int fd = ConnectLoopback(m_port);
    if (fd < 0)
        return false;
    const timeval limit{10, 0};
    setsockopt(fd, SOL_SOCKET, SO_RCVTIMEO, &limit, sizeof limit);
    bool sent = ::write(fd, request.data(), request.size()) == ssize_t(request.size());
    // The printer sends its answer's status line before it takes the levels, and the page that
    // shows them after; it keeps the connection open past the page.
    std::string answer;
    char buffer[4096];
    for (ssize_t got; sent && answer.find("</html>") == std::string::npos &&
                      (got = ::read(fd, buffer, sizeof buffer)) > 0;)
        answer.append(buffer, size_t(got));
    close(fd);
    return sent && answer.starts_with("HTTP/1.1 200") &&
           answer.find("</html>") != std::string::npos;
}

} // namespace kaldo::testsupport
