#include "main/net/UpdateCheck.h"

#include "TestPaths.h"
#include "tests/main/net/TestWebServer.h"
#include "tests/support/Eventually.h"
#include "tests/support/TempFolder.h"
#include "tests/support/TestFiles.h"

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <mutex>
#include <string>
#include <thread>

namespace kaldo {
namespace {

using kaldo::testsupport::ClosedPort;
using kaldo::testsupport::Eventually;
using kaldo::testsupport::ReadFile;
using kaldo::testsupport::TempFolder;
using kaldo::testsupport::TestWebServer;
using kaldo::testsupport::WriteBytes;
namespace fs = std::filesystem;

std::string Data(const std::string& name) {
    return std::string(KALDO_TEST_DATA_DIR) + "/updates/" + name;
}

std::string Feed(const std::string& pubDate) {
    return "<?xml version=\"1.0\"?>\n<rss version=\"2.0\"><channel><pubDate>" + pubDate +
           "</pubDate></channel></rss>\n";
}

bool SameDate(const UpdateDate& date, int year, int month, int day) {
    return date.Year == year && date.Month == month && date.Day == day;
}

// --- date rules --------------------------------------------------------------------------

TEST(UpdateDateTest, ReadsDayMonthAndYear) {
    EXPECT_TRUE(SameDate(ParseUpdateDate("Tue, 10 Jun 2008 12:00:00 GMT"), 2008, 6, 10));
    EXPECT_TRUE(SameDate(ParseUpdateDate("\n  Mon, 02 Jun 2008 \n"), 2008, 6, 2));
    EXPECT_TRUE(SameDate(ParseUpdateDate("Mon,2 jun 2008"), 2008, 6, 2));
}

TEST(UpdateDateTest, MonthsAreEnglishAbbreviationsInAnyCase) {
    EXPECT_EQ(MonthNumber("JAN"), 1);
    EXPECT_EQ(MonthNumber("sEp"), 9);
    EXPECT_EQ(MonthNumber("dec"), 12);
    EXPECT_EQ(MonthNumber("June"), 0);
    EXPECT_EQ(MonthNumber("Jui"), 0);
    EXPECT_EQ(MonthNumber(""), 0);
    EXPECT_TRUE(SameDate(ParseUpdateDate("Tue, 10 Foo 2008 12:00:00 GMT"), 2008, 0, 10));
}

TEST(UpdateDateTest, FieldsFromTheFirstUnreadableOneOnAreZero) {
    EXPECT_TRUE(SameDate(ParseUpdateDate(""), 0, 0, 0));
    EXPECT_TRUE(SameDate(ParseUpdateDate("Tuesday, 10 Jun 2008"), 0, 0, 0));
    EXPECT_TRUE(SameDate(ParseUpdateDate("Tue 10 Jun 2008"), 0, 0, 0));
    EXPECT_TRUE(SameDate(ParseUpdateDate("Tue, xx Jun 2008"), 0, 0, 0));
    EXPECT_TRUE(SameDate(ParseUpdateDate("Tue, 10"), 0, 0, 10));
    EXPECT_TRUE(SameDate(ParseUpdateDate("Tue, 10 June 2008"), 0, 6, 10));
    EXPECT_TRUE(SameDate(ParseUpdateDate("2008-06-10T12:00:00Z"), 0, 0, 0));
}

TEST(UpdateDateTest, NumbersOutOfRangeAreUnreadable) {
    EXPECT_TRUE(SameDate(ParseUpdateDate("Tue, 99999999999 Jun 2008"), 0, 0, 0));
    EXPECT_TRUE(SameDate(ParseUpdateDate("Tue, 10 Jun 99999999999"), 0, 6, 10));
}

class CompareUpdateDatesTest : public ::testing::Test {
protected:
    UpdateState Compare(const std::string& current, const std::string& latest) {
        WriteBytes(m_folder / "current.xml", Feed(current));
        WriteBytes(m_folder / "new.xml", Feed(latest));
        return CompareUpdateDates(m_folder / "current.xml", m_folder / "new.xml");
    }

