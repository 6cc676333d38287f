#pragma once

#include <chrono>
#include <functional>
#include <string_view>

class QDialog;

namespace kaldo {

// Whether the program runs unattended, as its entry point was told (KALDO_EXIT_WHEN_READY):
// then every dialog also goes to stderr and closes by itself, so that automation never waits
// on one. Off until the entry point turns it on.
void SetUnattended(bool unattended);
bool RunsUnattended();

inline constexpr std::chrono::milliseconds kUnattendedClose{3000};

// Runs `dialog` modally; unattended, it is described on stderr first and, after `limit`,
// closed by `close` (rejected when none). Returns the dialog's result.
int RunModal(QDialog& dialog, std::string_view description,
             std::chrono::milliseconds limit = kUnattendedClose,
             std::function<void()> close = nullptr);

} // namespace kaldo
