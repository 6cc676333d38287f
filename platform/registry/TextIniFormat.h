#pragma once

#include <QSettings>

namespace kaldo {

// The INI syntax of QSettings::IniFormat, with every value read and written as text.
// QSettings' own reader decodes "@Variant(...)" values through QDataStream, where a few bytes
// in a hand-edited or damaged file claim billions of list items and the process dies on the
// allocation; here such a value is only the text it says. Files written by either format read
// the same in both, and a file with a line that is neither a section, a value nor a comment
// is a format error.
QSettings::Format TextIniFormat();

} // namespace kaldo
