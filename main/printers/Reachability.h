#pragma once

#include <chrono>
#include <string>
#include <string_view>

namespace kaldo {

inline constexpr std::chrono::milliseconds kPrinterReachLimit{2000};
inline constexpr std::chrono::milliseconds kInternetCheckLimit{5000};

// Whether the printer's web server accepts a TCP connection within `limit`. `address` is a
// dotted IPv4 address, an IPv6 address (with or without brackets) or a host name.
bool IsPrinterReachable(std::string_view address, int port = 80,
                        std::chrono::milliseconds limit = kPrinterReachLimit);

// The maker's home page, which the internet check tries unless the program is told another.
inline constexpr char kMakerHomePage[] = "https://www.kaldo.com/";

} // namespace kaldo
