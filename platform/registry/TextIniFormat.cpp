#include "platform/registry/TextIniFormat.h"

#include <QByteArrayView>
#include <QIODevice>
#include <QMap>
#include <QStringList>

#include <cstring>
#include <string>

namespace kaldo {

namespace {

constexpr char kHexDigits[] = "0123456789ABCDEF";

bool IsSpace(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\f' || c == '\v';
}

int HexValue(char16_t c) {
    if (c >= u'0' && c <= u'9')
        return c - u'0';
    if (c >= u'a' && c <= u'f')
        return c - u'a' + 10;
    if (c >= u'A' && c <= u'F')
        return c - u'A' + 10;
    return -1;
}

struct Line {
    QByteArrayView Text;
    qsizetype Equals = -1; // in Text
};

// The logical line from `position`: a quote or a backslash carries it over a line end, and a
// ';' outside quotes starts a comment. False at the end of the data.
bool NextLine(QByteArrayView data, qsizetype& position, Line& line) {
    const qsizetype size = data.size();
    qsizetype start = position;
    while (start < size && IsSpace(data[start]))
        ++start;
    qsizetype i = start;
    qsizetype equals = -1;
    bool quoted = false;
    while (i < size) {
        const char c = data[i++];
        if (c == '=') {
            if (equals < 0)
                equals = i - 1;
        } else if (c == '\n' || c == '\r') {
            if (!quoted) {
                --i;
                break;
            }
        } else if (c == '\\') {
            if (i < size) {
                const char next = data[i++];
                if (i < size &&
                    ((next == '\n' && data[i] == '\r') || (next == '\r' && data[i] == '\n')))
                    ++i;
            }
        } else if (c == '"') {
            quoted = !quoted;
        } else if (c == ';') {
            if (i == start + 1) {
                while (i < size && data[i] != '\n' && data[i] != '\r')
                    ++i;
                while (i < size && IsSpace(data[i]))
                    ++i;
                start = i;
            } else if (!quoted) {
                --i;
                break;
            }
        }
    }
    position = i;
    line = {data.sliced(start, i - start), equals < 0 ? -1 : equals - start};
    return i > start;
}

// '\' separates groups; %XX and %UXXXX are UTF-16 code units.
QString UnescapeKey(QByteArrayView key) {
    const QString text = QString::fromUtf8(key);
    QString result;
    result.reserve(text.size());
    for (qsizetype i = 0; i < text.size();) {
        const QChar c = text[i];
        if (c == u'\\') {
            result += u'/';
            ++i;
            continue;
        }
        if (c == u'%' && i + 1 < text.size()) {
            const qsizetype digits = text[i + 1] == u'U' ? 4 : 2;
            const qsizetype first = i + 1 + (digits == 4 ? 1 : 0);
            char16_t code = 0;
            qsizetype read = 0;
            for (; read < digits && first + read < text.size(); ++read) {
                const int value = HexValue(text[first + read].unicode());
                if (value < 0)
                    break;
                code = char16_t(code * 16 + value);
            }
            if (read == digits) {
                result += QChar(code);
                i = first + digits;
                continue;
            }
        }
        result += c;
        ++i;
    }
    return result;
}

void ChopSpaces(QString& text, qsizetype limit) {
    while (text.size() > limit && (text.endsWith(u' ') || text.endsWith(u'\t')))
        text.chop(1);
}

// What QSettings writes for a text value, read back as that text. Other '@' forms are not
// text it wrote and stay as they stand.
QString ItemText(const QString& item) {
    if (item.startsWith(QLatin1String("@@")))
        return item.mid(1);
    if (item.endsWith(u')')) {
        if (item.startsWith(QLatin1String("@String(")))
            return item.mid(8).chopped(1);
        if (item.startsWith(QLatin1String("@ByteArray(")))
            return QString::fromUtf8(item.mid(11).chopped(1).toLatin1());
    }
    return item;
}

// A value: quotes keep spaces, commas and semicolons; a backslash starts a C escape or joins
// the next line; unquoted commas separate the items of a list, read as the items joined by
// ", ". Spaces around an item that no quote or escape keeps are dropped.
QString UnescapeValue(QByteArrayView text) {
    QStringList items;
    QString item;
    bool quoted = false;
    bool itemQuoted = false;
    qsizetype kept = 0;
    qsizetype i = 0;
    const auto skipSpaces = [&] {
        while (i < text.size() && (text[i] == ' ' || text[i] == '\t'))
            ++i;
        kept = item.size();
    };
    skipSpaces();
    while (i < text.size()) {
        const char c = text[i];
        if (c == '\\') {
            if (++i >= text.size())
                break;
            const char code = text[i++];
            static constexpr char kFrom[] = "abfnrtv\"?'\\";
            static constexpr char kTo[] = "\a\b\f\n\r\t\v\"?'\\";
            if (const char* simple = code ? std::strchr(kFrom, code) : nullptr) {
                item += QLatin1Char(kTo[simple - kFrom]);
            } else if (code == 'x' || (code >= '0' && code <= '7')) {
                const int base = code == 'x' ? 16 : 8;
                char16_t value = code == 'x' ? 0 : char16_t(code - '0');
                bool any = code != 'x';
                for (int digit; i < text.size() && (digit = HexValue(text[i])) >= 0 && digit < base;
                     ++i) {
                    value = char16_t(value * base + digit);
                    any = true;
                }
                if (any)
                    item += QChar(value);
            } else if ((code == '\n' || code == '\r') && i < text.size() &&
                       (text[i] == '\n' || text[i] == '\r') && text[i] != code) {
                ++i;
            }
            kept = item.size();
        } else if (c == '"') {
            ++i;
            itemQuoted = true;
            quoted = !quoted;
            if (!quoted)
                skipSpaces();
        } else if (c == ',' && !quoted) {
            if (!itemQuoted)
                ChopSpaces(item, kept);
            items.append(ItemText(item));
            item.clear();
            itemQuoted = false;
            ++i;
            skipSpaces();
        } else {
            qsizetype end = i + 1;
            while (end < text.size() && text[end] != '\\' && text[end] != '"' && text[end] != ',')
                ++end;
            item += QString::fromUtf8(text.sliced(i, end - i));
            i = end;
        }
    }
    if (!itemQuoted)
        ChopSpaces(item, kept);
    items.append(ItemText(item));
    return items.join(QLatin1String(", "));
}

bool ReadText(QIODevice& device, QSettings::SettingsMap& map) {
    const QByteArray bytes = device.readAll();
    QByteArrayView data(bytes);
    if (data.startsWith("\xef\xbb\xbf"))
        data = data.sliced(3);
    bool ok = true;
    QString section;
    qsizetype position = 0;
    Line line;
    while (NextLine(data, position, line)) {
        if (line.Text.startsWith('[')) {
            qsizetype close = line.Text.indexOf(']');
            if (close < 0) {
                ok = false;
                close = line.Text.size();
            }
            const QByteArrayView name = line.Text.sliced(1, close - 1).trimmed();
            if (name.compare("general", Qt::CaseInsensitive) == 0)
                section.clear();
            else if (name.compare("%general", Qt::CaseInsensitive) == 0)
                section = QString::fromLatin1(name.sliced(1)) + u'/';
            else
                section = UnescapeKey(name) + u'/';
        } else if (line.Equals < 0) {
            ok = false;
        } else {
            // Empty group names would leave keys that no path reaches.
            const QString key = (section + UnescapeKey(line.Text.first(line.Equals).trimmed()))
                                    .split(u'/', Qt::SkipEmptyParts)
                                    .join(u'/');
            if (!key.isEmpty())
                map.insert(key, UnescapeValue(line.Text.sliced(line.Equals + 1)));
        }
    }
    return ok;
}

void AppendKey(const QString& key, QByteArray& out) {
    for (const QChar c : key) {
        const char16_t code = c.unicode();
        if (code == u'/') {
            out += '\\';
        } else if ((code >= u'a' && code <= u'z') || (code >= u'A' && code <= u'Z') ||
                   (code >= u'0' && code <= u'9') || code == u'_' || code == u'-' || code == u'.') {
            out += char(code);
        } else if (code <= 0xFF) {
            out += '%';
            out += kHexDigits[code >> 4];
            out += kHexDigits[code & 0xF];
        } else {
            out += "%U";
            for (int shift = 12; shift >= 0; shift -= 4)
                out += kHexDigits[(code >> shift) & 0xF];
        }
    }
}

// Control characters as escapes; a hex digit right after a numeric escape is escaped too,
// so that it does not join it. Quotes keep separators and spaces at either end.
void AppendValue(const QString& value, QByteArray& out) {
    QString text = value.startsWith(u'@') ? u'@' + value : value;
    QString escaped;
    bool afterNumber = false;
    bool needsQuotes = false;
    for (const QChar c : text) {
        const char16_t code = c.unicode();
        needsQuotes = needsQuotes || code == u';' || code == u',' || code == u'=';
        if (afterNumber && HexValue(code) >= 0) {
            escaped += QStringLiteral("\\x") + QString::number(code, 16);
            continue;
        }
        afterNumber = false;
        static constexpr char16_t kFrom[] = u"\a\b\f\n\r\t\v\"\\";
        static constexpr char kTo[] = "abfnrtv\"\\";
        const char16_t* simple = std::char_traits<char16_t>::find(kFrom, 9, code);
        if (code == 0) {
            escaped += QLatin1String("\\0");
            afterNumber = true;
        } else if (simple) {
            escaped += u'\\';
            escaped += QLatin1Char(kTo[simple - kFrom]);
        } else if (code <= 0x1F) {
            escaped += QStringLiteral("\\x") + QString::number(code, 16);
            afterNumber = true;
        } else {
            escaped += c;
        }
    }
    if (needsQuotes || escaped.startsWith(u' ') || escaped.endsWith(u' '))
        escaped = u'"' + escaped + u'"';
    out += escaped.toUtf8();
}

bool WriteText(QIODevice& device, const QSettings::SettingsMap& map) {
    QMap<QString, QList<QSettings::SettingsMap::const_iterator>> sections;
    for (auto entry = map.cbegin(); entry != map.cend(); ++entry) {
        const qsizetype slash = entry.key().indexOf(u'/');
        sections[slash < 0 ? QString() : entry.key().left(slash)].append(entry);
    }
    QByteArray out;
    for (auto section = sections.cbegin(); section != sections.cend(); ++section) {
        if (section != sections.cbegin())
            out += '\n';
        QByteArray name;
        AppendKey(section.key(), name);
        if (name.isEmpty())
            name = "General";
        else if (name.compare("general", Qt::CaseInsensitive) == 0)
            name.prepend('%');
        out += '[' + name + "]\n";
        const qsizetype skip = section.key().isEmpty() ? 0 : section.key().size() + 1;
        for (const auto& entry : section.value()) {
            AppendKey(entry.key().mid(skip), out);
            out += '=';
            AppendValue(entry.value().toString(), out);
            out += '\n';
        }
    }
    return device.write(out) == out.size();
}

} // namespace

QSettings::Format TextIniFormat() {
    static const QSettings::Format format =
        QSettings::registerFormat(QStringLiteral("ini"), ReadText, WriteText, Qt::CaseSensitive);
    return format;
}

} // namespace kaldo
