#include "main/content/ContentMirror.h"

#include "main/content/ContentFolders.h"
#include "platform/AtomicFile.h"

#include "ContentTestFiles.h"

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <string>

namespace kaldo {
namespace {

namespace fs = std::filesystem;
using namespace std::chrono_literals;
using testsupport::ReadBytes;
using testsupport::ShellData;
using testsupport::WriteBytes;

// An installed program folder with one content folder, and a user's state folder.
class ContentMirrorTest : public testsupport::TempFolderTest {
protected:
    void SetUp() override {
        TempFolderTest::SetUp();
        testsupport::CopyInto(ShellData("merge/toolboxinfo.xml"), Installed("toolboxinfo.xml"));
        testsupport::CopyInto(ShellData("merge/tabinfo.xml"), Installed("tabinfo.xml"));
        WriteBytes(Installed("toolbox.xml"), "shipped merge");
        WriteBytes(Installed("ui/home.html"), "home");
        WriteBytes(Installed("ui/pdfs/guide.pdf"), "guide");
        WriteBytes(Installed("xml/KTWUpdates.xml"), "shipped feed");
        Age(Installed(""), 2h);
    }

    std::string Program() const { return Path("program/"); }
    std::string State() const { return Path("state/"); }
    std::string Installed(const std::string& name) const {
        return Path("program/Data/presslane/" + name);
    }
    std::string Mirrored(const std::string& name) const {
        return Path("state/Data/presslane/" + name);
    }

    // Sets the time of `path` (and of everything below it) `age` into the past.
    static void Age(const std::string& path, std::chrono::hours age) {
        const auto when = fs::file_time_type::clock::now() - age;
        fs::last_write_time(path, when);
        if (fs::is_directory(path)) {
            for (const auto& entry : fs::recursive_directory_iterator(path))
                fs::last_write_time(entry.path(), when);
        }
    }

