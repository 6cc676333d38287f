#include "setup/ui/CompletionWindow.h"

#include "setup/InstallerStrings.h"
#include "setup/ModelName.h"
#include "setup/ui/WindowKit.h"
#include "setupsupport/SetupSupport.h"

#include <QEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QPushButton>

namespace kaldo {

CompletionWindow::CompletionWindow(SetupSupport& setup, WindowKit& kit,
                                   const CompletionPictures& pictures, bool succeeded,
                                   const std::string& detail, Rgb linkColour, Rgb hoverColour,
                                   SupportDocumentFunction openSupport, QWidget* parent)
    : SetupWindow(kit, parent, 200, 164)
    , m_setup(setup)
    , m_openSupport(std::move(openSupport))
    , m_linkColour(linkColour)
    , m_hoverColour(hoverColour)
    , m_banner(new PictureControl(kit, pictures.Banner, this))
    , m_icon(new PictureControl(kit, succeeded ? pictures.Success : pictures.Failure, this))
    , m_title(new QLabel(this))
    , m_text(new QPlainTextEdit(this))
    , m_link(new QLabel(this))
    , m_close(new QPushButton(this)) {
    const auto text = [&](InstallerString id) {
        return QString::fromStdString(InstallerText(setup, id));
    };
    setObjectName(QStringLiteral("completionWindow"));
    setWindowTitle(text(InstallerString::WindowCaption));

    m_banner->setObjectName(QStringLiteral("banner"));
    m_banner->setGeometry(m_units.Rect(0, 0, 199, 39));
    m_icon->setObjectName(QStringLiteral("resultIcon"));
    m_icon->setGeometry(m_units.Rect(10, 43, 20, 20));

    m_title->setObjectName(QStringLiteral("resultTitle"));
    m_title->setGeometry(m_units.Rect(36, 43, 131, 21));
    m_title->setText(
        text(succeeded ? InstallerString::CompleteTitle : InstallerString::FailedTitle));
    m_title->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    SetUpText(m_title);
    kit.deriveFont(m_title, 3, 2, 2, 2, 700);

    m_text->setObjectName(QStringLiteral("resultText"));
    m_text->setGeometry(m_units.Rect(6, 72, 186, 58));
    m_text->setReadOnly(true);
    m_text->setPlainText(QString::fromStdString(
        FormatText(InstallerText(setup, succeeded ? InstallerString::CompleteText
                                                  : InstallerString::FailedText),
                   detail)));
    SetUpText(m_text);

    m_link->setObjectName(QStringLiteral("supportLink"));
    m_link->setGeometry(m_units.Rect(6, 139, 104, 16));
    m_link->setText(text(InstallerString::SupportLink));
    m_link->setCursor(Qt::PointingHandCursor);
    m_link->setAttribute(Qt::WA_Hover);
    SetUpText(m_link);
    kit.deriveFont(m_link, 0, 0, 2, 2, 0);
    SetLinkColour(m_linkColour);
    m_link->installEventFilter(this);
    m_link->setVisible(!succeeded);

    m_close->setObjectName(QStringLiteral("closeButton"));
    m_close->setGeometry(m_units.Rect(121, 139, 71, 14));
    m_close->setText(text(succeeded ? InstallerString::Finish : InstallerString::Close));
    m_close->setDefault(true);
    m_close->setFocus();
    connect(m_close, &QPushButton::clicked, this, [this] { accept(); });
}

void CompletionWindow::SetLinkColour(Rgb colour) {
    QPalette palette = m_link->palette();
    palette.setColor(QPalette::WindowText, QColor(colour.Red, colour.Green, colour.Blue));
    m_link->setPalette(palette);
}

void CompletionWindow::FollowSupportLink() {
    if (m_openSupport)
        m_openSupport(m_setup.getLanguageCode());
}

bool CompletionWindow::eventFilter(QObject* watched, QEvent* event) {
    if (watched == m_link) {
        switch (event->type()) {
        case QEvent::Enter:
        case QEvent::HoverEnter:
            SetLinkColour(m_hoverColour);
            break;
        case QEvent::Leave:
        case QEvent::HoverLeave:
            SetLinkColour(m_linkColour);
            break;
        case QEvent::MouseButtonRelease:
            if (static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton)
                FollowSupportLink();
            return true;
        default:
            break;
        }
    }
    return SetupWindow::eventFilter(watched, event);
}

} // namespace kaldo
