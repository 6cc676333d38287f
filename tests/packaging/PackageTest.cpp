// The Debian package as users install it: lintian's verdict, then its files extracted into a
// root-owned tree of their own. tests/install runs the extracted programs as ordinary users.
#include "TestPaths.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <map>
#include <set>
#include <sstream>

#include <sys/stat.h>
#include <unistd.h>

namespace {

namespace fs = std::filesystem;

const std::string kPackage = KALDO_PACKAGE_FILE;
const std::string kProgramFolder = "/opt/Kaldo/Tendwell";
const char* const kPrograms[] = {"ktendwell", "tendwellinstall", "tendwelluninstall",
                                 "tendwellcontent"};

std::string Quoted(const std::string& text) {
    std::string result = "'";
    for (char c : text)
        result += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return result + "'";
}

// Runs a shell command; its exit status, and its output (both streams) in `output`.
int RunCommand(const std::string& command, std::string* output = nullptr) {
    FILE* pipe = ::popen((command + " 2>&1").c_str(), "r");
    if (pipe == nullptr)
        return -1;
    std::string text;
    char buffer[4096];
    while (size_t read = std::fread(buffer, 1, sizeof buffer, pipe))
        text.append(buffer, read);
    const int status = ::pclose(pipe);
    if (output != nullptr)
        *output = text;
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

bool IsElf(const fs::path& file) {
    std::FILE* f = std::fopen(file.c_str(), "rb");
    if (f == nullptr)
        return false;
    char magic[4] = {};
    const bool elf = std::fread(magic, 1, 4, f) == 4 && std::string(magic, 4) == "\x7f"
                                                                                 "ELF";
    std::fclose(f);
    return elf;
}

mode_t ModeOf(const fs::path& path) {
    struct stat info {};
    return ::lstat(path.c_str(), &info) == 0 ? info.st_mode : 0;
}

class PackageTest : public testing::Test {
protected:
    static void SetUpTestSuite() {
        std::string pattern = (fs::temp_directory_path() / "kaldo-package.XXXXXX").string();
        if (::mkdtemp(pattern.data()) == nullptr)
            return;
        s_folder = pattern;
        // Reachable for the unprivileged user who runs the program from it.
        fs::permissions(s_folder, fs::perms(0755));
        s_root = s_folder / "root";
        fs::create_directories(s_root);
        s_extracted = RunCommand("dpkg-deb -x " + Quoted(kPackage) + " " + Quoted(s_root),
                                 &s_extractOutput) == 0;
    }
    static void TearDownTestSuite() {
        std::error_code error;
        if (!s_folder.empty())
            fs::remove_all(s_folder, error);
    }

    void SetUp() override {
        ASSERT_TRUE(fs::exists(kPackage)) << kPackage << " was not made";
        ASSERT_TRUE(s_extracted) << s_extractOutput;
    }

    static fs::path Installed(const std::string& path) { return s_root / path.substr(1); }

    static fs::path s_folder;
    static fs::path s_root;
    static bool s_extracted;
    static std::string s_extractOutput;
};

fs::path PackageTest::s_folder;
fs::path PackageTest::s_root;
bool PackageTest::s_extracted = false;
std::string PackageTest::s_extractOutput;

TEST_F(PackageTest, LintianFindsNoError) {
    std::string output;
    const int status = RunCommand("lintian --fail-on error " + Quoted(kPackage), &output);
    EXPECT_EQ(status, 0) << output;
    EXPECT_EQ(output.find("\nE: "), std::string::npos) << output;
}

TEST_F(PackageTest, AptResolvesItsDependencies) {
    std::string output;
    EXPECT_EQ(RunCommand("apt-get install --simulate " + Quoted(kPackage), &output), 0) << output;
    EXPECT_NE(output.find("Inst kaldo-tendwell"), std::string::npos) << output;
}

TEST_F(PackageTest, EveryFileBelongsToRootAndOnlyTheOwnerWrites) {
    std::string listing;
    ASSERT_EQ(RunCommand("dpkg-deb --contents " + Quoted(kPackage), &listing), 0) << listing;
    std::istringstream lines(listing);
    int count = 0;
    for (std::string line; std::getline(lines, line); ++count) {
        EXPECT_NE(line.find(" root/root "), std::string::npos) << line;
        if (line[0] != 'l') {
            EXPECT_EQ(line.substr(4, 6).find('w'), std::string::npos) << line;
        }
    }
    EXPECT_GT(count, 40);
}

TEST_F(PackageTest, ProgramFolderHoldsTheProgramsLibraryLockAndContent) {
    const fs::path folder = Installed(kProgramFolder);
    for (const char* program : kPrograms)
        EXPECT_EQ(ModeOf(folder / program), S_IFREG | 0755) << program;
    EXPECT_EQ(ModeOf(folder / "libktwnutil.so.1.0.0"), S_IFREG | 0644);
    EXPECT_EQ(fs::read_symlink(folder / "libktwnutil.so.1"), "libktwnutil.so.1.0.0");
    EXPECT_EQ(ModeOf(folder / "libktwncurl.so"), S_IFREG | 0644);
    EXPECT_EQ(ModeOf(folder / "ktendwell.lock"), S_IFREG | 0644);
    EXPECT_EQ(fs::file_size(folder / "ktendwell.lock"), 0u);
    EXPECT_EQ(ModeOf(folder / "Data"), S_IFDIR | 0755);
    for (const char* file : {"Data/presslane_3000/toolboxinfo.xml",
                             "Data/presslane_3000/tabinfo.xml", "Data/presslane_c5000/tabinfo.xml"})
        EXPECT_EQ(ModeOf(folder / file), S_IFREG | 0644) << file;
    for (const auto& entry : fs::recursive_directory_iterator(folder / "Data"))
        EXPECT_NE(entry.path().filename().string().front(), '.') << entry.path();
}

TEST_F(PackageTest, UsrBinLinksEveryProgramIntoTheProgramFolder) {
    for (const char* program : kPrograms) {
        const fs::path link = Installed(std::string("/usr/bin/") + program);
        EXPECT_TRUE(fs::is_symlink(link)) << link;
        EXPECT_EQ(fs::read_symlink(link), kProgramFolder + "/" + program);
    }
}

TEST_F(PackageTest, OnlyTheShippedProgramsAndLibraryAreThereAndFindOnlyTheirOwnFolder) {
    std::set<std::string> elves;
    for (const auto& entry : fs::recursive_directory_iterator(s_root)) {
        if (!entry.is_regular_file() || entry.is_symlink() || !IsElf(entry.path()))
            continue;
        elves.insert(entry.path().filename().string());
        std::string dynamic;
        ASSERT_EQ(RunCommand("readelf -d " + Quoted(entry.path()), &dynamic), 0) << dynamic;
        EXPECT_EQ(dynamic.find("(RPATH)"), std::string::npos) << entry.path() << dynamic;
        const size_t runpath = dynamic.find("(RUNPATH)");
        if (runpath != std::string::npos) {
            const std::string line = dynamic.substr(runpath, dynamic.find('\n', runpath) - runpath);
            EXPECT_NE(line.find("[$ORIGIN]"), std::string::npos) << entry.path() << ": " << line;
        }
        EXPECT_EQ(dynamic.find(KALDO_BINARY_DIR), std::string::npos) << entry.path();
    }
    EXPECT_EQ(elves,
              (std::set<std::string>{"ktendwell", "libktwncurl.so", "libktwnutil.so.1.0.0",
                                     "tendwellcontent", "tendwellinstall", "tendwelluninstall"}));
}

TEST_F(PackageTest, MenuEntryIconMetadataAndManualPagesAreWhereTheDesktopLooks) {
    const std::map<std::string, std::string> validators = {
        {"/usr/share/applications/kaldo-tendwell.desktop", "desktop-file-validate"},
        {"/usr/share/desktop-directories/kaldo-presslane.directory", "desktop-file-validate"},
        {"/usr/share/metainfo/com.kaldo.Tendwell.metainfo.xml", "appstreamcli validate --no-net"},
        {"/etc/xdg/menus/applications-merged/kaldo-presslane.menu", "xmllint --noout"},
    };
    for (const auto& [file, validator] : validators) {
        ASSERT_TRUE(fs::is_regular_file(Installed(file))) << file;
        std::string output;
        EXPECT_EQ(RunCommand(validator + " " + Quoted(Installed(file)), &output), 0)
            << file << output;
    }
    for (const char* size :
         {"16x16", "22x22", "24x24", "32x32", "48x48", "64x64", "128x128", "256x256"})
        EXPECT_TRUE(fs::is_regular_file(Installed(std::string("/usr/share/icons/hicolor/") + size +
                                                  "/apps/kaldo-tendwell.png")))
            << size;
    EXPECT_TRUE(fs::is_regular_file(
        Installed("/usr/share/icons/hicolor/scalable/apps/kaldo-tendwell.svg")));
    for (const char* page : {"man1/ktendwell.1.gz", "man1/tendwellcontent.1.gz",
                             "man8/tendwellinstall.8.gz", "man8/tendwelluninstall.8.gz"}) {
        std::string output;
        EXPECT_EQ(RunCommand("zcat " + Quoted(Installed(std::string("/usr/share/man/") + page)) +
                                 " | groff -man -Tutf8 -ww -z",
                             &output),
                  0)
            << page;
        EXPECT_EQ(output, "") << page;
    }
}

} // namespace
