#include "platform/spooler/IppDevice.h"

#include <gtest/gtest.h>

namespace kaldo {
namespace {

TEST(IppDeviceTest, SuppliesBecomeMarkersWithTheirLevelInPercentOfTheirCapacity) {
    const std::vector<QueueMarker> markers = MarkersFromSupplies(
        {"index=1;class=receptacleThatIsFilled;type=wasteToner;unit=percent;maxcapacity=100;"
         "level=25;colorantname=unknown;",
         "index=2;type=tonerCartridge;maxcapacity=500;level=125;colorantname=cyan;",
         "index=3;type=toner;maxcapacity=100;level=-3;colorantname=black;",
         "index=4;type=toner;maxcapacity=-2;level=40;colorantname=lightMagenta;",
         "type=toner;maxcapacity=100;level=140x;"},
        {"Toner Waste Tank", "Cyan Cartridge"});
    ASSERT_EQ(markers.size(), 5u);
    EXPECT_EQ(markers[0].Name, "Toner Waste Tank");
    EXPECT_EQ(markers[0].Type, "waste-toner");
    EXPECT_EQ(markers[0].Color, "");
    EXPECT_EQ(markers[0].Level, 25);
    EXPECT_EQ(markers[1].Type, "toner-cartridge");
    EXPECT_EQ(markers[1].Color, "#00FFFF");
    EXPECT_EQ(markers[1].Level, 25);
    // "Some left" and an unknown capacity are no level; a supply without description no name.
    EXPECT_EQ(markers[2].Level, -1);
    EXPECT_EQ(markers[2].Name, "");
    EXPECT_EQ(markers[3].Level, -1);
    EXPECT_EQ(markers[3].Color, "#FF80FF");
    EXPECT_EQ(markers[4].Level, -1);
}

TEST(IppDeviceTest, ModelNamesComeFromMakeAndModelAndTheDeviceIdsMakerAndModel) {
    EXPECT_EQ(DeviceModelNames({"Presslane 3020", "MFG:Kaldo;MDL:Presslane 3020;CMD:PWG,URF;"}),
              (std::vector<std::string>{"Presslane 3020", "Kaldo Presslane 3020"}));
    EXPECT_EQ(DeviceModelNames({"", " MANUFACTURER:Kaldo; MODEL:Presslane 3040;"}),
              (std::vector<std::string>{"Kaldo Presslane 3040"}));
    EXPECT_EQ(DeviceModelNames({"Printer", "CMD:PWG;MFG:Kaldo;"}),
              (std::vector<std::string>{"Printer"}));
    EXPECT_EQ(DeviceIdField("mfg:Kaldo;MDL:X", "MFG", "MANUFACTURER"), "Kaldo");
}

TEST(IppDeviceTest, AlertsAndDeviceKinds) {
    const QueueAlert alert = AlertFromValue(
        "code=tonerLow;index=2;severity=warning;training=none;group=marker", "Toner is low.");
    EXPECT_EQ(alert.Code, "tonerLow");
    EXPECT_EQ(alert.Severity, "warning");
    EXPECT_EQ(alert.Text, "Toner is low.");
    for (const char* uri : {"ipp://h/ipp/print", "ipps://h/", "http://h:631/", "https://h/",
                            "dnssd://Lobby._ipp._tcp.local/"})
        EXPECT_TRUE(IsIppDeviceUri(uri)) << uri;
    for (const char* uri :
         {"socket://h", "usb://Kaldo/Presslane", "lpd://h/q", "ipp", "", "implicitclass://Lobby/"})
        EXPECT_FALSE(IsIppDeviceUri(uri)) << uri;
}

} // namespace
} // namespace kaldo
