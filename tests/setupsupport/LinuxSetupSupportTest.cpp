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

std::string Versioned(const FileVersion& version, const std::string& filler = "ELF") {
    const auto block = kaldo::EncodeFixedFileInfo(version);
    return filler + std::string(block.begin(), block.end());
}

class LinuxSetupSupportTest : public testing::Test {
protected:
    std::string Path(const std::string& relative) const { return m_machine.Path(relative); }

    SetupTestMachine m_machine;
    kaldo::IniRegistry m_registry{m_machine.MachineRegistry(), m_machine.UserRegistry()};
    LinuxSetupSupport m_setup{kTables, m_registry, "en_US.UTF-8"};
};

TEST_F(LinuxSetupSupportTest, ThisMachineIsASupportedWorkstationWithoutWow64) {
    EXPECT_EQ(m_setup.getOsClass(), 12);
    EXPECT_EQ(m_setup.GetProductType(), kaldo::kProductWorkstation);
    EXPECT_EQ(m_setup.getWow64State(), 0);
    EXPECT_EQ(m_setup.getVersionInfo().Platform, kaldo::kPlatformNt);
    EXPECT_EQ(m_setup.getLanguageCode(), "ENU");
}

TEST_F(LinuxSetupSupportTest, ProductTypeComesFromTheRegistry) {
    m_registry.SetValue(kaldo::Hive::LocalMachine,
                        "SYSTEM\\CurrentControlSet\\Control\\ProductOptions", "ProductType",
                        "ServerNT");
    LinuxSetupSupport server(kTables, m_registry, "de_CH.UTF-8");
    EXPECT_EQ(server.GetProductType(), kaldo::kProductServer);
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
    fs::create_directories(Path("root/opt"));
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
    fs::permissions(Path("root"), fs::perms::all);
    fs::permissions(Path("root/opt"), fs::perms::all);
    EXPECT_EQ(childAnswer(), 1);
}

TEST_F(LinuxSetupSupportTest, DeleteFileRemovesReadOnlyFile) {
    WriteBytes(Path("f.txt"), "x");
    fs::permissions(Path("f.txt"), fs::perms::owner_read);
    EXPECT_TRUE(m_setup.deleteFile(Path("f.txt")));
    EXPECT_FALSE(fs::exists(Path("f.txt")));
}

// Root removes shortcuts from folders that users write: what stands at the name, or another
// name of the same file, keeps its mode.
TEST_F(LinuxSetupSupportTest, DeleteFileLeavesTheModeOfWhatItRemovesAlone) {
    WriteBytes(Path("elsewhere/precious"), "x");
    fs::permissions(Path("elsewhere/precious"), fs::perms::owner_read);
    fs::create_directories(Path("desk"));
    fs::create_hard_link(Path("elsewhere/precious"), Path("desk/X.desktop"));
    EXPECT_TRUE(m_setup.deleteShortcut(Path("desk/X")));
    EXPECT_FALSE(fs::exists(Path("desk/X.desktop")));
    EXPECT_EQ(fs::status(Path("elsewhere/precious")).permissions(), fs::perms::owner_read);
}

TEST_F(LinuxSetupSupportTest, DeleteMissingFileFailsWithReason) {
    EXPECT_FALSE(m_setup.deleteFile(Path("absent.txt")));
    EXPECT_NE(m_setup.lastError().find("absent.txt"), std::string::npos);
}

TEST_F(LinuxSetupSupportTest, FileVersionComesFromTheEmbeddedBlock) {
    WriteBytes(Path("prog"), Versioned({1, 2, 3, 4}));
    WriteBytes(Path("plain"), "no block");
    ASSERT_TRUE(m_setup.getFileVersion(Path("prog")));
    EXPECT_EQ(m_setup.getFileVersion(Path("prog"))->ToString(), "1.2.3.4");
    EXPECT_FALSE(m_setup.getFileVersion(Path("plain")));
}

TEST_F(LinuxSetupSupportTest, HigherDestinationVersionWins) {
    WriteBytes(Path("a/prog"), Versioned({1, 2, 3, 4}));
    WriteBytes(Path("b/prog"), Versioned({1, 2, 3, 10}));
    EXPECT_EQ(m_setup.compareFiles("prog", Path("a"), "prog", Path("b")),
              kaldo::kCompareDestinationNewer);
    EXPECT_EQ(m_setup.compareFiles("prog", Path("b"), "prog", Path("a")),
              kaldo::kCompareSourceNewer);
}

