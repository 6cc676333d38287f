// The maker's update feed against the content's copy: the publication dates read and compared,
// and a pending update applied. Input: the current feed and the downloaded feed, separated by
// kPartSeparator.
#include "main/net/UpdateCheck.h"
#include "platform/Paths.h"
#include "tests/fuzz/FuzzSupport.h"

using namespace kaldo;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static const std::string folder = fuzz::Scratch().Path();
    static const std::string current = JoinPath(folder, kUpdatesFile);
    static const std::string downloaded = JoinPath(folder, kNewUpdatesFile);

    const std::vector<std::string> parts = fuzz::SplitInput(data, size, 2);
    ParseUpdateDate(parts[0]);
    fuzz::WriteBytes(current, parts[0]);
    fuzz::WriteBytes(downloaded, parts[1]);
    ParseUpdateDate(ReadUpdateDate(current));
    UpdateStates states;
    states.Set(folder, CompareUpdateDates(current, downloaded));
    ApplyPendingUpdate(states, folder);
    return 0;
}
