#pragma once

#include "main/net/DownloadManager.h"
#include "main/net/UpdateState.h"

#include <map>
#include <memory>
#include <mutex>
#include <string>
#include <string_view>
#include <vector>

namespace kaldo {

class BackgroundJob;

// In the content's xml folder: the current copy of the update feed, whose date is the
// reference, and the latest download.
inline constexpr char kUpdatesFile[] = "KTWUpdates.xml";
inline constexpr char kNewUpdatesFile[] = "KTWUpdates_new.xml";
inline constexpr char kUpdateDateXPath[] = "//channel/pubDate";
// A feed is a few kilobytes; anything near this is not one.
inline constexpr std::uint64_t kUpdateFeedLimit = 1 * kMiB;

// Drivers whose update feed was looked at in this run, so each is checked at most once.
// Shared by the main thread, which starts checks, and the check threads, which finish them.
class UpdateCheckedDrivers final {
public:
    static constexpr int kStarted = 1;
    static constexpr int kFinished = 2;

    // Records `driver` as started; false when it is known already (started or finished).
    bool TryStart(const std::string& driver);
    // Marks a recorded driver finished; an unknown one stays unknown.
    void Finish(const std::string& driver);
    // kStarted, kFinished, or 0 for a driver never recorded.
    int State(const std::string& driver) const;

private:
    mutable std::mutex m_mutex;
    std::map<std::string, int> m_drivers;
};

// The update state of each content folder, keyed by the xml folder that holds its update
// files, so that a printer's footer and model-page link follow its own content. Shared by the
// main thread and the check threads.
class UpdateStates final {
public:
    // UpdatesAvailable, NoUpdatesPending, or NotChecked for a folder never checked.
    UpdateState State(const std::string& xmlFolder) const;
    void Set(const std::string& xmlFolder, UpdateState state);
    // Clears the folder's pending update; true when one was pending (once per update).
    bool TakePending(const std::string& xmlFolder);

private:
    mutable std::mutex m_mutex;
    std::map<std::string, UpdateState> m_states;
};

// A feed's publication date as read by "%3s, %d %3s %d %s" ("Tue, 10 Jun 2008 12:00:00 GMT").
// Fields that cannot be read, and every field after them, are 0.
struct UpdateDate {
    int Year = 0;
    int Month = 0; // 1-12; 0 for anything but the English three-letter names, in any case
    int Day = 0;
};
UpdateDate ParseUpdateDate(std::string_view text);
int MonthNumber(std::string_view name);

// The text of a feed's pubDate; empty when the file cannot be parsed or has none.
std::string ReadUpdateDate(const std::string& feedFile);

// UpdatesAvailable when the new feed's (year, month, day) is later than the current one's,
// else NoUpdatesPending. A missing or undated file counts as the earliest date.
UpdateState CompareUpdateDates(const std::string& currentFile, const std::string& newFile);

// What one update check needs, copied from the configuration when the check starts.
struct UpdateCheckJob {
    std::string DriverName;
    std::string UpdatesUrl; // URL_Updates
    std::string XmlFolder;  // the content's xml folder, which holds the update files
};

// The update check: fetches the feed into kNewUpdatesFile and sets the state of the job's xml
// folder to UpdateState::UpdatesAvailable or UpdateState::NoUpdatesPending. Without a current copy
// a dated download becomes the current copy and an update is available. Marks the driver finished
// in `drivers`. Once `downloads` has been aborted it stops without a verdict (the state stays
// UpdateState::NoUpdatesPending).
void RunUpdateCheck(const UpdateCheckJob& job, UpdateStates& states, UpdateCheckedDrivers& drivers,
                    DownloadManager& downloads);

// When an update of `xmlFolder` is pending, clears its state and makes the downloaded feed the
// current copy (the old copy stays if that fails). True when an update was pending: the
// caller rebuilds the footer so that the notice goes. Any thread, once per pending update.
bool ApplyPendingUpdate(UpdateStates& states, const std::string& xmlFolder);

// Runs update checks in the background, at most one per driver per run, and stops them
// promptly at shutdown. Used on the main thread; `states` and `drivers` outlive it.
class UpdateCheckRunner final {
public:
    UpdateCheckRunner(UpdateStates& states, UpdateCheckedDrivers& drivers,
                      DownloadOptions options = {});
    ~UpdateCheckRunner();
    UpdateCheckRunner(const UpdateCheckRunner&) = delete;
    UpdateCheckRunner& operator=(const UpdateCheckRunner&) = delete;

    // Records the job's driver and starts its check; false, and nothing started, when the
    // driver was recorded before or the runner has been stopped.
    bool Start(UpdateCheckJob job);
    // Aborts the running fetches and waits for them to end.
    void Stop();

private:
    UpdateStates& m_states;
    UpdateCheckedDrivers& m_drivers;
    DownloadOptions m_options;
    std::vector<std::unique_ptr<BackgroundJob>> m_checks;
    bool m_stopped = false;
};

} // namespace kaldo
