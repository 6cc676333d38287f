#pragma once

#include <cstddef>
#include <memory>
#include <string>
#include <string_view>

class QTranslator;

namespace kaldo {

constexpr int kEnglishLanguageId = 1033;

// The locale that messages follow: the first of LC_ALL, LC_MESSAGES and LANG that is set and
// not empty; empty when none is.
std::string MessagesLocale();

// The Windows language id of the string table for a POSIX locale: "fr_FR.UTF-8" gives 1036,
// "zh_TW" 1028, "zh_CN" and "zh" 2052, "pt_PT" 1046; 0 for a language without a table,
// "C" and "POSIX" included.
int LanguageIdForLocale(std::string_view locale);

// A program's texts by numeric id in one language. Each program compiles its tables in as
// Qt Linguist files, one per language, found as the resource "<folder>/<TableName>.qm"; in
// them the context is "Strings" and the source text of each message is its id.
class StringTable {
public:
    // The table for `languageId` in `folder`, English when the folder has none for it.
    StringTable(std::string_view folder, int languageId);
    static StringTable ForLocale(std::string_view folder, std::string_view locale);

    // "fr", "pt_BR", "zh_TW", ...; empty for a language without a table.
    static std::string_view TableName(int languageId);

    // The language of the loaded table; 0 when the folder holds no table at all.
    int LanguageId() const { return m_languageId; }
    // The text of string `id` as UTF-8; empty when the table has no such entry.
    std::string Text(int id) const;

private:
    std::shared_ptr<const QTranslator> m_translator;
    int m_languageId = 0;
};

// Clears `buffer` and copies as much of `text` into it as fits: at most size - 1 bytes and
// never half a UTF-8 character, so the result is always terminated. Returns the bytes copied.
size_t CopyUtf8(std::string_view text, char* buffer, size_t size);

} // namespace kaldo
