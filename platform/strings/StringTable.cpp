#include "platform/strings/StringTable.h"

#include "platform/AsciiText.h"

#include <QFile>
#include <QTranslator>

#include <algorithm>
#include <array>
#include <cctype>
#include <cstdlib>
#include <cstring>

namespace kaldo {

namespace {

struct Table {
    int LanguageId;
    std::string_view Name;
};

constexpr std::array<Table, 14> kTables{{
    {1028, "zh_TW"},
    {1030, "da"},
    {1031, "de"},
    {1033, "en"},
    {1036, "fr"},
    {1040, "it"},
    {1041, "ja"},
    {1042, "ko"},
    {1043, "nl"},
    {1046, "pt_BR"},
    {1049, "ru"},
    {1053, "sv"},
    {2052, "zh_CN"},
    {3082, "es"},
}};

std::shared_ptr<const QTranslator> LoadTable(std::string_view folder, int languageId) {
    const std::string_view name = StringTable::TableName(languageId);
    if (name.empty())
        return nullptr;
    const QString path = QString::fromUtf8(folder.data(), qsizetype(folder.size())) +
                         QLatin1Char('/') + QString::fromUtf8(name.data(), qsizetype(name.size())) +
                         QStringLiteral(".qm");
    auto translator = std::make_shared<QTranslator>();
    if (!QFile::exists(path) || !translator->load(path))
        return nullptr;
    return translator;
}

} // namespace

std::string MessagesLocale() {
    for (const char* variable : {"LC_ALL", "LC_MESSAGES", "LANG"}) {
        const char* value = std::getenv(variable);
        if (value != nullptr && *value != '\0')
            return value;
    }
    return {};
}

int LanguageIdForLocale(std::string_view locale) {
    // language[_territory][.codeset][@modifier]; "zh-Hant-TW" style is taken too.
    locale = locale.substr(0, locale.find_first_of(".@"));
    const size_t split = locale.find_first_of("_-");
    const std::string language = AsciiUppered(locale.substr(0, split));
    const std::string rest = split == std::string_view::npos
                                 ? std::string()
                                 : "_" + AsciiUppered(locale.substr(split + 1));
    if (language == "ZH") {
        for (const char* traditional : {"_TW", "_HK", "_MO", "_HANT"}) {
            if (rest.find(traditional) != std::string::npos)
                return 1028;
        }
        return 2052;
    }
    for (const Table& table : kTables) {
        if (AsciiUppered(table.Name.substr(0, table.Name.find('_'))) == language)
            return table.LanguageId;
    }
    return 0;
}

std::string_view StringTable::TableName(int languageId) {
    const auto* table = std::find_if(kTables.begin(), kTables.end(), [&](const Table& candidate) {
        return candidate.LanguageId == languageId;
    });
    return table == kTables.end() ? std::string_view() : table->Name;
}

StringTable::StringTable(std::string_view folder, int languageId)
    : m_translator(LoadTable(folder, languageId))
    , m_languageId(languageId) {
    if (!m_translator) {
        m_translator = LoadTable(folder, kEnglishLanguageId);
        m_languageId = m_translator ? kEnglishLanguageId : 0;
    }
}

StringTable StringTable::ForLocale(std::string_view folder, std::string_view locale) {
    return StringTable(folder, LanguageIdForLocale(locale));
}

std::string StringTable::Text(int id) const {
    // translate() only reads; Qt itself calls it from several threads at once.
    if (!m_translator)
        return {};
    return m_translator->translate("Strings", std::to_string(id).c_str()).toStdString();
}

size_t CopyUtf8(std::string_view text, char* buffer, size_t size) {
    if (buffer == nullptr || size == 0)
        return 0;
    std::memset(buffer, 0, size);
    size_t length = std::min(text.size(), size - 1);
    if (length < text.size()) {
        // The first byte left out must not continue a character that was copied in part.
        while (length > 0 && (static_cast<unsigned char>(text[length]) & 0xC0) == 0x80)
            --length;
    }
    std::memcpy(buffer, text.data(), length);
    return length;
}

} // namespace kaldo
