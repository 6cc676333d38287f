#pragma once

#include "tests/support/PrivateCups.h"
#include "tests/support/TempFolder.h"

#include "TestPaths.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

namespace kaldo::testsupport {

// The queue the settings tests work on: two-sided printing, one colour, a printer utility.
inline constexpr char kSettingsQueue[] = "Presslane_3040";

// A private scheduler with that queue, named by CUPS_SERVER; the user's (and, for root, the
// machine's) option files live in the fixture's folder.
class QueueFixture : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(m_cups.Started()) << m_cups.Error();
        ASSERT_TRUE(m_cups.AddQueue(kSettingsQueue, "socket://192.0.2.40",
                                    std::string(KALDO_TEST_DATA_DIR) + "/launchers/utility.ppd"))
            << m_cups.Error();
        std::filesystem::create_directories(m_folder / "etc");
        Set("CUPS_SERVER", m_cups.Server());
        Set("HOME", m_folder.Path());
        Set("CUPS_SERVERROOT", m_folder / "etc");
    }

    // The environment a program needs to see the same option files.
    std::vector<std::string> Environment() const {
        return {"HOME=" + m_folder.Path(), "CUPS_SERVERROOT=" + (m_folder / "etc")};
    }

    testsupport::PrivateCups m_cups;
    kaldo::testsupport::TempFolder m_folder;

private:
    void Set(const char* name, const std::string& value) {
        m_environment.push_back(
            std::make_unique<kaldo::testsupport::ScopedEnv>(name, value.c_str()));
    }

    std::vector<std::unique_ptr<kaldo::testsupport::ScopedEnv>> m_environment;
};

} // namespace kaldo::testsupport
