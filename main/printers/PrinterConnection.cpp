#include "main/printers/PrinterConnection.h"

#include "main/printers/PrinterAddress.h"
#include "main/printers/PrinterSelection.h"
#include "main/printers/PrinterServices.h"
#include "main/printers/Reachability.h"

namespace kaldo {

void CheckInternet(PrinterSelection& state, const PrinterServices& services) {
    state.InternetAvailable =
        services.CheckWebSite && services.CheckWebSite(services.HomePage, kInternetCheckLimit);
}

void RefreshPrinterConnection(PrinterSelection& state, const PrinterServices& services) {
    std::string address;
    state.PrinterIsNetworked =
        ResolvePrinterAddress(services, state.SelectedPrinter, address, true);
    // Every value describes the selected printer only; nothing of the previous one stays.
    state.PrinterPortName.clear();
    if (state.PrinterIsNetworked) {
        if (state.Config) {
            state.Config->SetPrinterWebUrl(PrinterWebUrlFor(address, services.PrinterWebPort));
            state.Config->SetPrinterAddress(std::move(address));
        }
        return;
    }
    if (state.Config) {
        state.Config->SetPrinterAddress({});
        state.Config->SetPrinterWebUrl({});
    }
    GetUsbPortName(services, state.SelectedPrinter, state.PrinterPortName);
}

} // namespace kaldo
