#pragma once

#include <chrono>
#include <cstddef>
#include <string>
#include <string_view>

namespace kaldo::usb {

enum class Exchange {
    Answered,
    DeviceError, // the device could not be opened or the request not written
    NoAnswer,    // nothing came back within the limit
    Aborted,
    TooLong, // the answer grew past MaxAnswerBytes
};

struct ExchangeLimits {
    std::chrono::milliseconds Overall{5000};
    // Silence after some data that ends an answer whose end cannot be seen in it.
    std::chrono::milliseconds QuietGap{1000};
    // The most a status document may hold, as over the network.
    std::size_t MaxAnswerBytes = 4 * 1024 * 1024;
};

// Writes `request` to the device node and reads its answer into `answer`. The answer is
// complete when its XML root element closes, when the device ends the stream, or when the
// device falls silent after sending something. A write to `wakeFd` (an eventfd) aborts.
Exchange ExchangeWithDevice(const std::string& devicePath, std::string_view request,
                            const ExchangeLimits& limits, int wakeFd, std::string& answer);

// True when `text` holds an XML document whose root element has been closed.
bool IsCompleteXml(std::string_view text);

} // namespace kaldo::usb
