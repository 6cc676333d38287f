#include "main/dialogs/LinkMessageDialog.h"

#include "main/dialogs/CenterWindow.h"
#include "main/resources/StringResources.h"

#include <QGridLayout>
#include <QLabel>
#include <QPushButton>
#include <QStyle>

namespace kaldo {

namespace {

constexpr int kIconSize = 32;
// Wide enough for a sentence or two before the text wraps.
constexpr int kTextColumns = 56;

} // namespace

LinkMessageDialog::LinkMessageDialog(QWidget* owner, const std::string& title,
                                     const std::string& text, const std::string& link,
                                     LinkLabel::Actions actions)
    : QDialog(owner)
    , m_icon(new QLabel(this))
    , m_text(new QLabel(QString::fromStdString(text), this))
    , m_link(new LinkLabel(link, std::move(actions), this))
    , m_ok(new QPushButton(QString::fromStdString(LoadResourceString(StringId::Ok)), this)) {
    setWindowTitle(QString::fromStdString(title));
    setAccessibleName(windowTitle());
    m_icon->setPixmap(
        style()->standardIcon(QStyle::SP_MessageBoxCritical).pixmap(kIconSize, kIconSize));
    m_icon->setAlignment(Qt::AlignTop);
    m_text->setTextFormat(Qt::PlainText);
    m_text->setWordWrap(true);
    m_text->setMinimumWidth(m_text->fontMetrics().averageCharWidth() * kTextColumns);
    m_ok->setDefault(true);
    connect(m_ok, &QPushButton::clicked, this, &QDialog::accept);

    auto* layout = new QGridLayout(this);
    layout->addWidget(m_icon, 0, 0, 2, 1);
    layout->addWidget(m_text, 0, 1);
    layout->addWidget(m_link, 1, 1, Qt::AlignLeft);
    layout->addWidget(m_ok, 2, 0, 1, 2, Qt::AlignHCenter);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

void LinkMessageDialog::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    CenterWindowOver(this, parentWidget());
}

} // namespace kaldo
