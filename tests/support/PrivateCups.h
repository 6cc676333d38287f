#pragma once

#include <string>
#include <sys/types.h>
#include <vector>

namespace kaldo::testsupport {

// Starts `arguments` (the program found on PATH) with `environment` ("NAME=value" entries),
// no input and both outputs in `outputFile`; -1 when it cannot be started.
pid_t Spawn(const std::vector<std::string>& arguments, const std::vector<std::string>& environment,
            const std::string& outputFile);

// A CUPS scheduler of the test's own: configuration, spool, cache, state and logs in a fresh
// temporary folder, listening only on a unix socket there. Backends are stubs, so queues of
// every device kind can be added and nothing is ever printed; while a job runs they report the
// lines SetBackendReport left for the queue. Backends named in `realBackends` ("ipp") are the
// system's own instead. Stopped and removed with the object. Runs as the calling user, or as
// "lp" when that is root (cupsd refuses root).
class PrivateCups {
public:
    explicit PrivateCups(std::vector<std::string> realBackends = {});
    ~PrivateCups();
    PrivateCups(const PrivateCups&) = delete;
    PrivateCups& operator=(const PrivateCups&) = delete;

    // False when the scheduler did not come up; Error() then says why.
    bool Started() const { return m_pid > 0; }
    const std::string& Error() const { return m_error; }

    // The value for CUPS_SERVER (the socket path).
    const std::string& Server() const { return m_socket; }
    const std::string& Folder() const { return m_folder; }

    // lpadmin -p name -E -v deviceUri [-P ppdFile]; a queue without a PPD is a raw queue.
    bool AddQueue(const std::string& name, const std::string& deviceUri,
                  const std::string& ppdFile = {});
    // A queue whose driver reports `model` as its make and model, as a PostScript printer's
    // description would.
    bool AddQueueForModel(const std::string& name, const std::string& deviceUri,
                          const std::string& model);
    // A driverless queue as the desktop's printer tools make one: lpadmin -m everywhere, which
    // asks the IPP printer at `deviceUri` for its description.
    bool AddDriverlessQueue(const std::string& name, const std::string& deviceUri);
    bool RemoveQueue(const std::string& name);

    // What the queue's backend writes to the scheduler while a job runs, one message a line:
    // "ATTR: marker-levels=40,80", "STATE: +media-jam-error", as real backends report.
    bool SetBackendReport(const std::string& queue, const std::string& lines);
    // Sends `text` to the queue as a raw job (lp -o raw).
    bool PrintRaw(const std::string& queue, const std::string& text);
    // Waits until the queue has no job left.
    bool WaitUntilIdle(const std::string& queue);

    // Runs a program with CUPS_SERVER naming this scheduler (and `extraEnvironment` added);
    // returns its exit code (-1 when it could not run). Its output goes to `output` if given.
    int Run(const std::vector<std::string>& arguments,
            const std::vector<std::string>& extraEnvironment = {}, std::string* output = nullptr);

    // The scheduler's error log, for failure messages.
    std::string Log() const;

private:
    bool WriteConfiguration();
    bool WaitUntilReady();
    void Stop();

    std::string m_folder;
    std::string m_socket;
    std::string m_error;
    std::vector<std::string> m_realBackends;
    pid_t m_pid = -1;
};

} // namespace kaldo::testsupport
