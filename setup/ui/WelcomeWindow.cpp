#include "setup/ui/WelcomeWindow.h"

#include "setup/InstallerStrings.h"
#include "setup/ModelName.h"
#include "setup/ui/InstallerMessages.h"
#include "setupsupport/SetupSupport.h"

#include <QCloseEvent>
#include <QPlainTextEdit>
#include <QPushButton>

namespace kaldo {

namespace {

QString InstallerLabel(const SetupSupport& setup, InstallerString id) {
    return QString::fromStdString(InstallerText(setup, id));
}

} // namespace

WelcomeWindow::WelcomeWindow(SetupSupport& setup, WindowKit& kit, const QPixmap& banner,
                             const std::string& modelName, MessageBoxFunction ask, QWidget* parent)
    : SetupWindow(kit, parent, 200, 166)
    , m_setup(setup)
    , m_ask(std::move(ask))
    , m_banner(new PictureControl(kit, banner, this))
    , m_text(new QPlainTextEdit(this))
    , m_exit(new QPushButton(InstallerLabel(setup, InstallerString::Exit), this))
    , m_continue(new QPushButton(InstallerLabel(setup, InstallerString::Continue), this)) {
    setObjectName(QStringLiteral("welcomeWindow"));
    setWindowTitle(InstallerLabel(setup, InstallerString::WindowCaption));
    m_banner->setObjectName(QStringLiteral("banner"));
    m_banner->setGeometry(m_units.Rect(0, 0, 200, 37));

    m_text->setObjectName(QStringLiteral("welcomeText"));
    m_text->setGeometry(m_units.Rect(13, 47, 172, 89));
    m_text->setReadOnly(true);
    m_text->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    m_text->setPlainText(QString::fromStdString(
        FormatText(InstallerText(setup, InstallerString::WelcomeText), modelName)));
    SetUpText(m_text);

    m_exit->setObjectName(QStringLiteral("exitButton"));
    m_exit->setGeometry(m_units.Rect(7, 146, 89, 14));
    m_exit->setAutoDefault(false);
    m_continue->setObjectName(QStringLiteral("continueButton"));
    m_continue->setGeometry(m_units.Rect(102, 146, 89, 14));
    m_continue->setDefault(true);
    m_continue->setFocus();

    connect(m_continue, &QPushButton::clicked, this, [this] { done(1); });
    connect(m_exit, &QPushButton::clicked, this, [this] { ConfirmCancel(); });
}

bool WelcomeWindow::ConfirmCancel() {
    const MessageRequest request = InstallerMessage(
        m_setup, InstallerString::ConfirmCancelCaption, InstallerString::ConfirmCancelText,
        MessageIcon::Question, MessageButtons::YesNoDefaultNo);
    if (m_ask(this, request) != MessageAnswer::Yes)
        return false;
    m_leaving = true;
    hide();
    done(0);
    return true;
}

void WelcomeWindow::reject() {
    ConfirmCancel();
}

void WelcomeWindow::closeEvent(QCloseEvent* event) {
    if (m_leaving || ConfirmCancel())
        event->accept();
    else
        event->ignore();
}

} // namespace kaldo
