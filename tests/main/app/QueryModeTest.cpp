#include "main/app/QueryMode.h"

#include "platform/instance/InstanceLock.h"

#include "TestPaths.h"
#include "tests/support/FakeSpooler.h"
#include "tests/support/PrivateCups.h"
#include "tests/support/TempFolder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <vector>

#include <sys/stat.h>

namespace kaldo {
namespace {

namespace fs = std::filesystem;

const std::string kKaldoPpd = KALDO_TEST_DATA_DIR "/printers/KaldoPresslane3020.ppd";
const std::string kOtherPpd = KALDO_TEST_DATA_DIR "/printers/TessaroInkline5.ppd";

// A program folder with one content folder for the Presslane 3020, as installed: the two
// configuration pieces, and no merged toolbox.xml (nobody has started the program yet). Its
// driver name is the model's, which begins the maker's driver and the driverless queues alike.
void WriteContent(const std::string& programFolder) {
    fs::create_directories(programFolder + "/Data/Presslane3020");
    std::ofstream(programFolder + "/Data/Presslane3020/toolboxinfo.xml")
        << "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<Body>\n"
           "  <ModelData model=\"Presslane 3020\">\n"
           "    <DriverName>Kaldo Presslane 3020</DriverName>\n"
           "  </ModelData>\n</Body>\n";
    std::ofstream(programFolder + "/Data/Presslane3020/tabinfo.xml")
        << "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<KTWContentInfo>\n"
           "<TabInfo><DefaultTab>0</DefaultTab></TabInfo>\n</KTWContentInfo>\n";
}

// Every entry below `folder` with its size and time.
std::vector<std::string> Listing(const std::string& folder) {
    std::vector<std::string> lines;
    for (const auto& entry : fs::recursive_directory_iterator(folder)) {
        std::string line = entry.path().string();
        if (entry.is_regular_file())
            line += " " + std::to_string(entry.file_size());
        line += " " + std::to_string(entry.last_write_time().time_since_epoch().count());
        lines.push_back(line);
    }
    std::sort(lines.begin(), lines.end());
    return lines;
}

class QueryModeTest : public ::testing::Test {
protected:
    void SetUp() override { WriteContent(m_folder.Path()); }

    testsupport::TempFolder m_folder;
    testsupport::FakeSpooler m_spooler;
};

TEST_F(QueryModeTest, PrinterWithContentAnswersOne) {
    m_spooler.AddPrinter("Floor 2 \"East\"", "Kaldo Presslane 3020 PS");
    EXPECT_EQ(QueryPrinterHasContent("Floor 2 \"East\"", m_folder.Path(), "EN", m_spooler), 1);
}

TEST_F(QueryModeTest, PrinterWithoutContentOrNotInstalledAnswersZero) {
    m_spooler.AddPrinter("Inkline", "Tessaro Inkline 5 PCL");
    m_spooler.AddPrinter("Office", "Kaldo Presslane 3020 PS");
    EXPECT_EQ(QueryPrinterHasContent("Inkline", m_folder.Path(), "EN", m_spooler), 0);
    EXPECT_EQ(QueryPrinterHasContent("Missing", m_folder.Path(), "EN", m_spooler), 0);
    EXPECT_EQ(QueryPrinterHasContent("office", m_folder.Path(), "EN", m_spooler), 0);
    EXPECT_EQ(QueryPrinterHasContent("", m_folder.Path(), "EN", m_spooler), 0);
}

TEST_F(QueryModeTest, AContentFolderWithoutItsTabPieceHasNoContent) {
    // Its merged configuration would end unclosed and not load.
    fs::remove(m_folder / "Data/Presslane3020/tabinfo.xml");
    m_spooler.AddPrinter("Office", "Kaldo Presslane 3020 PS");
    EXPECT_EQ(QueryPrinterHasContent("Office", m_folder.Path(), "EN", m_spooler), 0);
}

TEST_F(QueryModeTest, ProgramFolderWithoutContentAnswersZero) {
    m_spooler.AddPrinter("Office", "Kaldo Presslane 3020 PS");
    testsupport::TempFolder empty;
    EXPECT_EQ(QueryPrinterHasContent("Office", empty.Path(), "EN", m_spooler), 0);
}

// The program itself, copied into a program folder of its own, against a real scheduler.
class QueryProgramTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        s_cups = std::make_unique<testsupport::PrivateCups>();
        if (!s_cups->Started())
            return;
        s_ready =
            s_cups->AddQueue("Presslane_Office", "socket://10.0.0.5", kKaldoPpd) &&
            s_cups->AddQueue("Presslane_B\xC3\xBCro", "usb://Kaldo/Presslane%203020", kKaldoPpd) &&
            s_cups->AddQueue("Inkline", "socket://10.0.0.9", kOtherPpd) &&
            // Queues set up without the maker's driver, in the two forms the system names them.
            s_cups->AddQueueForModel("Presslane_Everywhere", "ipp://10.0.0.10/ipp/print",
                                     "Kaldo Presslane 3020 - IPP Everywhere") &&
            s_cups->AddQueueForModel("Presslane_Driverless", "ipp://10.0.0.11/ipp/print",
                                     "Kaldo Presslane 3020, driverless, cups-filters 1.28.17") &&
            s_cups->AddQueueForModel("Inkline_Everywhere", "ipp://10.0.0.12/ipp/print",
                                     "Tessaro Inkline 5 - IPP Everywhere");
    }
    static void TearDownTestSuite() { s_cups.reset(); }

