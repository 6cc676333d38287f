#include "main/dialogs/LinkLabel.h"

#include <QTest>
#include <QVBoxLayout>
#include <QWidget>

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

namespace kaldo {
namespace {

constexpr char kLink[] = "https://flathub.org/apps/search?q=pdf%20viewer";

// A window with the link above a plain label, and the link's actions recorded.
class LinkLabelTest : public ::testing::Test {
protected:
    void SetUp() override {
        auto* layout = new QVBoxLayout(&m_window);
        m_link =
            new LinkLabel(kLink,
                          {.CheckWeb =
                               [this](std::function<void(bool)> answer) {
                                   ++m_webChecks;
                                   if (m_holdAnswer)
                                       m_heldAnswer = std::move(answer);
                                   else
                                       answer(m_webUp);
                               },
                           .Open = [this](const std::string& link) { m_opened.push_back(link); },
                           .ShowOffline =
                               [this] {
                                   ++m_offlineNotices;
                               }},
                          &m_window);
        m_other = new QLabel("Some other text", &m_window);
        layout->addWidget(m_link);
        layout->addWidget(m_other);
        m_window.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&m_window));
    }

    QWidget m_window;
    LinkLabel* m_link = nullptr;
    QLabel* m_other = nullptr;
    bool m_webUp = true;
    bool m_holdAnswer = false;
    std::function<void(bool)> m_heldAnswer;
    int m_webChecks = 0;
    int m_offlineNotices = 0;
    std::vector<std::string> m_opened;
};

TEST_F(LinkLabelTest, LinkShowsItsAddressInDarkBlue) {
    EXPECT_EQ(m_link->text(), kLink);
    EXPECT_EQ(m_link->TextColour(), QColor(0x00, 0x00, 0xC0));
    EXPECT_FALSE(m_link->Visited());
    EXPECT_FALSE(m_link->font().underline());
}

TEST_F(LinkLabelTest, ClickOpensTheLinkAndTurnsItPurple) {
    QTest::mouseClick(m_link, Qt::LeftButton);
    EXPECT_EQ(m_webChecks, 1);
    EXPECT_EQ(m_opened, std::vector<std::string>{kLink});
    EXPECT_EQ(m_offlineNotices, 0);
    EXPECT_TRUE(m_link->Visited());
    EXPECT_EQ(m_link->TextColour(), QColor(0xC0, 0x00, 0xC0));
}

TEST_F(LinkLabelTest, ClickWhileOfflineShowsTheNoticeAndStillTurnsPurple) {
    m_webUp = false;
    QTest::mouseClick(m_link, Qt::LeftButton);
    EXPECT_TRUE(m_opened.empty());
    EXPECT_EQ(m_offlineNotices, 1);
    EXPECT_EQ(m_link->TextColour(), QColor(0xC0, 0x00, 0xC0));
}

TEST_F(LinkLabelTest, LinkOpensOnlyOnceTheAnswerComes) {
    m_holdAnswer = true;
    QTest::mouseClick(m_link, Qt::LeftButton);
    EXPECT_TRUE(m_opened.empty());
    ASSERT_TRUE(m_heldAnswer);
    m_heldAnswer(true);
    EXPECT_EQ(m_opened, std::vector<std::string>{kLink});
}

TEST_F(LinkLabelTest, AnswerAfterTheLinkIsGoneDoesNothing) {
    m_holdAnswer = true;
    QTest::mouseClick(m_link, Qt::LeftButton);
    delete m_link;
    m_link = nullptr;
    ASSERT_TRUE(m_heldAnswer);
    m_heldAnswer(false);
    m_heldAnswer(true);
    EXPECT_TRUE(m_opened.empty());
    EXPECT_EQ(m_offlineNotices, 0);
}

TEST_F(LinkLabelTest, RightClickDoesNothing) {
    QTest::mouseClick(m_link, Qt::RightButton);
    EXPECT_EQ(m_webChecks, 0);
    EXPECT_FALSE(m_link->Visited());
    EXPECT_EQ(m_link->TextColour(), QColor(0x00, 0x00, 0xC0));
}

TEST_F(LinkLabelTest, PointerOverTheLinkUnderlinesItWithTheHandCursor) {
    EXPECT_EQ(m_link->cursor().shape(), Qt::PointingHandCursor);
    QTest::mouseMove(m_link, m_link->rect().center());
    EXPECT_TRUE(m_link->font().underline());
    QTest::mouseMove(m_other, m_other->rect().center());
    EXPECT_FALSE(m_link->font().underline());
    EXPECT_EQ(m_other->cursor().shape(), Qt::ArrowCursor);
}

TEST_F(LinkLabelTest, EveryNewLinkStartsDarkBlue) {
    QTest::mouseClick(m_link, Qt::LeftButton);
    LinkLabel next(kLink, {}, &m_window);
    EXPECT_FALSE(next.Visited());
    EXPECT_EQ(next.TextColour(), QColor(0x00, 0x00, 0xC0));
}

} // namespace
} // namespace kaldo
