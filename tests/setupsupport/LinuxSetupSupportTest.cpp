#include "setupsupport/LinuxSetupSupport.h"

#include "platform/registry/IniRegistry.h"
#include "setupsupport/SpecialFolders.h"
#include "tests/setupsupport/SetupTestMachine.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>

#include <csignal>

#include <pwd.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

namespace fs = std::filesystem;
using kaldo::FileVersion;
using kaldo::LinuxSetupSupport;
using kaldo::testsupport::ReadBytes;
using kaldo::testsupport::SetAge;
using kaldo::testsupport::SetupTestMachine;
using kaldo::testsupport::WriteBytes;

constexpr std::string_view kTables = ":/test/setup/strings";

std::string versioned(const FileVersion& version, const std::string& filler = "ELF") {
    const auto block = kaldo::EncodeFixedFileInfo(version);
    return filler + std::string(block.begin(), block.end());
}

class LinuxSetupSupportTest : public testing::Test {
protected:
    std::string path(const std::string& relative) const { return m_machine.Path(relative); }

    SetupTestMachine m_machine;
    kaldo::IniRegistry m_registry{m_machine.MachineRegistry(), m_machine.UserRegistry()};
    LinuxSetupSupport m_setup{kTables, m_registry, "en_US.UTF-8"};
};

TEST_F(LinuxSetupSupportTest, ThisMachineIsASupportedWorkstationWithoutWow64) {
    EXPECT_EQ(m_setup.getOsClass(), 12);
    EXPECT_EQ(m_setup.getProductType(), kaldo::kProductWorkstation);
    EXPECT_EQ(m_setup.getWow64State(), 0);
    EXPECT_EQ(m_setup.getVersionInfo().Platform, kaldo::kPlatformNt);
    EXPECT_EQ(m_setup.getLanguageCode(), "ENU");
}

TEST_F(LinuxSetupSupportTest, ProductTypeComesFromTheRegistry) {
    m_registry.SetValue(kaldo::Hive::LocalMachine,
                        "SYSTEM\\CurrentControlSet\\Control\\ProductOptions", "ProductType",
                        "ServerNT");
    LinuxSetupSupport server(kTables, m_registry, "de_CH.UTF-8");
    EXPECT_EQ(server.getProductType(), kaldo::kProductServer);
    EXPECT_EQ(server.getOsClass(), 11);
    EXPECT_EQ(server.getLanguageCode(), "DEU");
}

TEST_F(LinuxSetupSupportTest, StringsComeInTheLocalesLanguage) {
    LinuxSetupSupport german(kTables, m_registry, "de_DE.UTF-8");
    EXPECT_EQ(german.loadString(2), "Kaldo Presslane\\Kaldo Tendwell – Hilfe");
    EXPECT_EQ(german.loadString(3), ""); // the German table has no such entry
    EXPECT_EQ(m_setup.loadString(3), "Only in English");
}

TEST_F(LinuxSetupSupportTest, LanguageWithoutTableGetsEnglishStrings) {
    LinuxSetupSupport finnish(kTables, m_registry, "fi_FI.UTF-8");
    EXPECT_EQ(finnish.loadString(3), "Only in English");
    EXPECT_EQ(finnish.getLanguageCode(), "FIN");
}

TEST_F(LinuxSetupSupportTest, MissingStringIsEmpty) {
    EXPECT_EQ(m_setup.loadString(0), "");
    EXPECT_EQ(m_setup.loadString(99), "");
}

TEST_F(LinuxSetupSupportTest, RootAdministersAndOtherGroupsAreUnknown) {
    if (::geteuid() != 0)
        GTEST_SKIP() << "needs root";
    EXPECT_EQ(m_setup.isUserInGroup(kaldo::kAdministratorsGroup), 1);
    EXPECT_EQ(m_setup.isUserInGroup(545), 0);
}

