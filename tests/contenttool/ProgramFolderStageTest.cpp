#include "contenttool/ProgramFolderStage.h"
#include "main/content/ToolboxConfig.h"
#include "tests/contenttool/ContentToolTestSupport.h"

namespace kaldo::testsupport {
namespace {

TEST(ProgramFolderStageTest, CopyStandsInTheDataFolderAndGoesWithTheStage) {
    kaldo::testsupport::TempFolder content;
    WriteBytes(content / "tabinfo.xml", "<KTWContentInfo/>");
    std::string program;
    {
        ProgramFolderStage stage;
        program = stage.ProgramFolder();
        ASSERT_FALSE(program.empty());
        std::string error;
        const std::string copy = stage.Copy(content.Path(), "Data", "presslane", error);
        EXPECT_EQ(copy, program + "Data/presslane") << error;
        EXPECT_EQ(ReadBytes(copy + "/tabinfo.xml"), "<KTWContentInfo/>");
    }
    EXPECT_FALSE(fs::exists(program));
    EXPECT_TRUE(fs::exists(content / "tabinfo.xml"));
}

// The rendered folder is reached through a link; removing the stage must not reach through it.
TEST(ProgramFolderStageTest, RemovingTheStageLeavesTheLinkedFolderAlone) {
    kaldo::testsupport::TempFolder content;
    WriteBytes(content / "toolboxinfo.xml", "<Body/>");
    {
        ProgramFolderStage stage;
        std::string error;
        const std::string link = stage.Link(content.Path(), "Data", "presslane", error);
        ASSERT_FALSE(link.empty()) << error;
        WriteBytes(link + "/toolbox.xml", "<Body/>");
    }
    EXPECT_EQ(ReadBytes(content / "toolboxinfo.xml"), "<Body/>");
    EXPECT_EQ(ReadBytes(content / "toolbox.xml"), "<Body/>");
}

// A data folder and a content folder name of which one is no plain folder name.
struct UnplacedName {
    const char* Label;
    const char* Data;
    const char* Name;
};

class UnplacedNameTest : public testing::TestWithParam<UnplacedName> {};

TEST_P(UnplacedNameTest, IsPlacedNowhere) {
    kaldo::testsupport::TempFolder content;
    ProgramFolderStage stage;
    std::string error;
    EXPECT_EQ(stage.Link(content.Path(), GetParam().Data, GetParam().Name, error), "");
    EXPECT_NE(error, "");
}

INSTANTIATE_TEST_SUITE_P(ProgramFolderStageTest, UnplacedNameTest,
                         testing::Values(UnplacedName{"ParentAsName", "Data", ".."},
                                         UnplacedName{"NameWithSlash", "Data", "a/b"},
                                         UnplacedName{"ParentAsData", "..", "presslane"},
                                         UnplacedName{"EmptyName", "Data", ""},
                                         UnplacedName{"NameWithBackslash", "Data", "a\\b"}),
                         [](const testing::TestParamInfo<UnplacedName>& info) {
                             return std::string(info.param.Label);
                         });

TEST(ProgramFolderStageTest, ModelFoldersMustStayInsideTheContentFolder) {
    PathsRecord paths{"Data", "presslane", "ui", "xml", "docs", "video", "images", "", ""};
    EXPECT_EQ(FolderEscapeProblem(paths), "");
    paths.Doc_Folder = "guides/pdf";
    EXPECT_EQ(FolderEscapeProblem(paths), "");
    paths.UI_Folder = "/etc";
    EXPECT_EQ(FolderEscapeProblem(paths), "<UI_Folder> \"/etc\" leads out of the content folder");
    paths.UI_Folder = "ui";
    paths.Data_XML_Folder = "xml\\..\\..";
    EXPECT_EQ(FolderEscapeProblem(paths),
              "<Data_XML_Folder> \"xml\\..\\..\" leads out of the content folder");
}

} // namespace
} // namespace kaldo::testsupport