    TempFolder m_folder;
};

TEST_F(CompareUpdateDatesTest, LaterFeedMeansUpdatesAvailable) {
    EXPECT_EQ(CompareUpdateDates(Data("current.xml"), Data("newer.xml")),
              UpdateState::UpdatesAvailable);
    EXPECT_EQ(CompareUpdateDates(Data("newer.xml"), Data("current.xml")),
              UpdateState::NoUpdatesPending);
    EXPECT_EQ(CompareUpdateDates(Data("current.xml"), Data("current.xml")),
              UpdateState::NoUpdatesPending);
}

TEST_F(CompareUpdateDatesTest, ComparesYearThenMonthThenDay) {
    EXPECT_EQ(Compare("Mon, 31 Dec 2007", "Tue, 01 Jan 2008"), UpdateState::UpdatesAvailable);
    EXPECT_EQ(Compare("Tue, 01 Jan 2008", "Mon, 31 Dec 2007"), UpdateState::NoUpdatesPending);
    EXPECT_EQ(Compare("Fri, 01 Feb 2008", "Thu, 31 Jan 2008"), UpdateState::NoUpdatesPending);
    EXPECT_EQ(Compare("Thu, 31 Jan 2008", "Fri, 01 Feb 2008"), UpdateState::UpdatesAvailable);
    EXPECT_EQ(Compare("Mon, 02 Jun 2008", "Tue, 03 Jun 2008"), UpdateState::UpdatesAvailable);
    EXPECT_EQ(Compare("Tue, 03 Jun 2008", "Mon, 02 Jun 2008"), UpdateState::NoUpdatesPending);
    // Weekday and time of day do not count; an unknown month counts as 0.
    EXPECT_EQ(Compare("Mon, 02 Jun 2008 00:00 GMT", "Sun, 02 Jun 2008 23:59 GMT"),
              UpdateState::NoUpdatesPending);
    EXPECT_EQ(Compare("Mon, 02 Jun 2008", "Tue, 10 Foo 2008"), UpdateState::NoUpdatesPending);
    EXPECT_EQ(Compare("Mon, 02 Foo 2008", "Tue, 10 Jan 2008"), UpdateState::UpdatesAvailable);
    EXPECT_EQ(Compare("Mon, 02 Jun 2007", "Tue, 10 Foo 2008"), UpdateState::UpdatesAvailable);
}

TEST_F(CompareUpdateDatesTest, UnreadableCurrentCountsAsEarliest) {
    for (const char* current : {"broken.xml", "no_date.xml", "error_page.html", "absent.xml"})
        EXPECT_EQ(CompareUpdateDates(Data(current), Data("newer.xml")),
                  UpdateState::UpdatesAvailable)
            << current;
    EXPECT_EQ(Compare("", "Tue, 10 Jun 2008"), UpdateState::UpdatesAvailable);
}

TEST_F(CompareUpdateDatesTest, UnreadableNewFeedIsNoUpdate) {
    WriteBytes(m_folder / "empty.xml", "");
    for (const std::string& latest :
         {Data("broken.xml"), Data("no_date.xml"), Data("error_page.html"), Data("absent.xml"),
          m_folder / "empty.xml"})
        EXPECT_EQ(CompareUpdateDates(Data("current.xml"), latest), UpdateState::NoUpdatesPending)
            << latest;
    EXPECT_EQ(Compare("Mon, 02 Jun 2008", ""), UpdateState::NoUpdatesPending);
    EXPECT_EQ(Compare("", ""), UpdateState::NoUpdatesPending);
}

TEST(ReadUpdateDateTest, TakesTheChannelsDateNotAnItems) {
    EXPECT_EQ(ReadUpdateDate(Data("current.xml")), "Mon, 02 Jun 2008 12:00:00 GMT");
    EXPECT_EQ(ReadUpdateDate(Data("broken.xml")), "");
    EXPECT_EQ(ReadUpdateDate(Data("no_date.xml")), "");
}

TEST(UpdateCheckedDriversTest, DriverIsCheckedOnceAndFinishedLater) {
    UpdateCheckedDrivers drivers;
    EXPECT_EQ(drivers.State("Kaldo Presslane 3020"), 0);
    EXPECT_TRUE(drivers.TryStart("Kaldo Presslane 3020"));
    EXPECT_FALSE(drivers.TryStart("Kaldo Presslane 3020"));
    EXPECT_EQ(drivers.State("Kaldo Presslane 3020"), UpdateCheckedDrivers::kStarted);
    drivers.Finish("Kaldo Presslane 3020");
    EXPECT_EQ(drivers.State("Kaldo Presslane 3020"), UpdateCheckedDrivers::kFinished);
    EXPECT_FALSE(drivers.TryStart("Kaldo Presslane 3020"));
    EXPECT_TRUE(drivers.TryStart("Kaldo Presslane C5000"));
    drivers.Finish("never started");
    EXPECT_EQ(drivers.State("never started"), 0);
}

// --- the check against a web server ------------------------------------------------------

class UpdateCheckTest : public ::testing::Test {
protected:
    void SetUp() override {
        fs::create_directories(m_folder / "xml");
        m_server.Routes().Get("/updates/KTWUpdates.xml",
                              [this](const httplib::Request&, httplib::Response& response) {
                                  std::lock_guard lock(m_feedMutex);
                                  response.status = m_feedStatus;
                                  response.set_content(m_feed, "text/xml");
                              });
        m_server.ServeStalling("/stall");
        ASSERT_TRUE(m_server.Start());
        m_options.SecurePort = ClosedPort();
    }

