#include "setupsupport/ui/DialogUnits.h"

#include <QFont>
#include <QFontMetrics>

namespace kaldo {

namespace {

// The average width of the 52 Latin letters, rounded.
int AverageLetterWidth(const QFontMetrics& metrics) {
    const int width = metrics.horizontalAdvance(
        QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz"));
    return (width / 26 + 1) / 2;
}

} // namespace

DialogUnits::DialogUnits(const QFont& font)
    : DialogUnits(AverageLetterWidth(QFontMetrics(font)), QFontMetrics(font).height()) {}

} // namespace kaldo
