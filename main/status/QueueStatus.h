#pragma once

#include "main/status/StatusDocumentCheck.h"
#include "main/status/StatusRetrieval.h"
#include "main/status/StatusSource.h"
#include "platform/spooler/Spooler.h"

#include <atomic>
#include <memory>
#include <string>
#include <vector>

namespace kaldo {

// One row of the content's table that ties a state reason to one of its alert codes.
struct StateReasonCode {
    std::string Reason; // "media-jam", without the "-error", "-warning" or "-report" suffix
    std::string Code;   // the content's alert code, e.g. "paperJam"
    std::string Text;   // the content's words for it in the status line, e.g. "paper jam"
};

// The table in the content's solutions document: `StateReasons/StateReason` elements below
// its root with the attributes `reason`, `code` and, optionally, `text`. Empty when there is
// none.
std::vector<StateReasonCode> ReadStateReasonTable(const std::string& solutionsPath);

// Writes the queue's status document to `path` (its elements are listed in the README): who
// gave it, the state, the state message, every state reason with its severity and, where the
// table knows it, the content's alert code and text, the printer's alerts and the supplies.
// False when it cannot be written.
bool WriteQueueStatusDocument(const std::string& path, const std::string& queueName,
                              const QueueState& state,
                              const std::vector<StateReasonCode>& reasonCodes);

// Asks the printer through `printer` first (none: the printer has no status of its own); when
// that gives no document, the printer itself over IPP; then the spooler for the queue's state.
// Icons come only from the printer's status document source.
class QueueStatusSource final : public StatusSource {
public:
    QueueStatusSource(std::unique_ptr<StatusSource> printer, Spooler& spooler,
                      std::string queueName, std::string solutionsPath);

    bool Retrieve(const std::string& file) override;
    bool Fetch(const std::string& file, const std::string& url) override;
    void Abort() override;

private:
    const std::unique_ptr<StatusSource> m_printer;
    Spooler& m_spooler;
    const std::string m_queueName;
    const std::string m_solutionsPath;
    std::atomic<bool> m_aborted{false};
};

// The sources of a retrieval that falls back on `spooler`: the request's printer source (none
// when it is not to be asked) inside a QueueStatusSource for the request's queue.
StatusSourceFactory QueueStatusSources(Spooler& spooler);

} // namespace kaldo
