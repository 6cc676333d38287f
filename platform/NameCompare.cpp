#include "platform/NameCompare.h"

#include <QString>

namespace kaldo {

namespace {

int CompareIgnoringCase(std::string_view a, std::string_view b) {
    return QString::fromUtf8(a.data(), qsizetype(a.size()))
        .compare(QString::fromUtf8(b.data(), qsizetype(b.size())), Qt::CaseInsensitive);
}

} // namespace

bool SameNameIgnoringCase(std::string_view a, std::string_view b) {
    return CompareIgnoringCase(a, b) == 0;
}

bool NameBeforeIgnoringCase(std::string_view a, std::string_view b) {
    const int order = CompareIgnoringCase(a, b);
    return order != 0 ? order < 0 : a < b;
}

} // namespace kaldo