TEST_F(LinuxSetupSupportTest, EqualVersionsCompareEqualWhateverTheTimes) {
    WriteBytes(Path("a/prog"), Versioned({2, 0, 0, 0}, "old"));
    WriteBytes(Path("b/prog"), Versioned({2, 0, 0, 0}, "new"));
    SetAge(Path("b/prog"), std::chrono::hours(1));
    EXPECT_EQ(m_setup.compareFiles("prog", Path("a"), "prog", Path("b")),
              kaldo::kCompareSameVersion);
}

TEST_F(LinuxSetupSupportTest, OnlyOneVersionedFileCountsAsNewer) {
    WriteBytes(Path("a/prog"), Versioned({1, 0, 0, 0}));
    WriteBytes(Path("b/prog"), "plain");
    EXPECT_EQ(m_setup.compareFiles("prog", Path("a"), "prog", Path("b")),
              kaldo::kCompareSourceNewer);
    EXPECT_EQ(m_setup.compareFiles("prog", Path("b"), "prog", Path("a")),
              kaldo::kCompareDestinationNewer);
}

TEST_F(LinuxSetupSupportTest, UnversionedFilesCompareByWriteTime) {
    WriteBytes(Path("a/f"), "a");
    WriteBytes(Path("b/f"), "b");
    SetAge(Path("a/f"), std::chrono::hours(-2));
    SetAge(Path("b/f"), std::chrono::hours(-1));
    EXPECT_EQ(m_setup.compareFiles("f", Path("a"), "f", Path("b")),
              kaldo::kCompareDestinationNewer);
    EXPECT_EQ(m_setup.compareFiles("f", Path("b"), "f", Path("a")), kaldo::kCompareSourceNewer);
    fs::last_write_time(Path("b/f"), fs::last_write_time(Path("a/f")));
    EXPECT_EQ(m_setup.compareFiles("f", Path("a"), "f", Path("b")), kaldo::kCompareSourceNewer);
}

TEST_F(LinuxSetupSupportTest, MissingFilesCompareByExistence) {
    WriteBytes(Path("a/f"), "a");
    EXPECT_EQ(m_setup.compareFiles("f", Path("a"), "f", Path("b")),
              kaldo::kCompareDestinationNewer);
    EXPECT_EQ(m_setup.compareFiles("f", Path("b"), "f", Path("a")), kaldo::kCompareSourceNewer);
    EXPECT_EQ(m_setup.compareFiles("g", Path("a"), "g", Path("b")), kaldo::kCompareNeitherExists);
}

TEST_F(LinuxSetupSupportTest, EmptyFolderMeansTheNameIsTheWholePath) {
    WriteBytes(Path("a/prog"), Versioned({3, 0, 0, 0}));
    WriteBytes(Path("b/prog"), Versioned({3, 0, 0, 0}));
    EXPECT_EQ(m_setup.compareFiles(Path("a/prog"), "", Path("b/prog"), ""),
              kaldo::kCompareSameVersion);
}

TEST_F(LinuxSetupSupportTest, CopyFilesMakesTheDestinationAndKeepsWriteTimes) {
    WriteBytes(Path("src/one.xml"), "1");
    WriteBytes(Path("src/two.pdf"), "2");
    SetAge(Path("src/one.xml"), std::chrono::hours(-24));
    fs::create_directories(Path("src/folder"));
    EXPECT_TRUE(m_setup.copyFiles("*.*", Path("src"), Path("dst/deep/er"), false));
    EXPECT_EQ(ReadBytes(Path("dst/deep/er/one.xml")), "1");
    EXPECT_EQ(ReadBytes(Path("dst/deep/er/two.pdf")), "2");
    EXPECT_FALSE(fs::exists(Path("dst/deep/er/folder"))); // folders are not this copy's work
    EXPECT_EQ(fs::last_write_time(Path("dst/deep/er/one.xml")),
              fs::last_write_time(Path("src/one.xml")));
    EXPECT_TRUE(fs::exists(Path("src/one.xml")));
}

TEST_F(LinuxSetupSupportTest, CopyFilesKeepsTheModeSoProgramsStayRunnable) {
    WriteBytes(Path("src/ktendwell"), "#!/bin/sh\n");
    WriteBytes(Path("src/notes.txt"), "n");
    fs::permissions(Path("src/ktendwell"), fs::perms(0750));
    fs::permissions(Path("src/notes.txt"), fs::perms(0640));
    ASSERT_TRUE(m_setup.copyFiles("*.*", Path("src"), Path("dst"), false));
    EXPECT_EQ(fs::status(Path("dst/ktendwell")).permissions(), fs::perms(0750));
    EXPECT_EQ(fs::status(Path("dst/notes.txt")).permissions(), fs::perms(0640));
}

