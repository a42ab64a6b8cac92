#include "ShowMessage.h"

#include "perfmode_resource_ids.h"
#include "framework/ResourceSource.h"
#include "skinlib/TesselMessageBox.h"

namespace perfmode {

int ShowMessage(const std::string& text, UINT flags) {
    std::string caption = fw::ResourceSource::LoadString(IDS_PERF_CAPTION);
    return TesselMessageBox(text.c_str(), caption.c_str(), flags);
}

int ShowMessage(UINT textId, UINT flags) { return ShowMessage(fw::ResourceSource::LoadString(textId), flags); }

} // namespace perfmode