    void Serve(const std::string& feedFile, int status = 200) {
        ServeText(ReadFile(feedFile).value_or(""), status);
    }
    void ServeText(std::string feed, int status = 200) {
        std::lock_guard lock(m_feedMutex);
        m_feed = std::move(feed);
        m_feedStatus = status;
    }

    void InstallCurrent(const std::string& feedFile) {
        fs::copy_file(feedFile, Current(), fs::copy_options::overwrite_existing);
    }

    UpdateCheckJob Job(const std::string& url) const { return {"Kaldo KP3020", url, Xml()}; }
    std::string FeedUrl() const { return m_server.Url("/updates/KTWUpdates.xml"); }
    std::string UnreachableUrl() const {
        return "http://127.0.0.1:" + std::to_string(ClosedPort()) + "/updates/KTWUpdates.xml";
    }

    UpdateState Check(const std::string& url) {
        m_drivers.TryStart("Kaldo KP3020");
        DownloadManager downloads(m_options);
        RunUpdateCheck(Job(url), m_states, m_drivers, downloads);
        return m_states.State(Xml());
    }

    std::string Xml() const { return m_folder / "xml"; }
    std::string Current() const { return m_folder / "xml/KTWUpdates.xml"; }
    std::string Latest() const { return m_folder / "xml/KTWUpdates_new.xml"; }

