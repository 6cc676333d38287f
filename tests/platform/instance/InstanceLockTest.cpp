#include "platform/instance/InstanceLock.h"
#include "platform/instance/ProgramLock.h"
#include "platform/instance/RuntimeFolder.h"

#include "tests/support/ChildProcess.h"
#include "tests/support/TempFolder.h"

#include <gtest/gtest.h>

#include <csignal>
#include <filesystem>
#include <fstream>
#include <functional>

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

using kaldo::InstanceLock;
using kaldo::LockState;
using kaldo::ProgramLock;
using kaldo::RunState;
using kaldo::testsupport::Child;
using kaldo::testsupport::ScopedEnv;
using kaldo::testsupport::TempFolder;

namespace {

constexpr uid_t kOtherUser = 65534;

bool Root() {
    return ::geteuid() == 0;
}

mode_t ModeOf(const std::string& path) {
    struct stat info {};
    return ::lstat(path.c_str(), &info) == 0 ? info.st_mode & 07777 : 0;
}

class InstanceLockTest : public ::testing::Test {
protected:
    TempFolder m_root;
    ScopedEnv m_env{"KALDO_ROOT", m_root.Path().c_str()};
    std::string m_lock = m_root / "KALDO_TENDWELL_MUTEX.lock";
};

} // namespace

TEST_F(InstanceLockTest, SecondHolderIsRefusedUntilTheFirstLets) {
    {
        InstanceLock first(m_lock);
        ASSERT_TRUE(first.Held());
        InstanceLock second(m_lock);
        EXPECT_EQ(second.State(), LockState::HeldByOther);
        EXPECT_TRUE(second.Error().empty());
        EXPECT_TRUE(InstanceLock(m_root / "OTHER.lock").Held());
    }
    EXPECT_TRUE(InstanceLock(m_lock).Held());
}

TEST_F(InstanceLockTest, LockOfAnotherProcessIsSeenAndGoesWithIt) {
    Child holder([&] {
        static InstanceLock* kept = new InstanceLock(m_lock);
        return kept->Held() ? '1' : '0';
    });
    EXPECT_EQ(holder.Answer(), '1');
    EXPECT_EQ(InstanceLock(m_lock).State(), LockState::HeldByOther);

    holder.Kill(); // a crashed program must not block anyone
    EXPECT_TRUE(InstanceLock(m_lock).Held());
}

TEST_F(InstanceLockTest, LockFileThatCannotBeMadeIsAFailureNotAnotherInstance) {
    InstanceLock lock(m_root / "missing/KALDO_TENDWELL_MUTEX.lock");
    EXPECT_EQ(lock.State(), LockState::Failed);
    EXPECT_NE(lock.Error().find("missing/KALDO_TENDWELL_MUTEX.lock"), std::string::npos);

    // Someone else's link in the folder is not followed.
    std::filesystem::create_symlink(m_root / "elsewhere", m_lock);
    EXPECT_EQ(InstanceLock(m_lock).State(), LockState::Failed);
    EXPECT_FALSE(std::filesystem::exists(m_root / "elsewhere"));
}

TEST_F(InstanceLockTest, RuntimeFolderIsTheUsersWhenSet) {
    const std::string runtime = m_root / "run";
    ASSERT_EQ(::mkdir(runtime.c_str(), 0700), 0);
    ScopedEnv xdg("XDG_RUNTIME_DIR", runtime.c_str());

    const kaldo::RuntimeFolder folder = kaldo::UserRuntimeFolder();
    EXPECT_EQ(folder.Path, runtime);
    EXPECT_TRUE(folder.Error.empty());
}

TEST_F(InstanceLockTest, WithoutRuntimeFolderAPrivateOneIsMadeBelowTmp) {
    ScopedEnv xdg("XDG_RUNTIME_DIR", nullptr);

    const kaldo::RuntimeFolder folder = kaldo::UserRuntimeFolder();
    ASSERT_TRUE(folder.Error.empty()) << folder.Error;
    EXPECT_EQ(folder.Path, m_root / ("tmp/kaldo-tendwell-" + std::to_string(::geteuid())));
    EXPECT_EQ(ModeOf(folder.Path), 0700u);
    EXPECT_EQ(kaldo::UserRuntimeFolder().Path, folder.Path); // found again
}

