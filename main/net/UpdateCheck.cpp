#include "main/net/UpdateCheck.h"

#include "main/pages/DocumentWriter.h"
#include "platform/AsciiText.h"
#include "platform/BackgroundJob.h"
#include "platform/Paths.h"

#include <array>
#include <cctype>
#include <charconv>
#include <cstdio>
#include <tuple>
#include <unistd.h>

namespace kaldo {

namespace {

// Reads a date the way "%3s, %d %3s %d %s" would, without the undefined behaviour of %d on
// numbers out of range: such a number ends the reading like any other unreadable field.
class DateScanner {
public:
    explicit DateScanner(std::string_view text)
        : m_text(text) {}

    // Up to three characters of a word, after white space.
    bool Word(std::string& word) {
        SkipSpace();
        size_t length = 0;
        while (length < 3 && m_pos + length < m_text.size() && !IsSpace(m_text[m_pos + length]))
            ++length;
        word = m_text.substr(m_pos, length);
        m_pos += length;
        return length > 0;
    }

    bool Literal(char c) {
        if (m_pos >= m_text.size() || m_text[m_pos] != c)
            return false;
        ++m_pos;
        return true;
    }

    // A decimal number with an optional sign, after white space.
    bool Number(int& number) {
        SkipSpace();
        size_t start = m_pos;
        if (start < m_text.size() && m_text[start] == '+') {
            ++start;
            if (start >= m_text.size() || !std::isdigit(static_cast<unsigned char>(m_text[start])))
                return false;
        }
        const char* first = m_text.data() + start;
        const char* last = m_text.data() + m_text.size();
        int value = 0;
        const auto [end, error] = std::from_chars(first, last, value);
        if (error != std::errc())
            return false;
        number = value;
        m_pos = size_t(end - m_text.data());
        return true;
    }

private:
    static bool IsSpace(char c) { return std::isspace(static_cast<unsigned char>(c)) != 0; }
    void SkipSpace() {
        while (m_pos < m_text.size() && IsSpace(m_text[m_pos]))
            ++m_pos;
    }

