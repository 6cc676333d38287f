#include "main/content/ContentInfoMerge.h"

#include "main/content/ToolboxConfig.h"
#include "main/pages/ResultCodes.h"

#include "ContentTestFiles.h"
#include "tests/support/ChildProcess.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <sys/stat.h>

namespace kaldo {
namespace {

using testsupport::ReadBytes;
using testsupport::ShellData;

class ContentInfoMergeTest : public testsupport::TempFolderTest {
protected:
    ResultCode Merge(const std::string& toolboxInfo, const std::string& tabInfo,
                     const std::string& language = "EN") {
        return MergeContentInfo(ShellData("merge/" + toolboxInfo), ShellData("merge/" + tabInfo),
                                Toolbox(), language);
    }

    std::string Toolbox() const { return Path("toolbox.xml"); }

    // Whether the merged file loads as the configuration of the sample model.
    bool LoadsWithTabs(size_t tabs) {
        ToolboxConfig config;
        return config.Load(m_folder, "Presslane 4200") && config.Tabs().size() == tabs;
    }
};

TEST_F(ContentInfoMergeTest, MergesBodyLegendAndTabsByteForByte) {
    ASSERT_EQ(Merge("toolboxinfo.xml", "tabinfo.xml"), ResultCode::Ok);
    EXPECT_EQ(ReadBytes(Toolbox()), ReadBytes(ShellData("merge/expected-toolbox.xml")));
}

TEST_F(ContentInfoMergeTest, MergeInMemoryGivesTheFileBytesAndWritesNothing) {
    for (const char* toolboxInfo : {"toolboxinfo.xml", "toolboxinfo-no-body.xml"}) {
        std::string merged;
        ASSERT_EQ(MergeContentInfoText(ShellData("merge/") + toolboxInfo,
                                       ShellData("merge/tabinfo.xml"), "EN", merged),
                  ResultCode::Ok);
        ASSERT_EQ(Merge(toolboxInfo, "tabinfo.xml"), ResultCode::Ok);
        EXPECT_EQ(merged, ReadBytes(Toolbox())) << toolboxInfo;
    }
    std::string merged = "untouched";
    EXPECT_EQ(
        MergeContentInfoText(ShellData("merge/toolboxinfo.xml"), Path("none.xml"), "EN", merged),
        ResultCode::ParseInput);
    EXPECT_EQ(merged, "untouched");
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(m_folder), {}), 1);
}

TEST_F(ContentInfoMergeTest, MergedFileLoadsAsConfiguration) {
    ASSERT_EQ(Merge("toolboxinfo.xml", "tabinfo.xml"), ResultCode::Ok);
    EXPECT_TRUE(LoadsWithTabs(3));
}

TEST_F(ContentInfoMergeTest, OverwritesThePreviousToolboxOnlyWhenItDiffers) {
    const std::string expected = ReadBytes(ShellData("merge/expected-toolbox.xml"));
    testsupport::WriteBytes(Toolbox(), std::string(expected.size(), 'x'));
    ASSERT_EQ(Merge("toolboxinfo.xml", "tabinfo.xml"), ResultCode::Ok);
    EXPECT_EQ(ReadBytes(Toolbox()), expected);

    // The same merge again leaves the file it wrote.
    const auto inode = [this] {
        struct stat info {};
        return ::stat(Toolbox().c_str(), &info) == 0 ? info.st_ino : 0;
    };
    const ino_t written = inode();
    ASSERT_EQ(Merge("toolboxinfo.xml", "tabinfo.xml"), ResultCode::Ok);
    EXPECT_EQ(inode(), written);

    // A link to the same bytes is replaced by a file.
    std::filesystem::rename(Toolbox(), Path("elsewhere.xml"));
    std::filesystem::create_symlink(Path("elsewhere.xml"), Toolbox());
    ASSERT_EQ(Merge("toolboxinfo.xml", "tabinfo.xml"), ResultCode::Ok);
    EXPECT_FALSE(std::filesystem::is_symlink(Toolbox()));
    EXPECT_EQ(ReadBytes(Toolbox()), expected);
}

TEST_F(ContentInfoMergeTest, FirstChunkWithoutBodyIsCopiedWhole) {
    ASSERT_EQ(Merge("toolboxinfo-no-body.xml", "tabinfo.xml", "ko"), ResultCode::Ok);
    EXPECT_EQ(ReadBytes(Toolbox()), ReadBytes(ShellData("merge/expected-no-body.xml")));
}

TEST_F(ContentInfoMergeTest, MissingTabInfoKeepsThePreviousToolbox) {
    // Half a configuration would not load; the one the folder had still does.
    ASSERT_EQ(Merge("toolboxinfo.xml", "tabinfo.xml"), ResultCode::Ok);
    const std::string previous = ReadBytes(Toolbox());
    EXPECT_EQ(Merge("toolboxinfo.xml", "no-such-tabinfo.xml"), ResultCode::ParseInput);
    EXPECT_EQ(ReadBytes(Toolbox()), previous);
    EXPECT_EQ(testsupport::FolderNames(m_folder), std::vector<std::string>{"toolbox.xml"});
    EXPECT_TRUE(LoadsWithTabs(3));
}

TEST_F(ContentInfoMergeTest, MissingTabInfoWritesNoToolbox) {
    EXPECT_EQ(Merge("toolboxinfo.xml", "no-such-tabinfo.xml"), ResultCode::ParseInput);
    EXPECT_TRUE(testsupport::FolderNames(m_folder).empty());
}

