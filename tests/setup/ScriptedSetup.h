#pragma once

#include "setupsupport/LinuxSetupSupport.h"

namespace kaldo::testsupport {

// This machine's setup support, with the system class and the account's rights chosen by the
// test.
class ScriptedSetup : public LinuxSetupSupport {
public:
    using LinuxSetupSupport::LinuxSetupSupport;
    int getOsClass() const override { return OsClass; }
    int isUserInGroup(int) const override { return Administrator; }

    int OsClass = 12;
    int Administrator = 1;
};

} // namespace kaldo::testsupport
