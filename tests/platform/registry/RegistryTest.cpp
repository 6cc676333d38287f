#include "platform/registry/Registry.h"
#include "platform/registry/IniRegistry.h"

#include "tests/support/TempFolder.h"

#include <gtest/gtest.h>

namespace {

using kaldo::Hive;
using kaldo::KeyIsWithin;
using kaldo::RegistryNamesEqual;
using kaldo::SplitKeyPath;

const std::string kPrint = "System\\CurrentControlSet\\control\\Print";

TEST(RegistryTest, SplitKeyPathDropsEmptyComponents) {
    EXPECT_EQ(SplitKeyPath("SOFTWARE\\Kaldo\\Tendwell"),
              (std::vector<std::string>{"SOFTWARE", "Kaldo", "Tendwell"}));
    EXPECT_EQ(SplitKeyPath("\\SOFTWARE\\\\Kaldo\\"),
              (std::vector<std::string>{"SOFTWARE", "Kaldo"}));
    EXPECT_TRUE(SplitKeyPath("").empty());
    EXPECT_TRUE(SplitKeyPath("\\\\").empty());
    EXPECT_EQ(SplitKeyPath("a/b"), std::vector<std::string>{"a/b"});
}

TEST(RegistryTest, NamesCompareWithoutCase) {
    EXPECT_TRUE(RegistryNamesEqual("Last_Printer", "LAST_printer"));
    EXPECT_TRUE(RegistryNamesEqual("Bürodrucker", "BÜRODRUCKER"));
    EXPECT_TRUE(RegistryNamesEqual("", ""));
    EXPECT_FALSE(RegistryNamesEqual("Printer", "Printers"));
}

TEST(RegistryTest, KeyIsWithinComparesWholeComponentsWithoutCase) {
    EXPECT_TRUE(KeyIsWithin("SYSTEM\\CurrentControlSet\\Control\\Print", kPrint));
    EXPECT_TRUE(KeyIsWithin("system\\currentcontrolset\\control\\print\\Printers\\Lab", kPrint));
    EXPECT_FALSE(KeyIsWithin("System\\CurrentControlSet\\control\\PrintX", kPrint));
    EXPECT_FALSE(KeyIsWithin("System\\CurrentControlSet\\control", kPrint));
    EXPECT_TRUE(KeyIsWithin("anything", ""));
}

// A view that answers one subtree itself and leaves the rest to the inner registry.
class PrintView final : public kaldo::ForwardingRegistry {
public:
    using ForwardingRegistry::ForwardingRegistry;

    std::optional<std::string> QueryValue(Hive hive, std::string_view key,
                                          std::string_view name) const override {
        if (KeyIsWithin(key, kPrint))
            return "live " + std::string(name);
        return ForwardingRegistry::QueryValue(hive, key, name);
    }
    bool SetValue(Hive hive, std::string_view key, std::string_view name,
                  std::string_view value) override {
        return !KeyIsWithin(key, kPrint) && ForwardingRegistry::SetValue(hive, key, name, value);
    }
};

TEST(RegistryTest, ForwardingViewOverridesOnlyItsSubtree) {
    kaldo::testsupport::TempFolder folder;
    kaldo::IniRegistry store(folder / "machine.ini", folder / "user.ini");
    PrintView view(store);
    const std::string printers = "SYSTEM\\CurrentControlSet\\Control\\Print\\Printers\\Lab";

    EXPECT_TRUE(view.SetValue(Hive::LocalMachine, "SOFTWARE\\Kaldo", "Exe_Path", "/opt"));
    EXPECT_FALSE(view.SetValue(Hive::LocalMachine, printers, "Port", "x"));
    EXPECT_EQ(view.QueryValue(Hive::LocalMachine, "SOFTWARE\\Kaldo", "Exe_Path"), "/opt");
    EXPECT_EQ(view.QueryValue(Hive::LocalMachine, printers, "Port"), "live Port");
    EXPECT_EQ(store.QueryValue(Hive::LocalMachine, printers, "Port"), std::nullopt);
    EXPECT_EQ(view.SubKeys(Hive::LocalMachine, ""), std::vector<std::string>{"SOFTWARE"});
    EXPECT_TRUE(view.DeleteTree(Hive::LocalMachine, "SOFTWARE"));
    EXPECT_FALSE(store.KeyExists(Hive::LocalMachine, "SOFTWARE"));
}

} // namespace
