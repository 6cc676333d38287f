// kaldocups: a private CUPS scheduler with the queues the demo needs, for as long as it runs.
//   kaldocups --queue NAME URI MODEL [--queue ...] [--report NAME LINE ...] [--print NAME ...]
//             [--everywhere NAME MAKER MODEL [--supplies NAME WASTE,TONER]
//              [--location NAME TEXT] ...]
// --everywhere starts CUPS's reference IPP Everywhere printer reporting MAKER and MODEL, and
// makes a driverless queue for it as the desktop's printer tools do (lpadmin -m everywhere);
// --supplies sets that printer's waste tank and toner levels in percent, --location where it
// says it stands. A --report line ("ATTR: marker-levels=40", "STATE: +media-jam-error") is what
// the queue's backend tells the scheduler while a job runs; --print sends the queue one small raw
// job, so that the scheduler knows the supplies and state of a printer without a status page.
// Prints "CUPS_SERVER=<socket>" once the queues exist and the jobs are done, then waits for SIGTERM
// or SIGINT.
#include "tests/support/PrivateCups.h"
#include "tests/support/ReferencePrinter.h"

#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <iostream>
#include <map>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include <unistd.h>

namespace {

struct Queue {
    std::string Name;
    std::string Uri;
    std::string Model;
};

struct DriverlessQueue {
    std::string Name;
    std::string Maker;
    std::string Model;
    std::vector<int> Supplies;
    std::string Location;
};

std::vector<int> Levels(const std::string& text) {
    std::vector<int> levels;
    std::stringstream in(text);
    for (std::string level; std::getline(in, level, ',');)
        levels.push_back(std::atoi(level.c_str()));
    return levels;
}

int Usage(const char* message) {
    std::cerr << "kaldocups: " << message
              << "\nusage: kaldocups --queue NAME URI MODEL [--queue NAME URI MODEL ...]"
                 " [--report NAME LINE ...] [--print NAME ...]"
                 " [--everywhere NAME MAKER MODEL [--supplies NAME WASTE,TONER]"
                 " [--location NAME TEXT] ...]\n";
    return 2;
}

} // namespace

int main(int argc, char** argv) {
    std::vector<Queue> queues;
    std::map<std::string, std::string> reports;
    std::vector<std::string> jobs;
    std::vector<DriverlessQueue> driverless;
    // A setting for a driverless queue given before it.
    auto set = [&driverless](const std::string& name, auto change) {
        for (DriverlessQueue& queue : driverless) {
            if (queue.Name == name)
                change(queue);
        }
    };
    for (int i = 1; i < argc; ++i) {
        const std::string argument = argv[i];
        if (argument == "--help" || argument == "-h")
            return Usage("starts a private CUPS scheduler with the given queues");
        if (argument == "--queue" && i + 3 < argc) {
            queues.push_back({argv[i + 1], argv[i + 2], argv[i + 3]});
            i += 3;
        } else if (argument == "--report" && i + 2 < argc) {
            reports[argv[i + 1]] += std::string(argv[i + 2]) + "\n";
            i += 2;
        } else if (argument == "--print" && i + 1 < argc) {
            jobs.push_back(argv[++i]);
        } else if (argument == "--everywhere" && i + 3 < argc) {
            driverless.push_back({argv[i + 1], argv[i + 2], argv[i + 3], {}, {}});
            i += 3;
        } else if (argument == "--supplies" && i + 2 < argc) {
            set(argv[i + 1], [&](DriverlessQueue& queue) { queue.Supplies = Levels(argv[i + 2]); });
            i += 2;
        } else if (argument == "--location" && i + 2 < argc) {
            set(argv[i + 1], [&](DriverlessQueue& queue) { queue.Location = argv[i + 2]; });
            i += 2;
        } else {
            return Usage(("unexpected argument " + argument).c_str());
        }
    }
    if (queues.empty() && driverless.empty())
        return Usage("no queue given");

    sigset_t stopSignals;
    sigemptyset(&stopSignals);
    sigaddset(&stopSignals, SIGTERM);
    sigaddset(&stopSignals, SIGINT);
    sigprocmask(SIG_BLOCK, &stopSignals, nullptr);

    kaldo::testsupport::PrivateCups cups;
    if (!cups.Started()) {
        std::cerr << "kaldocups: " << cups.Error() << "\n";
        return 1;
    }
    for (const Queue& queue : queues) {
        if (!cups.AddQueueForModel(queue.Name, queue.Uri, queue.Model)) {
            std::cerr << "kaldocups: cannot add queue " << queue.Name << ":\n" << cups.Log();
            return 1;
        }
    }
    std::vector<std::unique_ptr<kaldo::testsupport::ReferencePrinter>> printers;
    for (const DriverlessQueue& queue : driverless) {
        auto printer = std::make_unique<kaldo::testsupport::ReferencePrinter>(
            queue.Maker, queue.Model, queue.Location);
        if (!printer->Started()) {
            std::cerr << "kaldocups: " << printer->Error() << "\n";
            return 1;
        }
        if ((!queue.Supplies.empty() && !printer->SetSupplies(queue.Supplies)) ||
            !cups.AddDriverlessQueue(queue.Name, printer->Uri())) {
            std::cerr << "kaldocups: cannot set up " << queue.Name << ": " << cups.Error() << "\n";
            return 1;
        }
        printers.push_back(std::move(printer));
    }
    for (const auto& [queue, lines] : reports) {
        if (!cups.SetBackendReport(queue, lines)) {
            std::cerr << "kaldocups: cannot write the report of " << queue << "\n";
            return 1;
        }
    }
    for (const std::string& queue : jobs) {
        if (!cups.PrintRaw(queue, "kaldocups\n") || !cups.WaitUntilIdle(queue)) {
            std::cerr << "kaldocups: " << cups.Error() << "\n";
            return 1;
        }
    }
    std::cout << "CUPS_SERVER=" << cups.Server() << std::endl;

    int signal = 0;
    sigwait(&stopSignals, &signal);
    return 0;
}
