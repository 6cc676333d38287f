// The program as the installer lays it out and as the Debian package installs it, owned by
// root, run by ordinary users: each gets the pages in a state folder of their own, and nobody
// writes into the program folder.
#include "tests/support/PrivateCups.h"
#include "tests/support/TempFolder.h"
#include "tests/support/TestFiles.h"
#include "tests/support/UnprivilegedUser.h"

#include "TestPaths.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
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
    for (const char* program : {KTENDWELL_PROGRAM, TENDWELLINSTALL_PROGRAM,
                                TENDWELLUNINSTALL_PROGRAM, KTWNUTIL_LIBRARY, KTWNCURL_MODULE})
        fs::copy_file(program, dist / fs::path(program).filename());
    testsupport::InstallContentFolders(KALDO_CONTENT_DIR, dist);
}

std::string ReadText(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
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

enum class Layout { Wizard, Package };

std::string LayoutName(const ::testing::TestParamInfo<Layout>& info) {
    return info.param == Layout::Wizard ? "Wizard" : "Package";
}

// One installation per layout, made once and kept for every case of that layout.
struct Installation {
    std::string Root;    // what stands for "/" of the machine
    std::string Problem; // why the installation could not be made
};

class InstalledProgramTest : public ::testing::TestWithParam<Layout> {
protected:
    static void SetUpTestSuite() {
        if (::geteuid() != 0)
            return;
        s_base = std::make_unique<testsupport::TempFolder>();
        // Every user passes through to the program folder and their own folders.
        fs::permissions(s_base->Path(), fs::perms(0755));
        s_cups = std::make_unique<testsupport::PrivateCups>();
        if (!s_cups->Started())
            return;
        s_cupsReady =
            s_cups->AddQueueForModel("Office_3020", "socket://127.0.0.5:9100",
                                     "Kaldo Presslane 3020 PS") &&
            s_cups->AddQueueForModel("Tessaro", "lpd://127.0.0.7/queue", "Tessaro Inkline 5 PCL");
    }

    static void TearDownTestSuite() {
        s_installations.clear();
        s_cups.reset();
        s_base.reset();
    }

    // The wizard's silent installation from a distribution folder of the build's programs.
    static Installation InstallWithWizard() {
        const std::string base = s_base->Path();
        MakeDistribution(base + "/dist");
        Installation installation{base + "/wizard", ""};
        const std::vector<std::string> installer{
            "KALDO_ROOT=" + installation.Root, "HOME=" + base + "/admin",
            "XDG_CONFIG_HOME=" + base + "/admin/config", "XDG_DATA_HOME=" + base + "/admin/data",
            "KALDO_EXIT_WHEN_READY=1"};
        std::string log;
        if (s_cups->Run({base + "/dist/tendwellinstall", "--silent"}, installer, &log) != 0)
            installation.Problem = "the installer failed:\n" + log;
        return installation;
    }

    // The package's files as dpkg puts them in place: root-owned, written only by root.
    static Installation ExtractPackage() {
        Installation installation{s_base->Path() + "/package", ""};
        fs::create_directories(installation.Root);
        const std::string command = "dpkg-deb -x '" + std::string(KALDO_PACKAGE_FILE) + "' '" +
                                    installation.Root + "' && chmod -R go-w '" + installation.Root +
                                    "'";
        if (!fs::exists(KALDO_PACKAGE_FILE) || std::system(command.c_str()) != 0)
            installation.Problem = "cannot extract " + std::string(KALDO_PACKAGE_FILE);
        return installation;
    }

    void SetUp() override {
        if (::geteuid() != 0)
            GTEST_SKIP() << "only root can run the program as other users";
        ASSERT_TRUE(s_cups->Started()) << s_cups->Error();
        ASSERT_TRUE(s_cupsReady) << s_cups->Log();
        auto made = s_installations.find(GetParam());
        if (made == s_installations.end()) {
            const Installation installation =
                GetParam() == Layout::Wizard ? InstallWithWizard() : ExtractPackage();
            made = s_installations.emplace(GetParam(), installation).first;
        }
        m_installation = made->second;
        ASSERT_EQ(m_installation.Problem, "");
        m_before = TreeListing(Program());
    }

    void TearDown() override {
        if (m_before.empty())
            return;
        const std::vector<std::string> after = TreeListing(Program());
        EXPECT_EQ(after, m_before) << "the program folder changed:\n" << Problems(m_before, after);
    }

    std::string Program() const { return m_installation.Root + "/opt/Kaldo/Tendwell"; }

    std::vector<std::string> Environment(const UnprivilegedUser& user,
                                         const std::string& locale = "C.UTF-8") const {
        return user.Environment(s_cups->Server(),
                                {"KALDO_ROOT=" + m_installation.Root,
                                 "KALDO_HOME_PAGE=http://127.0.0.1:9/", "LC_ALL=" + locale});
    }

    // The pages of the start-up are this user's own files.
    static void ExpectOwnPages(const UnprivilegedUser& user) {
        const std::string model = user.StateFolder() + "/Data/presslane_3000";
        for (const char* page : {"ui/header.html", "ui/status.html", "xml/footer.xml",
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

    static inline std::unique_ptr<testsupport::TempFolder> s_base;
    static inline std::unique_ptr<testsupport::PrivateCups> s_cups;
    static inline bool s_cupsReady = false;
    static inline std::map<Layout, Installation> s_installations;
    Installation m_installation;
    std::vector<std::string> m_before;
};

TEST_P(InstalledProgramTest, InstallationIsOwnedByRootAndReadableByAll) {
    for (const auto& entry : fs::recursive_directory_iterator(Program())) {
        struct stat info {};
        ASSERT_EQ(::lstat(entry.path().c_str(), &info), 0);
        EXPECT_EQ(info.st_uid, 0u) << entry.path();
        if (S_ISLNK(info.st_mode))
            continue;
        const unsigned mode = info.st_mode & 07777;
        if (S_ISDIR(info.st_mode))
            EXPECT_EQ(mode, 0755u) << entry.path();
        else
            EXPECT_TRUE(mode == 0644u || mode == 0755u) << entry.path() << " " << mode;
    }
}

TEST_P(InstalledProgramTest, OrdinaryUserStartsTheWindowWithPagesOfTheirOwn) {
    UnprivilegedUser user(kFirstUser, s_base->Path());
    ASSERT_EQ(user.Run(Program(), {"Office_3020"}, Environment(user)), 0) << user.Output();
    EXPECT_EQ(user.Output().find("Fatal Error"), std::string::npos) << user.Output();
    ExpectOwnPages(user);
    // A second start finds the mirror made and starts again. Its status refresh asks the
    // printer over HTTP, which brings in the download module from the program folder.
    std::vector<std::string> refresh = Environment(user);
    refresh.insert(refresh.end(), {"KALDO_EXIT_AFTER=refresh", "KALDO_EXIT_AFTER_MS=3000",
                                   "QT_LOGGING_RULES=kaldo.trace.debug=true"});
    ASSERT_EQ(user.Run(Program(), {"Office_3020"}, refresh), 0) << user.Output();
    ExpectOwnPages(user);
    EXPECT_NE(user.Output().find("InternetAttemptConnect - success"), std::string::npos)
        << user.Output();
}

TEST_P(InstalledProgramTest, TwoUsersAtTheSameTimeKeepToTheirOwnFolders) {
    UnprivilegedUser first(kFirstUser, s_base->Path());
    UnprivilegedUser second(kSecondUser, s_base->Path());
    // The second user's desktop speaks Japanese, whose table once lacked the language code.
    const pid_t one = first.Start(Program(), {"Office_3020"}, Environment(first, "de_DE.UTF-8"));
    const pid_t two = second.Start(Program(), {"Office_3020"}, Environment(second, "ja_JP.UTF-8"));
    EXPECT_EQ(first.Wait(one), 0) << first.Output();
    EXPECT_EQ(second.Wait(two), 0) << second.Output();
    ExpectOwnPages(first);
    ExpectOwnPages(second);
    EXPECT_NE(ReadText(first.StateFolder() + "/Data/presslane_3000/xml/header.xml")
                  .find("Drucker auswählen"),
              std::string::npos);
    EXPECT_NE(ReadText(second.StateFolder() + "/Data/presslane_3000/xml/header.xml")
                  .find("プリンターの選択"),
              std::string::npos);
}

TEST_P(InstalledProgramTest, QueryAnswersAndWritesNothing) {
    UnprivilegedUser user(kQueryUser, s_base->Path());
    const std::vector<std::string> home = TreeListing(user.Home());
    EXPECT_EQ(user.Run(Program(), {"/t", "Office_3020"}, Environment(user)), 1) << user.Output();
    EXPECT_EQ(user.Run(Program(), {"/t", "Tessaro"}, Environment(user)), 0) << user.Output();
    EXPECT_EQ(TreeListing(user.Home()), home);
    EXPECT_FALSE(fs::exists(user.StateFolder()));
}

INSTANTIATE_TEST_SUITE_P(Layouts, InstalledProgramTest,
                         ::testing::Values(Layout::Wizard, Layout::Package), LayoutName);

} // namespace
} // namespace kaldo
