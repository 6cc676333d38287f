// Sets registry values from a process of its own, for the tests of changes between processes.
//   RegistryWriter FILE KEY NAME VALUE          sets one value
//   RegistryWriter FILE KEY NAME VALUE COUNT    sets NAME0 .. NAME<COUNT-1>
// Exits with 0 when every write succeeded.
#include "platform/registry/IniRegistry.h"

#include <cstdlib>
#include <string>

int main(int argc, char** argv) {
    if (argc != 5 && argc != 6)
        return 2;
    kaldo::IniRegistry registry(argv[1], argv[1]);
    if (argc == 5)
        return registry.SetValue(kaldo::Hive::LocalMachine, argv[2], argv[3], argv[4]) ? 0 : 1;
    const int count = std::atoi(argv[5]);
    for (int i = 0; i < count; ++i) {
        if (!registry.SetValue(kaldo::Hive::LocalMachine, argv[2], argv[3] + std::to_string(i),
                               argv[4]))
            return 1;
    }
    return 0;
}
