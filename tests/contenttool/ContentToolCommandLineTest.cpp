#include "contenttool/CommandLine.h"
#include "tests/contenttool/ContentToolTestSupport.h"

#include <spawn.h>
#include <sys/wait.h>

#include <fcntl.h>

#include <sstream>

extern char** environ;

namespace kaldo::testsupport {
namespace {

struct Outcome {
    int Exit = -1;
    std::string Out;
    std::string Err;
};

Outcome RunInProcess(const std::vector<std::string>& arguments) {
    std::ostringstream out;
    std::ostringstream err;
    Outcome outcome;
    outcome.Exit = RunContentTool(arguments, out, err);
    outcome.Out = out.str();
    outcome.Err = err.str();
    return outcome;
}

// Runs the program itself, its output kept in files of `folder`.
Outcome RunProgram(const kaldo::testsupport::TempFolder& folder,
                   const std::vector<std::string>& arguments) {
    const std::string outPath = folder / "stdout.txt";
    const std::string errPath = folder / "stderr.txt";
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, STDIN_FILENO, "/dev/null", O_RDONLY, 0);
    posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, outPath.c_str(),
                                     O_WRONLY | O_CREAT | O_TRUNC, 0600);
    posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, errPath.c_str(),
                                     O_WRONLY | O_CREAT | O_TRUNC, 0600);
    std::vector<std::string> command{TENDWELLCONTENT_PATH};
    command.insert(command.end(), arguments.begin(), arguments.end());
    std::vector<char*> argv;
    for (std::string& argument : command)
        argv.push_back(argument.data());
    argv.push_back(nullptr);
    Outcome outcome;
    pid_t pid = 0;
    const int spawned = posix_spawn(&pid, argv[0], &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    EXPECT_EQ(spawned, 0);
    int status = 0;
    if (spawned == 0 && waitpid(pid, &status, 0) == pid && WIFEXITED(status))
        outcome.Exit = WEXITSTATUS(status);
    outcome.Out = ReadBytes(outPath);
    outcome.Err = ReadBytes(errPath);
    return outcome;
}

class UsageErrorTest : public ::testing::TestWithParam<std::vector<std::string>> {};

TEST_P(UsageErrorTest, ExitsTwoWithAReasonAndWritesNothing) {
    SampleContent content;
    const std::string folder = content.Copy("presslane_3000");
    const auto before = Snapshot(folder);
    std::vector<std::string> arguments = GetParam();
    for (std::string& argument : arguments) {
        if (argument == "FOLDER")
            argument = folder;
    }
    const Outcome outcome = RunInProcess(arguments);
    EXPECT_EQ(outcome.Exit, kExitUsage);
    EXPECT_TRUE(outcome.Out.empty());
    EXPECT_TRUE(outcome.Err.starts_with("tendwellcontent: ")) << outcome.Err;
    EXPECT_NE(outcome.Err.find("--help"), std::string::npos);
    EXPECT_EQ(Snapshot(folder), before);
}

using Arguments = std::vector<std::string>;
INSTANTIATE_TEST_SUITE_P(
    CommandLine, UsageErrorTest,
    ::testing::Values(Arguments{}, Arguments{"inspect", "FOLDER"}, Arguments{"check"},
                      Arguments{"check", "FOLDER", "FOLDER"}, Arguments{"check", "/no/such/folder"},
                      Arguments{"render", "FOLDER"}, Arguments{"render", "FOLDER", "KP3020"},
                      Arguments{"render", "FOLDER", "KP3020", "--printer", "Office"},
                      Arguments{"render", "FOLDER", "KP3020", "--printer"},
                      Arguments{"render", "FOLDER", "KP3020", "--printer", "A=x", "--printer",
                                "A=y"},
                      Arguments{"render", "FOLDER", "KP3020", "--printer=A=x", "--selected", "B"},
                      Arguments{"render", "FOLDER", "KP3020", "--printer=A=x", "--status", "3"},
                      Arguments{"render", "FOLDER", "KP3020", "--printer=A=x", "--status-document",
                                "/no/such/file.xml"},
                      Arguments{"render", "FOLDER", "KP3020", "--printer=A=x", "--search="},
                      Arguments{"render", "FOLDER", "KP3020", "--printer=A=x", "--colour", "red"},
                      Arguments{"render", "/no/such/folder", "KP3020", "--printer=A=x"}));

TEST(ContentToolCommandLineTest, VersionIsTheProjectVersion) {
    const Outcome outcome = RunInProcess({"--version"});
    EXPECT_EQ(outcome.Exit, kExitClean);
    EXPECT_EQ(outcome.Out, "tendwellcontent " KALDO_PROJECT_VERSION "\n");
}

TEST(ContentToolCommandLineTest, HelpDescribesBothCommands) {
    const Outcome outcome = RunInProcess({"--help"});
    EXPECT_EQ(outcome.Exit, kExitClean);
    EXPECT_TRUE(outcome.Out.starts_with("Usage: tendwellcontent check FOLDER [--a11y AXE_JS]\n"));
    EXPECT_NE(outcome.Out.find("--status-document FILE"), std::string::npos);
    EXPECT_TRUE(outcome.Err.empty());
}

