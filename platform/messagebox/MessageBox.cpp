#include "platform/messagebox/MessageBox.h"

#include "platform/messagebox/Unattended.h"

#include <QMessageBox>
#include <QPushButton>

namespace kaldo {

namespace {

QMessageBox::Icon ToolkitIcon(MessageIcon icon) {
    switch (icon) {
    case MessageIcon::Warning:
        return QMessageBox::Warning;
    case MessageIcon::Error:
        return QMessageBox::Critical;
    case MessageIcon::Question:
        return QMessageBox::Question;
    case MessageIcon::Information:
        break;
    }
    return QMessageBox::Information;
}

} // namespace

MessageAnswer DefaultAnswer(MessageButtons buttons) {
    switch (buttons) {
    case MessageButtons::YesNo:
        return MessageAnswer::Yes;
    case MessageButtons::YesNoDefaultNo:
        return MessageAnswer::No;
    case MessageButtons::Ok:
        break;
    }
    return MessageAnswer::Ok;
}

MessageAnswer ShowMessageBox(QWidget* owner, const MessageRequest& request) {
    QMessageBox box(ToolkitIcon(request.Icon), QString::fromStdString(request.Caption),
                    QString::fromStdString(request.Text), QMessageBox::NoButton, owner);
    QPushButton* yes = nullptr;
    QPushButton* no = nullptr;
    if (request.Buttons == MessageButtons::Ok) {
        box.setDefaultButton(box.addButton(QMessageBox::Ok));
    } else {
        yes = box.addButton(QMessageBox::Yes);
        no = box.addButton(QMessageBox::No);
        if (!request.YesText.empty())
            yes->setText(QString::fromStdString(request.YesText));
        if (!request.NoText.empty())
            no->setText(QString::fromStdString(request.NoText));
        box.setDefaultButton(request.Buttons == MessageButtons::YesNo ? yes : no);
        box.setEscapeButton(no);
    }

    QPushButton* answer = box.defaultButton();
    RunModal(box, request.Caption + ": " + request.Text, kUnattendedClose,
             [answer] { answer->click(); });
    if (box.clickedButton() == yes && yes != nullptr)
        return MessageAnswer::Yes;
    if (box.clickedButton() == no && no != nullptr)
        return MessageAnswer::No;
    if (request.Buttons == MessageButtons::Ok)
        return MessageAnswer::Ok;
    return MessageAnswer::No; // closed some other way: the safe answer
}

} // namespace kaldo