    TempFolder m_folder;
    TestWebServer m_server;
    DownloadOptions m_options;
    std::mutex m_feedMutex;
    std::string m_feed;
    int m_feedStatus = 200;
    UpdateStates m_states;
    UpdateCheckedDrivers m_drivers;
};

TEST_F(UpdateCheckTest, NewerFeedMakesAnUpdateAvailableAndKeepsTheDownload) {
    InstallCurrent(Data("current.xml"));
    Serve(Data("newer.xml"));
    EXPECT_EQ(Check(FeedUrl()), UpdateState::UpdatesAvailable);
    EXPECT_EQ(ReadFile(Latest()), ReadFile(Data("newer.xml")));
    EXPECT_EQ(ReadFile(Current()), ReadFile(Data("current.xml")));
    EXPECT_EQ(m_drivers.State("Kaldo KP3020"), UpdateCheckedDrivers::kFinished);
}

TEST_F(UpdateCheckTest, FeedOfTheSameDateMeansNoUpdate) {
    InstallCurrent(Data("current.xml"));
    Serve(Data("current.xml"));
    m_states.Set(Xml(), UpdateState::UpdatesAvailable);
    EXPECT_EQ(Check(FeedUrl()), UpdateState::NoUpdatesPending);
    EXPECT_EQ(m_drivers.State("Kaldo KP3020"), UpdateCheckedDrivers::kFinished);
}

TEST_F(UpdateCheckTest, UnreachableSiteLeavesNoDownloadAndNoUpdate) {
    InstallCurrent(Data("current.xml"));
    fs::copy_file(Data("newer.xml"), Latest()); // from an earlier run
    EXPECT_EQ(Check(UnreachableUrl()), UpdateState::NoUpdatesPending);
    EXPECT_FALSE(fs::exists(Latest()));
    EXPECT_EQ(ReadFile(Current()), ReadFile(Data("current.xml")));
}

TEST_F(UpdateCheckTest, MalformedFeedOrErrorPageMeansNoUpdate) {
    InstallCurrent(Data("current.xml"));
    Serve(Data("broken.xml"));
    EXPECT_EQ(Check(FeedUrl()), UpdateState::NoUpdatesPending);
    Serve(Data("error_page.html"), 404);
    EXPECT_EQ(Check(FeedUrl()), UpdateState::NoUpdatesPending);
    EXPECT_EQ(ReadFile(Current()), ReadFile(Data("current.xml")));
}

TEST_F(UpdateCheckTest, FeedOverItsSizeLimitIsRefused) {
    InstallCurrent(Data("current.xml"));
    const std::string newer = ReadFile(Data("newer.xml")).value_or("");
    ServeText(newer + "<!--" + std::string(kUpdateFeedLimit, ' ') + "-->");
    EXPECT_EQ(Check(FeedUrl()), UpdateState::NoUpdatesPending);
    EXPECT_FALSE(fs::exists(Latest()));

    ServeText(newer + "<!--" + std::string(kUpdateFeedLimit / 2, ' ') + "-->");
    EXPECT_EQ(Check(FeedUrl()), UpdateState::UpdatesAvailable);
}

TEST_F(UpdateCheckTest, FirstRunMakesTheDownloadTheCurrentCopy) {
    Serve(Data("newer.xml"));
    EXPECT_EQ(Check(FeedUrl()), UpdateState::UpdatesAvailable);
    EXPECT_EQ(ReadFile(Current()), ReadFile(Data("newer.xml")));
    EXPECT_FALSE(fs::exists(Latest()));
}

TEST_F(UpdateCheckTest, FirstRunWithoutADatedFeedAnnouncesNothing) {
    EXPECT_EQ(Check(UnreachableUrl()), UpdateState::NoUpdatesPending);
    Serve(Data("error_page.html"), 404);
    EXPECT_EQ(Check(FeedUrl()), UpdateState::NoUpdatesPending);
    EXPECT_FALSE(fs::exists(Current()));
}

TEST_F(UpdateCheckTest, EmptyUpdatesUrlFetchesNothing) {
    m_states.Set(Xml(), UpdateState::UpdatesAvailable);
    EXPECT_EQ(Check(""), UpdateState::NoUpdatesPending);
    EXPECT_TRUE(m_server.Seen().empty());
    EXPECT_FALSE(fs::exists(Latest()));
}

// --- applying a pending update -----------------------------------------------------------

TEST_F(UpdateCheckTest, PendingUpdateReplacesTheCurrentCopyOnce) {
    InstallCurrent(Data("current.xml"));
    fs::copy_file(Data("newer.xml"), Latest());
    m_states.Set(Xml(), UpdateState::UpdatesAvailable);
    EXPECT_TRUE(ApplyPendingUpdate(m_states, Xml()));
    EXPECT_EQ(m_states.State(Xml()), UpdateState::NoUpdatesPending);
    EXPECT_EQ(ReadFile(Current()), ReadFile(Data("newer.xml")));
    EXPECT_FALSE(fs::exists(Latest()));

    EXPECT_FALSE(ApplyPendingUpdate(m_states, Xml()));
    EXPECT_EQ(ReadFile(Current()), ReadFile(Data("newer.xml")));
}

TEST_F(UpdateCheckTest, PendingUpdateWithoutDownloadKeepsTheCurrentCopy) {
    InstallCurrent(Data("current.xml"));
    m_states.Set(Xml(), UpdateState::UpdatesAvailable);
    EXPECT_TRUE(ApplyPendingUpdate(m_states, Xml()));
    EXPECT_EQ(m_states.State(Xml()), UpdateState::NoUpdatesPending);
    EXPECT_EQ(ReadFile(Current()), ReadFile(Data("current.xml")));
}

TEST_F(UpdateCheckTest, NothingPendingLeavesTheFilesAlone) {
    InstallCurrent(Data("current.xml"));
    fs::copy_file(Data("newer.xml"), Latest());
    for (const UpdateState state : {UpdateState::NotChecked, UpdateState::NoUpdatesPending}) {
        m_states.Set(Xml(), state);
        EXPECT_FALSE(ApplyPendingUpdate(m_states, Xml()));
        EXPECT_EQ(m_states.State(Xml()), state);
    }
    EXPECT_EQ(ReadFile(Current()), ReadFile(Data("current.xml")));
    EXPECT_TRUE(fs::exists(Latest()));
}

// --- checks on threads of their own ------------------------------------------------------

TEST_F(UpdateCheckTest, RunnerChecksEachDriverOnce) {
    InstallCurrent(Data("current.xml"));
    Serve(Data("newer.xml"));
    UpdateCheckRunner runner(m_states, m_drivers, m_options);
    EXPECT_TRUE(runner.Start(Job(FeedUrl())));
    EXPECT_FALSE(runner.Start(Job(FeedUrl())));
    ASSERT_TRUE(Eventually([&] { return m_drivers.State("Kaldo KP3020") == 2; }));
    EXPECT_EQ(m_states.State(Xml()), UpdateState::UpdatesAvailable);

    EXPECT_TRUE(runner.Start({"Kaldo KP3040", FeedUrl(), Xml()}));
    ASSERT_TRUE(Eventually([&] { return m_drivers.State("Kaldo KP3040") == 2; }));
    runner.Stop();
    EXPECT_EQ(m_server.Seen().size(), 2u);
}

TEST_F(UpdateCheckTest, EachContentFolderKeepsItsOwnUpdateState) {
    // The office model's content has an old feed, the studio model's the current one.
    const std::string office = Xml();
    const std::string studio = m_folder / "studio/xml";
    fs::create_directories(studio);
    InstallCurrent(Data("current.xml"));
    fs::copy_file(Data("newer.xml"), studio + "/KTWUpdates.xml");
    Serve(Data("newer.xml"));
    {
        UpdateCheckRunner runner(m_states, m_drivers, m_options);
        ASSERT_TRUE(runner.Start({"Kaldo KP3020", FeedUrl(), office}));
        ASSERT_TRUE(Eventually([&] { return m_drivers.State("Kaldo KP3020") == 2; }));
        ASSERT_TRUE(runner.Start({"Kaldo KC5100", FeedUrl(), studio}));
        ASSERT_TRUE(Eventually([&] { return m_drivers.State("Kaldo KC5100") == 2; }));
    }
    // The second check does not overwrite the first one's verdict.
    EXPECT_EQ(m_states.State(office), UpdateState::UpdatesAvailable);
    EXPECT_EQ(m_states.State(studio), UpdateState::NoUpdatesPending);

    // The studio model's page link applies nothing, and leaves the office notice standing.
    EXPECT_FALSE(ApplyPendingUpdate(m_states, studio));
    EXPECT_EQ(ReadFile(studio + "/KTWUpdates.xml"), ReadFile(Data("newer.xml")));
    EXPECT_TRUE(fs::exists(studio + "/KTWUpdates_new.xml"));
    EXPECT_EQ(ReadFile(Current()), ReadFile(Data("current.xml")));
    EXPECT_EQ(m_states.State(office), UpdateState::UpdatesAvailable);

    EXPECT_TRUE(ApplyPendingUpdate(m_states, office));
    EXPECT_EQ(ReadFile(Current()), ReadFile(Data("newer.xml")));
    EXPECT_EQ(m_states.State(office), UpdateState::NoUpdatesPending);
}

TEST_F(UpdateCheckTest, RunnerStopEndsAStalledCheck) {
    InstallCurrent(Data("current.xml"));
    UpdateCheckRunner runner(m_states, m_drivers, m_options);
    ASSERT_TRUE(runner.Start(Job(m_server.Url("/stall"))));
    ASSERT_TRUE(m_server.WaitForArrivals(1));
    runner.Stop();
    EXPECT_EQ(m_states.State(Xml()), UpdateState::NoUpdatesPending);
    EXPECT_EQ(m_drivers.State("Kaldo KP3020"), UpdateCheckedDrivers::kStarted);
    EXPECT_FALSE(fs::exists(Latest()));
    EXPECT_FALSE(runner.Start({"Kaldo KP3040", FeedUrl(), Xml()}));
}

} // namespace
} // namespace kaldo
