#pragma once

#include "ktwnutil/USBStatus.h"
#include "main/status/StatusSource.h"

namespace kaldo {

// The request the printer answers with its status document over USB.
std::string UsbStatusRequestText(const std::string& language);

// The status document over USB, through the maker's USB status library.
class UsbStatusSource final : public StatusSource {
public:
    UsbStatusSource(std::string portName, std::string language);

    // Looks for the port's status end point and, when there is one, asks it for the document.
    bool Retrieve(const std::string& file) override;
    bool Fetch(const std::string& file, const std::string& url) override;
    void Abort() override;

private:
    const std::string m_portName;
    const std::string m_language;
    USBStatus m_usb;
};

} // namespace kaldo
