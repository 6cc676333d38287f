// The program's start-up without its window, once in each language it has a string table for:
// the content merge with the table's language code, the catalogue, the start printer, the
// header, footer and index pages. Each language runs in a process of its own, as the table is
// chosen once per process from the locale.
#include "TestPaths.h"
#include "main/content/ContentCatalog.h"
#include "main/content/ContentFolders.h"
#include "main/pageinputs/PageInputs.h"
#include "main/printers/PrinterSelection.h"
#include "main/printers/PrinterServices.h"
#include "main/resources/StringResources.h"
#include "main/status/StatusPages.h"
#include "platform/registry/IniRegistry.h"
#include "tests/support/ChildProcess.h"
#include "tests/support/FakeSpooler.h"
#include "tests/support/TempFolder.h"
#include "tests/support/TestFiles.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <regex>

namespace kaldo {
namespace {

namespace fs = std::filesystem;
using kaldo::testsupport::ReadBytes;

struct Language {
    const char* Locale;
    const char* Code; // string 133, the content language of the table
};

void PrintTo(const Language& language, std::ostream* out) {
    *out << language.Locale;
}

const Language kLanguages[] = {
    {"zh_TW.UTF-8", "TW"}, {"da_DK.UTF-8", "DA"}, {"de_DE.UTF-8", "DE"}, {"en_US.UTF-8", "EN"},
    {"fr_FR.UTF-8", "FR"}, {"it_IT.UTF-8", "IT"}, {"ja_JP.UTF-8", "JA"}, {"ko_KR.UTF-8", "KO"},
    {"nl_NL.UTF-8", "NL"}, {"pt_BR.UTF-8", "PT"}, {"ru_RU.UTF-8", "RU"}, {"sv_SE.UTF-8", "SV"},
    {"zh_CN.UTF-8", "CN"}, {"es_ES.UTF-8", "ES"},
};

// Steps of the start-up, for the child's answer: the first one that failed, or kStarted.
enum Step : int {
    kStarted = 0,
    kLanguageCode,
    kPrepareContent,
    kStartPrinter,
    kHeaderPage,
    kFooterPages,
    kIndexPages,
};

class StartUpLanguagesTest : public ::testing::TestWithParam<Language> {
protected:
    void SetUp() override {
        ASSERT_FALSE(m_folder.Path().empty());
        testsupport::InstallContentFolder(std::string(KALDO_CONTENT_DIR) + "/presslane_3000",
                                          m_folder.Path());
        m_spooler.AddPrinter("Office_3020", "Kaldo Presslane 3020 PS");
    }

    // What the program does from its start to its first pages, as it does it, in this
    // process's language; the pages are the program's own, only the panes are missing.
    int StartUp() {
        const std::string languageCode = ProgramLanguageCode();
        if (languageCode != GetParam().Code)
            return kLanguageCode;
        if (!PrepareContentFolders(m_program, languageCode).Ok)
            return kPrepareContent;
        const ContentCatalog catalog(m_program);
        PrinterSelection state;
        PrinterSelector selector(state, catalog, m_services);
        selector.BuildPrinterList();
        if (selector.SelectStartPrinter("") != StartPrinterResult::Selected)
            return kStartPrinter;
        const ToolboxConfig& config = *state.Config;
        const ModelFolders folders = ComputeModelFolders(m_program, config);
        InstallModelPicture(folders, config);
        const std::string language = config.Language_L10N();

        const PageTransformer transformer;
        const std::vector<PrinterListEntry> printers = {{state.SelectedPrinter, "KP3020"}};
        if (BuildHeaderPage(printers, state.SelectedPrinter, HeaderLabelsFor(config), language,
                            HeaderPageFilesFor(folders, config.Files()),
                            transformer) != ResultCode::Ok)
            return kHeaderPage;
        const StatusFacts facts = StatusFactsFor(config, UpdateState::NotChecked);
        const StatusValue status = EffectiveFooterStatus(StatusValue::STATUS_COLLECTING, facts);
        StatusInfo info;
        FillStatusInfo(info, status, facts);
        if (BuildFooterPages(status, info,
                             StatusPageFilesFor(folders, config.Files(), config.ConfigPath()),
                             language, transformer) != ResultCode::Ok)
            return kFooterPages;
        if (BuildIndexPages(IndexPageFilesFor(folders, config), ProgramIndexLabels(), language,
                            transformer) != ResultCode::Ok)
            return kIndexPages;
        return kStarted;
    }

    // The start-up in a process whose messages follow `locale`.
    std::optional<int> StartUpIn(const char* locale) {
        return testsupport::RunInChild([&] {
            setenv("LC_ALL", locale, 1);
            return StartUp();
        });
    }

    std::string Page(const std::string& name) const { return ReadBytes(m_content + "/ui/" + name); }
    std::string Document(const std::string& name) const {
        return ReadBytes(m_content + "/xml/" + name);
    }

    testsupport::TempFolder m_folder;
    std::string m_program = m_folder.Path() + "/";
    std::string m_content = m_folder / "Data/presslane_3000";
    IniRegistry m_registry{m_folder / "machine.ini", m_folder / "user.ini"};
    testsupport::FakeSpooler m_spooler;
    PrinterServices m_services{m_spooler, m_registry, {}, {}, {}};
};

TEST_P(StartUpLanguagesTest, StartsAndShowsItsOwnTexts) {
    const Language& language = GetParam();
    EXPECT_EQ(StartUpIn(language.Locale), kStarted);

    // The documents carry the labels of the user's language, and every page is there.
    const StringTable table = MainStringTable(language.Locale);
    EXPECT_NE(Document("header.xml").find(table.Text(129)), std::string::npos);
    EXPECT_NE(Document("footer.xml").find(table.Text(106)), std::string::npos);
    EXPECT_NE(Document("index_combined.xml").find(table.Text(119)), std::string::npos);
    for (const char* page : {"header.html", "status.html", "solutions.html", "current_problem.html",
                             "index.html", "index_content.html"})
        EXPECT_NE(Page(page).find("</html>"), std::string::npos) << page;
}

TEST_P(StartUpLanguagesTest, ContentWithoutLanguageStarts) {
    // Content whose configuration leaves its language empty still gets every page.
    const std::string info = m_content + "/toolboxinfo.xml";
    const std::string text = ReadBytes(info);
    std::ofstream(info, std::ios::binary | std::ios::trunc)
        << std::regex_replace(text, std::regex("<Language_L10N>[A-Z]*</Language_L10N>"),
                              "<Language_L10N></Language_L10N>");
    EXPECT_EQ(StartUpIn(GetParam().Locale), kStarted);
    EXPECT_NE(Document("header.xml").find("<Code_Page>UTF-8</Code_Page>"), std::string::npos);
    EXPECT_NE(Document("index_combined.xml").find("codepage=\"UTF-8\""), std::string::npos);
}

INSTANTIATE_TEST_SUITE_P(Tables, StartUpLanguagesTest, ::testing::ValuesIn(kLanguages),
                         [](const ::testing::TestParamInfo<Language>& info) {
                             return std::string(info.param.Locale).substr(0, 5);
                         });

} // namespace
} // namespace kaldo
