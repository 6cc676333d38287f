// kaldosim: Kaldo printers and the Kaldo web site on loopback, for the demo and the tests.
#include "simulator/Simulator.h"
#include "simulator/SimulatorOptions.h"

#include <csignal>
#include <cstdio>
#include <pthread.h>

int main(int argc, char** argv) {
    using namespace kaldo::simulator;

    const std::vector<std::string> arguments(argv + 1, argv + argc);
    SimulatorOptions options;
    std::string error;
    switch (ParseSimulatorOptions(arguments, options, error)) {
    case ParseOutcome::Help:
        std::fputs(UsageText().c_str(), stdout);
        return 0;
    case ParseOutcome::UsageError:
    case ParseOutcome::NotLoopback:
        std::fprintf(stderr, "kaldosim: %s\nTry 'kaldosim --help'.\n", error.c_str());
        return 2;
    case ParseOutcome::Run:
        break;
    }

    // A shell starts background jobs with SIGINT ignored, and an ignored signal never reaches
    // sigwait. Blocked before any thread starts, so that only sigwait below receives them.
    std::signal(SIGINT, SIG_DFL);
    std::signal(SIGTERM, SIG_DFL);
    sigset_t stopSignals;
    sigemptyset(&stopSignals);
    sigaddset(&stopSignals, SIGTERM);
    sigaddset(&stopSignals, SIGINT);
    pthread_sigmask(SIG_BLOCK, &stopSignals, nullptr);
    std::signal(SIGPIPE, SIG_IGN);

    Simulator simulator;
    if (!simulator.Start(options, error)) {
        std::fprintf(stderr, "kaldosim: %s\n", error.c_str());
        return 1;
    }
    std::printf("%s\n", simulator.ReadyLine().c_str());
    std::fflush(stdout);

    int received = 0;
    sigwait(&stopSignals, &received);
    std::fprintf(stderr, "kaldosim: stopping on signal %d\n", received);
    simulator.Stop();
    return 0;
}
