#pragma once

#include <QLoggingCategory>
#include <QString>

#include <string_view>

namespace kaldo {

// The program's fixed diagnostic texts ("url:...", "RetrieveStatus for: ", ...). Silent
// unless enabled, e.g. QT_LOGGING_RULES="kaldo.trace.debug=true".
inline const QLoggingCategory& TraceCategory() {
    static const QLoggingCategory category("kaldo.trace", QtWarningMsg);
    return category;
}

inline void Trace(std::string_view text) {
    if (TraceCategory().isDebugEnabled())
        QMessageLogger().debug(TraceCategory()).noquote()
            << QString::fromUtf8(text.data(), qsizetype(text.size()));
}

} // namespace kaldo