TEST_F(ContentInfoMergeTest, FullDiskKeepsThePreviousToolbox) {
    testsupport::WriteBytes(Toolbox(), "previous");
    const std::optional<ResultCode> result = testsupport::RunWithFileSizeLimit(
        1024, [&] { return Merge("toolboxinfo.xml", "tabinfo.xml"); });
    EXPECT_EQ(result, ResultCode::OpenWriteFile);
    EXPECT_EQ(ReadBytes(Toolbox()), "previous");
    EXPECT_EQ(testsupport::FolderNames(m_folder), std::vector<std::string>{"toolbox.xml"});
}

TEST_F(ContentInfoMergeTest, EveryLanguageCodeMergesAsUtf8) {
    // A string table without a language code must not keep the program from its content.
    for (const char* language : {"", "JA", "ja", "XX"}) {
        std::filesystem::remove(Toolbox());
        ASSERT_EQ(Merge("toolboxinfo.xml", "tabinfo.xml", language), ResultCode::Ok) << language;
        EXPECT_EQ(ReadBytes(Toolbox()), ReadBytes(ShellData("merge/expected-toolbox.xml")))
            << language;
    }
}

TEST_F(ContentInfoMergeTest, MissingToolboxInfoKeepsThePreviousToolbox) {
    testsupport::WriteBytes(Toolbox(), "previous");
    EXPECT_EQ(Merge("no-such-toolboxinfo.xml", "tabinfo.xml"), ResultCode::ParseInput);
    EXPECT_EQ(ReadBytes(Toolbox()), "previous");
}

TEST_F(ContentInfoMergeTest, MissingToolboxInfoIsReportedBeforeTheOutput) {
    EXPECT_EQ(MergeContentInfo(Path("none.xml"), ShellData("merge/tabinfo.xml"),
                               Path("missing-folder/toolbox.xml"), "EN"),
              ResultCode::ParseInput);
}

TEST_F(ContentInfoMergeTest, UnwritableToolboxGives606) {
    EXPECT_EQ(MergeContentInfo(ShellData("merge/toolboxinfo.xml"), ShellData("merge/tabinfo.xml"),
                               Path("missing-folder/toolbox.xml"), "EN"),
              ResultCode::OpenWriteFile);
    EXPECT_EQ(MergeContentInfo(ShellData("merge/toolboxinfo.xml"), ShellData("merge/tabinfo.xml"),
                               m_folder, "EN"),
              ResultCode::OpenWriteFile);
}

TEST_F(ContentInfoMergeTest, MissingArgumentsGive500) {
    const std::string info = ShellData("merge/toolboxinfo.xml");
    const std::string tab = ShellData("merge/tabinfo.xml");
    EXPECT_EQ(MergeContentInfo("", tab, Toolbox(), "EN"), ResultCode::MissingArgument);
    EXPECT_EQ(MergeContentInfo(info, "", Toolbox(), "EN"), ResultCode::MissingArgument);
    EXPECT_EQ(MergeContentInfo(info, tab, "", "EN"), ResultCode::MissingArgument);
    EXPECT_FALSE(std::filesystem::exists(Toolbox()));
}

TEST_F(ContentInfoMergeTest, UnreadablePieceGives614) {
    EXPECT_EQ(MergeContentInfo(m_folder, ShellData("merge/tabinfo.xml"), Toolbox(), "EN"),
              ResultCode::ReadError);
    EXPECT_TRUE(testsupport::FolderNames(m_folder).empty());
}

TEST_F(ContentInfoMergeTest, ContentInfoWithoutLegendStartsAtTheTabs) {
    ASSERT_EQ(Merge("toolboxinfo.xml", "tabinfo-no-legend.xml"), ResultCode::Ok);
    const std::string merged = ReadBytes(Toolbox());
    EXPECT_EQ(merged.find("KTWContentInfo"), std::string::npos);
    EXPECT_EQ(merged.find("<?xml", 1), std::string::npos);
    EXPECT_TRUE(LoadsWithTabs(3));
}

TEST_F(ContentInfoMergeTest, TabInfoWithoutContentInfoRootStartsAtTheTabs) {
    ASSERT_EQ(Merge("toolboxinfo.xml", "tabinfo-bare.xml"), ResultCode::Ok);
    EXPECT_EQ(ReadBytes(Toolbox()).find("<?xml", 1), std::string::npos);
    EXPECT_TRUE(LoadsWithTabs(3));
}

TEST_F(ContentInfoMergeTest, ClosingTagInTheFirstChunkIsDropped) {
    ASSERT_EQ(Merge("toolboxinfo.xml", "tabinfo-small.xml"), ResultCode::Ok);
    EXPECT_EQ(ReadBytes(Toolbox()).find("</KTWContentInfo>"), std::string::npos);
    EXPECT_TRUE(LoadsWithTabs(1));
}

TEST_F(ContentInfoMergeTest, ClosingTagAcrossTheChunkBorderIsDropped) {
    ASSERT_EQ(Merge("toolboxinfo.xml", "tabinfo-straddle.xml"), ResultCode::Ok);
    const std::string merged = ReadBytes(Toolbox());
    EXPECT_EQ(merged.find("</KTWContentInfo>"), std::string::npos);
    EXPECT_TRUE(merged.ends_with("-->\n</Body>"));
    EXPECT_TRUE(LoadsWithTabs(1));
}

} // namespace
} // namespace kaldo
