#include "main/status/QueueStatus.h"

#include "main/pages/XmlHandles.h"

#include <string_view>

namespace kaldo {

namespace {

struct Severity {
    std::string_view Suffix;
    std::string_view Name;
};

// A reason without a suffix is an error.
constexpr Severity kSeverities[] = {
    {"-error", "error"}, {"-warning", "warning"}, {"-report", "report"}};

void SplitReason(std::string_view keyword, std::string& reason, std::string& severity) {
    for (const Severity& known : kSeverities) {
        if (keyword.size() > known.Suffix.size() && keyword.ends_with(known.Suffix)) {
            reason = keyword.substr(0, keyword.size() - known.Suffix.size());
            severity = known.Name;
            return;
        }
    }
    reason = keyword;
    severity = "error";
}

const StateReasonCode* RowFor(const std::string& reason,
                              const std::vector<StateReasonCode>& table) {
    for (const StateReasonCode& row : table) {
        if (row.Reason == reason)
            return &row;
    }
    return nullptr;
}

bool Element(xmlTextWriterPtr writer, const char* name, const std::string& text) {
    return xmlTextWriterWriteElement(writer, XmlText(name), XmlText(text)) >= 0;
}

bool Start(xmlTextWriterPtr writer, const char* name) {
    return xmlTextWriterStartElement(writer, XmlText(name)) >= 0;
}

bool End(xmlTextWriterPtr writer) {
    return xmlTextWriterEndElement(writer) >= 0;
}

bool WriteReasons(xmlTextWriterPtr writer, const QueueState& state,
                  const std::vector<StateReasonCode>& reasonCodes) {
    if (!Start(writer, "reasons"))
        return false;
    for (const std::string& keyword : state.Reasons) {
        std::string reason;
        std::string severity;
        SplitReason(keyword, reason, severity);
        const StateReasonCode* row = RowFor(reason, reasonCodes);
        if (!Start(writer, "reason") || !Element(writer, "keyword", keyword) ||
            !Element(writer, "severity", severity) ||
            (row && !Element(writer, "code", row->Code)) ||
            (row && !row->Text.empty() && !Element(writer, "text", row->Text)) || !End(writer))
            return false;
    }
    return End(writer);
}

bool WriteAlerts(xmlTextWriterPtr writer, const QueueState& state) {
    if (state.Alerts.empty())
        return true;
    if (!Start(writer, "alerts"))
        return false;
    for (const QueueAlert& alert : state.Alerts) {
        if (!Start(writer, "alert") || !Element(writer, "code", alert.Code) ||
            !Element(writer, "severity", alert.Severity) || !Element(writer, "text", alert.Text) ||
            !End(writer))
            return false;
    }
    return End(writer);
}

bool WriteMarkers(xmlTextWriterPtr writer, const QueueState& state) {
    if (!Start(writer, "markers"))
        return false;
    for (const QueueMarker& marker : state.Markers) {
        if (!Start(writer, "marker") || !Element(writer, "name", marker.Name) ||
            !Element(writer, "type", marker.Type) || !Element(writer, "color", marker.Color) ||
            (marker.Level >= 0 && !Element(writer, "level", std::to_string(marker.Level))) ||
            !End(writer))
            return false;
    }
    return End(writer);
}

} // namespace

std::vector<StateReasonCode> ReadStateReasonTable(const std::string& solutionsPath) {
    std::vector<StateReasonCode> table;
    const XmlDocHandle document(
        xmlReadFile(solutionsPath.c_str(), nullptr, XML_PARSE_NONET | XML_PARSE_NOWARNING));
    xmlNodePtr root = document ? xmlDocGetRootElement(document.get()) : nullptr;
    for (xmlNodePtr group = root ? root->children : nullptr; group; group = group->next) {
        if (group->type != XML_ELEMENT_NODE ||
            std::string_view(CharText(group->name)) != "StateReasons")
            continue;
        for (xmlNodePtr row = group->children; row; row = row->next) {
            if (row->type != XML_ELEMENT_NODE ||
                std::string_view(CharText(row->name)) != "StateReason")
                continue;
            StateReasonCode entry{TakeXmlString(xmlGetProp(row, XmlText("reason"))),
                                  TakeXmlString(xmlGetProp(row, XmlText("code"))),
                                  TakeXmlString(xmlGetProp(row, XmlText("text")))};
            if (!entry.Reason.empty() && !entry.Code.empty())
                table.push_back(std::move(entry));
        }
    }
    return table;
}

bool WriteQueueStatusDocument(const std::string& path, const std::string& queueName,
                              const QueueState& state,
                              const std::vector<StateReasonCode>& reasonCodes) {
    XmlTextWriterHandle owner(xmlNewTextWriterFilename(path.c_str(), 0));
    xmlTextWriterPtr writer = owner.get();
    if (!writer)
        return false;
    xmlTextWriterSetIndent(writer, 1);
    return xmlTextWriterStartDocument(writer, nullptr, "UTF-8", nullptr) >= 0 &&
           Start(writer, kQueueStatusRoot) && Element(writer, "queue", queueName) &&
           Element(writer, "source", state.Origin == StateOrigin::Printer ? "printer" : "queue") &&
           Element(writer, "state", state.State) &&
           Element(writer, "stateMessage", state.Message) &&
           Element(writer, "model", state.MakeAndModel) &&
           Element(writer, "location", state.Location) &&
           WriteReasons(writer, state, reasonCodes) && WriteAlerts(writer, state) &&
           WriteMarkers(writer, state) && End(writer) && xmlTextWriterEndDocument(writer) >= 0;
}

QueueStatusSource::QueueStatusSource(std::unique_ptr<StatusSource> printer, Spooler& spooler,
                                     std::string queueName, std::string solutionsPath)
    : m_printer(std::move(printer))
    , m_spooler(spooler)
    , m_queueName(std::move(queueName))
    , m_solutionsPath(std::move(solutionsPath)) {}

bool QueueStatusSource::Retrieve(const std::string& file) {
    if (m_printer && m_printer->Retrieve(file))
        return true;
    if (m_aborted.load() || m_queueName.empty())
        return false;
    std::optional<QueueState> state = m_spooler.GetDeviceState(m_queueName, m_aborted);
    if (!state && !m_aborted.load())
        state = m_spooler.GetQueueState(m_queueName);
    // An aborted retrieval never touches its file again.
    if (!state || m_aborted.load())
        return false;
    return WriteQueueStatusDocument(file, m_queueName, *state,
                                    ReadStateReasonTable(m_solutionsPath));
}

bool QueueStatusSource::Fetch(const std::string& file, const std::string& url) {
    return m_printer && !m_aborted.load() && m_printer->Fetch(file, url);
}

void QueueStatusSource::Abort() {
    m_aborted.store(true);
    if (m_printer)
        m_printer->Abort();
}

StatusSourceFactory QueueStatusSources(Spooler& spooler) {
    return [&spooler](const StatusRequest& request) -> std::unique_ptr<StatusSource> {
        return std::make_unique<QueueStatusSource>(request.AskPrinter ? MakeStatusSource(request)
                                                                      : nullptr,
                                                   spooler, request.QueueName, request.ReasonTable);
    };
}

} // namespace kaldo
