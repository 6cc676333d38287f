#include "contenttool/SampleStatusDocument.h"

#include "main/status/QueueStatus.h"
#include "platform/AtomicFile.h"

namespace kaldo {

std::string SampleStatusDocument() {
    return R"(<?xml version="1.0" encoding="UTF-8"?>
<devicexml>
  <deviceConfiguration>
    <printer>
      <modelName>Sample printer</modelName>
      <serialNumber>SAMPLE-0001</serialNumber>
      <firmware>1.0</firmware>
      <name>Sample printer</name>
      <location>Office</location>
      <installableOptions>
        <option><type>Hard Drive</type><installed>Installed</installed></option>
        <option><type>Duplex Unit</type><installed>Installed</installed></option>
        <option><type>Tray 2</type><installed>Not Installed</installed></option>
      </installableOptions>
    </printer>
  </deviceConfiguration>
  <deviceStatus>
    <printer>
      <icon>/images/status/warning.png</icon>
      <state>warning</state>
      <statusText>Toner is low</statusText>
      <alerts>
        <alert><code>tonerLow</code><severity>warning</severity><text>Toner is low</text></alert>
      </alerts>
      <supplies>
        <supply><type>toner</type><color>black</color><name>Black Toner</name><level>64</level></supply>
        <supply><type>toner</type><color>cyan</color><name>Cyan Toner</name><level>12</level></supply>
      </supplies>
      <trays>
        <tray><name>Tray 1</name><media>A4</media><level>20</level><capacity>250</capacity></tray>
      </trays>
    </printer>
  </deviceStatus>
</devicexml>
)";
}

bool WriteSampleStatusDocument(const std::string& path) {
    return WriteFileAtomically(path, SampleStatusDocument());
}

bool WriteSamplePrinterState(const std::string& path, const std::string& solutionsPath) {
    QueueState state;
    state.State = "idle";
    state.Reasons = {"toner-low-report", "media-jam-error"};
    state.Message = "Toner is low";
    state.Markers = {{"Black Toner", "toner", "#000000", 8},
                     {"Waste Toner Box", "waste-toner", "", 40}};
    state.Alerts = {{"tonerLow", "warning", "Black toner is low"}};
    state.Origin = StateOrigin::Printer;
    return WriteQueueStatusDocument(path, "Sample_Queue", state,
                                    ReadStateReasonTable(solutionsPath));
}

} // namespace kaldo
