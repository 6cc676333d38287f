#pragma once

#include <string>

namespace kaldo {

class ToolboxConfig;

// Error numbers of the error box.
inline constexpr int kErrorNoWeb = 0;
inline constexpr int kErrorNoNetwork = 1;
inline constexpr int kErrorContentNotFound = 2;
inline constexpr int kErrorPrinterNotFound = 3;
inline constexpr int kErrorDriverSettings = 4;
inline constexpr int kErrorSaveSettings = 5;
inline constexpr int kErrorNoPdfReader = 6;
inline constexpr int kErrorNoVideoPlayer = 7;

// The configuration's text for error `number`; empty for a number outside 0-7.
std::string ErrorText(const ToolboxConfig& config, int number);

} // namespace kaldo
