#pragma once

#include <chrono>
#include <string_view>

class QDialog;

namespace kaldo {

// When the program runs unattended (KALDO_EXIT_WHEN_READY is set) every dialog also goes to
// stderr and closes by itself, so that automation never waits on one.
bool RunsUnattended();

inline constexpr std::chrono::milliseconds kUnattendedClose{3000};

// Runs `dialog` modally; unattended, it is described on stderr first and rejected after
// `limit`. Returns the dialog's result.
int RunModal(QDialog& dialog, std::string_view description,
             std::chrono::milliseconds limit = kUnattendedClose);

} // namespace kaldo