TEST_F(LinuxSetupSupportTest, OrdinaryUserAdministersOnlyWhereTheProgramFolderMayGo) {
    if (::geteuid() != 0)
        GTEST_SKIP() << "needs root to act as another user";
    fs::create_directories(path("root/opt"));
    const auto childAnswer = [&]() {
        const pid_t child = fork();
        if (child == 0) {
            if (setresgid(65534, 65534, 65534) != 0 || setresuid(65534, 65534, 65534) != 0)
                _exit(99);
            _exit(m_setup.isUserInGroup(kaldo::kAdministratorsGroup));
        }
        int status = 0;
        waitpid(child, &status, 0);
        return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    };
    // The temporary folders are open to their owner only: the user cannot reach /opt.
    EXPECT_EQ(childAnswer(), 0);

    fs::permissions(m_machine.Root(), fs::perms::all);
    fs::permissions(path("root"), fs::perms::all);
    fs::permissions(path("root/opt"), fs::perms::all);
    EXPECT_EQ(childAnswer(), 1);
}

TEST_F(LinuxSetupSupportTest, DeleteFileRemovesReadOnlyFile) {
    WriteBytes(path("f.txt"), "x");
    fs::permissions(path("f.txt"), fs::perms::owner_read);
    EXPECT_TRUE(m_setup.deleteFile(path("f.txt")));
    EXPECT_FALSE(fs::exists(path("f.txt")));
}

// Root removes shortcuts from folders that users write: what stands at the name, or another
// name of the same file, keeps its mode.
TEST_F(LinuxSetupSupportTest, DeleteFileLeavesTheModeOfWhatItRemovesAlone) {
    WriteBytes(path("elsewhere/precious"), "x");
    fs::permissions(path("elsewhere/precious"), fs::perms::owner_read);
    fs::create_directories(path("desk"));
    fs::create_hard_link(path("elsewhere/precious"), path("desk/X.desktop"));
    EXPECT_TRUE(m_setup.deleteShortcut(path("desk/X")));
    EXPECT_FALSE(fs::exists(path("desk/X.desktop")));
    EXPECT_EQ(fs::status(path("elsewhere/precious")).permissions(), fs::perms::owner_read);
}

TEST_F(LinuxSetupSupportTest, DeleteMissingFileFailsWithReason) {
    EXPECT_FALSE(m_setup.deleteFile(path("absent.txt")));
    EXPECT_NE(m_setup.lastError().find("absent.txt"), std::string::npos);
}

TEST_F(LinuxSetupSupportTest, FileVersionComesFromTheEmbeddedBlock) {
    WriteBytes(path("prog"), versioned({1, 2, 3, 4}));
    WriteBytes(path("plain"), "no block");
    ASSERT_TRUE(m_setup.getFileVersion(path("prog")));
    EXPECT_EQ(m_setup.getFileVersion(path("prog"))->ToString(), "1.2.3.4");
    EXPECT_FALSE(m_setup.getFileVersion(path("plain")));
}

TEST_F(LinuxSetupSupportTest, HigherDestinationVersionWins) {
    WriteBytes(path("a/prog"), versioned({1, 2, 3, 4}));
    WriteBytes(path("b/prog"), versioned({1, 2, 3, 10}));
    EXPECT_EQ(m_setup.compareFiles("prog", path("a"), "prog", path("b")),
              kaldo::kCompareDestinationNewer);
    EXPECT_EQ(m_setup.compareFiles("prog", path("b"), "prog", path("a")),
              kaldo::kCompareSourceNewer);
}

TEST_F(LinuxSetupSupportTest, EqualVersionsCompareEqualWhateverTheTimes) {
    WriteBytes(path("a/prog"), versioned({2, 0, 0, 0}, "old"));
    WriteBytes(path("b/prog"), versioned({2, 0, 0, 0}, "new"));
    SetAge(path("b/prog"), std::chrono::hours(1));
    EXPECT_EQ(m_setup.compareFiles("prog", path("a"), "prog", path("b")),
              kaldo::kCompareSameVersion);
}

TEST_F(LinuxSetupSupportTest, OnlyOneVersionedFileCountsAsNewer) {
    WriteBytes(path("a/prog"), versioned({1, 0, 0, 0}));
    WriteBytes(path("b/prog"), "plain");
    EXPECT_EQ(m_setup.compareFiles("prog", path("a"), "prog", path("b")),
              kaldo::kCompareSourceNewer);
    EXPECT_EQ(m_setup.compareFiles("prog", path("b"), "prog", path("a")),
              kaldo::kCompareDestinationNewer);
}

