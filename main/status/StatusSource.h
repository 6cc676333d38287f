#pragma once

#include <memory>
#include <string>

namespace kaldo {

struct StatusRequest;

// How one retrieval reaches the printer. Made for one retrieval and used by its worker;
// Abort() may come from any thread.
class StatusSource {
public:
    virtual ~StatusSource() = default;

    // Writes the printer's status document to `file`; true when it was written.
    virtual bool Retrieve(const std::string& file) = 0;
    // Fetches the status icon `url` into `file` over the network; false for a source without
    // one.
    virtual bool Fetch(const std::string& file, const std::string& url) = 0;
    // The running call and every later one fail promptly and never touch their file again.
    virtual void Abort() = 0;
};

// The network or USB source that `request` asks for.
std::unique_ptr<StatusSource> MakeStatusSource(const StatusRequest& request);

} // namespace kaldo
