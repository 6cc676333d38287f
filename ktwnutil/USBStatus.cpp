#include "ktwnutil/USBStatus.h"

#include "ktwnutil/DeviceExchange.h"
#include "ktwnutil/UsbPrinterDevices.h"
#include "platform/AtomicFile.h"
#include "platform/spooler/DevicePorts.h"

#include <cstdint>
#include <sys/eventfd.h>
#include <unistd.h>

namespace kaldo {

USBStatus::USBStatus()
    : m_wakeFd(::eventfd(0, EFD_CLOEXEC | EFD_NONBLOCK)) {}

USBStatus::~USBStatus() {
    if (m_wakeFd >= 0)
        ::close(m_wakeFd);
}

int USBStatus::FindStatusEndPointFromPrinterPort(const std::string& port) {
    m_endPoint.clear();
    const std::optional<UsbPortDevice> device = ParseUsbPortName(port);
    if (!device || device->Make.empty() || device->Model.empty())
        return kUsbNotUsbPort;
    const std::optional<std::string> node = usb::FindPrinterNode(*device);
    if (!node)
        return kUsbNoDevice;
    m_endPoint = *node;
    return kUsbOk;
}

void USBStatus::SetAnswerLimit(std::chrono::milliseconds limit) {
    m_limit = limit;
}

void USBStatus::Abort() {
    std::lock_guard lock(m_mutex);
    m_aborted = true;
    if (m_wakeFd >= 0) {
        const std::uint64_t one = 1;
        [[maybe_unused]] const ssize_t written = ::write(m_wakeFd, &one, sizeof one);
    }
}

int USBStatus::RequestXMLToFile(const std::string& request, const std::string& file) {
    {
        std::lock_guard lock(m_mutex);
        if (m_aborted)
            return kUsbAborted;
    }
    int result = kUsbNoEndPoint;
    std::string answer;
    AtomicFile part(file);
    if (!m_endPoint.empty()) {
        usb::ExchangeLimits limits;
        limits.Overall = m_limit;
        switch (usb::ExchangeWithDevice(m_endPoint, request, limits, m_wakeFd, answer)) {
        case usb::Exchange::Answered:
            result = part.Open() && part.Write(answer) ? kUsbOk : kUsbFileError;
            break;
        case usb::Exchange::DeviceError:
            result = kUsbDeviceError;
            break;
        case usb::Exchange::NoAnswer:
            result = kUsbNoAnswer;
            break;
        case usb::Exchange::TooLong:
            result = kUsbTooLong;
            break;
        case usb::Exchange::Aborted:
            result = kUsbAborted;
            break;
        }
    }

    std::lock_guard lock(m_mutex);
    if (m_aborted)
        return kUsbAborted;
    if (result == kUsbOk && !part.Commit())
        result = kUsbFileError;
    if (result != kUsbOk) {
        part.Discard();
        ::unlink(file.c_str());
    }
    return result;
}

} // namespace kaldo