TEST_F(LinuxSetupSupportTest, UnversionedFilesCompareByWriteTime) {
    WriteBytes(path("a/f"), "a");
    WriteBytes(path("b/f"), "b");
    SetAge(path("a/f"), std::chrono::hours(-2));
    SetAge(path("b/f"), std::chrono::hours(-1));
    EXPECT_EQ(m_setup.compareFiles("f", path("a"), "f", path("b")),
              kaldo::kCompareDestinationNewer);
    EXPECT_EQ(m_setup.compareFiles("f", path("b"), "f", path("a")), kaldo::kCompareSourceNewer);
    fs::last_write_time(path("b/f"), fs::last_write_time(path("a/f")));
    EXPECT_EQ(m_setup.compareFiles("f", path("a"), "f", path("b")), kaldo::kCompareSourceNewer);
}

TEST_F(LinuxSetupSupportTest, MissingFilesCompareByExistence) {
    WriteBytes(path("a/f"), "a");
    EXPECT_EQ(m_setup.compareFiles("f", path("a"), "f", path("b")),
              kaldo::kCompareDestinationNewer);
    EXPECT_EQ(m_setup.compareFiles("f", path("b"), "f", path("a")), kaldo::kCompareSourceNewer);
    EXPECT_EQ(m_setup.compareFiles("g", path("a"), "g", path("b")), kaldo::kCompareNeitherExists);
}

TEST_F(LinuxSetupSupportTest, EmptyFolderMeansTheNameIsTheWholePath) {
    WriteBytes(path("a/prog"), versioned({3, 0, 0, 0}));
    WriteBytes(path("b/prog"), versioned({3, 0, 0, 0}));
    EXPECT_EQ(m_setup.compareFiles(path("a/prog"), "", path("b/prog"), ""),
              kaldo::kCompareSameVersion);
}

TEST_F(LinuxSetupSupportTest, CopyFilesMakesTheDestinationAndKeepsWriteTimes) {
    WriteBytes(path("src/one.xml"), "1");
    WriteBytes(path("src/two.pdf"), "2");
    SetAge(path("src/one.xml"), std::chrono::hours(-24));
    fs::create_directories(path("src/folder"));
    EXPECT_TRUE(m_setup.copyFiles("*.*", path("src"), path("dst/deep/er"), false));
    EXPECT_EQ(ReadBytes(path("dst/deep/er/one.xml")), "1");
    EXPECT_EQ(ReadBytes(path("dst/deep/er/two.pdf")), "2");
    EXPECT_FALSE(fs::exists(path("dst/deep/er/folder"))); // folders are not this copy's work
    EXPECT_EQ(fs::last_write_time(path("dst/deep/er/one.xml")),
              fs::last_write_time(path("src/one.xml")));
    EXPECT_TRUE(fs::exists(path("src/one.xml")));
}

TEST_F(LinuxSetupSupportTest, CopyFilesKeepsTheModeSoProgramsStayRunnable) {
    WriteBytes(path("src/ktendwell"), "#!/bin/sh\n");
    WriteBytes(path("src/notes.txt"), "n");
    fs::permissions(path("src/ktendwell"), fs::perms(0750));
    fs::permissions(path("src/notes.txt"), fs::perms(0640));
    ASSERT_TRUE(m_setup.copyFiles("*.*", path("src"), path("dst"), false));
    EXPECT_EQ(fs::status(path("dst/ktendwell")).permissions(), fs::perms(0750));
    EXPECT_EQ(fs::status(path("dst/notes.txt")).permissions(), fs::perms(0640));
}

TEST_F(LinuxSetupSupportTest, CopyFilesHonoursThePattern) {
    WriteBytes(path("src/guide.PDF"), "g");
    WriteBytes(path("src/notes.txt"), "n");
    EXPECT_TRUE(m_setup.copyFiles("*.pdf", path("src"), path("dst"), false));
    EXPECT_TRUE(fs::exists(path("dst/guide.PDF")));
    EXPECT_FALSE(fs::exists(path("dst/notes.txt")));
}

