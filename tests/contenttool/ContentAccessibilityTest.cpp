// Every page the program shows for the sample content, checked with axe-core in the program's
// own web engine. The engine starts once per test process, so the tests here are few and each
// page is loaded once.
#include "contenttool/ContentCheck.h"
#include "contenttool/audit/PageAudit.h"
#include "main/pages/XmlLibrary.h"
#include "tests/contenttool/ContentToolTestSupport.h"
#include "tests/support/WebEngineTestEnvironment.h"

#include <QApplication>

#include <algorithm>

namespace kaldo::testsupport {
namespace {

std::string AxeScript() {
    const std::string script = ReadAxeScript(KALDO_AXE_SCRIPT);
    EXPECT_FALSE(script.empty()) << KALDO_AXE_SCRIPT << " is missing: run scripts/install-deps";
    return script;
}

class SampleAccessibilityTest : public ::testing::TestWithParam<std::string> {
protected:
    SampleContent m_content;
};

TEST_P(SampleAccessibilityTest, EveryPageOfTheSampleContentPassesAxe) {
    const std::string script = AxeScript();
    ASSERT_FALSE(script.empty());
    PageAudit audit(script);
    size_t pages = 0;
    const PageCheck check = [&](const std::string& page) {
        ++pages;
        std::vector<std::string> findings;
        for (const AuditFinding& finding : audit.Audit(page))
            findings.push_back(FormatFinding(finding));
        return findings;
    };
    // Enough topics on printers that the search for them finds more hits than a page shows.
    const std::string folder = m_content.Copy(GetParam());
    const std::string index = folder + "/xml/index_ug.xml";
    std::string entries = ReadBytes(index);
    const std::string start = "<WebWorksHelpIX version=\"1.0\">";
    ASSERT_NE(entries.find(start), std::string::npos);
    for (int topic = 0; topic < 60; ++topic)
        entries.insert(entries.find(start) + start.size(),
                       "<Entry t=\"Printer topic " + std::to_string(topic) +
                           "\"><Link l=\"tab#2page#1\" icon=\"page\"/></Entry>");
    WriteBytes(index, entries);

    std::vector<std::string> lines;
    for (const ContentProblem& problem : CheckContentFolder(folder, check))
        lines.push_back(FormatProblem(problem));
    EXPECT_EQ(lines, std::vector<std::string>{});
    // The tabs' own pages and, for each model, the header, three footers, the trouble
    // solutions, the index and the search pages.
    EXPECT_GE(pages, 20u);
}

INSTANTIATE_TEST_SUITE_P(Content, SampleAccessibilityTest,
                         ::testing::Values("presslane_3000", "presslane_c5000"));

// The check itself must see what it is there for.
TEST(PageAuditTest, ReportsEachViolatingElement) {
    const std::string script = AxeScript();
    ASSERT_FALSE(script.empty());
    PageAudit audit(script);
    std::vector<std::string> rules;
    for (const AuditFinding& finding : audit.Audit(ToolData("inaccessible.html"))) {
        rules.push_back(finding.Rule);
        if (finding.Rule == "image-alt") {
            EXPECT_EQ(finding.Element, "#nameless");
        }
    }
    EXPECT_NE(std::find(rules.begin(), rules.end(), "image-alt"), rules.end());
    EXPECT_NE(std::find(rules.begin(), rules.end(), "color-contrast"), rules.end());
}

TEST(PageAuditTest, PageThatDoesNotLoadIsAFinding) {
    PageAudit audit(
        "window.axe = {run: function () { return Promise.resolve({violations: []}); }};");
    const std::vector<AuditFinding> findings = audit.Audit(ToolData("no-such-page.html"));
    ASSERT_EQ(findings.size(), 1u);
    EXPECT_EQ(findings.front().Help, "the page does not load");
}

} // namespace
} // namespace kaldo::testsupport

int main(int argc, char** argv) {
    kaldo::testsupport::SetWebEngineTestDefaults();
    testing::InitGoogleTest(&argc, argv);
    const kaldo::XmlLibraryScope xmlLibrary;
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
    QApplication app(argc, argv);
    return RUN_ALL_TESTS();
}
