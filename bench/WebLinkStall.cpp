// The longest stall of the main thread while a web link is clicked and the maker's site drops
// every packet: the reachability check runs into its limit. A timer on the main thread ticks
// every few milliseconds; the longest gap between ticks, less the interval, is the stall.
//   build/bench/WebLinkStall [CLICKS]
#include "bench/SampleModel.h"
#include "main/dialogs/BusyWaits.h"
#include "main/launchers/Launchers.h"
#include "main/launchers/XdgShell.h"
#include "main/net/DownloadManager.h"
#include "main/printers/PrinterSelection.h"
#include "main/printers/Reachability.h"
#include "tests/main/launchers/LauncherDoubles.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QTimer>
#include <QWidget>

#include <arpa/inet.h>
#include <fcntl.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <functional>
#include <string>
#include <thread>
#include <vector>

namespace kaldo::bench {
namespace {

constexpr int kProbeInterval = 5; // ms

// A loopback port that never accepts and whose queue is full, so that new connections hang
// as with a site that drops packets.
class DroppingSite {
public:
    DroppingSite() {
        m_listener = socket(AF_INET, SOCK_STREAM, 0);
        sockaddr_in address{};
        address.sin_family = AF_INET;
        address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        socklen_t length = sizeof(address);
        if (bind(m_listener, reinterpret_cast<sockaddr*>(&address), length) != 0 ||
            listen(m_listener, 0) != 0 ||
            getsockname(m_listener, reinterpret_cast<sockaddr*>(&address), &length) != 0)
            return;
        m_port = ntohs(address.sin_port);
        // The queue takes backlog + 1 connections; a few more make sure it is full.
        for (int i = 0; i < 4; ++i) {
            const int client = socket(AF_INET, SOCK_STREAM | SOCK_NONBLOCK, 0);
            connect(client, reinterpret_cast<sockaddr*>(&address), sizeof(address));
            m_clients.push_back(client);
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
    }
    ~DroppingSite() {
        for (int client : m_clients)
            close(client);
        close(m_listener);
    }
    std::string Url() const { return "http://127.0.0.1:" + std::to_string(m_port) + "/"; }
    bool Ready() const { return m_port != 0; }

private:
    int m_listener = -1;
    int m_port = 0;
    std::vector<int> m_clients;
};

// The longest gap between the ticks of a main-thread timer while `run` goes on, less the
// interval; `run` gets a function that ends the measurement.
double LongestStall(const std::function<void(std::function<void()> finished)>& run) {
    QEventLoop loop;
    QElapsedTimer clock;
    qint64 last = 0;
    qint64 longest = 0;
    QTimer probe;
    probe.setInterval(kProbeInterval);
    probe.setTimerType(Qt::PreciseTimer);
    QObject::connect(&probe, &QTimer::timeout, [&] {
        const qint64 now = clock.nsecsElapsed();
        longest = std::max(longest, now - last);
        last = now;
    });
    clock.start();
    probe.start();
    QTimer::singleShot(0, [&] { run([&] { loop.quit(); }); });
    loop.exec();
    probe.stop();
    longest = std::max(longest, clock.nsecsElapsed() - last);
    return std::max(0.0, double(longest) / 1e6 - kProbeInterval);
}

int Measure(int clicks) {
    DroppingSite site;
    BenchFolder folder;
    PrinterSelection printer;
    printer.Config = std::make_unique<ToolboxConfig>();
    ModelFolders folders;
    if (!site.Ready() || !StageSampleModel(folder, *printer.Config, folders)) {
        std::fprintf(stderr, "stall: set-up failed\n");
        return 1;
    }
    QWidget window;
    window.resize(780, 665);
    window.show();

    XdgShell shell;
    testsupport::RecordingPrompts prompts;
    testsupport::FakeDriverFiles driverFiles;
    testsupport::FakeSettingsStore settingsStore;
    testsupport::FakeSettingsDialog settingsDialog;
    BusyWaits waits(&window);
    std::function<void()> answered;
    const auto checkWeb = [url = site.Url()] {
        return DownloadManager::CheckReachable(url, kInternetCheckLimit);
    };
    Launchers launchers(printer, folders,
                        LauncherServices{.Shell = shell,
                                         .Prompts = prompts,
                                         .DriverFiles = driverFiles,
                                         .SettingsStore = settingsStore,
                                         .SettingsDialog = settingsDialog,
                                         .Background = waits,
                                         .CheckWeb = checkWeb,
                                         .PrinterReachable = {},
                                         .WebAnswered = [&answered](bool) {
                                             answered();
                                         }});

    // What the machine alone does to the probe: the same wait with nothing going on.
    const double idle = LongestStall(
        [](std::function<void()> finished) { QTimer::singleShot(kInternetCheckLimit, finished); });
    std::printf("idle event loop for %lld ms: longest gap beyond the interval %.1f ms\n",
                static_cast<long long>(kInternetCheckLimit.count()), idle);

    std::vector<double> stalls;
    for (int click = 0; click < clicks; ++click) {
        QElapsedTimer answer;
        double answerMs = 0;
        const double stall = LongestStall([&](std::function<void()> finished) {
            answer.start();
            answered = [&answerMs, &answer, finished] {
                answerMs = double(answer.nsecsElapsed()) / 1e6;
                finished();
            };
            launchers.OpenWebLink("http://", "http://www.kaldo.example/support.html");
        });
        stalls.push_back(stall);
        std::printf("click %d: longest main-thread stall %.1f ms, answer after %.0f ms\n",
                    click + 1, stall, answerMs);
    }
    const double blocking = LongestStall([&](std::function<void()> finished) {
        checkWeb();
        finished();
    });
    std::printf("the same check on the main thread (as before): stall %.0f ms\n", blocking);
    std::printf("longest main-thread stall over %d clicks: %.1f ms\n", clicks,
                *std::max_element(stalls.begin(), stalls.end()));
    return 0;
}

} // namespace
} // namespace kaldo::bench

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    return kaldo::bench::Measure(argc > 1 ? std::max(1, std::atoi(argv[1])) : 3);
}
