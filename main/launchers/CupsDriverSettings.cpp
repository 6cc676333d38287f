#include "main/launchers/CupsDriverSettings.h"

#include <cups/cups.h>

#include <memory>

namespace kaldo {

namespace {

class Destinations {
public:
    Destinations() { m_count = cupsGetDests2(CUPS_HTTP_DEFAULT, &m_dests); }
    ~Destinations() { cupsFreeDests(m_count, m_dests); }
    Destinations(const Destinations&) = delete;
    Destinations& operator=(const Destinations&) = delete;

    cups_dest_t* Find(const std::string& name) {
        return cupsGetDest(name.c_str(), nullptr, m_count, m_dests);
    }
    bool Store() { return cupsSetDests2(CUPS_HTTP_DEFAULT, m_count, m_dests) == 0; }

private:
    int m_count = 0;
    cups_dest_t* m_dests = nullptr;
};

struct FreeDest {
    void operator()(cups_dest_t* dest) const { cupsFreeDests(1, dest); }
};

} // namespace

bool CupsDriverSettings::Load(const std::string& printerName, PrintOptions& options) {
    if (printerName.empty())
        return false;
    std::unique_ptr<cups_dest_t, FreeDest> dest(
        cupsGetNamedDest(CUPS_HTTP_DEFAULT, printerName.c_str(), nullptr));
    if (!dest)
        return false;
    options.clear();
    for (int i = 0; i < dest->num_options; ++i)
        options[dest->options[i].name] = dest->options[i].value;
    return true;
}

bool CupsDriverSettings::Save(const std::string& printerName, const PrintOptions& options) {
    if (printerName.empty())
        return false;
    Destinations destinations;
    cups_dest_t* dest = destinations.Find(printerName);
    if (!dest)
        return false;
    for (const auto& [name, value] : options)
        dest->num_options =
            cupsAddOption(name.c_str(), value.c_str(), dest->num_options, &dest->options);
    return destinations.Store();
}

} // namespace kaldo
