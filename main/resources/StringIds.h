#pragma once

#include "platform/CodeNumber.h"

namespace kaldo {

// The ids of the main program's string table; every language's table has the same ids.
enum class StringId : int {
    ClassName = 100, // window class, also names the running instance
    Title = 101,
    FatalStart = 102, // the printer given on the command line cannot be shown
    FatalData = 103,  // the data folder cannot be read
    FatalCaption = 104,
    MutexName = 105,
    PrinterStatus = 106,
    Name = 107,
    Type = 108,
    Location = 109,
    PrinterImageTip = 110,
    RefreshStatus = 111,
    SuppliesStatus = 112,
    LogoTip = 113,
    LatestInformation = 114, // kept in every table, shown nowhere
    FooterText = 115,
    CollectingStatus = 116,
    StatusUnavailable = 117,
    EnterKeywords = 118,
    Index = 119,
    Numerics = 120,
    SearchResults = 121,
    SearchAgain = 122,
    NoResults = 123,
    RetrievingFile = 124,
    DownloadingFile = 125,
    Cancel = 126,
    AddressLabel = 127,
    Search = 128,
    SelectPrinter = 129,
    WhatsNew = 130,
    NoPrinter = 131, // no installed printer has content
    NoUsbStatus = 132,
    LanguageCode = 133,
    Ok = 134,
    // What a screen reader calls the three panes.
    HeaderPaneName = 135,
    BodyPaneName = 136,
    FooterPaneName = 137,
};

} // namespace kaldo
