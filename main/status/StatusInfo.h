#pragma once

#include "main/net/UpdateState.h"
#include "platform/CodeNumber.h"

#include <string>

namespace kaldo {

// The status values the footer shows.
enum class StatusValue : int {
    STATUS_AVAILABLE = 0,   // the status document passed the check
    STATUS_COLLECTING = 1,  // a retrieval has just been started
    STATUS_UNAVAILABLE = 2, // no usable status
};

// What the footer says about the selected printer, in the order the footer document lists it.
struct StatusInfo {
    std::string Title;           // Printer_Status
    std::string NameLabel;       // Name
    std::string TypeLabel;       // Type
    std::string LocationLabel;   // Location
    std::string AddressLabel;    // IPAddressLabel
    std::string Address;         // IPAddress, empty for a printer without one
    std::string PrinterImageTip; // Printer_Image_ToolTip
    std::string RefreshTip;      // Refresh_Status_Tooltip
    std::string SuppliesTip;     // Supplies_Status_Tooltip
    std::string LogoTip;         // Kaldo_Corporate_Logo_Tooltip
    std::string WhatsNewTip;     // Whats_new_Tooltip
    std::string FooterText;      // Footer_Text
    std::string StatusText;      // Current_Status, empty for status 0
    StatusValue Status = StatusValue::STATUS_COLLECTING; // Current_Status_ID
    int DisplayToner = 0;                                // Display_Toner
    int UsbSupported = 0;                                // USB_Supported
    int UpdatesAvailable = 0;                            // Updates_Available
};

// The facts about the selected printer and its content that the footer depends on.
struct StatusFacts {
    bool PrinterIsNetworked = false;
    std::string PrinterAddress;
    int DisplayToner = 0;  // DisplayToner of the configuration
    int StatusOverUsb = 0; // StatusOverUSB of the configuration
    kaldo::UpdateState UpdateState = kaldo::UpdateState::NotChecked;
};

// The status the footer shows when `requested` is asked for: a printer without an address
// whose content does not read status over USB never has one.
StatusValue EffectiveFooterStatus(StatusValue requested, const StatusFacts& facts);

// Fills `info` for `status` with the labels of the user's language and the printer's facts.
void FillStatusInfo(StatusInfo& info, StatusValue status, const StatusFacts& facts);

} // namespace kaldo
