#pragma once

#include "setup/SupportLink.h"
#include "setup/ui/SetupWindow.h"

#include <functional>
#include <string>

class QLabel;
class QPlainTextEdit;
class QPushButton;

namespace kaldo {

class SetupSupport;

// Opens the support document for a language code.
using SupportDocumentFunction = std::function<void(const std::string& languageCode)>;

struct CompletionPictures {
    QPixmap Banner;
    QPixmap Success;
    QPixmap Failure;
};

// The last page: that the program was installed, or that it failed and why, with a link to
// the support information.
class CompletionWindow final : public SetupWindow {
public:
    // `detail` is the model name on success and the reported message on failure.
    CompletionWindow(SetupSupport& setup, WindowKit& kit, const CompletionPictures& pictures,
                     bool succeeded, const std::string& detail, Rgb linkColour, Rgb hoverColour,
                     SupportDocumentFunction openSupport, QWidget* parent = nullptr);

    PictureControl* Banner() const { return m_banner; }
    PictureControl* Icon() const { return m_icon; }
    QLabel* Title() const { return m_title; }
    QPlainTextEdit* Text() const { return m_text; }
    QLabel* SupportLink() const { return m_link; }
    QPushButton* CloseButton() const { return m_close; }

    // What a click on the support link does.
    void FollowSupportLink();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void SetLinkColour(Rgb colour);

    SetupSupport& m_setup;
    SupportDocumentFunction m_openSupport;
    Rgb m_linkColour;
    Rgb m_hoverColour;
    PictureControl* m_banner;
    PictureControl* m_icon;
    QLabel* m_title;
    QPlainTextEdit* m_text;
    QLabel* m_link;
    QPushButton* m_close;
};

} // namespace kaldo