TEST_F(LinuxSetupSupportTest, CopyFilesKeepsNewerVersionAndReplacesOlderAndEqual) {
    WriteBytes(path("src/newer"), versioned({1, 0, 0, 0}, "shipped"));
    WriteBytes(path("src/older"), versioned({2, 0, 0, 0}, "shipped"));
    WriteBytes(path("src/equal"), versioned({3, 0, 0, 0}, "shipped"));
    WriteBytes(path("dst/newer"), versioned({1, 0, 0, 5}, "installed"));
    WriteBytes(path("dst/older"), versioned({1, 9, 9, 9}, "installed"));
    WriteBytes(path("dst/equal"), versioned({3, 0, 0, 0}, "installed"));
    EXPECT_TRUE(m_setup.copyFiles("*.*", path("src"), path("dst"), false));
    EXPECT_EQ(ReadBytes(path("dst/newer")).substr(0, 9), "installed");
    EXPECT_EQ(ReadBytes(path("dst/older")).substr(0, 7), "shipped");
    EXPECT_EQ(ReadBytes(path("dst/equal")).substr(0, 7), "shipped");
}

TEST_F(LinuxSetupSupportTest, CopyFilesReplacesReadOnlyOlderFile) {
    WriteBytes(path("src/page.html"), "new page");
    WriteBytes(path("dst/page.html"), "old page");
    SetAge(path("dst/page.html"), std::chrono::hours(-48));
    fs::permissions(path("dst/page.html"), fs::perms::owner_read);
    EXPECT_TRUE(m_setup.copyFiles("*.*", path("src"), path("dst"), false));
    EXPECT_EQ(ReadBytes(path("dst/page.html")), "new page");
}

TEST_F(LinuxSetupSupportTest, CopyFilesKeepsLaterUnversionedFile) {
    WriteBytes(path("src/page.html"), "shipped");
    WriteBytes(path("dst/page.html"), "edited later");
    SetAge(path("src/page.html"), std::chrono::hours(-48));
    EXPECT_TRUE(m_setup.copyFiles("*.*", path("src"), path("dst"), false));
    EXPECT_EQ(ReadBytes(path("dst/page.html")), "edited later");
}

// Files may grow no larger than `bytes` while the object lives; writing past that fails.
class FileSizeLimit {
public:
    explicit FileSizeLimit(rlim_t bytes) {
        ::getrlimit(RLIMIT_FSIZE, &m_saved);
        m_handler = ::signal(SIGXFSZ, SIG_IGN);
        rlimit limit = m_saved;
        limit.rlim_cur = bytes;
        ::setrlimit(RLIMIT_FSIZE, &limit);
    }
    ~FileSizeLimit() {
        ::setrlimit(RLIMIT_FSIZE, &m_saved);
        ::signal(SIGXFSZ, m_handler);
    }

private:
    rlimit m_saved{};
    sighandler_t m_handler;
};

TEST_F(LinuxSetupSupportTest, CopyCutOffPartWayLeavesTheOldFileForTheNextInstall) {
    const std::string shipped(64 * 1024, 's');
    WriteBytes(path("src/guide.pdf"), shipped);
    WriteBytes(path("dst/guide.pdf"), "old guide");
    SetAge(path("src/guide.pdf"), std::chrono::hours(-1));
    SetAge(path("dst/guide.pdf"), std::chrono::hours(-48));
    {
        FileSizeLimit limit(4096);
        EXPECT_FALSE(m_setup.copyFiles("*.*", path("src"), path("dst"), false));
    }
    EXPECT_NE(m_setup.lastError().find("guide.pdf"), std::string::npos) << m_setup.lastError();
    EXPECT_EQ(ReadBytes(path("dst/guide.pdf")), "old guide");
    EXPECT_EQ(std::distance(fs::directory_iterator(path("dst")), fs::directory_iterator()), 1);

    EXPECT_TRUE(m_setup.copyFiles("*.*", path("src"), path("dst"), false));
    EXPECT_EQ(ReadBytes(path("dst/guide.pdf")), shipped);
}

TEST_F(LinuxSetupSupportTest, CopyFilesMovesWhenAsked) {
    WriteBytes(path("src/a"), "a");
    EXPECT_TRUE(m_setup.copyFiles("*.*", path("src"), path("dst"), true));
    EXPECT_TRUE(fs::exists(path("dst/a")));
    EXPECT_FALSE(fs::exists(path("src/a")));
}

