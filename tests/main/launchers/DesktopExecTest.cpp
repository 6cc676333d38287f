#include "main/launchers/DesktopExec.h"

#include <gtest/gtest.h>

namespace kaldo {
namespace {

using Arguments = std::vector<std::string>;

TEST(DesktopExecTest, ExecComesFromTheDesktopEntryGroup) {
    const std::string entry = "[Desktop Entry]\n"
                              "Name=Browser\n"
                              "Exec[de]=ignored %u\n"
                              "ExecStart=ignored\n"
                              "Exec = /usr/bin/browser\\s--new %u\n"
                              "[Desktop Action private]\n"
                              "Exec=/usr/bin/browser --private %u\n";
    EXPECT_EQ(DesktopEntryExec(entry), "/usr/bin/browser --new %u");
}

TEST(DesktopExecTest, ExecOfAnotherGroupOnlyIsNone) {
    EXPECT_EQ(DesktopEntryExec("[Desktop Action new]\nExec=browser %u\n"), "");
    EXPECT_EQ(DesktopEntryExec("[Desktop Entry]\nName=Browser\n"), "");
    EXPECT_EQ(DesktopEntryExec(""), "");
}

TEST(DesktopExecTest, UrlCodesTakeTheUrlAndFileCodesThePath) {
    EXPECT_EQ(ExecArguments("browser %u", "/v/a.webm", "file:///v/a.webm"),
              (Arguments{"browser", "file:///v/a.webm"}));
    EXPECT_EQ(ExecArguments("browser --new-window %U", "/v/a.webm", "file:///v/a.webm"),
              (Arguments{"browser", "--new-window", "file:///v/a.webm"}));
    EXPECT_EQ(ExecArguments("viewer %F", "/v/a.webm", "file:///v/a.webm"),
              (Arguments{"viewer", "/v/a.webm"}));
}

TEST(DesktopExecTest, QuotedProgramKeepsItsBlanksAndEscapes) {
    EXPECT_EQ(ExecArguments("\"/opt/My Browser/run\" \"say \\\"hi\\\"\" %f", "/a b", "u"),
              (Arguments{"/opt/My Browser/run", "say \"hi\"", "/a b"}));
    EXPECT_EQ(ExecArguments("run \"\" %f", "/a", "u"), (Arguments{"run", "", "/a"}));
}

TEST(DesktopExecTest, OtherFieldCodesAreDroppedAndPercentsKept) {
    EXPECT_EQ(ExecArguments("browser %i %c %k --zoom=100%% %u", "/a", "file:///a"),
              (Arguments{"browser", "--zoom=100%", "file:///a"}));
}

TEST(DesktopExecTest, FileIsAddedWhenTheCommandTakesNone) {
    EXPECT_EQ(ExecArguments("browser --new-window", "/a", "file:///a"),
              (Arguments{"browser", "--new-window", "/a"}));
}

TEST(DesktopExecTest, MalformedCommandsGiveNothing) {
    EXPECT_TRUE(ExecArguments("\"/opt/browser %u", "/a", "file:///a").empty());
    EXPECT_TRUE(ExecArguments("", "/a", "file:///a").empty());
    EXPECT_TRUE(ExecArguments("   ", "/a", "file:///a").empty());
}

} // namespace
} // namespace kaldo
