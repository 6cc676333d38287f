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
            {std::move(name), std::move(server), std::move(driver), std::move(port), {}});
    }

    // What the devices say they are, by device URI; every question is recorded.
    std::map<std::string, DeviceIdentity> Devices;
    std::vector<std::vector<std::string>> Questions;

    std::vector<std::optional<DeviceIdentity>>
    IdentifyDevices(const std::vector<std::string>& deviceUris, std::chrono::milliseconds,
                    const std::atomic<bool>&) override {
        Questions.push_back(deviceUris);
        std::vector<std::optional<DeviceIdentity>> answers;
        for (const std::string& uri : deviceUris) {
            const auto found = Devices.find(uri);
            answers.push_back(found == Devices.end() ? std::nullopt : std::optional(found->second));
        }
        return answers;
    }
};

} // namespace kaldo::testsupport
