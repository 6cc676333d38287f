#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace kaldo {

// The operating system's version record as setup judges it.
struct VersionRecord {
    int Platform = 0; // 1: the old consumer family, 2: the NT family
    int Major = 0;
    int Minor = 0;
    std::string ServicePack;
};

constexpr int kPlatformConsumer = 1;
constexpr int kPlatformNt = 2;

constexpr int kProductWorkstation = 0;
constexpr int kProductServer = 2;
constexpr int kProductDomainController = 3;

// Below this class setup refuses to run.
constexpr int kFirstSupportedOsClass = 8;
constexpr int kUnknownOsClass = 13;

// The OS class, 0-13. The product type only matters for NT 5.2 and NT 6 and above.
int OsClass(const VersionRecord& version, int productType);

// Whether the product type is read at all for a class (7 to 13).
bool OsClassHasProductType(int osClass);

// The product type for the system's "ProductType" text: "WINNT" (or none) a workstation,
// "SERVERNT" a server, "LANMANNT" a domain controller, in any case.
int ProductTypeFromText(const std::optional<std::string>& text);

// The record this system reports: an NT-family workstation of a supported version, with the
// kernel's name and release as the service-pack text.
VersionRecord LinuxVersionRecord();

// The system's abbreviated language name for a POSIX locale ("de_CH.UTF-8" gives "DES",
// "en_US" gives "ENU"); "ENU" for "C", "POSIX" or no locale.
std::string AbbreviatedLanguageName(std::string_view locale);

// Upper-cases the code and folds regional variants into the main code of their language
// ("DES" and "DEA" become "DEU", "ENG" becomes "ENU", ...). Other codes stay as they are.
std::string NormaliseLanguageCode(std::string_view code);

// Both steps: the code that setup works with for a locale.
std::string LanguageCodeForLocale(std::string_view locale);

} // namespace kaldo