TEST_F(InstanceLockTest, RuntimeFolderOfAnotherUserOrOpenToOthersIsRefused) {
    if (!Root())
        GTEST_SKIP() << "needs root to make another user's folder";
    ScopedEnv xdg("XDG_RUNTIME_DIR", nullptr);
    const std::string fallback = m_root / ("tmp/kaldo-tendwell-" + std::to_string(::geteuid()));
    std::filesystem::create_directories(fallback);
    ::chmod(fallback.c_str(), 0700);
    ASSERT_EQ(::chown(fallback.c_str(), kOtherUser, kOtherUser), 0);

    kaldo::RuntimeFolder folder = kaldo::UserRuntimeFolder();
    EXPECT_TRUE(folder.Path.empty());
    EXPECT_NE(folder.Error.find("another user"), std::string::npos) << folder.Error;

    ASSERT_EQ(::chown(fallback.c_str(), ::geteuid(), ::getegid()), 0);
    ::chmod(fallback.c_str(), 0777);
    folder = kaldo::UserRuntimeFolder();
    EXPECT_TRUE(folder.Path.empty());
    EXPECT_FALSE(folder.Error.empty());

    std::filesystem::remove(fallback);
    std::filesystem::create_directory_symlink(m_root.Path(), fallback);
    EXPECT_TRUE(kaldo::UserRuntimeFolder().Path.empty());

    const std::string theirs = m_root / "theirs";
    ASSERT_EQ(::mkdir(theirs.c_str(), 0700), 0);
    ASSERT_EQ(::chown(theirs.c_str(), kOtherUser, kOtherUser), 0);
    ScopedEnv given("XDG_RUNTIME_DIR", theirs.c_str());
    EXPECT_TRUE(kaldo::UserRuntimeFolder().Path.empty());
}

TEST_F(InstanceLockTest, ProgramLockIsSharedByEveryInstanceAndSeenByTheProbe) {
    const std::string path = m_root / "ktendwell.lock";
    EXPECT_EQ(ProgramLock::Probe(path), RunState::NotRunning); // no file, nobody can hold it
    {
        const mode_t mask = ::umask(077);
        ProgramLock first(path);
        ::umask(mask);
        ProgramLock second(path);
        EXPECT_TRUE(first.Held()) << first.Error();
        EXPECT_TRUE(second.Held()) << second.Error();
        EXPECT_EQ(ModeOf(path), 0644u); // every user's instance opens it
        EXPECT_EQ(ProgramLock::Probe(path), RunState::Running);
    }
    EXPECT_EQ(ProgramLock::Probe(path), RunState::NotRunning);

    Child instance([&] {
        static ProgramLock* kept = new ProgramLock(path);
        return kept->Held() ? '1' : '0';
    });
    ASSERT_EQ(instance.Answer(), '1');
    EXPECT_EQ(ProgramLock::Probe(path), RunState::Running);
    instance.Kill();
    EXPECT_EQ(ProgramLock::Probe(path), RunState::NotRunning);
}

TEST_F(InstanceLockTest, ProgramLockThatCannotBeOpenedSaysWhy) {
    ProgramLock lock(m_root / "no folder/ktendwell.lock");
    EXPECT_FALSE(lock.Held());
    EXPECT_NE(lock.Error().find("no folder/ktendwell.lock"), std::string::npos);
}

// The installation's lock file belongs to root and is readable by all.
class InstalledProgramLockTest : public InstanceLockTest {
protected:
    void SetUp() override {
        if (!Root())
            GTEST_SKIP() << "needs root to act as other users";
        ::chmod(m_root.Path().c_str(), 0755);
        std::ofstream(m_path).flush();
        ::chmod(m_path.c_str(), 0644);
    }

    std::string m_path = m_root / "ktendwell.lock";
};

TEST_F(InstalledProgramLockTest, ProbeSeesTheInstanceOfAnotherUser) {
    Child instance(
        [&] {
            static ProgramLock* kept = new ProgramLock(m_path);
            return kept->Held() ? '1' : '0';
        },
        kOtherUser);
    ASSERT_EQ(instance.Answer(), '1');
    EXPECT_EQ(ProgramLock::Probe(m_path), RunState::Running);
    instance.Kill();
    EXPECT_EQ(ProgramLock::Probe(m_path), RunState::NotRunning);
}

TEST_F(InstalledProgramLockTest, AnotherUserCanNeitherBlockInstancesNorHideThem) {
    // Everything a reader of the file can try to keep instances out.
    Child blocker(
        [&] {
            const int fd = ::open(m_path.c_str(), O_RDONLY);
            struct flock exclusive {};
            exclusive.l_type = F_WRLCK;
            const bool took =
                ::flock(fd, LOCK_EX | LOCK_NB) == 0 && ::fcntl(fd, F_OFD_SETLK, &exclusive) == 0;
            return took ? 'x' : 'r';
        },
        kOtherUser);
    EXPECT_EQ(blocker.Answer(), 'r');

    ProgramLock mine(m_path);
    EXPECT_TRUE(mine.Held()) << mine.Error();
    EXPECT_EQ(ProgramLock::Probe(m_path), RunState::Running);
}

TEST_F(InstalledProgramLockTest, LockFileTheProbeCannotReadIsUnknown) {
    ::chmod(m_path.c_str(), 0600);
    Child uninstaller(
        [&] {
            std::string error;
            const RunState state = ProgramLock::Probe(m_path, &error);
            return state == RunState::Unknown && !error.empty() ? '?' : 'k';
        },
        kOtherUser);
    EXPECT_EQ(uninstaller.Answer(), '?');
}
