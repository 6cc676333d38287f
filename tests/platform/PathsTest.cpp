#include "platform/Paths.h"

#include "tests/support/TempFolder.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <optional>
#include <string>
#include <vector>

#include <sys/stat.h>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

using kaldo::testsupport::ScopedEnv;
using kaldo::testsupport::TempFolder;

class PathsTest : public testing::Test {
protected:
    std::string Touch(const std::string& relative) {
        fs::path path = fs::path(m_root) / relative;
        fs::create_directories(path.parent_path());
        std::ofstream(path) << "x";
        return path.string();
    }

    TempFolder m_folder;
    const std::string m_root = m_folder.Path();
};

TEST(JoinPathTest, PutsExactlyOneSlashBetweenPieces) {
    EXPECT_EQ(kaldo::JoinPath("/opt/Kaldo", "Tendwell"), "/opt/Kaldo/Tendwell");
    EXPECT_EQ(kaldo::JoinPath("/opt/Kaldo/", "Tendwell"), "/opt/Kaldo/Tendwell");
    EXPECT_EQ(kaldo::JoinPath("/opt/Kaldo", "/Tendwell"), "/opt/Kaldo/Tendwell");
    EXPECT_EQ(kaldo::JoinPath("/opt/Kaldo/", "/Tendwell"), "/opt/Kaldo/Tendwell");
}

TEST(JoinPathTest, EmptyPieceAddsNothing) {
    EXPECT_EQ(kaldo::JoinPath("", "Data"), "Data");
    EXPECT_EQ(kaldo::JoinPath("/opt/", ""), "/opt/");
    EXPECT_EQ(kaldo::JoinPath("", ""), "");
}

TEST(ProgramFolderTest, IsTheFolderOfThisExecutable) {
    const std::string folder = kaldo::ProgramFolder();
    ASSERT_FALSE(folder.empty());
    EXPECT_EQ(folder.back(), '/');
    EXPECT_EQ(fs::path(folder), fs::canonical("/proc/self/exe").parent_path() / "");
}

TEST(StateFolderTest, FollowsTheCacheVariableElseTheHomeFolder) {
    {
        ScopedEnv cache("XDG_CACHE_HOME", "/var/cache/u1");
        EXPECT_EQ(kaldo::StateFolder(), "/var/cache/u1/kaldo/Tendwell/");
    }
    ScopedEnv home("HOME", "/home/u2");
    ScopedEnv unset("XDG_CACHE_HOME", "");
    EXPECT_EQ(kaldo::StateFolder(), "/home/u2/.cache/kaldo/Tendwell/");
    // A relative cache folder would depend on where the program was started.
    ScopedEnv relative("XDG_CACHE_HOME", "cache");
    EXPECT_EQ(kaldo::StateFolder(), "/home/u2/.cache/kaldo/Tendwell/");
}

mode_t ModeOf(const fs::path& path) {
    struct stat info {};
    return ::lstat(path.c_str(), &info) == 0 ? info.st_mode & 07777 : 0;
}

TEST_F(PathsTest, StateFolderIsMadeForThisUserAlone) {
    const fs::path cache = fs::path(m_root) / "new/.cache";
    const kaldo::PreparedFolder state = kaldo::PrepareStateFolder(cache);
    ASSERT_EQ(state.Error, "");
    EXPECT_EQ(state.Path, (cache / "kaldo/Tendwell/").string());
    for (const fs::path& level :
         {fs::path(m_root) / "new", cache, cache / "kaldo", cache / "kaldo/Tendwell"})
        EXPECT_EQ(ModeOf(level), 0700u) << level;

    // One of ours that others could read (as an earlier version left it) is closed to them.
    ASSERT_EQ(::chmod((cache / "kaldo").c_str(), 0755), 0);
    EXPECT_EQ(kaldo::PrepareStateFolder(cache).Error, "");
    EXPECT_EQ(ModeOf(cache / "kaldo"), 0700u);
}

TEST_F(PathsTest, StateFolderThatOthersCouldChangeIsRefused) {
    const fs::path cache = fs::path(m_root) / "shared";
    fs::create_directories(cache / "kaldo/Tendwell");
    ASSERT_EQ(::chmod((cache / "kaldo/Tendwell").c_str(), 0777), 0);
    const std::string writable = kaldo::PrepareStateFolder(cache).Error;
    EXPECT_NE(writable.find("kaldo/Tendwell: other users may write it"), std::string::npos)
        << writable;
    EXPECT_EQ(kaldo::PrepareStateFolder(cache).Path, "");

    // A link in place of the folder leads wherever its maker wants.
    fs::remove_all(cache / "kaldo");
    fs::create_directories(fs::path(m_root) / "elsewhere/Tendwell");
    fs::create_directory_symlink(fs::path(m_root) / "elsewhere", cache / "kaldo");
    EXPECT_NE(kaldo::PrepareStateFolder(cache).Error.find("kaldo: not a folder"),
              std::string::npos);
    fs::remove(cache / "kaldo");

    // Another user made it first, open to everybody.
    if (::geteuid() != 0)
        GTEST_SKIP() << "giving a folder to another user needs root";
    fs::create_directories(cache / "kaldo");
    ASSERT_EQ(::chown((cache / "kaldo").c_str(), 65534, 65534), 0);
    ASSERT_EQ(::chmod((cache / "kaldo").c_str(), 0777), 0);
    const std::string foreign = kaldo::PrepareStateFolder(cache).Error;
    EXPECT_NE(foreign.find("kaldo: belongs to another user (uid 65534)"), std::string::npos)
        << foreign;
}

