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
    std::string title;           // Printer_Status
    std::string nameLabel;       // Name
    std::string typeLabel;       // Type
    std::string locationLabel;   // Location
    std::string addressLabel;    // IPAddressLabel
    std::string address;         // IPAddress, empty for a printer without one
    std::string printerImageTip; // Printer_Image_ToolTip
    std::string refreshTip;      // Refresh_Status_Tooltip
    std::string suppliesTip;     // Supplies_Status_Tooltip
    std::string logoTip;         // Kaldo_Corporate_Logo_Tooltip
    std::string whatsNewTip;     // Whats_new_Tooltip
    std::string footerText;      // Footer_Text
    std::string statusText;      // Current_Status, empty for status 0
    StatusValue status = StatusValue::STATUS_COLLECTING; // Current_Status_ID
    int displayToner = 0;                                // Display_Toner
    int usbSupported = 0;                                // USB_Supported
    int updatesAvailable = 0;                            // Updates_Available
};

// The facts about the selected printer and its content that the footer depends on.
struct StatusFacts {
    bool printerIsNetworked = false;
    std::string printerAddress;
    int displayToner = 0;  // DisplayToner of the configuration
    int statusOverUsb = 0; // StatusOverUSB of the configuration
    UpdateState updateState = UpdateState::NotChecked;
};

// The status the footer shows when `requested` is asked for: a printer without an address
// whose content does not read status over USB never has one.
StatusValue EffectiveFooterStatus(StatusValue requested, const StatusFacts& facts);

// Fills `info` for `status` with the labels of the user's language and the printer's facts.
void FillStatusInfo(StatusInfo& info, StatusValue status, const StatusFacts& facts);

} // namespace kaldo
