#pragma once

#include "platform/spooler/Spooler.h"

#include <chrono>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <vector>

namespace kaldo {

struct DeviceIdentificationOptions {
    // Where the answers are remembered across runs; empty: only for this run.
    std::string MemoryFile;
    // False for the query mode, which writes nothing.
    bool WriteMemory = true;
    // All printers asked at once answer within this, altogether.
    std::chrono::milliseconds Limit{2000};
    // An answer older than this is asked again; a printer at that address may have changed.
    std::chrono::hours MaxAge{24 * 7};
    // A printer that did not answer is not asked again for this long in the same run, so a
    // switched-off printer does not hold up every new printer list.
    std::chrono::seconds SilenceAge{60};
};

// What printers say they are, asked through the spooler and remembered per device URI.
// Belongs to one thread.
class DeviceIdentifier final {
public:
    using Clock = std::function<std::chrono::system_clock::time_point()>;

    DeviceIdentifier(Spooler& spooler, DeviceIdentificationOptions options,
                     Clock now = std::chrono::system_clock::now);

    // One answer per URI, in the same order: a remembered one younger than MaxAge, else what
    // the device says now. The devices not remembered are asked together.
    std::vector<std::optional<DeviceIdentity>> Identify(const std::vector<std::string>& deviceUris);

    // The same answers without asking: what is remembered, else nothing.
    std::vector<std::optional<DeviceIdentity>> Recall(const std::vector<std::string>& deviceUris);
    // The URIs that Identify would ask, those neither remembered nor silent lately, once each.
    std::vector<std::string> Unknown(const std::vector<std::string>& deviceUris);
    // Takes answers asked elsewhere, such as on another thread: `answers[i]` is what the device
    // at `asked[i]` said, nothing when it did not answer.
    void Learn(const std::vector<std::string>& asked,
               const std::vector<std::optional<DeviceIdentity>>& answers);
    std::chrono::milliseconds Limit() const { return m_options.Limit; }

private:
    struct Remembered {
        DeviceIdentity Identity;
        std::chrono::system_clock::time_point AskedAt;
    };
    void LoadMemory();
    void SaveMemory() const;

    Spooler& m_spooler;
    const DeviceIdentificationOptions m_options;
    const Clock m_now;
    bool m_loaded = false;
    std::map<std::string, Remembered> m_memory;
    std::map<std::string, std::chrono::system_clock::time_point> m_silent;
};

// The remembered answers as the memory file keeps them, one line each:
// seconds since the epoch, URI, make and model, device ID, separated by tabs.
std::string FormatDeviceMemoryLine(const std::string& deviceUri, const DeviceIdentity& identity,
                                   std::chrono::system_clock::time_point askedAt);
struct DeviceMemoryLine {
    std::string DeviceUri;
    DeviceIdentity Identity;
    std::chrono::system_clock::time_point AskedAt;
};
// Nothing for a line that is not one of FormatDeviceMemoryLine's.
std::optional<DeviceMemoryLine> ParseDeviceMemoryLine(std::string_view line);

} // namespace kaldo
