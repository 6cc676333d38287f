#include "main/dialogs/PrintSettingsDialog.h"

#include "main/content/ModelFolders.h"
#include "main/launchers/CupsDriverSettings.h"
#include "main/launchers/Launchers.h"
#include "main/printers/PrinterSelection.h"
#include "tests/main/dialogs/DialogTestSupport.h"
#include "tests/main/launchers/LauncherDoubles.h"
#include "tests/support/QueueFixture.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QPrintDialog>
#include <QPrintEngine>
#include <QPrinter>
#include <QPushButton>
#include <QRadioButton>

#include <fstream>
#include <iterator>

namespace kaldo {
namespace {

constexpr const char* kQueue = testsupport::kSettingsQueue;

TEST(PrintOptionsTest, PaperOrientationAndColourReachThePrinterAndComeBack) {
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    const PrintOptions options = {
        {"media", "Letter"}, {"orientation-requested", "4"}, {"print-color-mode", "monochrome"}};
    ApplyPrintOptions(options, printer);
    PrintOptions back = PrintOptionsOf(printer);
    for (const auto& [name, value] : options)
        EXPECT_EQ(back[name], value) << name;
}

TEST(PrintOptionsTest, UnknownValuesAreLeftAlone) {
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setPageSize(QPageSize(QPageSize::A4));
    ApplyPrintOptions({{"media", "no-such-paper"},
                       {"orientation-requested", "7"},
                       {"sides", "both"},
                       {"print-color-mode", "sepia"}},
                      printer);
    PrintOptions back = PrintOptionsOf(printer);
    EXPECT_EQ(back["media"], "A4");
    EXPECT_EQ(back["orientation-requested"], "3");
    EXPECT_EQ(back["sides"], "one-sided");
}

class PrintSettingsDialogTest : public testsupport::QueueFixture {
protected:
    // Chooses long-edge two-sided printing in the print dialog and confirms it.
    static void ChooseLongEdge(QPrintDialog& dialog) {
        auto* longEdge = dialog.findChild<QRadioButton*>(QStringLiteral("duplexLong"));
        EXPECT_NE(longEdge, nullptr);
        EXPECT_TRUE(longEdge && longEdge->isEnabled());
        if (longEdge)
            longEdge->setChecked(true);
        dialog.accept();
    }
};

TEST_F(PrintSettingsDialogTest, TwoSidedPrintingReachesAQueueThatHasItAndComesBack) {
    QPrinter printer(QPrinter::HighResolution);
    printer.setPrinterName(kQueue);
    ASSERT_TRUE(printer.isValid());
    for (const char* sides : {"two-sided-long-edge", "two-sided-short-edge", "one-sided"}) {
        ApplyPrintOptions({{"sides", sides}}, printer);
        EXPECT_EQ(PrintOptionsOf(printer)["sides"], sides);
    }
}

TEST_F(PrintSettingsDialogTest, PrintersOwnOptionsComeBackButNotThoseOfASingleJob) {
    QPrinter printer(QPrinter::HighResolution);
    printer.setPrinterName(kQueue);
    ASSERT_TRUE(printer.isValid());
    // The key under which the print dialog leaves the spooler options.
    printer.printEngine()->setProperty(
        QPrintEngine::PrintEnginePropertyKey(0xfe00),
        QStringList{"job-sheets", "standard,none", "number-up", "2", "Resolution", "600dpi"});
    const PrintOptions options = PrintOptionsOf(printer);
    EXPECT_EQ(options.at("Resolution"), "600dpi");
    EXPECT_EQ(options.count("job-sheets"), 0u);
    EXPECT_EQ(options.count("number-up"), 0u);
}

TEST_F(PrintSettingsDialogTest, UnknownPrinterCannotBeShown) {
    PrintSettingsDialog settings(nullptr);
    PrintOptions options;
    EXPECT_EQ(settings.Edit("No_Such_Queue", options), DriverSettingsDialog::Result::Failed);
}

TEST_F(PrintSettingsDialogTest, DialogSavesForItsPrinterOnly) {
    bool printerFixed = false;
    QString okText;
    QString title;
    testsupport::WhenModal<QPrintDialog>([&](QPrintDialog& dialog) {
        auto* printers = dialog.findChild<QComboBox*>(QStringLiteral("printers"));
        printerFixed = printers && !printers->isEnabled();
        if (auto* buttons = dialog.findChild<QDialogButtonBox*>())
            okText = buttons->button(QDialogButtonBox::Ok)->text();
        title = dialog.windowTitle();
        dialog.reject();
    });
    PrintSettingsDialog settings(nullptr);
    PrintOptions options;
    settings.Edit(kQueue, options);
    EXPECT_TRUE(printerFixed);
    EXPECT_EQ(okText, "OK");
    EXPECT_EQ(title, kQueue);
}

TEST_F(PrintSettingsDialogTest, CancelLeavesTheOptionsAsTheyWere) {
    testsupport::WhenModal<QPrintDialog>([](QPrintDialog& dialog) { dialog.reject(); });
    PrintSettingsDialog settings(nullptr);
    PrintOptions options = {{"media", "A4"}};
    EXPECT_EQ(settings.Edit(kQueue, options), DriverSettingsDialog::Result::Cancelled);
    EXPECT_EQ(options, (PrintOptions{{"media", "A4"}}));
}

TEST_F(PrintSettingsDialogTest, ConfirmedChangeComesBackAndNothingElse) {
    testsupport::WhenModal<QPrintDialog>(ChooseLongEdge);
    PrintSettingsDialog settings(nullptr);
    PrintOptions options = {{"media", "A4"}, {"sides", "one-sided"}};
    ASSERT_EQ(settings.Edit(kQueue, options), DriverSettingsDialog::Result::Confirmed);
    EXPECT_EQ(options["sides"], "two-sided-long-edge");
    EXPECT_EQ(options["media"], "A4");
    EXPECT_EQ(options.count("print-color-mode"), 0u);
    EXPECT_EQ(options.count("orientation-requested"), 0u);
}

// The whole path: the link's action, the print dialog and the queue's defaults in CUPS.
class DriverSettingsFlowTest : public PrintSettingsDialogTest {
protected:
    void SetUp() override {
        PrintSettingsDialogTest::SetUp();
        std::filesystem::copy_file(std::string(KALDO_TEST_DATA_DIR) + "/launchers/toolbox.xml",
                                   m_folder / "toolbox.xml");
        m_printer.Config = std::make_unique<ToolboxConfig>();
        ASSERT_TRUE(m_printer.Config->Load(m_folder.Path(), "Presslane 3040"));
        m_printer.SelectedPrinter = kQueue;
    }

