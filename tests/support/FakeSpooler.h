#pragma once

#include "platform/spooler/Spooler.h"

#include <map>
#include <mutex>
#include <vector>

namespace kaldo::testsupport {

// A spooler whose printers and ports the test sets directly.
class FakeSpooler final : public Spooler {
public:
    std::vector<SpoolerPrinter> Printers;
    std::vector<SpoolerPort> Ports;
    int Enumerations = 0;
    std::map<std::string, QueueState> States;
    std::mutex StatesMutex;

    std::vector<SpoolerPrinter> EnumPrinters() override {
        ++Enumerations;
        return Printers;
    }
    std::vector<SpoolerPort> EnumPorts() override { return Ports; }

    // The status workers ask from their own threads.
    std::optional<QueueState> GetQueueState(std::string_view printerName) override {
        std::lock_guard lock(StatesMutex);
        const auto found = States.find(std::string(printerName));
        if (found == States.end())
            return std::nullopt;
        return found->second;
    }
    void SetQueueState(const std::string& printerName, QueueState state) {
        std::lock_guard lock(StatesMutex);
        States[printerName] = std::move(state);
    }

    void AddPrinter(std::string name, std::string driver,
                    std::string port = "LPT1:", std::string server = "\\\\localhost") {
        Printers.push_back(
            {std::move(name), std::move(server), std::move(driver), std::move(port)});
    }
};

} // namespace kaldo::testsupport
