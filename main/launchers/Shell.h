#pragma once

#include <string>
#include <vector>

namespace kaldo {

// The desktop's way of opening things: default applications and programs started on the
// user's behalf. Targets are URLs ("http://...", "file://...") or local paths.
class Shell {
public:
    virtual ~Shell() = default;

    // Opens `target` with the user's default application for it.
    virtual bool Open(const std::string& target) = 0;

    // The default application (its desktop entry id) for the type of `target`; empty when
    // no application is associated with it.
    virtual std::string DefaultApplication(const std::string& target) = 0;

    // The user's web browser (its desktop entry id); empty when there is none.
    virtual std::string DefaultBrowser() = 0;

    // Opens `target` in the user's web browser whatever its type.
    virtual bool OpenInBrowser(const std::string& target) = 0;

    // Starts `program` with `arguments` as a process of its own that outlives this one.
    // False when it could not be started.
    virtual bool StartProgram(const std::string& program,
                              const std::vector<std::string>& arguments) = 0;
};

} // namespace kaldo
