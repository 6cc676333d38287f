#include "main/app/CommandLine.h"
#include "main/app/QueryMode.h"
#include "platform/Paths.h"
#include "platform/spooler/CupsSpooler.h"

#include <iostream>

int main(int argc, char** argv) {
    const kaldo::CommandLine commandLine =
        kaldo::ParseCommandLine(kaldo::CommandLineFromArguments(argc, argv));
    if (commandLine.QueryMode) {
        kaldo::CupsSpooler spooler;
        return kaldo::QueryPrinterHasContent(commandLine.QueryPrinter, kaldo::ProgramFolder(),
                                             spooler);
    }
    std::cerr << "ktendwell: the window is not built yet\n";
    return 0;
}
