#include "main/app/InstanceChannel.h"

#include "tests/support/TempFolder.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QLocalSocket>

#include <gtest/gtest.h>

#include <atomic>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <future>
#include <thread>

#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

using namespace kaldo;
using namespace std::chrono_literals;
using kaldo::testsupport::ScopedEnv;
using kaldo::testsupport::TempFolder;

namespace {

ForwardedName NameBytes(const std::string& text) {
    ForwardedName bytes{};
    std::memcpy(bytes.data(), text.data(), std::min(text.size(), bytes.size() - 1));
    return bytes;
}

class InstanceChannelTest : public ::testing::Test {
protected:
    // Runs the sender on its own thread while this thread serves, as two processes would.
    Forwarding Forward(const ForwardedName& name) {
        auto sent = std::async(std::launch::async,
                               [&] { return ForwardToRunningInstance(m_path, name, 5000ms); });
        while (sent.wait_for(10ms) != std::future_status::ready)
            QCoreApplication::processEvents();
        return sent.get();
    }

    TempFolder m_root;
    ScopedEnv m_env{"KALDO_ROOT", m_root.Path().c_str()};
    int m_argc = 1;
    char m_arg0[8] = "test";
    char* m_argv[1] = {m_arg0};
    QCoreApplication m_app{m_argc, m_argv};
    std::string m_path = InstanceSocketPath(m_root.Path(), "Kaldo_Tendwell");
};

} // namespace

TEST_F(InstanceChannelTest, NameArrivesAndIsHandledBeforeTheSenderReturns) {
    std::vector<std::string> received;
    InstanceServer server([&](const std::string& name) { received.push_back(name); });
    ASSERT_TRUE(server.Listen(m_path));

    EXPECT_EQ(Forward(NameBytes("Büro \"3\" Drucker")), Forwarding::Handled);
    ASSERT_EQ(received.size(), 1u); // handled before the sender was released
    EXPECT_EQ(received[0], "Büro \"3\" Drucker");

    EXPECT_EQ(Forward(ForwardedName{}), Forwarding::Handled);
    ASSERT_EQ(received.size(), 2u);
    EXPECT_EQ(received[1], "");
}

TEST_F(InstanceChannelTest, NoRunningWindowMeansNothingIsForwarded) {
    EXPECT_EQ(ForwardToRunningInstance(m_path, NameBytes("x"), 1000ms), Forwarding::NotTaken);
}

TEST_F(InstanceChannelTest, SocketLeftByACrashedInstanceIsReplaced) {
    {
        InstanceServer first([](const std::string&) {});
        ASSERT_TRUE(first.Listen(m_path));
    }
    // A server that died without cleaning up leaves nothing that stops the next one.
    std::string got;
    InstanceServer second([&](const std::string& name) { got = name; });
    ASSERT_TRUE(second.Listen(m_path));
    EXPECT_EQ(Forward(NameBytes("Office")), Forwarding::Handled);
    EXPECT_EQ(got, "Office");
}

TEST_F(InstanceChannelTest, SocketLivesInTheUsersRuntimeFolder) {
    EXPECT_EQ(m_path, m_root / "Kaldo_Tendwell.socket");
}

TEST_F(InstanceChannelTest, ClosedServerHandlesNothingMore) {
    std::vector<std::string> received;
    InstanceServer server([&](const std::string& name) { received.push_back(name); });
    ASSERT_TRUE(server.Listen(m_path));
    server.Close();

    EXPECT_EQ(Forward(NameBytes("Office")), Forwarding::NotTaken);
    EXPECT_TRUE(received.empty());
}

// A window that closes while a second start waits on it lets the sender go at once, so that
// it can start on its own once the lock is free.
TEST_F(InstanceChannelTest, SenderWaitingOnAClosingServerIsLetGo) {
    std::vector<std::string> received;
    InstanceServer server([&](const std::string& name) { received.push_back(name); });
    ASSERT_TRUE(server.Listen(m_path));
    QLocalSocket sender;
    sender.connectToServer(QString::fromStdString(m_path));
    ASSERT_TRUE(sender.waitForConnected(5000));
    QElapsedTimer waited;
    waited.start();
    while (waited.elapsed() < 100)
        QCoreApplication::processEvents();
    server.Close();
    EXPECT_TRUE(sender.state() == QLocalSocket::UnconnectedState ||
                sender.waitForDisconnected(5000));
    EXPECT_TRUE(received.empty());
}

// The program as installed: root's files, started by unprivileged users. Without content it
// gets as far as telling the user so, which shows that it has started.
class InstanceStartTest : public ::testing::Test {
protected:
    static constexpr uid_t kUser = 65533;
    static constexpr uid_t kOtherUser = 65534;

    void SetUp() override {
        if (::geteuid() != 0)
            GTEST_SKIP() << "needs root to act as other users";
        ::chmod(m_folder.Path().c_str(), 0755);
        for (const char* folder : {"program", "root/tmp", "home", "run"})
            std::filesystem::create_directories(m_folder / folder);
        ::chmod((m_folder / "root/tmp").c_str(), 01777);
        ::chmod((m_folder / "run").c_str(), 0700);
        for (const char* folder : {"home", "run"})
            ASSERT_EQ(::chown((m_folder / folder).c_str(), kUser, kUser), 0);
        std::filesystem::copy_file(KTENDWELL_PROGRAM, m_folder / "program/ktendwell");
        std::ofstream(m_folder / "program/ktendwell.lock").flush();
        ::chmod((m_folder / "program/ktendwell.lock").c_str(), 0644);
    }