    static bool IsLinkTo(const std::string& path, const std::string& target) {
        return fs::is_symlink(path) && fs::read_symlink(path) == target;
    }
};

TEST_F(ContentMirrorTest, MirrorLinksEveryInstalledFileInRealFolders) {
    ASSERT_TRUE(MirrorContentFolders(Program(), State()));
    EXPECT_TRUE(IsLinkTo(Mirrored("ui/home.html"), Installed("ui/home.html")));
    EXPECT_TRUE(IsLinkTo(Mirrored("ui/pdfs/guide.pdf"), Installed("ui/pdfs/guide.pdf")));
    EXPECT_TRUE(IsLinkTo(Mirrored("tabinfo.xml"), Installed("tabinfo.xml")));
    EXPECT_FALSE(fs::is_symlink(Mirrored("ui")));
    EXPECT_TRUE(fs::is_directory(Mirrored("ui/pdfs")));
    // The user's alone, whatever the installed folders allow.
    for (const char* folder : {"", "ui", "ui/pdfs"})
        EXPECT_EQ(fs::status(Mirrored(folder)).permissions() & fs::perms::all, fs::perms::owner_all)
            << folder;
    // Each user merges their own configuration.
    EXPECT_FALSE(fs::exists(fs::symlink_status(Mirrored("toolbox.xml"))));
}

TEST_F(ContentMirrorTest, MergedConfigurationIsWrittenToTheMirrorOnly) {
    ASSERT_TRUE(MirrorContentFolders(Program(), State()));
    const PreparedContent prepared = PrepareContentFolders(State(), "EN");
    ASSERT_TRUE(prepared.Ok);
    EXPECT_EQ(prepared.ContentFolder, Path("state/Data/presslane"));
    EXPECT_EQ(ReadBytes(Mirrored("toolbox.xml")),
              ReadBytes(ShellData("merge/expected-toolbox.xml")));
    EXPECT_EQ(ReadBytes(Installed("toolbox.xml")), "shipped merge");
}

TEST_F(ContentMirrorTest, MergedConfigurationFollowsANewerInstallation) {
    ASSERT_TRUE(MirrorContentFolders(Program(), State()));
    ASSERT_TRUE(PrepareContentFolders(State(), "EN").Ok);
    std::string pieces = ReadBytes(Installed("toolboxinfo.xml"));
    pieces.replace(pieces.find("<Body>"), 6, "<Body><Upgraded/>");
    WriteBytes(Installed("toolboxinfo.xml"), pieces);

    ASSERT_TRUE(MirrorContentFolders(Program(), State()));
    ASSERT_TRUE(PrepareContentFolders(State(), "EN").Ok);
    EXPECT_NE(ReadBytes(Mirrored("toolbox.xml")).find("<Upgraded/>"), std::string::npos);
}

TEST_F(ContentMirrorTest, NewerInstalledFileReplacesAnOlderOwnCopy) {
    ASSERT_TRUE(MirrorContentFolders(Program(), State()));
    ASSERT_TRUE(WriteFileAtomically(Mirrored("ui/home.html"), "this user's page"));
    Age(Mirrored("ui/home.html"), 1h);
    WriteBytes(Installed("ui/home.html"), "upgraded home");

    ASSERT_TRUE(MirrorContentFolders(Program(), State()));
    EXPECT_TRUE(IsLinkTo(Mirrored("ui/home.html"), Installed("ui/home.html")));
    EXPECT_EQ(ReadBytes(Mirrored("ui/home.html")), "upgraded home");
}

TEST_F(ContentMirrorTest, DownloadedOrUpdatedFileNewerThanTheInstalledOneIsKept) {
    ASSERT_TRUE(MirrorContentFolders(Program(), State()));
    // An update check renames its new feed over the link; a download lands where none was.
    WriteBytes(Mirrored("xml/.new"), "newer feed");
    fs::rename(Mirrored("xml/.new"), Mirrored("xml/KTWUpdates.xml"));
    WriteBytes(Mirrored("ui/pdfs/manual.pdf"), "downloaded manual");

    ASSERT_TRUE(MirrorContentFolders(Program(), State()));
    EXPECT_FALSE(fs::is_symlink(Mirrored("xml/KTWUpdates.xml")));
    EXPECT_EQ(ReadBytes(Mirrored("xml/KTWUpdates.xml")), "newer feed");
    EXPECT_EQ(ReadBytes(Installed("xml/KTWUpdates.xml")), "shipped feed");
    EXPECT_EQ(ReadBytes(Mirrored("ui/pdfs/manual.pdf")), "downloaded manual");
}

TEST_F(ContentMirrorTest, FilesAndFoldersAddedOrRemovedByTheInstallationFollow) {
    WriteBytes(Path("program/Data/retired/ui/old.html"), "retired");
    ASSERT_TRUE(MirrorContentFolders(Program(), State()));
    ASSERT_TRUE(fs::is_symlink(Path("state/Data/retired/ui/old.html")));
    WriteBytes(Path("state/Data/retired/ui/header.html"), "generated");

    fs::remove_all(Path("program/Data/retired"));
    fs::remove_all(Installed("ui/pdfs"));
    WriteBytes(Installed("ui/video/tour.webm"), "tour");

    ASSERT_TRUE(MirrorContentFolders(Program(), State()));
    EXPECT_FALSE(fs::exists(Path("state/Data/retired")));
    EXPECT_FALSE(fs::exists(fs::symlink_status(Mirrored("ui/pdfs/guide.pdf"))));
    EXPECT_FALSE(fs::exists(Mirrored("ui/pdfs")));
    EXPECT_TRUE(IsLinkTo(Mirrored("ui/video/tour.webm"), Installed("ui/video/tour.webm")));
}

TEST_F(ContentMirrorTest, OwnFilesWithoutInstalledCounterpartStay) {
    ASSERT_TRUE(MirrorContentFolders(Program(), State()));
    WriteBytes(Mirrored("xml/header.xml"), "generated");
    ASSERT_TRUE(MirrorContentFolders(Program(), State()));
    EXPECT_EQ(ReadBytes(Mirrored("xml/header.xml")), "generated");
}

TEST_F(ContentMirrorTest, RewrittenFileNeverReachesTheInstallation) {
    ASSERT_TRUE(MirrorContentFolders(Program(), State()));
    // The program writes every file to a temporary name and renames it over the link.
    ASSERT_TRUE(WriteFileAtomically(Mirrored("ui/home.html"), "rewritten"));
    EXPECT_FALSE(fs::is_symlink(Mirrored("ui/home.html")));
    EXPECT_EQ(ReadBytes(Installed("ui/home.html")), "home");
    // Kept at the next start: it is newer than the installed page.
    ASSERT_TRUE(MirrorContentFolders(Program(), State()));
    EXPECT_EQ(ReadBytes(Mirrored("ui/home.html")), "rewritten");
}

TEST_F(ContentMirrorTest, LinkReplacesALinkNotItsTarget) {
    ASSERT_TRUE(MirrorContentFolders(Program(), State()));
    ASSERT_TRUE(ReplaceWithLink(Installed("ui/home.html"), Mirrored("ui/pdfs/guide.pdf")));
    EXPECT_EQ(ReadBytes(Installed("ui/pdfs/guide.pdf")), "guide");
    EXPECT_EQ(ReadBytes(Mirrored("ui/pdfs/guide.pdf")), "home");
}

TEST_F(ContentMirrorTest, UsersHaveMirrorsOfTheirOwn) {
    ASSERT_TRUE(MirrorContentFolders(Program(), State()));
    ASSERT_TRUE(MirrorContentFolders(Program(), Path("other/")));
    ASSERT_TRUE(PrepareContentFolders(State(), "EN").Ok);
    WriteBytes(Mirrored("xml/header.xml"), "first user's");
    EXPECT_FALSE(fs::exists(Path("other/Data/presslane/xml/header.xml")));
    EXPECT_FALSE(fs::exists(Path("other/Data/presslane/toolbox.xml")));
}

TEST_F(ContentMirrorTest, UnreadableInstallationFails) {
    EXPECT_FALSE(MirrorContentFolders(Path("nowhere/"), State()));
}

} // namespace
} // namespace kaldo
