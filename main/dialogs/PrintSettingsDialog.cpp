#include "main/dialogs/PrintSettingsDialog.h"

#include "main/resources/StringResources.h"
#include "platform/messagebox/Unattended.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QPageSize>
#include <QPrintDialog>
#include <QPrintEngine>
#include <QPrinter>
#include <QPrinterInfo>
#include <QPushButton>

#include <algorithm>
#include <iterator>
#include <optional>
#include <string_view>

namespace kaldo {

namespace {

// The print engine's list of spooler options ("name", "value", ...) that Qt's dialog fills;
// Qt keeps the key private.
constexpr auto kCupsOptionsProperty = QPrintEngine::PrintEnginePropertyKey(0xfe00);

// Settings of a single job that the dialog always reports; they are no printer defaults.
constexpr std::string_view kJobOptions[] = {"job-billing", "job-hold-until",  "job-priority",
                                            "job-sheets",  "page-set",        "page-ranges",
                                            "number-up",   "number-up-layout"};

constexpr char kMedia[] = "media";
constexpr char kOrientation[] = "orientation-requested";
constexpr char kSides[] = "sides";
constexpr char kColourMode[] = "print-color-mode";

std::optional<QPageSize> PageSizeOf(const std::string& media) {
    const QString key = QString::fromStdString(media);
    for (int id = 0; id <= int(QPageSize::LastPageSize); ++id) {
        const auto pageSize = QPageSize::PageSizeId(id);
        if (QPageSize::key(pageSize).compare(key, Qt::CaseInsensitive) == 0)
            return QPageSize(pageSize);
    }
    return std::nullopt;
}

std::string Value(const PrintOptions& options, const char* name) {
    const auto found = options.find(name);
    return found == options.end() ? std::string() : found->second;
}

} // namespace

void ApplyPrintOptions(const PrintOptions& options, QPrinter& printer) {
    if (auto pageSize = PageSizeOf(Value(options, kMedia)))
        printer.setPageSize(*pageSize);

    const std::string orientation = Value(options, kOrientation);
    if (orientation == "3")
        printer.setPageOrientation(QPageLayout::Portrait);
    else if (orientation == "4")
        printer.setPageOrientation(QPageLayout::Landscape);

    const std::string sides = Value(options, kSides);
    if (sides == "one-sided")
        printer.setDuplex(QPrinter::DuplexNone);
    else if (sides == "two-sided-long-edge")
        printer.setDuplex(QPrinter::DuplexLongSide);
    else if (sides == "two-sided-short-edge")
        printer.setDuplex(QPrinter::DuplexShortSide);

    const std::string colour = Value(options, kColourMode);
    if (colour == "color")
        printer.setColorMode(QPrinter::Color);
    else if (colour == "monochrome")
        printer.setColorMode(QPrinter::GrayScale);
}

PrintOptions PrintOptionsOf(QPrinter& printer) {
    PrintOptions options;
    const QPageLayout layout = printer.pageLayout();
    options[kMedia] = layout.pageSize().key().toStdString();
    const bool landscape = layout.orientation() == QPageLayout::Landscape;
    options[kOrientation] = landscape ? "4" : "3";
    switch (printer.duplex()) {
    case QPrinter::DuplexNone:
        options[kSides] = "one-sided";
        break;
    case QPrinter::DuplexAuto:
        options[kSides] = landscape ? "two-sided-short-edge" : "two-sided-long-edge";
        break;
    case QPrinter::DuplexLongSide:
        options[kSides] = "two-sided-long-edge";
        break;
    case QPrinter::DuplexShortSide:
        options[kSides] = "two-sided-short-edge";
        break;
    }
    options[kColourMode] = printer.colorMode() == QPrinter::Color ? "color" : "monochrome";

    if (QPrintEngine* engine = printer.printEngine()) {
        const QStringList pairs = engine->property(kCupsOptionsProperty).toStringList();
        for (qsizetype i = 0; i + 1 < pairs.size(); i += 2) {
            const std::string name = pairs[i].toStdString();
            if (std::find(std::begin(kJobOptions), std::end(kJobOptions), name) ==
                std::end(kJobOptions))
                options[name] = pairs[i + 1].toStdString();
        }
    }
    return options;
}

DriverSettingsDialog::Result PrintSettingsDialog::Edit(const std::string& printerName,
                                                       PrintOptions& options) {
    QPrinter printer(QPrinter::HighResolution);
    printer.setPrinterName(QString::fromStdString(printerName));
    if (!printer.isValid() || printer.printerName().toStdString() != printerName)
        return Result::Failed;
    ApplyPrintOptions(options, printer);
    const PrintOptions before = PrintOptionsOf(printer);

    QPrintDialog dialog(&printer, m_owner);
    dialog.setWindowTitle(QString::fromStdString(printerName));
    dialog.setOption(QAbstractPrintDialog::PrintToFile, false);
    dialog.setOption(QAbstractPrintDialog::PrintSelection, false);
    dialog.setOption(QAbstractPrintDialog::PrintPageRange, false);
    dialog.setOption(QAbstractPrintDialog::PrintCurrentPage, false);
    // The settings belong to this printer; the dialog saves, it does not print.
    if (auto* printers = dialog.findChild<QComboBox*>(QStringLiteral("printers")))
        printers->setEnabled(false);
    if (auto* buttons = dialog.findChild<QDialogButtonBox*>()) {
        if (QPushButton* ok = buttons->button(QDialogButtonBox::Ok))
            ok->setText(QString::fromStdString(LoadResourceString(StringId::Ok)));
    }

    if (RunModal(dialog, "print settings: " + printerName) != QDialog::Accepted ||
        printer.printerName().toStdString() != printerName)
        return Result::Cancelled;

    PrintOptions after = PrintOptionsOf(printer);
    // The dialog reports a colour mode even for a printer that has only one; no choice, no
    // change.
    if (QPrinterInfo(printer).supportedColorModes().size() < 2)
        after.erase(kColourMode);
    for (const auto& [name, value] : after) {
        const auto old = before.find(name);
        if (old == before.end() || old->second != value)
            options[name] = value;
    }
    return Result::Confirmed;
}

} // namespace kaldo
