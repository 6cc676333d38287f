#pragma once

#include <functional>
#include <string>

class QWidget;

namespace kaldo {

enum class MessageIcon { Information, Warning, Error, Question };
enum class MessageButtons { Ok, YesNo, YesNoDefaultNo };
enum class MessageAnswer { Ok, Yes, No };

struct MessageRequest {
    std::string Caption{};
    std::string Text{};
    MessageIcon Icon = MessageIcon::Information;
    MessageButtons Buttons = MessageButtons::Ok;
    // Button texts from the program's table; the toolkit's own when empty.
    std::string YesText{};
    std::string NoText{};
};

// Shows a message and returns the answer. Windows take one of these, so that tests answer in
// place of a person.
using MessageBoxFunction = std::function<MessageAnswer(QWidget* owner, const MessageRequest&)>;

// The answer of the default button: Yes for Yes/No, No where No is the default, else Ok.
MessageAnswer DefaultAnswer(MessageButtons buttons);

// A modal message box over `owner`. Unattended, the message also goes to stderr and the box
// closes by itself after a few seconds with its default answer (see RunModal).
MessageAnswer ShowMessageBox(QWidget* owner, const MessageRequest& request);

} // namespace kaldo
