#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace kaldo {

enum class Hive { LocalMachine, CurrentUser };

// The registry as the program uses it: keys named by backslash paths
// ("SOFTWARE\Kaldo\Tendwell"), string values, key and value names compared without case.
// Writes that cannot be made (no rights, no key) return false and change nothing.
class Registry {
public:
    virtual ~Registry() = default;

    // Creates the key and every missing key above it; true when the key exists afterwards.
    virtual bool CreateKey(Hive hive, std::string_view key) = 0;
    virtual bool KeyExists(Hive hive, std::string_view key) const = 0;
    virtual std::optional<std::string> QueryValue(Hive hive, std::string_view key,
                                                  std::string_view name) const = 0;
    // Creates the key when it is missing.
    virtual bool SetValue(Hive hive, std::string_view key, std::string_view name,
                          std::string_view value) = 0;
    virtual bool DeleteValue(Hive hive, std::string_view key, std::string_view name) = 0;
    // Removes the key with all its values and everything below it.
    virtual bool DeleteTree(Hive hive, std::string_view key) = 0;
    virtual std::vector<std::string> SubKeys(Hive hive, std::string_view key) const = 0;
    virtual std::vector<std::string> ValueNames(Hive hive, std::string_view key) const = 0;
};

// Base for a view that replaces part of another registry: every call goes to the inner
// registry unless a subclass overrides it (and typically checks KeyIsWithin first).
class ForwardingRegistry : public Registry {
public:
    explicit ForwardingRegistry(Registry& inner)
        : m_inner(inner) {}

    bool CreateKey(Hive hive, std::string_view key) override {
        return m_inner.CreateKey(hive, key);
    }
    bool KeyExists(Hive hive, std::string_view key) const override {
        return m_inner.KeyExists(hive, key);
    }
    std::optional<std::string> QueryValue(Hive hive, std::string_view key,
                                          std::string_view name) const override {
        return m_inner.QueryValue(hive, key, name);
    }
    bool SetValue(Hive hive, std::string_view key, std::string_view name,
                  std::string_view value) override {
        return m_inner.SetValue(hive, key, name, value);
    }
    bool DeleteValue(Hive hive, std::string_view key, std::string_view name) override {
        return m_inner.DeleteValue(hive, key, name);
    }
    bool DeleteTree(Hive hive, std::string_view key) override {
        return m_inner.DeleteTree(hive, key);
    }
    std::vector<std::string> SubKeys(Hive hive, std::string_view key) const override {
        return m_inner.SubKeys(hive, key);
    }
    std::vector<std::string> ValueNames(Hive hive, std::string_view key) const override {
        return m_inner.ValueNames(hive, key);
    }

protected:
    Registry& m_inner;
};

// The components of a key path; empty components (doubled, leading or trailing
// backslashes) are dropped.
std::vector<std::string> SplitKeyPath(std::string_view key);

// Compares key or value names as the registry does: without regard to case, also beyond ASCII.
bool RegistryNamesEqual(std::string_view a, std::string_view b);

// Whether `key` is `subtree` or lies below it ("System\CurrentControlSet\Control\Print\Printers"
// is within "SYSTEM\CurrentControlSet\control\Print").
bool KeyIsWithin(std::string_view key, std::string_view subtree);

} // namespace kaldo
