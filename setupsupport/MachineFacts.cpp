#include "setupsupport/MachineFacts.h"

#include "platform/AsciiText.h"

#include <algorithm>
#include <array>
#include <utility>

#include <sys/utsname.h>

namespace kaldo {

namespace {

bool Contains(const std::string& text, char c) {
    return text.find(c) != std::string::npos;
}

struct Abbreviation {
    std::string_view Locale; // language, or language_TERRITORY
    std::string_view Code;
};

// The names the system gives; a territory entry wins over the language's own.
constexpr std::array<Abbreviation, 46> kAbbreviations{{
    {"da", "DAN"},    {"de", "DEU"},    {"de_AT", "DEA"}, {"de_CH", "DES"}, {"de_LI", "DEC"},
    {"de_LU", "DEL"}, {"en", "ENU"},    {"en_AU", "ENA"}, {"en_CA", "ENC"}, {"en_GB", "ENG"},
    {"en_IE", "ENI"}, {"en_NZ", "ENZ"}, {"en_ZA", "ENS"}, {"es", "ESN"},    {"es_MX", "ESM"},
    {"es_AR", "ESS"}, {"fi", "FIN"},    {"fr", "FRA"},    {"fr_BE", "FRB"}, {"fr_CA", "FRC"},
    {"fr_CH", "FRS"}, {"fr_LU", "FRL"}, {"it", "ITA"},    {"it_CH", "ITS"}, {"ja", "JPN"},
    {"ko", "KOR"},    {"nl", "NLD"},    {"nl_BE", "NLB"}, {"nb", "NOR"},    {"no", "NOR"},
    {"nn", "NON"},    {"pl", "PLK"},    {"pt", "PTG"},    {"pt_BR", "PTB"}, {"ru", "RUS"},
    {"sv", "SVE"},    {"sv_FI", "SVF"}, {"zh", "CHS"},    {"zh_CN", "CHS"}, {"zh_SG", "ZHI"},
    {"zh_TW", "CHT"}, {"zh_HK", "ZHH"}, {"zh_MO", "ZHM"}, {"cs", "CSY"},    {"el", "ELL"},
    {"tr", "TRK"},
}};

constexpr std::array<std::pair<std::string_view, std::string_view>, 16> kNormalised{{
    {"DES", "DEU"},
    {"DEA", "DEU"},
    {"ITS", "ITA"},
    {"FRB", "FRA"},
    {"FRC", "FRA"},
    {"FRS", "FRA"},
    {"ENG", "ENU"},
    {"ENA", "ENU"},
    {"ENC", "ENU"},
    {"ENZ", "ENU"},
    {"ENI", "ENU"},
    {"NLB", "NLD"},
    {"NON", "NOR"},
    {"PTG", "PTB"},
    {"ESM", "ESN"},
    {"ESP", "ESN"},
}};

std::string_view LookUp(std::string_view key) {
    for (const Abbreviation& entry : kAbbreviations) {
        if (entry.Locale == key)
            return entry.Code;
    }
    return {};
}

} // namespace

int OsClass(const VersionRecord& version, int productType) {
    if (version.Platform == kPlatformConsumer) {
        if (version.Major == 4 && version.Minor == 0) {
            if (Contains(version.ServicePack, 'B'))
                return 1;
            return Contains(version.ServicePack, 'C') ? 2 : 0;
        }
        if (version.Major == 4 && version.Minor == 10)
            return Contains(version.ServicePack, 'A') ? 4 : 3;
        if (version.Major == 4 && version.Minor == 90)
            return 5;
        if (version.Major >= 4)
            return 6;
        return kUnknownOsClass;
    }
    if (version.Platform == kPlatformNt) {
        const bool workstation = productType == kProductWorkstation;
        if (version.Major == 4)
            return 7;
        if (version.Major == 5 && version.Minor == 0)
            return 8;
        if (version.Major == 5 && version.Minor == 1)
            return 9;
        if (version.Major == 5 && version.Minor == 2)
            return workstation ? 9 : 10;
        if (version.Major >= 6)
            return workstation ? 12 : 11;
    }
    return kUnknownOsClass;
}

bool OsClassHasProductType(int osClass) {
    return osClass >= 7 && osClass <= 13;
}

int ProductTypeFromText(const std::optional<std::string>& text) {
    if (!text)
        return kProductWorkstation;
    const std::string type = AsciiUppered(*text);
    if (type == "SERVERNT")
        return kProductServer;
    if (type == "LANMANNT")
        return kProductDomainController;
    return kProductWorkstation;
}

VersionRecord LinuxVersionRecord() {
    VersionRecord record{kPlatformNt, 10, 0, {}};
    utsname name{};
    if (::uname(&name) == 0)
        record.ServicePack = std::string(name.sysname) + " " + name.release;
    return record;
}

std::string AbbreviatedLanguageName(std::string_view locale) {
    // language[_TERRITORY][.codeset][@modifier]
    locale = locale.substr(0, locale.find_first_of(".@"));
    const size_t split = locale.find_first_of("_-");
    const std::string language = AsciiLowered(locale.substr(0, split));
    if (language.empty() || language == "c" || language == "posix")
        return "ENU";
    if (split != std::string_view::npos) {
        const std::string territory = AsciiUppered(locale.substr(split + 1, 2));
        if (std::string_view code = LookUp(language + "_" + territory); !code.empty())
            return std::string(code);
    }
    if (std::string_view code = LookUp(language); !code.empty())
        return std::string(code);
    return AsciiUppered(language);
}

std::string NormaliseLanguageCode(std::string_view code) {
    const std::string upperCode = AsciiUppered(code);
    for (const auto& [from, to] : kNormalised) {
        if (from == upperCode)
            return std::string(to);
    }
    return upperCode;
}

std::string LanguageCodeForLocale(std::string_view locale) {
    return NormaliseLanguageCode(AbbreviatedLanguageName(locale));
}

} // namespace kaldo
