#include "main/launchers/XdgShell.h"

#include "tests/support/Eventually.h"
#include "tests/support/TempFolder.h"

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <thread>

namespace kaldo {
namespace {

namespace fs = std::filesystem;
using kaldo::testsupport::Eventually;
using kaldo::testsupport::ScopedEnv;
using kaldo::testsupport::TempFolder;

void WriteProgram(const std::string& path, const std::string& text) {
    std::ofstream(path) << text;
    fs::permissions(path, fs::perms::owner_all);
}

// A program that writes its arguments, one a line, to "<its path>.args".
void WriteRecorder(const std::string& path) {
    WriteProgram(path,
                 "#!/bin/sh\nprintf '%s\\n' \"$@\" > \"$0.tmp\" && mv \"$0.tmp\" \"$0.args\"\n");
}

// The arguments a recorder was started with; waits (bounded) for the detached process.
std::string RecordedArguments(const std::string& recorder) {
    const std::string file = recorder + ".args";
    Eventually([&] { return fs::exists(file); });
    std::ifstream in(file);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

class XdgShellTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_FALSE(m_folder.Path().empty());
        WriteRecorder(XdgOpen());
        WriteProgram(XdgMime(), "#!/bin/sh\n"
                                "[ \"$1\" = query ] && [ \"$2\" = default ] || exit 2\n"
                                "case \"$3\" in\n"
                                "  application/pdf) echo viewer.desktop ;;\n"
                                "  x-scheme-handler/http) echo browser.desktop ;;\n"
                                "esac\n");
    }

    std::string XdgOpen() const { return m_folder / "xdg-open"; }
    std::string XdgMime() const { return m_folder / "xdg-mime"; }
    XdgShell Make() const { return XdgShell(XdgOpen(), XdgMime()); }

    TempFolder m_folder;
};

TEST_F(XdgShellTest, UrlsAreTypedByTheirScheme) {
    EXPECT_EQ(XdgShell::TypeOf("https://www.kaldo.example/guide.pdf"), "x-scheme-handler/https");
    EXPECT_EQ(XdgShell::TypeOf("http://www.kaldo.example/"), "x-scheme-handler/http");
    EXPECT_EQ(XdgShell::TypeOf("mailto:help@kaldo.example"), "x-scheme-handler/mailto");
}

TEST_F(XdgShellTest, FilesAreTypedByNameOrContent) {
    EXPECT_EQ(XdgShell::TypeOf("/nowhere/guide.pdf"), "application/pdf");
    EXPECT_EQ(XdgShell::TypeOf("file:///nowhere/guide.pdf"), "application/pdf");
    EXPECT_EQ(XdgShell::TypeOf("/nowhere/load_paper.webm"), "video/webm");

    const std::string unnamed = m_folder / "guide";
    std::ofstream(unnamed) << "%PDF-1.4\n%\xe2\xe3\xcf\xd3\n";
    EXPECT_EQ(XdgShell::TypeOf(unnamed), "application/pdf");
}

TEST_F(XdgShellTest, UnknownTypesHaveNone) {
    EXPECT_EQ(XdgShell::TypeOf("/nowhere/file.kaldo-unknown"), "");
    EXPECT_EQ(XdgShell::TypeOf(""), "");
}

TEST_F(XdgShellTest, DefaultApplicationComesFromXdgMime) {
    XdgShell shell = Make();
    EXPECT_EQ(shell.DefaultApplication("/nowhere/guide.pdf"), "viewer.desktop");
    EXPECT_EQ(shell.DefaultApplication("/nowhere/load_paper.webm"), "");
    EXPECT_EQ(shell.DefaultBrowser(), "browser.desktop");
}

TEST_F(XdgShellTest, WithoutXdgMimeNothingIsAssociated) {
    XdgShell shell(XdgOpen(), m_folder / "missing-xdg-mime");
    EXPECT_EQ(shell.DefaultApplication("/nowhere/guide.pdf"), "");
    EXPECT_EQ(shell.DefaultBrowser(), "");
}

TEST_F(XdgShellTest, OpenHandsTheTargetToXdgOpen) {
    EXPECT_TRUE(Make().Open("/opt/Kaldo/Tendwell/Data/ui/docs/guide name.pdf"));
    EXPECT_EQ(RecordedArguments(XdgOpen()), "/opt/Kaldo/Tendwell/Data/ui/docs/guide name.pdf\n");
}

TEST_F(XdgShellTest, StartProgramPassesEachArgumentWhole) {
    const std::string program = m_folder / "utility";
    WriteRecorder(program);
    EXPECT_TRUE(Make().StartProgram(program, {"Front \"Desk\"", "", "$(id)", "/s"}));
    EXPECT_EQ(RecordedArguments(program), "Front \"Desk\"\n\n$(id)\n/s\n");
}

TEST_F(XdgShellTest, ProgramThatDoesNotExistIsNotStarted) {
    EXPECT_FALSE(Make().StartProgram(m_folder / "missing", {}));
}

TEST_F(XdgShellTest, BrowserIsStartedFromItsDesktopEntry) {
    const std::string browser = m_folder / "browser";
    WriteRecorder(browser);
    fs::create_directories(m_folder / "share/applications");
    std::ofstream(m_folder / "share/applications/browser.desktop")
        << "[Desktop Entry]\nType=Application\nName=Browser\nExec=" << browser
        << " --new-window %u\n";
    ScopedEnv dataHome("XDG_DATA_HOME", (m_folder / "share").c_str());

    EXPECT_TRUE(Make().OpenInBrowser("/videos/load paper.webm"));
    EXPECT_EQ(RecordedArguments(browser), "--new-window\nfile:///videos/load%20paper.webm\n");
}

TEST_F(XdgShellTest, BrowserWithoutDesktopEntryIsNotStarted) {
    ScopedEnv dataHome("XDG_DATA_HOME", (m_folder / "share").c_str());
    ScopedEnv dataDirs("XDG_DATA_DIRS", (m_folder / "none").c_str());
    EXPECT_FALSE(Make().OpenInBrowser("/videos/load_paper.webm"));
}

} // namespace
} // namespace kaldo
