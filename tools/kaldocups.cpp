// kaldocups: a private CUPS scheduler with the queues the demo needs, for as long as it runs.
//   kaldocups --queue NAME URI MODEL [--queue ...]
// Prints "CUPS_SERVER=<socket>" once the queues exist, then waits for SIGTERM or SIGINT.
#include "tests/support/PrivateCups.h"

#include <csignal>
#include <cstdio>
#include <fstream>
#include <iostream>
#include <string>
#include <vector>

#include <unistd.h>

namespace {

struct Queue {
    std::string name;
    std::string uri;
    std::string model;
};

// A PostScript description whose make and model is `model`, the name drivers report.
std::string PpdFor(const std::string& model)
{
    const bool colour = model.find(" C") != std::string::npos;
    return "*PPD-Adobe: \"4.3\"\n*FormatVersion: \"4.3\"\n*FileVersion: \"1.0\"\n"
           "*LanguageVersion: English\n*LanguageEncoding: ISOLatin1\n"
           "*PCFileName: \"KALDO.PPD\"\n*Manufacturer: \"Kaldo\"\n"
           "*Product: \"(" + model + ")\"\n*ModelName: \"" + model + "\"\n"
           "*ShortNickName: \"" + model + "\"\n*NickName: \"" + model + "\"\n"
           "*PSVersion: \"(3010.000) 0\"\n*LanguageLevel: \"3\"\n"
           "*ColorDevice: " + (colour ? "True" : "False") + "\n"
           "*DefaultColorSpace: " + (colour ? "RGB" : "Gray") + "\n"
           "*OpenUI *PageSize/Media Size: PickOne\n*OrderDependency: 10 AnySetup *PageSize\n"
           "*DefaultPageSize: A4\n*PageSize A4/A4: \"<</PageSize[595 842]>>setpagedevice\"\n"
           "*PageSize Letter/Letter: \"<</PageSize[612 792]>>setpagedevice\"\n"
           "*CloseUI: *PageSize\n*DefaultImageableArea: A4\n"
           "*ImageableArea A4/A4: \"12 12 583 830\"\n*DefaultPaperDimension: A4\n"
           "*PaperDimension A4/A4: \"595 842\"\n*DefaultFont: Courier\n";
}

int Usage(const char* message)
{
    std::cerr << "kaldocups: " << message
              << "\nusage: kaldocups --queue NAME URI MODEL [--queue NAME URI MODEL ...]\n";
    return 2;
}

} // namespace

int main(int argc, char** argv)
{
    std::vector<Queue> queues;
    for (int i = 1; i < argc; ++i) {
        const std::string argument = argv[i];
        if (argument == "--help" || argument == "-h")
            return Usage("starts a private CUPS scheduler with the given queues");
        if (argument != "--queue" || i + 3 >= argc)
            return Usage(("unexpected argument " + argument).c_str());
        queues.push_back({argv[i + 1], argv[i + 2], argv[i + 3]});
        i += 3;
    }
    if (queues.empty())
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
        const std::string ppd = cups.Folder() + "/" + queue.name + ".ppd";
        std::ofstream(ppd) << PpdFor(queue.model);
        if (!cups.AddQueue(queue.name, queue.uri, ppd)) {
            std::cerr << "kaldocups: cannot add queue " << queue.name << ":\n" << cups.Log();
            return 1;
        }
    }
    std::cout << "CUPS_SERVER=" << cups.Server() << std::endl;

    int signal = 0;
    sigwait(&stopSignals, &signal);
    return 0;
}