// The web engine starts only for a script that is axe-core.
TEST(ProgramTest, AccessibilityCheckNeedsAxeCoresScript) {
    SampleContent content;
    const std::string folder = content.Copy("presslane_3000");
    const Outcome missing =
        RunProgram(content.Root(), {"check", folder, "--a11y", content.Root() / "none.js"});
    EXPECT_EQ(missing.Exit, kExitUsage);
    EXPECT_NE(missing.Err.find("none.js: no such file"), std::string::npos) << missing.Err;

    const std::string other = content.Root() / "other.js";
    WriteBytes(other, "console.log(1);\n");
    const Outcome wrong = RunProgram(content.Root(), {"check", folder, "--a11y", other});
    EXPECT_EQ(wrong.Exit, kExitUsage);
    EXPECT_NE(wrong.Err.find("other.js: not axe-core's axe.min.js"), std::string::npos)
        << wrong.Err;
    EXPECT_EQ(wrong.Out, "");
}

TEST(ProgramTest, CheckOfTheSampleContentPrintsNothingAndExitsZero) {
    SampleContent content;
    const Outcome outcome = RunProgram(content.Root(), {"check", content.Copy("presslane_c5000")});
    EXPECT_EQ(outcome.Exit, kExitClean) << outcome.Err;
    EXPECT_EQ(outcome.Out, "");
    EXPECT_EQ(outcome.Err, "");
}

TEST(ProgramTest, CheckPrintsOneLinePerProblemAndExitsOne) {
    SampleContent content;
    const std::string folder = content.Copy("presslane_c5000");
    fs::remove(folder + "/xml/search.xsl");
    fs::copy_file(ToolData("not_compiling.xsl"), folder + "/xml/status.xsl",
                  fs::copy_options::overwrite_existing);
    const Outcome outcome = RunProgram(content.Root(), {"check", folder});
    EXPECT_EQ(outcome.Exit, kExitProblems);
    EXPECT_EQ(outcome.Out.substr(0, outcome.Out.find('\n')),
              folder + "/xml/search.xsl: missing (<File_Search_XSL>)");
    EXPECT_NE(outcome.Out.find("\n" + folder + "/xml/status.xsl: stylesheet does not compile: "),
              std::string::npos);
    EXPECT_EQ(std::count(outcome.Out.begin(), outcome.Out.end(), '\n'), 2);
    EXPECT_EQ(outcome.Err, "tendwellcontent: 2 problems in " + folder + "\n");
}

TEST(ProgramTest, CheckWithOnlyNotesPrintsThemAndExitsZero) {
    SampleContent content;
    const std::string folder = content.Copy("presslane_c5000");
    fs::remove(folder + "/xml/index_docs.xml");
    fs::remove(folder + "/xml/index_toolbox.xml");
    const Outcome outcome = RunProgram(content.Root(), {"check", folder});
    EXPECT_EQ(outcome.Exit, kExitClean) << outcome.Err;
    EXPECT_EQ(outcome.Out,
              folder +
                  "/xml/index_docs.xml: note: missing (<File_IndexNonUG>): the index is "
                  "built without it\n" +
                  folder +
                  "/xml/index_toolbox.xml: note: missing (<File_IndexAUG>): the index is "
                  "built without it\n");
    EXPECT_EQ(outcome.Err, "");

    // Notes do not count among the problems.
    fs::remove(folder + "/xml/search.xsl");
    const Outcome broken = RunProgram(content.Root(), {"check", folder});
    EXPECT_EQ(broken.Exit, kExitProblems);
    EXPECT_EQ(broken.Err, "tendwellcontent: 1 problem in " + folder + "\n");
}

TEST(ProgramTest, RenderPrintsThePagesItWrote) {
    SampleContent content;
    const std::string folder = content.Copy("presslane_c5000");
    const Outcome outcome =
        RunProgram(content.Root(), {"render", folder, "KPC5100", "--printer",
                                    "Colour=Kaldo Presslane C5100 PS", "--search", "toner"});
    EXPECT_EQ(outcome.Exit, kExitClean) << outcome.Err;
    const std::string pages[] = {"header", "status",        "solutions", "current_problem",
                                 "index",  "index_content", "search",    "search_content"};
    std::string expected;
    for (const std::string& page : pages) {
        expected += folder + "/ui/" + page + ".html\n";
        EXPECT_TRUE(fs::exists(folder + "/ui/" + page + ".html")) << page;
    }
    EXPECT_EQ(outcome.Out, expected);
}

TEST(ProgramTest, UsageErrorExitsTwo) {
    kaldo::testsupport::TempFolder folder;
    const Outcome outcome = RunProgram(folder, {"render"});
    EXPECT_EQ(outcome.Exit, kExitUsage);
    EXPECT_EQ(outcome.Out, "");
    EXPECT_NE(outcome.Err.find("render takes a FOLDER and a MODEL"), std::string::npos);
}

} // namespace
} // namespace kaldo::testsupport