TEST_F(LinuxSetupSupportTest, CopyFilesOntoItselfLosesNothing) {
    WriteBytes(path("src/a"), "a");
    EXPECT_TRUE(m_setup.copyFiles("*.*", path("src"), path("src"), true));
    EXPECT_EQ(ReadBytes(path("src/a")), "a");
}

TEST_F(LinuxSetupSupportTest, CopyFilesNeedsPatternSourceAndDestination) {
    WriteBytes(path("src/a"), "a");
    EXPECT_FALSE(m_setup.copyFiles("", path("src"), path("dst"), false));
    EXPECT_FALSE(m_setup.copyFiles("*.*", "", path("dst"), false));
    EXPECT_FALSE(m_setup.copyFiles("*.*", path("src"), "", false));
    EXPECT_FALSE(fs::exists(path("dst")));
}

TEST_F(LinuxSetupSupportTest, CopyFilesGoesOnPastAFailureAndReportsIt) {
    WriteBytes(path("src/a.txt"), "a");
    WriteBytes(path("src/b.txt"), "b");
    fs::create_directories(path("dst/a.txt/in-the-way")); // a folder where a file should go
    SetAge(path("dst/a.txt"), std::chrono::hours(-1));
    EXPECT_FALSE(m_setup.copyFiles("*.*", path("src"), path("dst"), false));
    EXPECT_EQ(ReadBytes(path("dst/b.txt")), "b");
    EXPECT_NE(m_setup.lastError().find("a.txt"), std::string::npos);
}

TEST_F(LinuxSetupSupportTest, CopyFilesRefusesALinkLeadingOutOfItsBoundsByName) {
    WriteBytes(path("src/a.txt"), "a");
    WriteBytes(path("src/shared/manual.pdf"), "manual");
    WriteBytes(path("outside/secret"), "secret");
    fs::create_directories(path("src/sub"));
    fs::create_symlink(path("outside/secret"), path("src/sub/b.txt"));
    fs::create_symlink("../shared/manual.pdf", path("src/sub/c.pdf"));
    fs::create_symlink("../a.txt", path("src/sub/d.txt"));
    EXPECT_FALSE(m_setup.copyFiles("*.*", path("src/sub"), path("dst"), false, path("src")));
    EXPECT_NE(m_setup.lastError().find(path("src/sub/b.txt")), std::string::npos)
        << m_setup.lastError();
    EXPECT_FALSE(fs::exists(fs::symlink_status(path("dst/b.txt"))));
    EXPECT_EQ(ReadBytes(path("dst/c.pdf")), "manual");
    EXPECT_FALSE(fs::is_symlink(path("dst/c.pdf")));
    // Without bounds given, links stay in the folder copied.
    EXPECT_FALSE(m_setup.copyFiles("*.*", path("src/sub"), path("dst2"), false));
    EXPECT_FALSE(fs::exists(path("dst2/c.pdf")));
    EXPECT_TRUE(m_setup.copyFiles("d.txt", path("src/sub"), path("dst3"), false, path("src")));
    EXPECT_EQ(ReadBytes(path("dst3/d.txt")), "a");
}

TEST_F(LinuxSetupSupportTest, CopyFilesFailsWhenTheDestinationCannotBeMade) {
    WriteBytes(path("src/a"), "a");
    WriteBytes(path("blocker"), "a file");
    EXPECT_FALSE(m_setup.copyFiles("*.*", path("src"), path("blocker/dst"), false));
    EXPECT_FALSE(m_setup.lastError().empty());
}

TEST_F(LinuxSetupSupportTest, CopyFilesFailsForMissingSource) {
    EXPECT_FALSE(m_setup.copyFiles("*.*", path("absent"), path("dst"), false));
    EXPECT_NE(m_setup.lastError().find("absent"), std::string::npos);
}

TEST_F(LinuxSetupSupportTest, ShortcutIsADesktopEntryThatStartsTheTarget) {
    const std::string link = m_machine.Desktop() + "/Kaldo Tendwell";
    ASSERT_TRUE(m_setup.createShortcut("/opt/Kaldo/Tendwell/ktendwell", link, "", ""));
    const std::string entry = ReadBytes(link + ".desktop");
    EXPECT_NE(entry.find("\nName=Kaldo Tendwell\n"), std::string::npos);
    EXPECT_NE(entry.find("\nExec=/opt/Kaldo/Tendwell/ktendwell\n"), std::string::npos);
    EXPECT_TRUE((fs::status(link + ".desktop").permissions() & fs::perms::owner_exec) !=
                fs::perms::none);
    EXPECT_FALSE(fs::exists(link + ".desktop.new"));
}