TEST_F(LinuxSetupSupportTest, CopyFilesHonoursThePattern) {
    WriteBytes(Path("src/guide.PDF"), "g");
    WriteBytes(Path("src/notes.txt"), "n");
    EXPECT_TRUE(m_setup.copyFiles("*.pdf", Path("src"), Path("dst"), false));
    EXPECT_TRUE(fs::exists(Path("dst/guide.PDF")));
    EXPECT_FALSE(fs::exists(Path("dst/notes.txt")));
}

TEST_F(LinuxSetupSupportTest, CopyFilesKeepsNewerVersionAndReplacesOlderAndEqual) {
    WriteBytes(Path("src/newer"), Versioned({1, 0, 0, 0}, "shipped"));
    WriteBytes(Path("src/older"), Versioned({2, 0, 0, 0}, "shipped"));
    WriteBytes(Path("src/equal"), Versioned({3, 0, 0, 0}, "shipped"));
    WriteBytes(Path("dst/newer"), Versioned({1, 0, 0, 5}, "installed"));
    WriteBytes(Path("dst/older"), Versioned({1, 9, 9, 9}, "installed"));
    WriteBytes(Path("dst/equal"), Versioned({3, 0, 0, 0}, "installed"));
    EXPECT_TRUE(m_setup.copyFiles("*.*", Path("src"), Path("dst"), false));
    EXPECT_EQ(ReadBytes(Path("dst/newer")).substr(0, 9), "installed");
    EXPECT_EQ(ReadBytes(Path("dst/older")).substr(0, 7), "shipped");
    EXPECT_EQ(ReadBytes(Path("dst/equal")).substr(0, 7), "shipped");
}

TEST_F(LinuxSetupSupportTest, CopyFilesReplacesReadOnlyOlderFile) {
    WriteBytes(Path("src/page.html"), "new page");
    WriteBytes(Path("dst/page.html"), "old page");
    SetAge(Path("dst/page.html"), std::chrono::hours(-48));
    fs::permissions(Path("dst/page.html"), fs::perms::owner_read);
    EXPECT_TRUE(m_setup.copyFiles("*.*", Path("src"), Path("dst"), false));
    EXPECT_EQ(ReadBytes(Path("dst/page.html")), "new page");
}

TEST_F(LinuxSetupSupportTest, CopyFilesKeepsLaterUnversionedFile) {
    WriteBytes(Path("src/page.html"), "shipped");
    WriteBytes(Path("dst/page.html"), "edited later");
    SetAge(Path("src/page.html"), std::chrono::hours(-48));
    EXPECT_TRUE(m_setup.copyFiles("*.*", Path("src"), Path("dst"), false));
    EXPECT_EQ(ReadBytes(Path("dst/page.html")), "edited later");
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
    WriteBytes(Path("src/guide.pdf"), shipped);
    WriteBytes(Path("dst/guide.pdf"), "old guide");
    SetAge(Path("src/guide.pdf"), std::chrono::hours(-1));
    SetAge(Path("dst/guide.pdf"), std::chrono::hours(-48));
    {
        FileSizeLimit limit(4096);
        EXPECT_FALSE(m_setup.copyFiles("*.*", Path("src"), Path("dst"), false));
    }
    EXPECT_NE(m_setup.lastError().find("guide.pdf"), std::string::npos) << m_setup.lastError();
    EXPECT_EQ(ReadBytes(Path("dst/guide.pdf")), "old guide");
    EXPECT_EQ(std::distance(fs::directory_iterator(Path("dst")), fs::directory_iterator()), 1);

    EXPECT_TRUE(m_setup.copyFiles("*.*", Path("src"), Path("dst"), false));
    EXPECT_EQ(ReadBytes(Path("dst/guide.pdf")), shipped);
}

TEST_F(LinuxSetupSupportTest, CopyFilesMovesWhenAsked) {
    WriteBytes(Path("src/a"), "a");
    EXPECT_TRUE(m_setup.copyFiles("*.*", Path("src"), Path("dst"), true));
    EXPECT_TRUE(fs::exists(Path("dst/a")));
    EXPECT_FALSE(fs::exists(Path("src/a")));
}

