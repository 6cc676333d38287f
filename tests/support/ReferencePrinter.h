#pragma once

#include <memory>
#include <string>
#include <sys/types.h>
#include <vector>

namespace kaldo::testsupport {

class DnssdDaemons;

// CUPS's reference IPP Everywhere printer (ippeveprinter), a monochrome laser printer that
// reports `maker` and `model` (and `location`, when given), listening on a free port of its own
// with its spool in a temporary folder. It advertises itself over DNS-SD and will not start without
// avahi-daemon on a system D-Bus: when none runs, the printer starts both (only root can) and the
// last printer of the process stops them again; daemons it found running are left alone. Stopped
// and removed with the object.
class ReferencePrinter {
public:
    ReferencePrinter(std::string maker, std::string model, std::string location = {});
    ~ReferencePrinter();
    ReferencePrinter(const ReferencePrinter&) = delete;
    ReferencePrinter& operator=(const ReferencePrinter&) = delete;

    // False when the printer is not running; Error() then says why.
    bool Started() const { return m_pid > 0; }
    const std::string& Error() const { return m_error; }

    // "ipp://127.0.0.1:<port>/ipp/print"
    std::string Uri() const;
    int Port() const { return m_port; }

    // Supply levels in percent through the printer's own /supplies form, in its order: the
    // waste toner tank, then the black toner. The printer sets its state reasons from them
    // ("toner-low-report" below 10 %).
    bool SetSupplies(const std::vector<int>& levels);

    // Switches the printer off (it stops answering) and on again on the same port.
    void Stop();
    bool Start();

private:
    std::string m_maker;
    std::string m_model;
    std::string m_location;
    std::string m_folder;
    std::string m_error;
    int m_port = 0;
    pid_t m_pid = -1;
    std::shared_ptr<DnssdDaemons> m_dnssd;
};

} // namespace kaldo::testsupport