TEST_F(LinuxSetupSupportTest, ShortcutIsNotWrittenThroughALinkLaidBesideIt) {
    const std::string link = m_machine.Desktop() + "/Kaldo Tendwell";
    const std::string victim = path("victim.conf");
    WriteBytes(victim, "keep me\n");
    fs::create_directories(m_machine.Desktop());
    fs::create_symlink(victim, link + ".desktop.new");
    ASSERT_TRUE(m_setup.createShortcut("/opt/Kaldo/Tendwell/ktendwell", link, "", ""));
    EXPECT_EQ(ReadBytes(victim), "keep me\n");
    EXPECT_FALSE(fs::is_symlink(link + ".desktop"));
    EXPECT_NE(ReadBytes(link + ".desktop").find("\nName=Kaldo Tendwell\n"), std::string::npos);
}

TEST_F(LinuxSetupSupportTest, ShortcutsAndSubmenuPassTheDesktopFileValidator) {
    if (std::system("command -v desktop-file-validate >/dev/null 2>&1") != 0)
        GTEST_SKIP() << "desktop-file-validate is not installed";
    const std::string link = m_machine.Desktop() + "/Kaldo Tendwell";
    ASSERT_TRUE(m_setup.createShortcut(path("root/opt/Kaldo/Tendwell/ktendwell"), link,
                                       "Printer help", path("root/opt/Kaldo/Tendwell")));
    ASSERT_TRUE(m_setup.createProgramsShortcut(path("root/opt/Kaldo/Tendwell/ktendwell"),
                                               "Kaldo Presslane\\Kaldo Tendwell", "", ""));
    for (const std::string& file :
         {link + ".desktop", m_machine.CommonPrograms() + "/kaldo-tendwell.desktop",
          path("root/usr/local/share/desktop-directories/kaldo-presslane.directory")}) {
        const std::string command = "desktop-file-validate '" + file + "' 2>&1";
        FILE* pipe = popen(command.c_str(), "r");
        ASSERT_NE(pipe, nullptr);
        std::string output;
        char buffer[256];
        while (fgets(buffer, sizeof buffer, pipe) != nullptr)
            output += buffer;
        EXPECT_EQ(pclose(pipe), 0) << file << output;
        EXPECT_EQ(output, "") << file;
    }
}

TEST_F(LinuxSetupSupportTest, ProgramsShortcutIsAnEntryInASubmenuOfTheCommonMenu) {
    ASSERT_TRUE(
        m_setup.createProgramsShortcut("/opt/x", "Kaldo Presslane\\Kaldo Tendwell", "", ""));
    const std::string entry = ReadBytes(m_machine.CommonPrograms() + "/kaldo-tendwell.desktop");
    EXPECT_NE(entry.find("\nName=Kaldo Tendwell\n"), std::string::npos) << entry;
    EXPECT_NE(entry.find("\nCategories=Settings;HardwareSettings;Printing;X-Kaldo-Presslane;\n"),
              std::string::npos)
        << entry;
    EXPECT_FALSE(fs::exists(m_machine.CommonPrograms() + "/Kaldo Presslane"));
    const std::string directory =
        ReadBytes(path("root/usr/local/share/desktop-directories/kaldo-presslane.directory"));
    EXPECT_NE(directory.find("\nType=Directory\n"), std::string::npos);
    EXPECT_NE(directory.find("\nName=Kaldo Presslane\n"), std::string::npos);
    const std::string menu =
        ReadBytes(path("root/etc/xdg/menus/applications-merged/kaldo-presslane.menu"));
    EXPECT_NE(menu.find("<Directory>kaldo-presslane.directory</Directory>"), std::string::npos);
    EXPECT_NE(menu.find("<Category>X-Kaldo-Presslane</Category>"), std::string::npos);
}