TEST_F(LinuxSetupSupportTest, CopyFilesOntoItselfLosesNothing) {
    WriteBytes(Path("src/a"), "a");
    EXPECT_TRUE(m_setup.copyFiles("*.*", Path("src"), Path("src"), true));
    EXPECT_EQ(ReadBytes(Path("src/a")), "a");
}

TEST_F(LinuxSetupSupportTest, CopyFilesNeedsPatternSourceAndDestination) {
    WriteBytes(Path("src/a"), "a");
    EXPECT_FALSE(m_setup.copyFiles("", Path("src"), Path("dst"), false));
    EXPECT_FALSE(m_setup.copyFiles("*.*", "", Path("dst"), false));
    EXPECT_FALSE(m_setup.copyFiles("*.*", Path("src"), "", false));
    EXPECT_FALSE(fs::exists(Path("dst")));
}

TEST_F(LinuxSetupSupportTest, CopyFilesGoesOnPastAFailureAndReportsIt) {
    WriteBytes(Path("src/a.txt"), "a");
    WriteBytes(Path("src/b.txt"), "b");
    fs::create_directories(Path("dst/a.txt/in-the-way")); // a folder where a file should go
    SetAge(Path("dst/a.txt"), std::chrono::hours(-1));
    EXPECT_FALSE(m_setup.copyFiles("*.*", Path("src"), Path("dst"), false));
    EXPECT_EQ(ReadBytes(Path("dst/b.txt")), "b");
    EXPECT_NE(m_setup.lastError().find("a.txt"), std::string::npos);
}

TEST_F(LinuxSetupSupportTest, CopyFilesRefusesALinkLeadingOutOfItsBoundsByName) {
    WriteBytes(Path("src/a.txt"), "a");
    WriteBytes(Path("src/shared/manual.pdf"), "manual");
    WriteBytes(Path("outside/secret"), "secret");
    fs::create_directories(Path("src/sub"));
    fs::create_symlink(Path("outside/secret"), Path("src/sub/b.txt"));
    fs::create_symlink("../shared/manual.pdf", Path("src/sub/c.pdf"));
    fs::create_symlink("../a.txt", Path("src/sub/d.txt"));
    EXPECT_FALSE(m_setup.copyFiles("*.*", Path("src/sub"), Path("dst"), false, Path("src")));
    EXPECT_NE(m_setup.lastError().find(Path("src/sub/b.txt")), std::string::npos)
        << m_setup.lastError();
    EXPECT_FALSE(fs::exists(fs::symlink_status(Path("dst/b.txt"))));
    EXPECT_EQ(ReadBytes(Path("dst/c.pdf")), "manual");
    EXPECT_FALSE(fs::is_symlink(Path("dst/c.pdf")));
    // Without bounds given, links stay in the folder copied.
    EXPECT_FALSE(m_setup.copyFiles("*.*", Path("src/sub"), Path("dst2"), false));
    EXPECT_FALSE(fs::exists(Path("dst2/c.pdf")));
    EXPECT_TRUE(m_setup.copyFiles("d.txt", Path("src/sub"), Path("dst3"), false, Path("src")));
    EXPECT_EQ(ReadBytes(Path("dst3/d.txt")), "a");
}

TEST_F(LinuxSetupSupportTest, CopyFilesFailsWhenTheDestinationCannotBeMade) {
    WriteBytes(Path("src/a"), "a");
    WriteBytes(Path("blocker"), "a file");
    EXPECT_FALSE(m_setup.copyFiles("*.*", Path("src"), Path("blocker/dst"), false));
    EXPECT_FALSE(m_setup.lastError().empty());
}

