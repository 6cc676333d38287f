#include "main/app/ProgramOptions.h"

#include <QByteArray>

namespace kaldo {

namespace {

// As the toolkit reads a number from the environment: decimal, 0x hexadecimal or 0 octal.
int NumberIn(const std::string& text) {
    return QByteArray::fromStdString(text).toInt(nullptr, 0);
}

} // namespace

ProgramOptions ReadProgramOptions(const EnvironmentLookup& variable) {
    ProgramOptions options;
    if (std::string home = variable("KALDO_HOME_PAGE"); !home.empty())
        options.HomePage = std::move(home);
    options.PrinterWebPort = NumberIn(variable("KALDO_PRINTER_WEB_PORT"));
    options.CaFile = variable("KALDO_CA_FILE");

    AutomationOptions& automation = options.Automation;
    automation.Screenshot = variable("KALDO_SCREENSHOT");
    automation.ExitWhenReady = !variable("KALDO_EXIT_WHEN_READY").empty();
    const std::string exitAfter = variable("KALDO_EXIT_AFTER");
    const size_t colon = exitAfter.find(':');
    automation.ExitAfter = exitAfter.substr(0, colon);
    if (colon != std::string::npos)
        automation.ExitAfterArgument = exitAfter.substr(colon + 1);
    automation.ExitAfterMs = NumberIn(variable("KALDO_EXIT_AFTER_MS"));
    return options;
}

} // namespace kaldo