TEST_F(PathsTest, FindsEntriesWrittenInAnotherCase) {
    const std::string guide = Touch("data/ui/guide.pdf");
    EXPECT_EQ(kaldo::ResolvePath(m_root + "/Data/UI/Guide.PDF"), guide);
}

TEST_F(PathsTest, TakesBackslashesAsSeparators) {
    const std::string guide = Touch("data/ui/guide.pdf");
    EXPECT_EQ(kaldo::ResolvePath(m_root + "\\Data\\UI\\Guide.PDF"), guide);
}

TEST_F(PathsTest, PrefersTheExactNameWhenBothSpellingsExist) {
    Touch("data/lower.txt");
    const std::string upper = Touch("Data/upper.txt");
    EXPECT_EQ(kaldo::ResolvePath(m_root + "/Data/upper.txt"), upper);
    const std::string lower = m_root + "/data/lower.txt";
    EXPECT_EQ(kaldo::ResolvePath(m_root + "/data/lower.txt"), lower);
}

TEST_F(PathsTest, FindsNamesThatDifferInCaseBeyondAscii) {
    const std::string guide = Touch("données/Übersicht.pdf");
    EXPECT_EQ(kaldo::ResolvePath(m_root + "/DONNÉES/übersicht.PDF"), guide);
}

TEST_F(PathsTest, ChoosesTheSameEntryWhenSeveralMatchWithoutCase) {
    Touch("data/lower.txt");
    Touch("Data/upper.txt");
    // Neither spelling is exact; the smaller name wins, whatever the folder's order.
    EXPECT_EQ(kaldo::ResolvePath(m_root + "/DATA/x.txt"), m_root + "/Data/x.txt");
}

TEST_F(PathsTest, KeepsTheMissingTailAsGiven) {
    Touch("data/xml/existing.xml");
    EXPECT_EQ(kaldo::ResolvePath(m_root + "/DATA/XML/New/Header.XML"),
              m_root + "/data/xml/New/Header.XML");
}

TEST_F(PathsTest, KeepsAPathThatMatchesNothing) {
    EXPECT_EQ(kaldo::ResolvePath(m_root + "/Nothing/Here.txt"), m_root + "/Nothing/Here.txt");
}

TEST_F(PathsTest, KeepsATrailingSlash) {
    Touch("data/ui/page.html");
    EXPECT_EQ(kaldo::ResolvePath(m_root + "/DATA/UI/"), m_root + "/data/ui/");
    // A path that exists as given comes back in the same shape as one that was looked up.
    EXPECT_EQ(kaldo::ResolvePath(m_root + "//data\\ui/"), m_root + "/data/ui/");
    EXPECT_EQ(kaldo::ResolvePath(m_root + "/data//ui/page.html"), m_root + "/data/ui/page.html");
}

TEST_F(PathsTest, ResolvesRelativePaths) {
    Touch("Data/Model/toolbox.xml");
    const fs::path old = fs::current_path();
    fs::current_path(m_root);
    const std::string resolved = kaldo::ResolvePath("data/model/TOOLBOX.xml");
    fs::current_path(old);
    EXPECT_EQ(resolved, "Data/Model/toolbox.xml");
}

TEST_F(PathsTest, MachinePathLiesBelowKaldoRoot) {
    ScopedEnv root("KALDO_ROOT", m_root.c_str());
    EXPECT_EQ(kaldo::MachinePath("/etc/kaldo/registry.ini"), m_root + "/etc/kaldo/registry.ini");
}

TEST_F(PathsTest, MachinePathIsTheGivenPathWithoutKaldoRoot) {
    ScopedEnv unset("KALDO_ROOT", nullptr);
    EXPECT_EQ(kaldo::MachinePath("/etc/kaldo/registry.ini"), "/etc/kaldo/registry.ini");
    ScopedEnv empty("KALDO_ROOT", "");
    EXPECT_EQ(kaldo::MachinePath("/opt/Kaldo"), "/opt/Kaldo");
}

TEST_F(PathsTest, ListsFoldersAndLinkedFoldersInNameOrderWithoutRegardToCase) {
    Touch("Data/beta/x");
    Touch("Data/Alpha/x");
    Touch("Data/notes.txt");
    fs::create_directory_symlink(fs::path(m_root) / "Data/beta", fs::path(m_root) / "Data/Gamma");
    EXPECT_EQ(kaldo::ListFolders(m_root + "/Data"),
              (std::vector<std::string>{"Alpha", "beta", "Gamma"}));
    EXPECT_EQ(kaldo::ListFolders(m_root + "/absent"), std::nullopt);
}

} // namespace
