#include "platform/spooler/IppAttributes.h"

#include <algorithm>

namespace kaldo {

namespace {

std::string StateName(int state) {
    switch (state) {
    case IPP_PSTATE_IDLE:
        return "idle";
    case IPP_PSTATE_PROCESSING:
        return "processing";
    case IPP_PSTATE_STOPPED:
        return "stopped";
    }
    return {};
}

} // namespace

std::string IppText(ipp_attribute_t* attribute, int index) {
    if (!attribute || index >= ippGetCount(attribute))
        return {};
    if (ippGetValueTag(attribute) == IPP_TAG_STRING) {
        int length = 0;
        const auto* bytes = static_cast<const char*>(ippGetOctetString(attribute, index, &length));
        return bytes && length > 0 ? std::string(bytes, size_t(length)) : std::string();
    }
    const char* text = ippGetString(attribute, index, nullptr);
    return text ? text : "";
}

std::vector<std::string> IppTexts(ipp_attribute_t* attribute) {
    std::vector<std::string> texts;
    for (int i = 0; attribute && i < ippGetCount(attribute); ++i)
        texts.push_back(IppText(attribute, i));
    return texts;
}

std::vector<QueueMarker> MarkersFromAttributes(ipp_t* response) {
    ipp_attribute_t* names = ippFindAttribute(response, "marker-names", IPP_TAG_ZERO);
    ipp_attribute_t* types = ippFindAttribute(response, "marker-types", IPP_TAG_ZERO);
    ipp_attribute_t* colors = ippFindAttribute(response, "marker-colors", IPP_TAG_ZERO);
    ipp_attribute_t* levels = ippFindAttribute(response, "marker-levels", IPP_TAG_INTEGER);
    const int count = std::max({names ? ippGetCount(names) : 0, levels ? ippGetCount(levels) : 0});
    std::vector<QueueMarker> markers;
    for (int i = 0; i < count; ++i) {
        QueueMarker marker;
        marker.Name = IppText(names, i);
        marker.Type = IppText(types, i);
        marker.Color = IppText(colors, i);
        if (levels && i < ippGetCount(levels))
            marker.Level = ippGetInteger(levels, i);
        markers.push_back(std::move(marker));
    }
    return markers;
}

std::optional<QueueState> QueueStateFromAttributes(ipp_t* response) {
    ipp_attribute_t* state = ippFindAttribute(response, "printer-state", IPP_TAG_ENUM);
    if (!state)
        return std::nullopt;
    QueueState queue;
    queue.State = StateName(ippGetInteger(state, 0));
    for (std::string& reason :
         IppTexts(ippFindAttribute(response, "printer-state-reasons", IPP_TAG_KEYWORD))) {
        if (reason != "none")
            queue.Reasons.push_back(std::move(reason));
    }
    queue.Message = IppText(ippFindAttribute(response, "printer-state-message", IPP_TAG_TEXT));
    queue.MakeAndModel =
        IppText(ippFindAttribute(response, "printer-make-and-model", IPP_TAG_TEXT));
    queue.Location = IppText(ippFindAttribute(response, "printer-location", IPP_TAG_TEXT));
    queue.Markers = MarkersFromAttributes(response);
    return queue;
}

} // namespace kaldo
