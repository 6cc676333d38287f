#pragma once

#include <string>

namespace kaldo {

class ToolboxConfig;

// Error numbers of the error box.
enum class ErrorNumber : int {
    NoWeb = 0,
    NoNetwork = 1,
    ContentNotFound = 2,
    PrinterNotFound = 3,
    DriverSettings = 4,
    SaveSettings = 5,
    NoPdfReader = 6,
    NoVideoPlayer = 7,
};

// The configuration's text for error `number`; empty for a number outside 0-7.
std::string ErrorText(const ToolboxConfig& config, ErrorNumber number);

} // namespace kaldo
