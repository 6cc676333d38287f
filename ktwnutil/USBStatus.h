#pragma once

#include <chrono>
#include <mutex>
#include <string>

#define KTWNUTIL_EXPORT __attribute__((visibility("default")))

namespace kaldo {

// Results of USBStatus; 0 is success, anything else means no status over USB.
inline constexpr int kUsbOk = 0;
inline constexpr int kUsbNotUsbPort = 1;  // the port name does not name a USB printer
inline constexpr int kUsbNoDevice = 2;    // no attached printer matches the port
inline constexpr int kUsbNoEndPoint = 3;  // RequestXMLToFile before an end point was found
inline constexpr int kUsbDeviceError = 4; // the device could not be opened or written
inline constexpr int kUsbNoAnswer = 5;    // the printer did not answer within the limit
inline constexpr int kUsbFileError = 6;   // the answer could not be stored
inline constexpr int kUsbAborted = 7;
inline constexpr int kUsbTooLong = 8; // the answer was longer than a status document may be

// The printer's status document over USB: finds the printer-class device behind a "USB:"
// port name (IEEE 1284 device id in sysfs, node in /dev/usb), sends it a request and stores
// the answer. All calls of one retrieval are made on one object.
class KTWNUTIL_EXPORT USBStatus final {
public:
    USBStatus();
    ~USBStatus();
    USBStatus(const USBStatus&) = delete;
    USBStatus& operator=(const USBStatus&) = delete;

    // "USB:Make/Model?serial=S[&interface=N]", as the spooler names a USB printer's port.
    int FindStatusEndPointFromPrinterPort(const std::string& port);

    // Writes `request` to the printer and its answer to `file`, through a temporary file
    // beside it, within the answer limit. On failure `file` is deleted; after Abort() it is
    // never touched.
    int RequestXMLToFile(const std::string& request, const std::string& file);

    // The whole exchange with the printer, writing included; 5 s unless set.
    void SetAnswerLimit(std::chrono::milliseconds limit);
    // Any thread: a running or later request ends at once with kUsbAborted.
    void Abort();

    // The device node found for the port; empty before a successful search.
    const std::string& EndPoint() const { return m_endPoint; }

private:
    std::string m_endPoint;
    std::chrono::milliseconds m_limit{5000};
    int m_wakeFd = -1;
    bool m_aborted = false;
    // Held while a request decides the fate of its file, so Abort() cannot slip in between.
    std::mutex m_mutex;
};

} // namespace kaldo
