#include "main/printers/LastPrinter.h"

#include "platform/registry/Registry.h"

namespace kaldo {

namespace {

constexpr std::string_view kKey = "SOFTWARE\\Kaldo\\Tendwell";
constexpr std::string_view kValue = "Last_Printer";

} // namespace

bool ReadLastPrinter(const Registry& registry, std::string& name) {
    for (Hive hive : {Hive::CurrentUser, Hive::LocalMachine}) {
        if (std::optional<std::string> value = registry.QueryValue(hive, kKey, kValue)) {
            name = std::move(*value);
            return true;
        }
    }
    return false;
}

void WriteLastPrinter(Registry& registry, std::string_view selectedPrinter) {
    registry.SetValue(Hive::CurrentUser, kKey, kValue, selectedPrinter);
}

} // namespace kaldo
