#pragma once

#include "platform/spooler/Spooler.h"

#include <vector>

namespace kaldo::testsupport {

// A spooler whose printers and ports the test sets directly.
class FakeSpooler final : public Spooler {
public:
    std::vector<SpoolerPrinter> Printers;
    std::vector<SpoolerPort> Ports;
    int Enumerations = 0;

    std::vector<SpoolerPrinter> EnumPrinters() override {
        ++Enumerations;
        return Printers;
    }
    std::vector<SpoolerPort> EnumPorts() override { return Ports; }

    void AddPrinter(std::string name, std::string driver,
                    std::string port = "LPT1:", std::string server = "\\\\localhost") {
        Printers.push_back(
            {std::move(name), std::move(server), std::move(driver), std::move(port)});
    }
};

} // namespace kaldo::testsupport
