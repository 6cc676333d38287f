#include "main/app/InstanceChannel.h"

#include "tests/platform/TempFolder.h"

#include <QCoreApplication>
#include <QElapsedTimer>

#include <gtest/gtest.h>

#include <atomic>
#include <cstring>
#include <future>
#include <thread>

using namespace kaldo;
using namespace std::chrono_literals;
using kaldo::testing::ScopedEnv;
using kaldo::testing::TempFolder;

namespace {

ForwardedName NameBytes(const std::string& text) {
    ForwardedName bytes{};
    std::memcpy(bytes.data(), text.data(), std::min(text.size(), bytes.size() - 1));
    return bytes;
}

class InstanceChannelTest : public ::testing::Test {
protected:
    // Runs the sender on its own thread while this thread serves, as two processes would.
    bool Forward(const ForwardedName& name) {
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
    std::string m_path = InstanceSocketPath("Kaldo_Tendwell");
};

} // namespace

TEST_F(InstanceChannelTest, NameArrivesAndIsHandledBeforeTheSenderReturns) {
    std::vector<std::string> received;
    InstanceServer server([&](const std::string& name) { received.push_back(name); });
    ASSERT_TRUE(server.Listen(m_path));

    EXPECT_TRUE(Forward(NameBytes("Büro \"3\" Drucker")));
    ASSERT_EQ(received.size(), 1u); // handled before the sender was released
    EXPECT_EQ(received[0], "Büro \"3\" Drucker");

    EXPECT_TRUE(Forward(ForwardedName{}));
    ASSERT_EQ(received.size(), 2u);
    EXPECT_EQ(received[1], "");
}

TEST_F(InstanceChannelTest, NoRunningWindowMeansNothingIsForwarded) {
    EXPECT_FALSE(ForwardToRunningInstance(m_path, NameBytes("x"), 1000ms));
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
    EXPECT_TRUE(Forward(NameBytes("Office")));
    EXPECT_EQ(got, "Office");
}

TEST_F(InstanceChannelTest, SocketLivesBelowTheRoot) {
    EXPECT_EQ(m_path.rfind(m_root.Path(), 0), 0u);
}
