#include "simulator/StatusDocument.h"

#include "simulator/Markup.h"

namespace kaldo::simulator {

namespace {

constexpr std::string_view kXmlDeclaration = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n";
constexpr std::string_view kIconFolder = "/images/status/";

struct DocumentParts {
    std::string Doctype;
    std::string StatusText; // already markup: may be an entity reference
    std::string AlertText;  // replaces every alert's text when not empty (escaped here)
    std::string Icon;
};

std::string Element(std::string_view name, std::string_view text) {
    return "<" + std::string(name) + ">" + EscapeMarkup(text) + "</" + std::string(name) + ">";
}

std::string OptionLine(std::string_view type, bool installed) {
    return "        <option>" + Element("type", type) +
           Element("installed", installed ? "Installed" : "Not Installed") + "</option>\n";
}

std::string SupplyLine(std::string_view colour, std::string_view name, int level) {
    return "        <supply><type>toner</type>" + Element("color", colour) + Element("name", name) +
           Element("level", std::to_string(level)) + "</supply>\n";
}

std::string TrayLine(std::string_view name, std::string_view media, int level, int capacity) {
    return "        <tray>" + Element("name", name) + Element("media", media) +
           Element("level", std::to_string(level)) + Element("capacity", std::to_string(capacity)) +
           "</tray>\n";
}

bool HasAlert(const PrinterState& state, PrinterAlert alert) {
    for (const auto a : state.Alerts) {
        if (a == alert)
            return true;
    }
    return false;
}

std::string Compose(const PrinterState& state, const DocumentParts& parts) {
    std::string xml(kXmlDeclaration);
    xml += parts.Doctype;
    xml += "<devicexml>\n";
    xml += "  <deviceConfiguration>\n    <printer>\n";
    xml += "      " + Element("modelName", state.ModelName) + "\n";
    xml += "      " + Element("serialNumber", state.SerialNumber) + "\n";
    xml += "      " + Element("firmware", state.Firmware) + "\n";
    xml += "      " + Element("name", state.Name) + "\n";
    xml += "      " + Element("location", state.Location) + "\n";
    xml += "      <installableOptions>\n";
    if (state.HardDrive)
        xml += OptionLine("Hard Drive", true);
    xml += OptionLine("Duplex Unit", true);
    xml += OptionLine("Tray 2", false);
    xml += "      </installableOptions>\n";
    xml += "    </printer>\n  </deviceConfiguration>\n";

    const PrinterCondition condition = ConditionOf(state);
    xml += "  <deviceStatus>\n    <printer>\n";
    xml += "      " + Element("icon", parts.Icon) + "\n";
    xml += "      " + Element("state", condition.State) + "\n";
    xml += "      <statusText>" + parts.StatusText + "</statusText>\n";
    if (state.Alerts.empty()) {
        xml += "      <alerts/>\n";
    } else {
        xml += "      <alerts>\n";
        for (const auto alert : state.Alerts) {
            xml += "        <alert>" + Element("code", AlertCode(alert)) +
                   Element("severity", AlertSeverity(alert)) +
                   Element("text", parts.AlertText.empty() ? std::string(AlertText(alert))
                                                           : parts.AlertText) +
                   "</alert>\n";
        }
        xml += "      </alerts>\n";
    }
    xml += "      <supplies>\n";
    xml += SupplyLine("black", "Black Toner", state.Toner.Black);
    if (state.Colour) {
        xml += SupplyLine("cyan", "Cyan Toner", state.Toner.Cyan);
        xml += SupplyLine("magenta", "Magenta Toner", state.Toner.Magenta);
        xml += SupplyLine("yellow", "Yellow Toner", state.Toner.Yellow);
    }
    xml += "      </supplies>\n";
    xml += "      <trays>\n";
    xml += TrayLine("Tray 1", "A4", HasAlert(state, PrinterAlert::PaperOut) ? 0 : 50, 250);
    xml += TrayLine("Manual Feed", "Letter", 0, 1);
    xml += "      </trays>\n";
    xml += "    </printer>\n  </deviceStatus>\n";
    xml += "</devicexml>\n";
    return xml;
}

std::string BillionLaughsDoctype() {
    std::string doctype = "<!DOCTYPE devicexml [\n  <!ENTITY lol0 \"lol\">\n";
    for (int level = 1; level <= 9; ++level) {
        const std::string inner = "&lol" + std::to_string(level - 1) + ";";
        std::string value;
        for (int i = 0; i < 10; ++i)
            value += inner;
        doctype += "  <!ENTITY lol" + std::to_string(level) + " \"" + value + "\">\n";
    }
    return doctype + "]>\n";
}

std::string Padded(std::string xml, std::size_t size) {
    constexpr std::string_view kClose = "</devicexml>\n";
    constexpr std::string_view kLine =
        "  <!-- padding padding padding padding padding padding -->\n";
    std::string padding;
    while (xml.size() + padding.size() < size)
        padding += kLine;
    xml.insert(xml.size() - kClose.size(), padding);
    return xml;
}

} // namespace

PrinterCondition ConditionOf(const PrinterState& state) {
    if (state.Alerts.empty())
        return {"ready", "ready.png", "Ready"};
    bool error = false;
    for (const auto alert : state.Alerts)
        error = error || AlertSeverity(alert) == "error";
    const std::string text(AlertText(state.Alerts.front()));
    return error ? PrinterCondition{"error", "error.png", text}
                 : PrinterCondition{"warning", "warning.png", text};
}

std::string BuildStatusDocument(const PrinterState& state) {
    const PrinterCondition condition = ConditionOf(state);
    DocumentParts parts;
    parts.StatusText = EscapeMarkup(condition.StatusText);
    parts.Icon = std::string(kIconFolder) + condition.IconFile;

    switch (state.Document) {
    case StatusDocumentKind::Normal:
        return Compose(state, parts);
    case StatusDocumentKind::Malformed: {
        const std::string whole = Compose(state, parts);
        // Ends inside a start tag, so no parser can recover a complete tree.
        return whole.substr(0, whole.find("<supplies>") + 5);
    }
    case StatusDocumentKind::Oversized:
        return Padded(Compose(state, parts), state.OversizeBytes);
    case StatusDocumentKind::ExternalEntity:
        parts.Doctype = "<!DOCTYPE devicexml [\n"
                        "  <!ENTITY secret SYSTEM \"file:///etc/passwd\">\n"
                        "]>\n";
        parts.StatusText = "&secret;";
        return Compose(state, parts);
    case StatusDocumentKind::BillionLaughs:
        parts.Doctype = BillionLaughsDoctype();
        parts.StatusText = "&lol9;";
        return Compose(state, parts);
    case StatusDocumentKind::Script:
        parts.StatusText =
            EscapeMarkup("<script>alert('kaldosim')</script>" + condition.StatusText);
        parts.AlertText = "<script>alert('kaldosim')</script><b>unescaped</b>";
        return Compose(state, parts);
    case StatusDocumentKind::IconTraversal:
        parts.Icon = std::string(kIconFolder) + "../../../../../../tmp/kaldosim-escaped.png";
        return Compose(state, parts);
    }
    return Compose(state, parts);
}

} // namespace kaldo::simulator
