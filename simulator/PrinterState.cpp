#include "simulator/PrinterState.h"

#include "simulator/SettingValues.h"

#include <array>

namespace kaldo::simulator {

namespace {

struct AlertInfo {
    PrinterAlert Alert;
    std::string_view Code;
    std::string_view Severity;
    std::string_view Text;
};

constexpr std::array kAlerts{
    AlertInfo{PrinterAlert::PaperJam, "paperJam", "error", "Paper jam in tray 1"},
    AlertInfo{PrinterAlert::PaperOut, "paperOut", "error", "Tray 1 is out of paper"},
    AlertInfo{PrinterAlert::TonerLow, "tonerLow", "warning", "Toner is low"},
    AlertInfo{PrinterAlert::TonerEmpty, "tonerEmpty", "error",
              "Toner is empty: replace the cartridge"},
    AlertInfo{PrinterAlert::CoverOpen, "coverOpen", "error", "Front cover is open"},
    AlertInfo{PrinterAlert::Offline, "offline", "error", "Printer is offline"},
};

struct DocumentInfo {
    StatusDocumentKind Kind;
    std::string_view Name;
};

constexpr std::array kDocuments{
    DocumentInfo{StatusDocumentKind::Normal, "normal"},
    DocumentInfo{StatusDocumentKind::Malformed, "malformed"},
    DocumentInfo{StatusDocumentKind::Oversized, "oversized"},
    DocumentInfo{StatusDocumentKind::ExternalEntity, "entity"},
    DocumentInfo{StatusDocumentKind::BillionLaughs, "laughs"},
    DocumentInfo{StatusDocumentKind::Script, "script"},
    DocumentInfo{StatusDocumentKind::IconTraversal, "traversal"},
};

constexpr std::array<std::string_view, 13> kSettings{
    "model", "serial",     "firmware", "name",       "location", "supplies", "toner",
    "alert", "hard-drive", "delay",    "http-error", "document", "oversize",
};

const AlertInfo& Info(PrinterAlert alert) {
    for (const auto& info : kAlerts) {
        if (info.Alert == alert)
            return info;
    }
    return kAlerts.front();
}

// Splits "a,b,c"; empty pieces are kept so that "a,,b" is refused by the caller.
std::vector<std::string_view> SplitList(std::string_view text) {
    std::vector<std::string_view> pieces;
    std::size_t start = 0;
    while (true) {
        const auto comma = text.find(',', start);
        pieces.push_back(text.substr(start, comma - start));
        if (comma == std::string_view::npos)
            break;
        start = comma + 1;
    }
    return pieces;
}

bool ParseAlerts(std::string_view text, std::vector<PrinterAlert>& alerts, std::string& error) {
    std::vector<PrinterAlert> parsed;
    if (text != "none" && !text.empty()) {
        for (const auto piece : SplitList(text)) {
            const AlertInfo* found = nullptr;
            for (const auto& info : kAlerts) {
                if (info.Code == piece)
                    found = &info;
            }
            if (found == nullptr) {
                error = "unknown alert '" + std::string(piece) +
                        "' (none, paperJam, paperOut, tonerLow, tonerEmpty, coverOpen, offline)";
                return false;
            }
            parsed.push_back(found->Alert);
        }
    }
    alerts = std::move(parsed);
    return true;
}

bool ParseToner(std::string_view text, TonerLevels& toner, std::string& error) {
    TonerLevels parsed = toner;
    for (const auto piece : SplitList(text)) {
        const auto colon = piece.find(':');
        const auto colour = piece.substr(0, colon);
        long long level = 0;
        if (colon == std::string_view::npos ||
            !ParseBoundedInt(piece.substr(colon + 1), 0, 100, level)) {
            error =
                "toner wants COLOUR:LEVEL with a level of 0-100, not '" + std::string(piece) + "'";
            return false;
        }
        int* target = colour == "black"     ? &parsed.Black
                      : colour == "cyan"    ? &parsed.Cyan
                      : colour == "magenta" ? &parsed.Magenta
                      : colour == "yellow"  ? &parsed.Yellow
                                            : nullptr;
        if (target == nullptr) {
            error =
                "unknown toner colour '" + std::string(colour) + "' (black, cyan, magenta, yellow)";
            return false;
        }
        *target = static_cast<int>(level);
    }
    toner = parsed;
    return true;
}

bool IsPlainText(std::string_view text) {
    for (const unsigned char c : text) {
        if (c < 0x20 || c == 0x7f)
            return false;
    }
    return true;
}

std::string_view DocumentName(StatusDocumentKind kind) {
    for (const auto& info : kDocuments) {
        if (info.Kind == kind)
            return info.Name;
    }
    return "normal";
}

} // namespace

std::string_view AlertCode(PrinterAlert alert) {
    return Info(alert).Code;
}
std::string_view AlertSeverity(PrinterAlert alert) {
    return Info(alert).Severity;
}
std::string_view AlertText(PrinterAlert alert) {
    return Info(alert).Text;
}

bool IsPrinterSetting(std::string_view name) {
    for (const auto setting : kSettings) {
        if (setting == name)
            return true;
    }
    return false;
}

bool ApplyPrinterSetting(PrinterState& state, std::string_view name, std::string_view value,
                         std::string& error) {
    long long number = 0;
    const bool isText = name == "model" || name == "serial" || name == "firmware" ||
                        name == "name" || name == "location";
    if (isText && !IsPlainText(value)) {
        error = std::string(name) + " must be one line of text";
        return false;
    }
    if (name == "model") {
        state.ModelName = value;
    } else if (name == "serial") {
        state.SerialNumber = value;
    } else if (name == "firmware") {
        state.Firmware = value;
    } else if (name == "name") {
        state.Name = value;
    } else if (name == "location") {
        state.Location = value;
    } else if (name == "supplies") {
        if (value == "colour" || value == "color") {
            state.Colour = true;
        } else if (value == "mono") {
            state.Colour = false;
        } else {
            error = "supplies is colour or mono, not '" + std::string(value) + "'";
            return false;
        }
    } else if (name == "toner") {
        return ParseToner(value, state.Toner, error);
    } else if (name == "alert") {
        return ParseAlerts(value, state.Alerts, error);
    } else if (name == "hard-drive") {
        if (!ParseYesNo(value, state.HardDrive)) {
            error = "hard-drive is yes or no, not '" + std::string(value) + "'";
            return false;
        }
    } else if (name == "delay") {
        if (!ParseBoundedInt(value, 0, 600000, number)) {
            error =
                "delay is a number of milliseconds (0-600000), not '" + std::string(value) + "'";
            return false;
        }
        state.DelayMs = static_cast<int>(number);
    } else if (name == "http-error") {
        if (!ParseBoundedInt(value, 0, 599, number) || (number != 0 && number < 400)) {
            error = "http-error is 0 (off) or a status code of 400-599, not '" +
                    std::string(value) + "'";
            return false;
        }
        state.HttpError = static_cast<int>(number);
    } else if (name == "document") {
        for (const auto& info : kDocuments) {
            if (info.Name == value) {
                state.Document = info.Kind;
                return true;
            }
        }
        error = "unknown document '" + std::string(value) +
                "' (normal, malformed, oversized, entity, laughs, script, traversal)";
        return false;
    } else if (name == "oversize") {
        if (!ParseBoundedInt(value, 1, 256ll << 20, number)) {
            error = "oversize is a number of bytes (1-268435456), not '" + std::string(value) + "'";
            return false;
        }
        state.OversizeBytes = static_cast<std::size_t>(number);
    } else {
        error = "unknown printer setting '" + std::string(name) + "'";
        return false;
    }
    return true;
}

std::string DescribePrinterState(const PrinterState& state) {
    std::string alerts;
    for (const auto alert : state.Alerts) {
        alerts += (alerts.empty() ? "" : ",") + std::string(AlertCode(alert));
    }
    std::string text;
    text += "model=" + state.ModelName + "\n";
    text += "serial=" + state.SerialNumber + "\n";
    text += "firmware=" + state.Firmware + "\n";
    text += "name=" + state.Name + "\n";
    text += "location=" + state.Location + "\n";
    text += std::string("supplies=") + (state.Colour ? "colour" : "mono") + "\n";
    text += "toner=black:" + std::to_string(state.Toner.Black);
    if (state.Colour) {
        text += ",cyan:" + std::to_string(state.Toner.Cyan) +
                ",magenta:" + std::to_string(state.Toner.Magenta) +
                ",yellow:" + std::to_string(state.Toner.Yellow);
    }
    text += "\n";
    text += "alert=" + (alerts.empty() ? std::string("none") : alerts) + "\n";
    text += std::string("hard-drive=") + (state.HardDrive ? "yes" : "no") + "\n";
    text += "delay=" + std::to_string(state.DelayMs) + "\n";
    text += "http-error=" + std::to_string(state.HttpError) + "\n";
    text += "document=" + std::string(DocumentName(state.Document)) + "\n";
    text += "oversize=" + std::to_string(state.OversizeBytes) + "\n";
    return text;
}

} // namespace kaldo::simulator
