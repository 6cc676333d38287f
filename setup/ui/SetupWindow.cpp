#include "setup/ui/SetupWindow.h"

#include "setup/ui/WindowKit.h"

#include <QApplication>
#include <QShowEvent>

namespace kaldo {

PictureControl::PictureControl(WindowKit& kit, QPixmap picture, QWidget* parent)
    : QWidget(parent)
    , m_kit(kit)
    , m_picture(std::move(picture)) {}

void PictureControl::SetPicture(QPixmap picture) {
    m_picture = std::move(picture);
    update();
}

void PictureControl::paintEvent(QPaintEvent*) {
    m_kit.drawBitmap(this, this, std::nullopt, m_picture, true, true);
}

SetupWindow::SetupWindow(WindowKit& kit, QWidget* parent, int widthUnits, int heightUnits)
    : QDialog(parent)
    , m_kit(kit)
    , m_units(QApplication::font()) {
    setFixedSize(m_units.Size(widthUnits, heightUnits));
}

void SetupWindow::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (!m_opened) {
        m_opened = true;
        m_kit.centre(this, parentWidget(), true, true, false);
        m_kit.newTooltipSet().create(this, 0);
        m_kit.applyIconsIfAny(this);
        raise();
        activateWindow();
    }
    if (m_shown)
        m_shown(*this);
}

void SetupWindow::SetUpText(QWidget* control) {
    m_kit.controlColour(control, true);
}

} // namespace kaldo