TEST(InvokingUserTest, RootThroughSudoOrPkexecRunsForTheUserWhoAsked) {
    using kaldo::testsupport::ScopedEnv;
    if (::geteuid() != 0)
        GTEST_SKIP() << "only meaningful as root";
    const passwd* nobody = ::getpwuid(65534);
    ASSERT_NE(nobody, nullptr);
    ScopedEnv pkexec("PKEXEC_UID", nullptr);
    ScopedEnv sudoUid("SUDO_UID", nullptr);
    ScopedEnv sudoUser("SUDO_USER", nullptr);
    EXPECT_FALSE(kaldo::UserBehindElevation());
    {
        ScopedEnv byName("SUDO_USER", nobody->pw_name);
        const auto user = kaldo::UserBehindElevation();
        ASSERT_TRUE(user);
        EXPECT_EQ(user->Uid, 65534u);
        EXPECT_EQ(user->Home, nobody->pw_dir);
    }
    {
        ScopedEnv byUid("SUDO_UID", "65534");
        ASSERT_TRUE(kaldo::UserBehindElevation());
        EXPECT_EQ(kaldo::UserBehindElevation()->Name, nobody->pw_name);
    }
    {
        ScopedEnv rootItself("SUDO_UID", "0");
        EXPECT_FALSE(kaldo::UserBehindElevation());
        ScopedEnv pkexecUser("PKEXEC_UID", "65534");
        ASSERT_TRUE(kaldo::UserBehindElevation());
        EXPECT_EQ(kaldo::UserBehindElevation()->Uid, 65534u);
    }
}

TEST_F(LinuxSetupSupportTest, TakingTheUsersPlaceLeadsToTheUsersDesktopAndRegistry) {
    using kaldo::testsupport::ScopedEnv;
    ScopedEnv config("XDG_CONFIG_HOME", "/root/.config");
    ScopedEnv data("XDG_DATA_HOME", path("someone/data").c_str());
    kaldo::TakeUsersPlace(kaldo::InvokingUser{"someone", path("someone"), 1000, 1000});
    EXPECT_EQ(std::string(std::getenv("HOME")), path("someone"));
    EXPECT_EQ(std::getenv("XDG_CONFIG_HOME"), nullptr);
    ASSERT_NE(std::getenv("XDG_DATA_HOME"), nullptr);
    EXPECT_EQ(std::string(std::getenv("XDG_DATA_HOME")), path("someone/data"));
    EXPECT_EQ(kaldo::DesktopFolder(), path("someone/Desktop"));
    EXPECT_EQ(kaldo::IniRegistry::DefaultFile(kaldo::Hive::CurrentUser),
              path("someone/.config/kaldo/registry.ini"));
}

TEST_F(LinuxSetupSupportTest, ShortcutInTheHomeOfTheUserSetupRunsForIsTheUsers) {
    if (::geteuid() != 0)
        GTEST_SKIP() << "only root can give files away";
    m_setup.setUserFileOwner(kaldo::InvokingUser{"nobody", m_machine.Home(), 65534, 65534});
    ASSERT_TRUE(m_setup.createShortcut("/opt/x", m_machine.Desktop() + "/Kaldo Tendwell", "", ""));
    ASSERT_TRUE(
        m_setup.createProgramsShortcut("/opt/x", "Kaldo Presslane\\Kaldo Tendwell", "", ""));
    struct stat info {};
    ASSERT_EQ(::stat((m_machine.Desktop() + "/Kaldo Tendwell.desktop").c_str(), &info), 0);
    EXPECT_EQ(info.st_uid, 65534u);
    ASSERT_EQ(::stat(m_machine.Desktop().c_str(), &info), 0);
    EXPECT_EQ(info.st_uid, 65534u);
    ASSERT_EQ(::stat(m_machine.Home().c_str(), &info), 0);
    EXPECT_EQ(info.st_uid, 0u); // it was there before
    ASSERT_EQ(::stat((m_machine.CommonPrograms() + "/kaldo-tendwell.desktop").c_str(), &info), 0);
    EXPECT_EQ(info.st_uid, 0u);
}