    // Runs `command` through the shell as `uid`; its exit code, stderr in `errors`.
    int RunAs(uid_t uid, const std::string& command, const std::string& environment,
              std::string* errors = nullptr) {
        const std::string output = m_folder / "errors.txt";
        const std::string id = std::to_string(uid);
        const std::string line = "setpriv --reuid=" + id + " --regid=" + id +
                                 " --clear-groups env -i HOME=" + (m_folder / "home") +
                                 " KALDO_ROOT=" + (m_folder / "root") +
                                 " QT_QPA_PLATFORM=offscreen KALDO_EXIT_WHEN_READY=1 " +
                                 environment + " sh -c '" + command + "' 2>" + output;
        const int status = std::system(line.c_str());
        if (errors != nullptr) {
            std::ifstream in(output);
            errors->assign(std::istreambuf_iterator<char>(in), {});
        }
        return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    }
    int Start(const std::string& environment, std::string* errors) {
        return RunAs(kUser, m_folder / "program/ktendwell", environment, errors);
    }
    std::string Runtime() const { return "XDG_RUNTIME_DIR=" + (m_folder / "run"); }

    TempFolder m_folder;
};

TEST_F(InstanceStartTest, FilesAnotherUserMadeInTmpDoNotKeepTheProgramFromStarting) {
    const std::string tmp = m_folder / "root/tmp";
    const std::string user = std::to_string(kUser);
    ASSERT_EQ(RunAs(kOtherUser,
                    "mkdir -m 0700 " + tmp + "/KALDO_TENDWELL_MUTEX " + tmp + "/kaldo-tendwell-" +
                        user + " && touch " + tmp + "/Kaldo_Tendwell-" + user + " " + tmp +
                        "/Kaldo_Tendwell.socket",
                    ""),
              0);

    std::string errors;
    EXPECT_EQ(Start(Runtime(), &errors), 0);
    EXPECT_NE(errors.find("dialog: Fatal Error"), std::string::npos) << errors;
}

TEST_F(InstanceStartTest, RuntimeFolderOfAnotherUserIsRefusedAndTheUserToldWhy) {
    const std::string fallback = m_folder / ("root/tmp/kaldo-tendwell-" + std::to_string(kUser));
    ASSERT_EQ(RunAs(kOtherUser, "mkdir -m 0700 " + fallback, ""), 0);

    std::string errors;
    EXPECT_EQ(Start("", &errors), 1);
    EXPECT_NE(errors.find("cannot start: " + fallback + ": belongs to another user"),
              std::string::npos)
        << errors;
    EXPECT_NE(errors.find("dialog: Fatal Error"), std::string::npos) << errors;
}

// Another user who made the cache's kaldo folder first (open to all) would have a hand in every
// page the program shows.
TEST_F(InstanceStartTest, StateFolderAnotherUserMadeIsRefusedAndTheUserToldWhy) {
    const std::string cache = m_folder / "home/.cache";
    std::filesystem::create_directories(cache + "/kaldo");
    ASSERT_EQ(::chown(cache.c_str(), kUser, kUser), 0);
    ASSERT_EQ(::chown((cache + "/kaldo").c_str(), kOtherUser, kOtherUser), 0);
    ASSERT_EQ(::chmod((cache + "/kaldo").c_str(), 0777), 0);

    std::string errors;
    EXPECT_EQ(Start(Runtime(), &errors), 1);
    EXPECT_NE(errors.find("cannot start: the folder for this user's pages cannot be used: " +
                          cache + "/kaldo: belongs to another user (uid 65534)"),
              std::string::npos)
        << errors;
    EXPECT_FALSE(std::filesystem::exists(cache + "/kaldo/Tendwell"));
}

TEST_F(InstanceStartTest, UnreadableInstallationLockIsReportedNotTakenForARunningInstance) {
    ::chmod((m_folder / "program/ktendwell.lock").c_str(), 0600);

    std::string errors;
    EXPECT_EQ(Start(Runtime(), &errors), 1);
    EXPECT_NE(errors.find("cannot start: " + (m_folder / "program/ktendwell.lock")),
              std::string::npos)
        << errors;
}

// A start while this user's window is still starting (it does not listen yet) or ending (it
// listens no more) waits for it, and starts on its own once that window has let go.
TEST_F(InstanceStartTest, StartWhileTheWindowIsEndingWaitsAndThenStarts) {
    const std::string lock = m_folder / "run/KALDO_TENDWELL_MUTEX.lock";
    std::string errors;
    EXPECT_EQ(RunAs(kUser,
                    "flock " + lock + " sleep 1 & sleep 0.3; " + (m_folder / "program/ktendwell"),
                    Runtime(), &errors),
              0);
    EXPECT_NE(errors.find("dialog: Fatal Error"), std::string::npos) << errors;
}
