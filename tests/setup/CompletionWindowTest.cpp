#include "setup/ui/CompletionWindow.h"

#include "setup/ui/WindowKit.h"
#include "tests/setup/InstallerWindowsTestSupport.h"

#include <QApplication>
#include <QEvent>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>

#include <gtest/gtest.h>

namespace {

using kaldo::CompletionWindow;
using kaldo::Rgb;

QPixmap Solid(QColor colour) {
    QPixmap picture(8, 8);
    picture.fill(colour);
    return picture;
}

class CompletionWindowTest : public testing::Test,
                             public kaldo::testsupport::InstallerWindowsFixture {
protected:
    std::unique_ptr<CompletionWindow> Make(bool succeeded, const std::string& detail) {
        auto window = std::make_unique<CompletionWindow>(
            m_setup, m_kit,
            kaldo::CompletionPictures{Solid(Qt::blue), Solid(Qt::green), Solid(Qt::red)}, succeeded,
            detail, Rgb{0, 0, 255}, Rgb{255, 0, 0},
            [this](const std::string& code) { m_opened.push_back(code); });
        window->show();
        QApplication::processEvents();
        return window;
    }
    static QColor LinkColour(const CompletionWindow& window) {
        return window.SupportLink()->palette().color(QPalette::WindowText);
    }

    kaldo::WindowKit m_kit;
    std::vector<std::string> m_opened;
};

TEST_F(CompletionWindowTest, SuccessShowsTheCompleteTextsAndNoLink) {
    auto window = Make(true, "presslane_3000");
    EXPECT_EQ(window->windowTitle(), QStringLiteral("Kaldo Tendwell Installation"));
    EXPECT_EQ(window->Title()->text(), QStringLiteral("Installation Complete"));
    EXPECT_TRUE(window->Text()->toPlainText().startsWith(
        QStringLiteral("The Kaldo Tendwell, along with content for the presslane_3000 has been "
                       "installed onto your PC.")));
    EXPECT_EQ(window->CloseButton()->text(), QStringLiteral("&Finish"));
    EXPECT_FALSE(window->SupportLink()->isVisible());
    EXPECT_EQ(window->Icon()->Picture().toImage().pixelColor(0, 0), QColor(Qt::green));
}

TEST_F(CompletionWindowTest, TitleIsBoldAndThreePointsLarger) {
    auto window = Make(true, "x");
    const QFont base = window->font();
    EXPECT_EQ(window->Title()->font().weight(), QFont::Bold);
    EXPECT_DOUBLE_EQ(window->Title()->font().pointSizeF(), base.pointSizeF() + 3);
}

TEST_F(CompletionWindowTest, LayoutFollowsTheDialogUnits) {
    auto window = Make(false, "x");
    const kaldo::DialogUnits units(QApplication::font());
    EXPECT_EQ(window->size(), units.Size(200, 164));
    EXPECT_EQ(window->Banner()->geometry(), units.Rect(0, 0, 199, 39));
    EXPECT_EQ(window->Icon()->geometry(), units.Rect(10, 43, 20, 20));
    EXPECT_EQ(window->Text()->geometry(), units.Rect(6, 72, 186, 58));
    EXPECT_EQ(window->SupportLink()->geometry(), units.Rect(6, 139, 104, 16));
    EXPECT_EQ(window->CloseButton()->geometry(), units.Rect(121, 139, 71, 14));
}

TEST_F(CompletionWindowTest, FailureShowsTheReasonTheFailureIconAndTheLink) {
    auto window = Make(false, " Cannot write /opt/Kaldo/Tendwell: Permission denied");
    EXPECT_EQ(window->Title()->text(), QStringLiteral("Installation Failed!"));
    EXPECT_TRUE(window->Text()->toPlainText().contains(
        QStringLiteral("Reported message: Cannot write /opt/Kaldo/Tendwell: Permission denied")));
    EXPECT_EQ(window->CloseButton()->text(), QStringLiteral("&Close"));
    EXPECT_TRUE(window->SupportLink()->isVisible());
    EXPECT_EQ(window->SupportLink()->text(), QStringLiteral("Kaldo Support Information"));
    EXPECT_TRUE(window->SupportLink()->font().underline());
    EXPECT_EQ(window->Icon()->Picture().toImage().pixelColor(0, 0), QColor(Qt::red));
}

TEST_F(CompletionWindowTest, LinkTakesTheHoverColourUnderThePointer) {
    auto window = Make(false, "x");
    EXPECT_EQ(LinkColour(*window), QColor(0, 0, 255));
    QEvent enter(QEvent::Enter);
    QApplication::sendEvent(window->SupportLink(), &enter);
    EXPECT_EQ(LinkColour(*window), QColor(255, 0, 0));
    QEvent leave(QEvent::Leave);
    QApplication::sendEvent(window->SupportLink(), &leave);
    EXPECT_EQ(LinkColour(*window), QColor(0, 0, 255));
}

TEST_F(CompletionWindowTest, LinkOpensTheSupportDocumentOfTheLanguage) {
    auto window = Make(false, "x");
    QTest::mouseClick(window->SupportLink(), Qt::LeftButton);
    EXPECT_EQ(m_opened, std::vector<std::string>{"ENU"});
}

TEST_F(CompletionWindowTest, CloseButtonEndsTheWindow) {
    auto window = Make(true, "x");
    QTest::mouseClick(window->CloseButton(), Qt::LeftButton);
    EXPECT_FALSE(window->isVisible());
    EXPECT_EQ(window->result(), QDialog::Accepted);
}

} // namespace
