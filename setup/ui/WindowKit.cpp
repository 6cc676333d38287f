#include "setup/ui/WindowKit.h"

#include <QApplication>
#include <QFile>
#include <QGuiApplication>
#include <QIcon>
#include <QPainter>
#include <QPoint>
#include <QScreen>
#include <QWidget>
#include <QtEndian>

namespace kaldo {

namespace {

QRect DesktopRect() {
    const QScreen* screen = QGuiApplication::primaryScreen();
    return screen != nullptr ? screen->geometry() : QRect(0, 0, 1024, 768);
}

// 0 on, 1 off, anything else as it was.
bool Switched(int request, bool current) {
    if (request == 0)
        return true;
    if (request == 1)
        return false;
    return current;
}

} // namespace

WindowKit::~WindowKit() {
    m_tooltips.reset();
    endWait();
}

void WindowKit::alignTo(QWidget* window, const QPoint& point, bool horizontally, bool vertically) {
    if (window == nullptr)
        return;
    const QPoint at = window->parentWidget() != nullptr && !window->isWindow()
                          ? window->parentWidget()->mapFromGlobal(point)
                          : point;
    window->move(horizontally ? at.x() : window->x(), vertically ? at.y() : window->y());
}

void WindowKit::sizeTo(QWidget* window, const QSize& size, bool width, bool height) {
    if (window == nullptr)
        return;
    window->resize(width ? size.width() : window->width(),
                   height ? size.height() : window->height());
}

void WindowKit::centre(QWidget* window, QWidget* parent, bool horizontally, bool vertically,
                       bool repaint) {
    if (window == nullptr)
        return;
    const QRect over = parent != nullptr ? parent->frameGeometry() : DesktopRect();
    const QSize size = window->frameGeometry().size();
    int x = window->x();
    int y = window->y();
    if (horizontally)
        x = size.width() < over.width() ? over.left() + (over.width() - size.width()) / 2
                                        : over.left();
    if (vertically)
        y = size.height() < over.height() ? over.top() + (over.height() - size.height()) / 2
                                          : over.top();
    window->move(x, y);
    if (repaint)
        window->update();
}

void WindowKit::drawBitmap(QWidget* control, QWidget* target,
                           const std::optional<QRect>& screenRect, const QPixmap& picture,
                           bool stretchWidth, bool stretchHeight) {
    if (target == nullptr || picture.isNull())
        return;
    QRect destination;
    if (screenRect)
        destination = QRect(target->mapFromGlobal(screenRect->topLeft()), screenRect->size());
    else if (control != nullptr)
        destination = QRect(control == target ? QPoint(0, 0) : control->mapTo(target, QPoint(0, 0)),
                            control->size());
    else
        return;
    const QSize own = picture.deviceIndependentSize().toSize();
    if (!stretchWidth)
        destination.setWidth(own.width());
    if (!stretchHeight)
        destination.setHeight(own.height());
    QPainter painter(target);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.drawPixmap(destination, picture);
}

QPixmap WindowKit::loadBitmapFile(const std::string& path) {
    QFile file(QString::fromStdString(path));
    if (!file.open(QIODevice::ReadOnly))
        return {};
    const QByteArray bytes = file.readAll();
    if (bytes.size() < 14 || bytes.at(0) != 'B')
        return {};
    const quint32 declared = qFromLittleEndian<quint32>(bytes.constData() + 2);
    if (declared != quint32(bytes.size()))
        return {};
    QPixmap picture;
    picture.loadFromData(bytes, "BMP");
    return picture;
}

void WindowKit::beginWait() {
    if (m_waiting)
        return;
    QApplication::setOverrideCursor(Qt::WaitCursor);
    m_waiting = true;
}

void WindowKit::endWait() {
    if (!m_waiting)
        return;
    QApplication::restoreOverrideCursor();
    m_waiting = false;
}

void WindowKit::applyIcons(QWidget* window) {
    if (window == nullptr)
        return;
    QIcon icon;
    icon.addPixmap(m_smallIcon);
    icon.addPixmap(m_largeIcon);
    window->setWindowIcon(icon);
}

void WindowKit::applyIconsIfAny(QWidget* window) {
    if (window == nullptr || (m_smallIcon.isNull() && m_largeIcon.isNull()))
        return;
    QIcon icon = window->windowIcon();
    if (!m_smallIcon.isNull())
        icon.addPixmap(m_smallIcon);
    if (!m_largeIcon.isNull())
        icon.addPixmap(m_largeIcon);
    window->setWindowIcon(icon);
}

void WindowKit::setIcons(const QPixmap& small, const QPixmap& large) {
    m_smallIcon = small;
    m_largeIcon = large;
}

void WindowKit::controlColour(QWidget* control, bool systemColour, const QColor& colour) {
    if (control == nullptr)
        return;
    const QColor background = systemColour ? QApplication::palette().color(QPalette::Base) : colour;
    QPalette palette = control->palette();
    palette.setColor(QPalette::Window, background);
    palette.setColor(QPalette::Base, background);
    control->setPalette(palette);
    control->setAutoFillBackground(true);
}

TooltipSet& WindowKit::newTooltipSet() {
    m_tooltips = std::make_unique<TooltipSet>();
    return *m_tooltips;
}

void WindowKit::deriveFont(QWidget* control, int addPoints, int underline, int italic,
                           int strikeOut, int weight) {
    if (control == nullptr)
        return;
    QFont font = control->font();
    qreal points = font.pointSizeF();
    if (points <= 0)
        points = font.pixelSize() * 72.0 / control->logicalDpiY();
    font.setPointSizeF(points + addPoints);
    font.setUnderline(Switched(underline, font.underline()));
    font.setItalic(Switched(italic, font.italic()));
    font.setStrikeOut(Switched(strikeOut, font.strikeOut()));
    font.setWeight(weight <= 0 ? QFont::Normal : QFont::Weight(std::clamp(weight, 100, 900)));
    control->setFont(font);
}

} // namespace kaldo
