#pragma once

#include "setupsupport/ui/DialogUnits.h"

#include <QDialog>
#include <QPixmap>

#include <functional>

namespace kaldo {

class WindowKit;

// A picture that fills its place: the banners and the completion icon.
class PictureControl final : public QWidget {
public:
    PictureControl(WindowKit& kit, QPixmap picture, QWidget* parent);
    const QPixmap& Picture() const { return m_picture; }
    void SetPicture(QPixmap picture);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    WindowKit& m_kit;
    QPixmap m_picture;
};

// The installer's windows: fixed size in dialog units, centred over their parent (or the
// desktop) when they open, with the stored icons and their own tooltips.
class SetupWindow : public QDialog {
public:
    SetupWindow(WindowKit& kit, QWidget* parent, int widthUnits, int heightUnits);

    // Called each time the window has opened; tests use it to act on modal windows.
    void SetShownObserver(std::function<void(QDialog&)> observer) { m_shown = std::move(observer); }

protected:
    void showEvent(QShowEvent* event) override;

    // A multi-line text as the window shows it: read-only, on the system's window colour.
    void SetUpText(QWidget* control);

    WindowKit& m_kit;
    DialogUnits m_units;

private:
    std::function<void(QDialog&)> m_shown;
    bool m_opened = false;
};

} // namespace kaldo
