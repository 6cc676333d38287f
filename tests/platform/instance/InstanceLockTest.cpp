#include "platform/instance/InstanceLock.h"

#include "tests/platform/TempFolder.h"

#include <gtest/gtest.h>

#include <csignal>
#include <sys/wait.h>
#include <unistd.h>

using kaldo::InstanceLock;
using kaldo::testing::ScopedEnv;
using kaldo::testing::TempFolder;

namespace {

class InstanceLockTest : public ::testing::Test {
protected:
    TempFolder m_root;
    ScopedEnv m_env{"KALDO_ROOT", m_root.Path().c_str()};
};

} // namespace

TEST_F(InstanceLockTest, SecondHolderIsRefusedUntilTheFirstLets) {
    {
        InstanceLock first("TEST_MUTEX");
        ASSERT_TRUE(first.Held());
        InstanceLock second("TEST_MUTEX");
        EXPECT_FALSE(second.Held());
        EXPECT_TRUE(InstanceLock::HeldByAnyone("TEST_MUTEX"));
        EXPECT_FALSE(InstanceLock::HeldByAnyone("OTHER_MUTEX"));
    }
    EXPECT_FALSE(InstanceLock::HeldByAnyone("TEST_MUTEX"));
    InstanceLock again("TEST_MUTEX");
    EXPECT_TRUE(again.Held());
}

TEST_F(InstanceLockTest, LockOfAnotherProcessIsSeenAndGoesWithIt) {
    int ready[2];
    ASSERT_EQ(pipe(ready), 0);
    pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        InstanceLock lock("TEST_MUTEX");
        char held = lock.Held() ? '1' : '0';
        (void)!write(ready[1], &held, 1);
        pause();
        _exit(0);
    }
    char held = 0;
    ASSERT_EQ(read(ready[0], &held, 1), 1);
    EXPECT_EQ(held, '1');
    EXPECT_TRUE(InstanceLock::HeldByAnyone("TEST_MUTEX"));
    EXPECT_FALSE(InstanceLock("TEST_MUTEX").Held());

    kill(child, SIGKILL); // a crashed program must not block anyone
    waitpid(child, nullptr, 0);
    EXPECT_FALSE(InstanceLock::HeldByAnyone("TEST_MUTEX"));
    close(ready[0]);
    close(ready[1]);
}

TEST_F(InstanceLockTest, FolderLivesBelowTheRootAndIsSharedByAllUsers) {
    InstanceLock lock("TEST_MUTEX");
    ASSERT_TRUE(lock.Held());
    std::string folder = InstanceLock::Folder("TEST_MUTEX");
    EXPECT_EQ(folder.rfind(m_root.Path(), 0), 0u);
    struct stat info {};
    ASSERT_EQ(stat(folder.c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 07777, 01777u);
}
