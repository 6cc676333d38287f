#include "main/printers/DeviceIdentification.h"

#include "platform/AtomicFile.h"

#include <charconv>
#include <filesystem>
#include <fstream>
#include <set>

namespace kaldo {

namespace {

// Whatever a printer calls itself stays one field of one line, and short.
constexpr size_t kFieldLimit = 1024;
constexpr std::uintmax_t kMemoryFileLimit = 1024 * 1024;

std::string Field(std::string_view text) {
    std::string field(text.substr(0, kFieldLimit));
    for (char& c : field) {
        if (static_cast<unsigned char>(c) < 0x20 || c == 0x7f)
            c = ' ';
    }
    return field;
}

std::vector<std::string_view> SplitTabs(std::string_view line) {
    std::vector<std::string_view> fields;
    while (true) {
        const size_t tab = line.find('\t');
        fields.push_back(line.substr(0, tab));
        if (tab == std::string_view::npos)
            return fields;
        line.remove_prefix(tab + 1);
    }
}

} // namespace

std::string FormatDeviceMemoryLine(const std::string& deviceUri, const DeviceIdentity& identity,
                                   std::chrono::system_clock::time_point askedAt) {
    const auto seconds =
        std::chrono::duration_cast<std::chrono::seconds>(askedAt.time_since_epoch()).count();
    return std::to_string(seconds) + "\t" + Field(deviceUri) + "\t" + Field(identity.MakeAndModel) +
           "\t" + Field(identity.DeviceId) + "\n";
}

std::optional<DeviceMemoryLine> ParseDeviceMemoryLine(std::string_view line) {
    const std::vector<std::string_view> fields = SplitTabs(line);
    if (fields.size() != 4 || fields[1].empty() || fields[1].size() > kFieldLimit ||
        fields[2].size() > kFieldLimit || fields[3].size() > kFieldLimit)
        return std::nullopt;
    long long seconds = 0;
    const auto [end, error] =
        std::from_chars(fields[0].data(), fields[0].data() + fields[0].size(), seconds);
    // A time the clock cannot hold is as broken as one that is not a number.
    constexpr long long kLatest =
        std::chrono::duration_cast<std::chrono::seconds>(std::chrono::system_clock::duration::max())
            .count();
    if (error != std::errc() || end != fields[0].data() + fields[0].size() || seconds < 0 ||
        seconds > kLatest)
        return std::nullopt;
    return DeviceMemoryLine{std::string(fields[1]),
                            {std::string(fields[2]), std::string(fields[3])},
                            std::chrono::system_clock::time_point(std::chrono::seconds(seconds))};
}

DeviceIdentifier::DeviceIdentifier(Spooler& spooler, DeviceIdentificationOptions options, Clock now)
    : m_spooler(spooler)
    , m_options(std::move(options))
    , m_now(std::move(now)) {}

void DeviceIdentifier::LoadMemory() {
    m_loaded = true;
    std::error_code error;
    if (m_options.MemoryFile.empty() ||
        std::filesystem::file_size(m_options.MemoryFile, error) > kMemoryFileLimit || error)
        return;
    std::ifstream in(m_options.MemoryFile, std::ios::binary);
    for (std::string line; std::getline(in, line);) {
        if (std::optional<DeviceMemoryLine> entry = ParseDeviceMemoryLine(line))
            m_memory[entry->DeviceUri] = {std::move(entry->Identity), entry->AskedAt};
    }
}

void DeviceIdentifier::SaveMemory() const {
    if (m_options.MemoryFile.empty() || !m_options.WriteMemory)
        return;
    // Only into a state folder the program has made already.
    std::error_code error;
    if (!std::filesystem::is_directory(std::filesystem::path(m_options.MemoryFile).parent_path(),
                                       error))
        return;
    std::string text;
    for (const auto& [uri, remembered] : m_memory)
        text += FormatDeviceMemoryLine(uri, remembered.Identity, remembered.AskedAt);
    WriteFileAtomically(m_options.MemoryFile, text);
}

std::vector<std::optional<DeviceIdentity>>
DeviceIdentifier::Identify(const std::vector<std::string>& deviceUris) {
    const std::vector<std::string> asked = Unknown(deviceUris);
    // The limit alone ends the questions.
    const std::atomic<bool> stop{false};
    if (!asked.empty())
        Learn(asked, m_spooler.IdentifyDevices(asked, m_options.Limit, stop));
    return Recall(deviceUris);
}

std::vector<std::optional<DeviceIdentity>>
DeviceIdentifier::Recall(const std::vector<std::string>& deviceUris) {
    if (!m_loaded)
        LoadMemory();
    std::vector<std::optional<DeviceIdentity>> identities;
    for (const std::string& uri : deviceUris) {
        const auto remembered = m_memory.find(uri);
        if (remembered != m_memory.end() && !m_silent.contains(uri))
            identities.emplace_back(remembered->second.Identity);
        else
            identities.emplace_back(std::nullopt);
    }
    return identities;
}

std::vector<std::string> DeviceIdentifier::Unknown(const std::vector<std::string>& deviceUris) {
    if (!m_loaded)
        LoadMemory();
    const auto now = m_now();
    std::set<std::string> unknown;
    for (const std::string& uri : deviceUris) {
        const auto remembered = m_memory.find(uri);
        if (remembered != m_memory.end() && now - remembered->second.AskedAt < m_options.MaxAge &&
            remembered->second.AskedAt <= now)
            continue;
        const auto silent = m_silent.find(uri);
        if (silent != m_silent.end() && now - silent->second < m_options.SilenceAge)
            continue;
        unknown.insert(uri);
    }
    return {unknown.begin(), unknown.end()};
}

void DeviceIdentifier::Learn(const std::vector<std::string>& asked,
                             const std::vector<std::optional<DeviceIdentity>>& answers) {
    if (!m_loaded)
        LoadMemory();
    const auto now = m_now();
    bool learned = false;
    for (size_t i = 0; i < asked.size(); ++i) {
        if (i < answers.size() && answers[i]) {
            m_memory[asked[i]] = {*answers[i], now};
            m_silent.erase(asked[i]);
            learned = true;
        } else {
            m_memory.erase(asked[i]);
            m_silent[asked[i]] = now;
        }
    }
    if (learned)
        SaveMemory();
}

} // namespace kaldo
