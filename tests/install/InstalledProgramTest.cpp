// The program as the installer lays it out, owned by root, run by ordinary users: each gets
// the pages in a state folder of their own, and nobody writes into the program folder.
#include "tests/platform/TempFolder.h"
#include "tests/support/PrivateCups.h"
#include "tests/support/UnprivilegedUser.h"

#include "TestPaths.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <string>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace kaldo {
namespace {

namespace fs = std::filesystem;
using testsupport::TreeListing;
using testsupport::UnprivilegedUser;

constexpr uid_t kFirstUser = 65534;
constexpr uid_t kSecondUser = 65533;
constexpr uid_t kQueryUser = 65532;

// Lays out a distribution folder the way scripts/dist does, from the build's programs.
void MakeDistribution(const fs::path& dist) {
    fs::create_directories(dist / "Data");
    for (const char* program :
         {KTENDWELL_PROGRAM, TENDWELLINSTALL_PROGRAM, TENDWELLUNINSTALL_PROGRAM, KTWNUTIL_LIBRARY})
        fs::copy_file(program, dist / fs::path(program).filename());
    for (const auto& entry : fs::directory_iterator(KALDO_CONTENT_DIR)) {
        if (entry.is_directory())
            fs::copy(entry.path(), dist / "Data" / entry.path().filename(),
                     fs::copy_options::recursive);
    }
}

std::string Problems(const std::vector<std::string>& before,
                     const std::vector<std::string>& after) {
    std::string text;
    for (const std::string& line : after) {
        if (std::find(before.begin(), before.end(), line) == before.end())
            text += "now:    " + line + "\n";
    }
    for (const std::string& line : before) {
        if (std::find(after.begin(), after.end(), line) == after.end())
            text += "before: " + line + "\n";
    }
    return text;
}

class InstalledProgramTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        if (::geteuid() != 0)
            return;
        s_base = std::make_unique<testing::TempFolder>();
        const std::string base = s_base->Path();
        // Every user passes through to the program folder and their own folders.
        fs::permissions(base, fs::perms(0755));
        MakeDistribution(base + "/dist");

        s_cups = std::make_unique<testsupport::PrivateCups>();
        if (!s_cups->Started())
            return;
        s_cupsReady =
            s_cups->AddQueueForModel("Office_3020", "socket://127.0.0.5:9100",
                                     "Kaldo Presslane 3020 PS") &&
            s_cups->AddQueueForModel("Tessaro", "lpd://127.0.0.7/queue", "Tessaro Inkline 5 PCL");

        const std::vector<std::string> installer{
            "KALDO_ROOT=" + base + "/root", "HOME=" + base + "/admin",
            "XDG_CONFIG_HOME=" + base + "/admin/config", "XDG_DATA_HOME=" + base + "/admin/data",
            "KALDO_EXIT_WHEN_READY=1"};
        s_installed =
            s_cups->Run({base + "/dist/tendwellinstall", "--silent"}, installer, &s_installLog);
        // The lock folders of every user.
        fs::create_directories(base + "/root/tmp");
        fs::permissions(base + "/root/tmp", fs::perms(01777));
    }

    static void TearDownTestSuite() {
        s_cups.reset();
        s_base.reset();
    }

    void SetUp() override {
        if (::geteuid() != 0)
            GTEST_SKIP() << "only root can run the program as other users";
        ASSERT_TRUE(s_cups->Started()) << s_cups->Error();
        ASSERT_TRUE(s_cupsReady) << s_cups->Log();
        ASSERT_EQ(s_installed, 0) << s_installLog;
        m_before = TreeListing(Program());
    }

    void TearDown() override {
        if (m_before.empty())
            return;
        const std::vector<std::string> after = TreeListing(Program());
        EXPECT_EQ(after, m_before) << "the program folder changed:\n" << Problems(m_before, after);
    }

    static std::string Program() { return s_base->Path() + "/root/opt/Kaldo/Tendwell"; }

    std::vector<std::string> Environment(const UnprivilegedUser& user) const {
        return user.Environment(s_cups->Server(), {"KALDO_ROOT=" + s_base->Path() + "/root",
                                                   "KALDO_HOME_PAGE=http://127.0.0.1:9/"});
    }

    // The pages of the start-up are this user's own files.
    static void ExpectOwnPages(const UnprivilegedUser& user) {
        const std::string model = user.StateFolder() + "/Data/presslane_3000";
        for (const char* page : {"ui/header.html", "ui/status.html", "ui/index.html",
                                 "xml/header.xml", "toolbox.xml"}) {
            struct stat info {};
            ASSERT_EQ(::lstat((model + "/" + page).c_str(), &info), 0) << page;
            EXPECT_TRUE(S_ISREG(info.st_mode)) << page;
            EXPECT_EQ(info.st_uid, user.Uid()) << page;
        }
        // The installed pages, documents and pictures are linked, not copied.
        EXPECT_TRUE(fs::is_symlink(model + "/ui/home.html"));
        EXPECT_TRUE(fs::is_symlink(model + "/ui/pdfs/quick_setup.pdf"));
        EXPECT_TRUE(fs::is_symlink(model + "/ui/images/caption.png"));
    }

    static inline std::unique_ptr<testing::TempFolder> s_base;
    static inline std::unique_ptr<testsupport::PrivateCups> s_cups;
    static inline bool s_cupsReady = false;
    static inline int s_installed = -1;
    static inline std::string s_installLog;
    std::vector<std::string> m_before;
};

