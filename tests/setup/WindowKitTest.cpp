#include "setup/ui/WindowKit.h"

#include "tests/support/TempFolder.h"

#include <QApplication>
#include <QBuffer>
#include <QFile>
#include <QGuiApplication>
#include <QImage>
#include <QScreen>
#include <QWidget>

#include <gtest/gtest.h>

namespace {

using kaldo::WindowKit;

QPixmap Solid(int width, int height, QColor colour) {
    QPixmap picture(width, height);
    picture.fill(colour);
    return picture;
}

// A window that paints a picture into one of its controls, as the banners are painted.
class PaintedWindow : public QWidget {
public:
    PaintedWindow(WindowKit& kit, QPixmap picture, bool stretch)
        : m_kit(kit)
        , m_picture(std::move(picture))
        , m_stretch(stretch)
        , m_control(new QWidget(this)) {
        resize(100, 100);
        m_control->setGeometry(10, 20, 50, 40);
        QPalette palette;
        palette.setColor(QPalette::Window, Qt::white);
        setPalette(palette);
        setAutoFillBackground(true);
    }

protected:
    void paintEvent(QPaintEvent*) override {
        m_kit.drawBitmap(m_control, this, std::nullopt, m_picture, m_stretch, m_stretch);
    }

private:
    WindowKit& m_kit;
    QPixmap m_picture;
    bool m_stretch;
    QWidget* m_control;
};

QRect Desktop() {
    return QGuiApplication::primaryScreen()->geometry();
}

TEST(WindowKitTest, CentresOverTheParent) {
    WindowKit kit;
    QWidget parent;
    parent.setGeometry(100, 100, 400, 300);
    QWidget window;
    window.resize(200, 100);
    kit.centre(&window, &parent, true, true, false);
    EXPECT_EQ(window.pos(), parent.frameGeometry().topLeft() + QPoint(100, 100));
}

TEST(WindowKitTest, CentresOverTheDesktopWithoutParent) {
    WindowKit kit;
    QWidget window;
    window.resize(200, 100);
    kit.centre(&window, nullptr, true, true, false);
    EXPECT_EQ(window.x(),
              Desktop().left() + (Desktop().width() - window.frameGeometry().width()) / 2);
    EXPECT_EQ(window.y(),
              Desktop().top() + (Desktop().height() - window.frameGeometry().height()) / 2);
}

TEST(WindowKitTest, WindowLargerThanTheDesktopGoesToItsTopLeftCorner) {
    WindowKit kit;
    QWidget window;
    window.resize(Desktop().width() + 300, Desktop().height() + 200);
    kit.centre(&window, nullptr, true, true, true);
    EXPECT_EQ(window.pos(), Desktop().topLeft());
}

TEST(WindowKitTest, CentresOnOneAxisOnly) {
    WindowKit kit;
    QWidget parent;
    parent.setGeometry(0, 0, 400, 400);
    QWidget window;
    window.setGeometry(7, 9, 100, 100);
    kit.centre(&window, &parent, true, false, false);
    EXPECT_EQ(window.pos(), QPoint(150, 9));
    kit.centre(&window, &parent, false, true, false);
    EXPECT_EQ(window.pos(), QPoint(150, 150));
}

TEST(WindowKitTest, AlignsAndSizesOnChosenAxes) {
    WindowKit kit;
    QWidget window;
    window.setGeometry(5, 6, 70, 80);
    kit.alignTo(&window, QPoint(40, 50), true, false);
    EXPECT_EQ(window.pos(), QPoint(40, 6));
    kit.sizeTo(&window, QSize(10, 20), false, true);
    EXPECT_EQ(window.size(), QSize(70, 20));
}

TEST(WindowKitTest, UnstretchedBitmapKeepsItsSizeAtTheControlsCorner) {
    WindowKit kit;
    PaintedWindow window(kit, Solid(8, 8, Qt::red), false);
    const QImage image = window.grab().toImage();
    EXPECT_EQ(image.pixelColor(10, 20), QColor(Qt::red));
    EXPECT_EQ(image.pixelColor(17, 27), QColor(Qt::red));
    EXPECT_EQ(image.pixelColor(18, 28), QColor(Qt::white));
    EXPECT_EQ(image.pixelColor(9, 19), QColor(Qt::white));
}

TEST(WindowKitTest, StretchedBitmapFillsTheControl) {
    WindowKit kit;
    PaintedWindow window(kit, Solid(8, 8, Qt::blue), true);
    const QImage image = window.grab().toImage();
    EXPECT_EQ(image.pixelColor(10, 20), QColor(Qt::blue));
    EXPECT_EQ(image.pixelColor(59, 59), QColor(Qt::blue));
    EXPECT_EQ(image.pixelColor(60, 60), QColor(Qt::white));
}

TEST(WindowKitTest, BitmapFileMustBeginWithBAndDeclareItsSize) {
    kaldo::testsupport::TempFolder folder;
    WindowKit kit;
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    ASSERT_TRUE(Solid(4, 3, Qt::green).toImage().save(&buffer, "BMP"));
    const auto write = [&](const std::string& name, const QByteArray& data) {
        QFile file(QString::fromStdString(folder / name));
        file.open(QIODevice::WriteOnly);
        file.write(data);
        return folder / name;
    };
    EXPECT_EQ(kit.loadBitmapFile(write("good.bmp", bytes)).size(), QSize(4, 3));
    EXPECT_TRUE(kit.loadBitmapFile(write("long.bmp", bytes + "trailing")).isNull());
    QByteArray wrongMark = bytes;
    wrongMark[0] = 'X';
    EXPECT_TRUE(kit.loadBitmapFile(write("mark.bmp", wrongMark)).isNull());
    EXPECT_TRUE(kit.loadBitmapFile(write("short.bmp", "BM")).isNull());
    EXPECT_TRUE(kit.loadBitmapFile(folder / "absent.bmp").isNull());
}

TEST(WindowKitTest, IconsAreAppliedOnlyWhenStored) {
    WindowKit kit;
    QWidget window;
    kit.applyIconsIfAny(&window);
    EXPECT_TRUE(window.windowIcon().availableSizes().isEmpty());
    kit.setIcons(Solid(11, 12, Qt::red), Solid(32, 32, Qt::red));
    kit.applyIconsIfAny(&window);
    const QList<QSize> sizes = window.windowIcon().availableSizes();
    EXPECT_TRUE(sizes.contains(QSize(11, 12)));
    EXPECT_TRUE(sizes.contains(QSize(32, 32)));
}

TEST(WindowKitTest, ControlColourIsTheSystemWindowColourOrTheGivenOne) {
    WindowKit kit;
    QWidget control;
    kit.controlColour(&control, true);
    EXPECT_EQ(control.palette().color(QPalette::Window),
              QApplication::palette().color(QPalette::Base));
    EXPECT_TRUE(control.autoFillBackground());
    kit.controlColour(&control, false, QColor(1, 2, 3));
    EXPECT_EQ(control.palette().color(QPalette::Window), QColor(1, 2, 3));
}

TEST(WindowKitTest, DerivedFontIsLargerAndBold) {
    WindowKit kit;
    QWidget control;
    QFont font = control.font();
    font.setPointSizeF(9);
    font.setItalic(true);
    control.setFont(font);
    kit.deriveFont(&control, 3, 2, 2, 2, 700);
    EXPECT_DOUBLE_EQ(control.font().pointSizeF(), 12);
    EXPECT_EQ(control.font().weight(), QFont::Bold);
    EXPECT_TRUE(control.font().italic()); // 2 keeps it
    EXPECT_FALSE(control.font().underline());
}

TEST(WindowKitTest, UnderlineZeroGivesAnUnderlinedFontOfTheSameSize) {
    WindowKit kit;
    QWidget control;
    QFont font = control.font();
    font.setPointSizeF(10);
    font.setWeight(QFont::Bold);
    control.setFont(font);
    kit.deriveFont(&control, 0, 0, 1, 2, 0);
    EXPECT_DOUBLE_EQ(control.font().pointSizeF(), 10);
    EXPECT_TRUE(control.font().underline());
    EXPECT_FALSE(control.font().italic());
    EXPECT_EQ(control.font().weight(), QFont::Normal);
}

TEST(WindowKitTest, PixelSizedFontIsMeasuredInPoints) {
    WindowKit kit;
    QWidget control;
    QFont font = control.font();
    font.setPixelSize(control.logicalDpiY() / 6); // 12 points
    control.setFont(font);
    kit.deriveFont(&control, 2, 2, 2, 2, 400);
    EXPECT_NEAR(control.font().pointSizeF(), 14, 0.5);
}

TEST(WindowKitTest, WaitCursorComesAndGoesOnce) {
    {
        WindowKit kit;
        kit.beginWait();
        kit.beginWait();
        ASSERT_NE(QApplication::overrideCursor(), nullptr);
        EXPECT_EQ(QApplication::overrideCursor()->shape(), Qt::WaitCursor);
        kit.endWait();
        EXPECT_EQ(QApplication::overrideCursor(), nullptr);
        kit.beginWait();
    }
    EXPECT_EQ(QApplication::overrideCursor(), nullptr); // the kit's end restores it
}

TEST(TooltipSetTest, NewSetIsInactiveUntilCreated) {
    WindowKit kit;
    QWidget window;
    kaldo::TooltipSet& tips = kit.newTooltipSet();
    EXPECT_FALSE(tips.Active());
    tips.create(&window, 7);
    EXPECT_TRUE(tips.Active());
    EXPECT_EQ(tips.ToolCount(), 0u);
}

TEST(TooltipSetTest, ToolsGetTheirTextAndLoseItWithTheSet) {
    QWidget window;
    auto* button = new QWidget(&window);
    {
        kaldo::TooltipSet tips;
        tips.create(&window, 0);
        tips.addTool(&window, button, "Registers <the> printer");
        EXPECT_EQ(tips.ToolCount(), 1u);
        EXPECT_EQ(tips.onNotify(button), "Registers <the> printer");
        EXPECT_EQ(tips.onNotify(&window), "");
        EXPECT_TRUE(button->toolTip().contains(QStringLiteral("Registers &lt;the&gt; printer")));
    }
    EXPECT_TRUE(button->toolTip().isEmpty());
}

TEST(TooltipSetTest, ToolWhoseControlIsGoneIsSkipped) {
    kaldo::TooltipSet tips;
    {
        QWidget control;
        tips.addTool(nullptr, &control, "gone soon");
    }
    tips.addTool(nullptr, nullptr, "nothing");
    EXPECT_EQ(tips.ToolCount(), 1u);
}

} // namespace
