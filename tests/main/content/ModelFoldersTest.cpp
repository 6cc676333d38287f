#include "main/content/ModelFolders.h"

#include "main/content/ToolboxConfig.h"

#include "ContentTestFiles.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

namespace kaldo {
namespace {

namespace fs = std::filesystem;
using testsupport::ReadBytes;
using testsupport::ShellData;

// The sample configuration names Data/Presslane4200/UI, xml, docs, video and images; the
// installed tree spells them differently, as content made on Windows may.
class ModelFoldersTest : public testsupport::TempFolderTest {
protected:
    void SetUp() override {
        TempFolderTest::SetUp();
        testsupport::CopyInto(ShellData("config/complete.xml"), Path("content/toolbox.xml"));
        ASSERT_TRUE(m_config.Load(Path("content"), "Presslane 4200"));
        testsupport::WriteBytes(Ui("images/Model4200.gif"), "model picture");
        testsupport::WriteBytes(Ui("images/CAPTION.GIF"), "old caption");
        testsupport::WriteBytes(Ui("guide.pdf"), "guide");
        fs::create_directories(Ui("Video"));
        fs::create_directories(Path("data/PRESSLANE4200/XML"));
    }

    std::string ProgramFolder() const { return m_folder + "/"; }
    std::string Ui(const std::string& name) const { return Path("data/PRESSLANE4200/ui/" + name); }

    ToolboxConfig m_config;
};

TEST_F(ModelFoldersTest, FoldersAreResolvedWithoutRegardToCase) {
    const ModelFolders folders = ComputeModelFolders(ProgramFolder(), m_config);
    EXPECT_EQ(folders.UiFolder, Path("data/PRESSLANE4200/ui"));
    EXPECT_EQ(folders.XmlFolder, Path("data/PRESSLANE4200/XML"));
    EXPECT_EQ(folders.VideoFolder, Ui("Video"));
    EXPECT_EQ(folders.DocumentFolder, Ui("docs"));
}

TEST_F(ModelFoldersTest, CreatesTheMissingDocumentFolderOnly) {
    ComputeModelFolders(ProgramFolder(), m_config);
    EXPECT_TRUE(fs::is_directory(Ui("docs")));
    EXPECT_FALSE(fs::exists(Ui("video")));
}

TEST_F(ModelFoldersTest, MissingUiFolderIsNoError) {
    fs::remove_all(Path("data/PRESSLANE4200/ui"));
    const ModelFolders folders = ComputeModelFolders(ProgramFolder(), m_config);
    EXPECT_EQ(folders.UiFolder, Path("data/PRESSLANE4200/UI"));
    EXPECT_FALSE(fs::exists(folders.DocumentFolder));
    EXPECT_FALSE(fs::exists(folders.VideoFolder));
}

TEST_F(ModelFoldersTest, ContentAndImagePathsResolveWithoutRegardToCase) {
    const ModelFolders folders = ComputeModelFolders(ProgramFolder(), m_config);
    EXPECT_EQ(folders.ContentPath("Guide.PDF"), Ui("guide.pdf"));
    EXPECT_EQ(folders.ContentPath("pages\\Missing.html"), Ui("pages/Missing.html"));
    EXPECT_EQ(folders.ImagePath("caption.gif"), Ui("images/CAPTION.GIF"));
}

TEST_F(ModelFoldersTest, TabPagePathMakesTheTabCurrent) {
    const ModelFolders folders = ComputeModelFolders(ProgramFolder(), m_config);
    int currentTab = 1;
    EXPECT_EQ(folders.TabPagePath(m_config, currentTab, 0), Ui("home2.html"));
    EXPECT_EQ(currentTab, 0);
    EXPECT_EQ(folders.TabPagePath(m_config, currentTab, 2), Ui("trouble0.html"));
    EXPECT_EQ(currentTab, 2);
}

TEST_F(ModelFoldersTest, TabSubPagePathFallsBackToTheFirstPage) {
    const ModelFolders folders = ComputeModelFolders(ProgramFolder(), m_config);
    EXPECT_EQ(folders.TabSubPagePath(m_config, 0, 1), Ui("home1.html"));
    EXPECT_EQ(folders.TabSubPagePath(m_config, 0, 7), Ui("home0.html"));
    EXPECT_EQ(m_config.Tabs()[0].Default, 0);
}

TEST_F(ModelFoldersTest, ModelPictureReplacesTheCaptionPicture) {
    const ModelFolders folders = ComputeModelFolders(ProgramFolder(), m_config);
    EXPECT_TRUE(InstallModelPicture(folders, m_config));
    EXPECT_EQ(ReadBytes(Ui("images/CAPTION.GIF")), "model picture");
    EXPECT_FALSE(fs::exists(Ui("images/caption.gif")));
}

TEST_F(ModelFoldersTest, CaptionIsALinkToThePictureAndLeavesTheOldCaptionFileAlone) {
    // In a user's mirror the caption is a link to the installed caption picture.
    testsupport::WriteBytes(Path("installed/caption.gif"), "installed caption");
    fs::remove(Ui("images/CAPTION.GIF"));
    fs::create_symlink(Path("installed/caption.gif"), Ui("images/CAPTION.GIF"));
    const ModelFolders folders = ComputeModelFolders(ProgramFolder(), m_config);
    EXPECT_TRUE(InstallModelPicture(folders, m_config));
    EXPECT_TRUE(fs::is_symlink(Ui("images/CAPTION.GIF")));
    EXPECT_EQ(fs::read_symlink(Ui("images/CAPTION.GIF")), "Model4200.gif");
    EXPECT_EQ(ReadBytes(Ui("images/CAPTION.GIF")), "model picture");
    EXPECT_EQ(ReadBytes(Path("installed/caption.gif")), "installed caption");
}

TEST_F(ModelFoldersTest, CaptionPictureIsCreatedWhenMissing) {
    fs::remove(Ui("images/CAPTION.GIF"));
    const ModelFolders folders = ComputeModelFolders(ProgramFolder(), m_config);
    EXPECT_TRUE(InstallModelPicture(folders, m_config));
    EXPECT_EQ(ReadBytes(Ui("images/caption.gif")), "model picture");
}

TEST_F(ModelFoldersTest, MissingModelPictureLeavesTheCaptionAlone) {
    fs::remove(Ui("images/Model4200.gif"));
    const ModelFolders folders = ComputeModelFolders(ProgramFolder(), m_config);
    EXPECT_FALSE(InstallModelPicture(folders, m_config));
    EXPECT_EQ(ReadBytes(Ui("images/CAPTION.GIF")), "old caption");
}

TEST_F(ModelFoldersTest, ConfigurationWithoutPicturesInstallsNothing) {
    testsupport::CopyInto(ShellData("config/empty-web.xml"), Path("other/toolbox.xml"));
    ToolboxConfig bare;
    ASSERT_TRUE(bare.Load(Path("other"), "Presslane 4200"));
    const ModelFolders folders = ComputeModelFolders(ProgramFolder(), m_config);
    EXPECT_FALSE(InstallModelPicture(folders, bare));
    EXPECT_EQ(ReadBytes(Ui("images/CAPTION.GIF")), "old caption");
}

} // namespace
} // namespace kaldo
