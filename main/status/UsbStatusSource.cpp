#include "main/status/UsbStatusSource.h"

namespace kaldo {

std::string UsbStatusRequestText(const std::string& language) {
    return "<deviceXML/><deviceConfiguration/><deviceStatus/><lang status=\"" + language + "\"/>";
}

UsbStatusSource::UsbStatusSource(std::string portName, std::string language)
    : m_portName(std::move(portName))
    , m_language(std::move(language)) {}

bool UsbStatusSource::Retrieve(const std::string& file) {
    if (m_usb.FindStatusEndPointFromPrinterPort(m_portName) != kUsbOk)
        return false;
    return m_usb.RequestXMLToFile(UsbStatusRequestText(m_language), file) == kUsbOk;
}

bool UsbStatusSource::Fetch(const std::string&, const std::string&) {
    return false;
}

void UsbStatusSource::Abort() {
    m_usb.Abort();
}

} // namespace kaldo