// The user owns the home folder and may swap a link into the path at any time.
TEST_F(LinuxSetupSupportTest, OwnershipIsNeverGivenThroughALinkInThePath) {
    if (::geteuid() != 0)
        GTEST_SKIP() << "only root can give files away";
    m_setup.setUserFileOwner(kaldo::InvokingUser{"nobody", m_machine.Home(), 65534, 65534});
    fs::create_directories(path("system"));
    fs::create_directory_symlink(path("system"), m_machine.Desktop());
    ASSERT_TRUE(m_setup.createShortcut("/opt/x", m_machine.Desktop() + "/Kaldo Tendwell", "", ""));
    struct stat info {};
    ASSERT_EQ(::stat(path("system/Kaldo Tendwell.desktop").c_str(), &info), 0);
    EXPECT_EQ(info.st_uid, 0u);
}

TEST_F(LinuxSetupSupportTest, OldSystemsPutProgramsShortcutInTheUsersMenu) {
    class OldSystem : public LinuxSetupSupport {
    public:
        using LinuxSetupSupport::LinuxSetupSupport;
        int getOsClass() const override { return 6; }
    };
    OldSystem old(kTables, m_registry, "en_US");
    ASSERT_TRUE(old.createProgramsShortcut("/opt/x", "Kaldo Presslane\\Kaldo Tendwell", "", ""));
    EXPECT_TRUE(fs::exists(m_machine.UserPrograms() + "/kaldo-tendwell.desktop"));
    EXPECT_TRUE(fs::exists(path("home/config/menus/applications-merged/kaldo-presslane.menu")));
    EXPECT_TRUE(fs::exists(path("home/data/desktop-directories/kaldo-presslane.directory")));
    EXPECT_TRUE(old.deleteProgramsShortcut("Kaldo Presslane\\Kaldo Tendwell"));
    EXPECT_FALSE(fs::exists(m_machine.UserPrograms() + "/kaldo-tendwell.desktop"));
    EXPECT_FALSE(fs::exists(path("home/config/menus/applications-merged/kaldo-presslane.menu")));
}

TEST_F(LinuxSetupSupportTest, DeletingShortcutXDeletesXDotDesktopOnly) {
    WriteBytes(path("links/X.desktop"), "[Desktop Entry]\n");
    WriteBytes(path("links/X"), "other");
    EXPECT_TRUE(m_setup.deleteShortcut(path("links/X")));
    EXPECT_FALSE(fs::exists(path("links/X.desktop")));
    EXPECT_TRUE(fs::exists(path("links/X")));
    EXPECT_FALSE(m_setup.deleteShortcut(path("links/X")));
}

TEST_F(LinuxSetupSupportTest, SubmenuGoesWithItsLastEntry) {
    const std::string menu = path("root/etc/xdg/menus/applications-merged/kaldo-presslane.menu");
    const std::string directory =
        path("root/usr/local/share/desktop-directories/kaldo-presslane.directory");
    ASSERT_TRUE(
        m_setup.createProgramsShortcut("/opt/x", "Kaldo Presslane\\Kaldo Tendwell", "", ""));
    ASSERT_TRUE(m_setup.createProgramsShortcut("/opt/y", "Kaldo Presslane\\Other", "", ""));
    EXPECT_TRUE(m_setup.deleteProgramsShortcut("Kaldo Presslane\\Kaldo Tendwell"));
    EXPECT_FALSE(fs::exists(m_machine.CommonPrograms() + "/kaldo-tendwell.desktop"));
    EXPECT_TRUE(fs::exists(menu));
    EXPECT_TRUE(m_setup.deleteProgramsShortcut("Kaldo Presslane\\Other"));
    EXPECT_FALSE(fs::exists(menu));
    EXPECT_FALSE(fs::exists(directory));
    EXPECT_TRUE(fs::is_directory(m_machine.CommonPrograms()));
}

TEST_F(LinuxSetupSupportTest, ShortcutThatCannotBeWrittenFailsWithReason) {
    WriteBytes(path("blocker"), "a file");
    EXPECT_FALSE(m_setup.createShortcut("/opt/x", path("blocker/sub/X"), "", ""));
    EXPECT_NE(m_setup.lastError().find("blocker"), std::string::npos);
}

TEST_F(LinuxSetupSupportTest, DeleteTreeAnswersZero) {
    WriteBytes(path("tree/a"), "a");
    EXPECT_EQ(m_setup.deleteTree(path("tree"), "*.*"), 0);
    EXPECT_FALSE(fs::exists(path("tree")));
    EXPECT_EQ(m_setup.deleteTree(path("tree"), "*.*"), 0);
}

} // namespace