    void SetUp() override {
        ASSERT_TRUE(s_cups->Started()) << s_cups->Error();
        ASSERT_TRUE(s_ready) << s_cups->Error();
        WriteContent(m_folder.Path());
        m_program = m_folder / "ktendwell";
        fs::copy_file(KTENDWELL_PROGRAM, m_program);
    }

    int Run(const std::vector<std::string>& arguments, std::string* output = nullptr) {
        std::vector<std::string> command{m_program};
        command.insert(command.end(), arguments.begin(), arguments.end());
        return s_cups->Run(command, {}, output);
    }

    static std::unique_ptr<testsupport::PrivateCups> s_cups;
    static bool s_ready;
    testsupport::TempFolder m_folder;
    std::string m_program;
};

std::unique_ptr<testsupport::PrivateCups> QueryProgramTest::s_cups;
bool QueryProgramTest::s_ready = false;

TEST_F(QueryProgramTest, QueueWithContentExitsOne) {
    EXPECT_EQ(Run({"/t", "Presslane_Office"}), 1);
    EXPECT_EQ(Run({"/t\"Presslane_Office\""}), 1);
    EXPECT_EQ(Run({"/t", "Presslane_B\xC3\xBCro"}), 1);
}

TEST_F(QueryProgramTest, DriverlessQueuesOfTheModelHaveContentAndOthersNot) {
    EXPECT_EQ(Run({"/t", "Presslane_Everywhere"}), 1);
    EXPECT_EQ(Run({"/t", "Presslane_Driverless"}), 1);
    EXPECT_EQ(Run({"/t", "Inkline_Everywhere"}), 0);
}

TEST_F(QueryProgramTest, QueueWithoutContentOrUnknownExitsZero) {
    EXPECT_EQ(Run({"/t", "Inkline"}), 0);
    EXPECT_EQ(Run({"/t", "presslane_office"}), 0);
    EXPECT_EQ(Run({"/t", "Missing"}), 0);
    EXPECT_EQ(Run({"/t"}), 0);
}

TEST_F(QueryProgramTest, QueryPrintsAndWritesNothing) {
    const std::vector<std::string> before = Listing(m_folder.Path());
    std::string output;
    const std::vector<std::string> user{"HOME=" + m_folder / "home",
                                        "XDG_CACHE_HOME=" + m_folder / "cache"};
    EXPECT_EQ(s_cups->Run({m_program, "/t", "Presslane_Office"}, user, &output), 1);
    EXPECT_EQ(output, "");
    EXPECT_EQ(Listing(m_folder.Path()), before);
}

TEST_F(QueryProgramTest, NoSchedulerMeansNoPrinterHasContent) {
    // env replaces the private scheduler by a socket that nobody listens on.
    const std::string missing = "CUPS_SERVER=" + m_folder / "no-cups.sock";
    EXPECT_EQ(s_cups->Run({"env", missing, m_program, "/t", "Presslane_Office"}), 0);
}

TEST_F(QueryProgramTest, QueryAnswersWhileAnInstanceRuns) {
    const std::string runtime = m_folder / "run";
    ASSERT_EQ(::mkdir(runtime.c_str(), 0700), 0);
    testsupport::ScopedEnv runtimeFolder("XDG_RUNTIME_DIR", runtime.c_str());
    const std::string lock = runtime + "/KALDO_TENDWELL_MUTEX.lock";
    InstanceLock running(lock);
    ASSERT_TRUE(running.Held());
    EXPECT_EQ(Run({"/t", "Presslane_Office"}), 1);
    EXPECT_EQ(Run({"/t", "Inkline"}), 0);
    EXPECT_EQ(InstanceLock(lock).State(), kaldo::LockState::HeldByOther);
}

// Without "/t" the window starts; a printer it cannot show ends it with the fatal message.
TEST_F(QueryProgramTest, PrinterWithoutContentEndsWithTheStartMessage) {
    std::string output;
    const std::vector<std::string> unattended{"KALDO_ROOT=" + m_folder.Path(),
                                              "XDG_CONFIG_HOME=" + m_folder / "config",
                                              "XDG_CACHE_HOME=" + m_folder / "cache",
                                              "KALDO_EXIT_WHEN_READY=1",
                                              "QT_QPA_PLATFORM=offscreen",
                                              "LC_ALL=C"};
    EXPECT_EQ(s_cups->Run({m_program, "Inkline"}, unattended, &output), 0);
    EXPECT_NE(output.find("Fatal Error: The Kaldo Tendwell was unable to start."),
              std::string::npos)
        << output;
}

} // namespace
} // namespace kaldo
