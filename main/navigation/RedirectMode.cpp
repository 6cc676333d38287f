#include "main/navigation/RedirectMode.h"

namespace kaldo {

namespace {

// Service pack digit ≥ `spThreshold` or browser 6 newer than `build` → Stop.
RedirectMode ByServicePackOrBuild(char spDigit, char spThreshold, const std::string& browserMajor,
                                  const std::string& browserBuild, std::string_view build) {
    if (spDigit >= spThreshold)
        return RedirectMode::Stop;
    if (browserMajor == "6" && browserBuild > build)
        return RedirectMode::Stop;
    return RedirectMode::Refresh;
}

} // namespace

RedirectMode ChooseRedirectMode(const std::optional<std::string>& browserVersion,
                                const SystemVersion& system) {
    if (!browserVersion)
        return RedirectMode::Unknown;

    const std::string& version = *browserVersion;
    const std::string browserMajor = version.substr(0, 1);
    const std::string browserBuild = version.size() >= 8 ? version.substr(4, 4) : std::string();
    const char spDigit = system.ServicePack.empty() ? '0' : system.ServicePack.back();

    if (system.Major >= 6)
        return RedirectMode::Stop;
    if (browserMajor > "6")
        return RedirectMode::Stop;

    switch (system.Minor) {
    case 0:
        return ByServicePackOrBuild(spDigit, '5', browserMajor, browserBuild, "2800");
    case 1:
        return ByServicePackOrBuild(spDigit, '2', browserMajor, browserBuild, "2800");
    case 2:
        return ByServicePackOrBuild(spDigit, '1', browserMajor, browserBuild, "3790");
    default:
        return RedirectMode::Refresh;
    }
}

std::string_view RedirectTraceText(RedirectMode mode) {
    return mode == RedirectMode::Refresh ? "Redirect using Refresh()\n" : "Redirect using Stop()\n";
}

} // namespace kaldo
