#pragma once

#include "main/net/DownloadManager.h"
#include "main/status/StatusSource.h"

#include <atomic>
#include <chrono>
#include <functional>
#include <memory>
#include <mutex>
#include <stop_token>
#include <string>
#include <vector>

namespace kaldo {

// What the main thread hands a status retrieval: over USB through the printer's port when it
// is not networked, otherwise from its status URL.
struct StatusRequest {
    bool UseUsb = false;       // the printer has no network address
    std::string Source{};      // USB: the printer's port name; network: the status URL
    std::string Language{};    // USB only: the content's language, e.g. "EN"
    std::string Destination{}; // where the status document is stored
    // Network only: where the status icon comes from and is kept; empty: no icon is fetched.
    std::string PrinterWebUrl{};
    std::string ImagesFolder{};
    // Whether the printer itself is asked; one whose content reads no status from it is not.
    bool AskPrinter = true;
    // The spooler's queue, asked when the printer gives no document (empty: not asked), and
    // the content's solutions with the table of the state reasons it knows.
    std::string QueueName{};
    std::string ReasonTable{};
    // How the network is used.
    DownloadOptions Downloads{};
};

// The printer's web address, the content's status page and the language, joined as they are.
std::string StatusUrl(const std::string& printerWebUrl, const std::string& statusPage,
                      const std::string& language);

using StatusSourceFactory = std::function<std::unique_ptr<StatusSource>(const StatusRequest&)>;

// How long a worker waits between the end of its retrieval and its report.
inline constexpr std::chrono::milliseconds kStatusReportDelay{1000};

// The status worker: each Start() fetches the printer's status document in the background
// and, a moment later, reports once through the callback given at construction. Only the
// newest retrieval counts: Start() and Cancel() abort the running one, which then neither
// writes the status document nor reports. The document is fetched under a name of its own
// beside the destination and moved into place only while its retrieval is the newest. A
// network retrieval whose document passes the check also fetches the status icon when it is
// not kept yet, with the same abortable connection, before it reports.
//
// Made, used and destroyed on the main thread.
class StatusRetrieval final {
public:
    // Runs on the main thread, from its event loop, for the newest retrieval only. It may start
    // or cancel a retrieval.
    using Report = std::function<void(int generation, bool written)>;

    explicit StatusRetrieval(Report report, StatusSourceFactory sources = MakeStatusSource,
                             std::chrono::milliseconds reportDelay = kStatusReportDelay);
    // Aborts every worker and waits for them to end.
    ~StatusRetrieval();
    StatusRetrieval(const StatusRetrieval&) = delete;
    StatusRetrieval& operator=(const StatusRetrieval&) = delete;

    // Ends the running retrieval, if any, and starts a new one; returns its generation.
    int Start(StatusRequest request);
    // Ends the running retrieval without starting another: no report reaches anyone.
    void Cancel();
    // Any thread: whether `generation` is the newest retrieval, not cancelled.
    bool IsCurrent(int generation) const { return generation == m_generation.load(); }

private:
    struct Job;

    void Run(Job& job, std::stop_token abort);
    bool FetchIcon(Job& job, const std::string& document);
    void Deliver(const Job& job);
    // Aborts the running job; it is dropped once it has ended.
    void Retire();
    void ForgetFinishedJobs();

    const Report m_report;
    const StatusSourceFactory m_sources;
    const std::chrono::milliseconds m_reportDelay;

    // Settles which retrieval is current: its document may be stored only while this is held
    // and its generation is still m_generation.
    std::mutex m_mutex;
    std::atomic<int> m_generation{0};

    // Owned by the main thread.
    std::unique_ptr<Job> m_current;
    std::vector<std::unique_ptr<Job>> m_retired;
};

} // namespace kaldo