TEST_F(LinuxSetupSupportTest, CopyFilesFailsForMissingSource) {
    EXPECT_FALSE(m_setup.copyFiles("*.*", Path("absent"), Path("dst"), false));
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
    const std::string victim = Path("victim.conf");
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
    ASSERT_TRUE(m_setup.createShortcut(Path("root/opt/Kaldo/Tendwell/ktendwell"), link,
                                       "Printer help", Path("root/opt/Kaldo/Tendwell")));
    ASSERT_TRUE(m_setup.createProgramsShortcut(Path("root/opt/Kaldo/Tendwell/ktendwell"),
                                               "Kaldo Presslane\\Kaldo Tendwell", "", ""));
    for (const std::string& file :
         {link + ".desktop", m_machine.CommonPrograms() + "/kaldo-tendwell.desktop",
          Path("root/usr/local/share/desktop-directories/kaldo-presslane.directory")}) {
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
        ReadBytes(Path("root/usr/local/share/desktop-directories/kaldo-presslane.directory"));
    EXPECT_NE(directory.find("\nType=Directory\n"), std::string::npos);
    EXPECT_NE(directory.find("\nName=Kaldo Presslane\n"), std::string::npos);
    const std::string menu =
        ReadBytes(Path("root/etc/xdg/menus/applications-merged/kaldo-presslane.menu"));
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
    ScopedEnv data("XDG_DATA_HOME", Path("someone/data").c_str());
    kaldo::TakeUsersPlace(kaldo::InvokingUser{"someone", Path("someone"), 1000, 1000});
    EXPECT_EQ(std::string(std::getenv("HOME")), Path("someone"));
    EXPECT_EQ(std::getenv("XDG_CONFIG_HOME"), nullptr);
    ASSERT_NE(std::getenv("XDG_DATA_HOME"), nullptr);
    EXPECT_EQ(std::string(std::getenv("XDG_DATA_HOME")), Path("someone/data"));
    EXPECT_EQ(kaldo::DesktopFolder(), Path("someone/Desktop"));
    EXPECT_EQ(kaldo::IniRegistry::DefaultFile(kaldo::Hive::CurrentUser),
              Path("someone/.config/kaldo/registry.ini"));
}

TEST_F(LinuxSetupSupportTest, ShortcutInTheHomeOfTheUserSetupRunsForIsTheUsers) {
    if (::geteuid() != 0)
        GTEST_SKIP() << "only root can give files away";
    m_setup.SetUserFileOwner(kaldo::InvokingUser{"nobody", m_machine.Home(), 65534, 65534});
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
    m_setup.SetUserFileOwner(kaldo::InvokingUser{"nobody", m_machine.Home(), 65534, 65534});
    fs::create_directories(Path("system"));
    fs::create_directory_symlink(Path("system"), m_machine.Desktop());
    ASSERT_TRUE(m_setup.createShortcut("/opt/x", m_machine.Desktop() + "/Kaldo Tendwell", "", ""));
    struct stat info {};
    ASSERT_EQ(::stat(Path("system/Kaldo Tendwell.desktop").c_str(), &info), 0);
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
    EXPECT_TRUE(fs::exists(Path("home/config/menus/applications-merged/kaldo-presslane.menu")));
    EXPECT_TRUE(fs::exists(Path("home/data/desktop-directories/kaldo-presslane.directory")));
    EXPECT_TRUE(old.deleteProgramsShortcut("Kaldo Presslane\\Kaldo Tendwell"));
    EXPECT_FALSE(fs::exists(m_machine.UserPrograms() + "/kaldo-tendwell.desktop"));
    EXPECT_FALSE(fs::exists(Path("home/config/menus/applications-merged/kaldo-presslane.menu")));
}

TEST_F(LinuxSetupSupportTest, DeletingShortcutXDeletesXDotDesktopOnly) {
    WriteBytes(Path("links/X.desktop"), "[Desktop Entry]\n");
    WriteBytes(Path("links/X"), "other");
    EXPECT_TRUE(m_setup.deleteShortcut(Path("links/X")));
    EXPECT_FALSE(fs::exists(Path("links/X.desktop")));
    EXPECT_TRUE(fs::exists(Path("links/X")));
    EXPECT_FALSE(m_setup.deleteShortcut(Path("links/X")));
}

TEST_F(LinuxSetupSupportTest, SubmenuGoesWithItsLastEntry) {
    const std::string menu = Path("root/etc/xdg/menus/applications-merged/kaldo-presslane.menu");
    const std::string directory =
        Path("root/usr/local/share/desktop-directories/kaldo-presslane.directory");
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
    WriteBytes(Path("blocker"), "a file");
    EXPECT_FALSE(m_setup.createShortcut("/opt/x", Path("blocker/sub/X"), "", ""));
    EXPECT_NE(m_setup.lastError().find("blocker"), std::string::npos);
}

TEST_F(LinuxSetupSupportTest, DeleteTreeAnswersZero) {
    WriteBytes(Path("tree/a"), "a");
    EXPECT_EQ(m_setup.deleteTree(Path("tree"), "*.*"), 0);
    EXPECT_FALSE(fs::exists(Path("tree")));
    EXPECT_EQ(m_setup.deleteTree(Path("tree"), "*.*"), 0);
}

} // namespace