    std::string_view m_text;
    size_t m_pos = 0;
};

std::string UpdateFilePath(const std::string& xmlFolder, const char* name) {
    return ResolvePath(JoinPath(xmlFolder, name));
}

bool FileExists(const std::string& path) {
    return ::access(path.c_str(), F_OK) == 0;
}

} // namespace

bool UpdateCheckedDrivers::TryStart(const std::string& driver) {
    std::lock_guard lock(m_mutex);
    return m_drivers.try_emplace(driver, kStarted).second;
}

void UpdateCheckedDrivers::Finish(const std::string& driver) {
    std::lock_guard lock(m_mutex);
    if (const auto found = m_drivers.find(driver); found != m_drivers.end())
        found->second = kFinished;
}

int UpdateCheckedDrivers::State(const std::string& driver) const {
    std::lock_guard lock(m_mutex);
    const auto found = m_drivers.find(driver);
    return found != m_drivers.end() ? found->second : 0;
}

UpdateState UpdateStates::State(const std::string& xmlFolder) const {
    std::lock_guard lock(m_mutex);
    const auto found = m_states.find(xmlFolder);
    return found != m_states.end() ? found->second : UpdateState::NotChecked;
}

void UpdateStates::Set(const std::string& xmlFolder, UpdateState state) {
    std::lock_guard lock(m_mutex);
    m_states[xmlFolder] = state;
}

bool UpdateStates::TakePending(const std::string& xmlFolder) {
    std::lock_guard lock(m_mutex);
    const auto found = m_states.find(xmlFolder);
    if (found == m_states.end() || found->second != UpdateState::UpdatesAvailable)
        return false;
    found->second = UpdateState::NoUpdatesPending;
    return true;
}

int MonthNumber(std::string_view name) {
    static constexpr std::array<std::string_view, 12> kMonths = {
        "JAN", "FEB", "MAR", "APR", "MAY", "JUN", "JUL", "AUG", "SEP", "OCT", "NOV", "DEC"};
    const std::string upper = AsciiUppered(name);
    for (size_t i = 0; i < kMonths.size(); ++i) {
        if (upper == kMonths[i])
            return int(i) + 1;
    }
    return 0;
}

UpdateDate ParseUpdateDate(std::string_view text) {
    UpdateDate date;
    DateScanner scan(text);
    std::string weekday;
    std::string month;
    if (scan.Word(weekday) && scan.Literal(',') && scan.Number(date.Day) && scan.Word(month)) {
        date.Month = MonthNumber(month);
        scan.Number(date.Year);
    }
    return date;
}

std::string ReadUpdateDate(const std::string& feedFile) {
    std::string text;
    if (DocumentWriter::EvaluateXPath(feedFile, kUpdateDateXPath, text) != ResultCode::Ok)
        return {};
    return text;
}

UpdateState CompareUpdateDates(const std::string& currentFile, const std::string& newFile) {
    const UpdateDate current = ParseUpdateDate(ReadUpdateDate(currentFile));
    const UpdateDate latest = ParseUpdateDate(ReadUpdateDate(newFile));
    const bool later = std::tie(latest.Year, latest.Month, latest.Day) >
                       std::tie(current.Year, current.Month, current.Day);
    return later ? UpdateState::UpdatesAvailable : UpdateState::NoUpdatesPending;
}

void RunUpdateCheck(const UpdateCheckJob& job, UpdateStates& states, UpdateCheckedDrivers& drivers,
                    DownloadManager& downloads) {
    states.Set(job.XmlFolder, UpdateState::NoUpdatesPending);
    if (job.UpdatesUrl.empty() || job.XmlFolder.empty())
        return;
    const std::string current = UpdateFilePath(job.XmlFolder, kUpdatesFile);
    const std::string latest = UpdateFilePath(job.XmlFolder, kNewUpdatesFile);

    // A failed fetch leaves no new file, which compares as the earliest date.
    downloads.Fetch(latest, job.UpdatesUrl, kUpdateFeedLimit);
    if (downloads.Aborted())
        return;

    if (FileExists(current)) {
        states.Set(job.XmlFolder, CompareUpdateDates(current, latest));
    } else if (CompareUpdateDates(current, latest) == UpdateState::UpdatesAvailable &&
               std::rename(latest.c_str(), current.c_str()) == 0) {
        // First run: only a feed that carries a date becomes the current copy, so that an
        // error page or a failed fetch never announces an update.
        states.Set(job.XmlFolder, UpdateState::UpdatesAvailable);
    }
    drivers.Finish(job.DriverName);
}

bool ApplyPendingUpdate(UpdateStates& states, const std::string& xmlFolder) {
    if (!states.TakePending(xmlFolder))
        return false;
    if (!xmlFolder.empty()) {
        const std::string latest = UpdateFilePath(xmlFolder, kNewUpdatesFile);
        // rename() replaces the current copy in one step, or leaves it as it was.
        if (FileExists(latest))
            std::rename(latest.c_str(), UpdateFilePath(xmlFolder, kUpdatesFile).c_str());
    }
    return true;
}

UpdateCheckRunner::UpdateCheckRunner(UpdateStates& states, UpdateCheckedDrivers& drivers,
                                     DownloadOptions options)
    : m_states(states)
    , m_drivers(drivers)
    , m_options(std::move(options)) {}

UpdateCheckRunner::~UpdateCheckRunner() {
    Stop();
}

bool UpdateCheckRunner::Start(UpdateCheckJob job) {
    if (m_stopped || !m_drivers.TryStart(job.DriverName))
        return false;
    m_checks.push_back(std::make_unique<BackgroundJob>(
        [job = std::move(job), &states = m_states, &drivers = m_drivers,
         options = m_options](std::stop_token abort) {
            DownloadManager downloads(options);
            std::stop_callback stopFetch(abort, [&downloads] { downloads.Abort(); });
            RunUpdateCheck(job, states, drivers, downloads);
        }));
    return true;
}

void UpdateCheckRunner::Stop() {
    m_stopped = true;
    // All are told first, so that the waits overlap.
    for (auto& check : m_checks)
        check->Abort();
    m_checks.clear();
}

} // namespace kaldo