    void OpenDriverSettings() {
        Launchers launchers(m_printer, m_folders,
                            LauncherServices{.Shell = m_shell,
                                             .Prompts = m_prompts,
                                             .DriverFiles = m_driverFiles,
                                             .SettingsStore = m_store,
                                             .SettingsDialog = m_dialog,
                                             .Background = m_background,
                                             .CheckWeb = {},
                                             .PrinterReachable = {},
                                             .WebAnswered = {}});
        launchers.OpenDriverSettings();
    }

    std::string Sides() {
        PrintOptions options;
        EXPECT_TRUE(m_store.Load(kQueue, options));
        return options["sides"];
    }

    PrinterSelection m_printer;
    ModelFolders m_folders;
    testsupport::RecordingShell m_shell;
    testsupport::RecordingPrompts m_prompts;
    testsupport::InlineBackground m_background;
    testsupport::FakeDriverFiles m_driverFiles;
    CupsDriverSettings m_store;
    PrintSettingsDialog m_dialog{nullptr};
};

TEST_F(DriverSettingsFlowTest, ConfirmedSettingsBecomeTheQueuesDefaults) {
    testsupport::WhenModal<QPrintDialog>(ChooseLongEdge);
    OpenDriverSettings();
    EXPECT_TRUE(m_prompts.Errors.empty());
    EXPECT_EQ(Sides(), "two-sided-long-edge");
    // Only the change is kept in the user's option file.
    std::ifstream file(m_folder / ".cups/lpoptions");
    const std::string written{std::istreambuf_iterator<char>(file), {}};
    EXPECT_EQ(written, std::string("Dest ") + kQueue + " sides=two-sided-long-edge\n");
}

TEST_F(DriverSettingsFlowTest, CancelChangesNothingAndShowsNothing) {
    testsupport::WhenModal<QPrintDialog>([](QPrintDialog& dialog) {
        if (auto* longEdge = dialog.findChild<QRadioButton*>(QStringLiteral("duplexLong")))
            longEdge->setChecked(true);
        dialog.reject();
    });
    OpenDriverSettings();
    EXPECT_TRUE(m_prompts.Errors.empty());
    EXPECT_NE(Sides(), "two-sided-long-edge");
    EXPECT_FALSE(std::filesystem::exists(m_folder / ".cups/lpoptions"));
    EXPECT_FALSE(std::filesystem::exists(m_folder / "etc/lpoptions"));
}

TEST_F(DriverSettingsFlowTest, PrinterThatIsGoneShowsError4) {
    m_printer.SelectedPrinter = "Removed_Queue";
    OpenDriverSettings();
    EXPECT_EQ(m_prompts.Errors, std::vector<ErrorNumber>{ErrorNumber::DriverSettings});
}

} // namespace
} // namespace kaldo