TEST_F(InstalledProgramTest, InstallationIsOwnedByRootAndReadableByAll) {
    for (const auto& entry : fs::recursive_directory_iterator(Program())) {
        struct stat info {};
        ASSERT_EQ(::lstat(entry.path().c_str(), &info), 0);
        EXPECT_EQ(info.st_uid, 0u) << entry.path();
        const unsigned mode = info.st_mode & 07777;
        if (S_ISDIR(info.st_mode))
            EXPECT_EQ(mode, 0755u) << entry.path();
        else
            EXPECT_TRUE(mode == 0644u || mode == 0755u) << entry.path() << " " << mode;
    }
}

TEST_F(InstalledProgramTest, OrdinaryUserStartsTheWindowWithPagesOfTheirOwn) {
    UnprivilegedUser user(kFirstUser, s_base->Path());
    ASSERT_EQ(user.Run(Program(), {"Office_3020"}, Environment(user)), 0) << user.Output();
    EXPECT_EQ(user.Output().find("Fatal Error"), std::string::npos) << user.Output();
    ExpectOwnPages(user);
    // A second start finds the mirror made and starts again.
    ASSERT_EQ(user.Run(Program(), {"Office_3020"}, Environment(user)), 0) << user.Output();
    ExpectOwnPages(user);
}

TEST_F(InstalledProgramTest, TwoUsersAtTheSameTimeKeepToTheirOwnFolders) {
    UnprivilegedUser first(kFirstUser, s_base->Path());
    UnprivilegedUser second(kSecondUser, s_base->Path());
    const pid_t one = first.Start(Program(), {"Office_3020"}, Environment(first));
    const pid_t two = second.Start(Program(), {"Office_3020"}, Environment(second));
    EXPECT_EQ(first.Wait(one), 0) << first.Output();
    EXPECT_EQ(second.Wait(two), 0) << second.Output();
    ExpectOwnPages(first);
    ExpectOwnPages(second);
}

TEST_F(InstalledProgramTest, QueryAnswersAndWritesNothing) {
    UnprivilegedUser user(kQueryUser, s_base->Path());
    const std::vector<std::string> home = TreeListing(user.Home());
    EXPECT_EQ(user.Run(Program(), {"/t", "Office_3020"}, Environment(user)), 1) << user.Output();
    EXPECT_EQ(user.Run(Program(), {"/t", "Tessaro"}, Environment(user)), 0) << user.Output();
    EXPECT_EQ(TreeListing(user.Home()), home);
    EXPECT_FALSE(fs::exists(user.StateFolder()));
}

} // namespace
} // namespace kaldo
