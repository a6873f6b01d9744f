#include "sets/editorlists.h"

#include "config/catalogue.h"
#include "config/readmodule.h"
#include "config/renderers.h"

namespace velmora::sets {

EditorLists readEditorLists(config::ReadModule& module, const std::string& utpath)
{
    EditorLists lists;
    std::string renderDevice;
    const auto& rows = config::settingRows();
    for (std::size_t i = 0; i < rows.size(); ++i) {
        const config::SettingRow& row = rows[i];
        if (i == config::kCoronasRow) {
            // The uncounted read keeps ReadCount equal to the row number.
            module.ReadGameValue(config::sectionFor(config::kGameRenderDevice, {}),
                                 config::kGameRenderDevice, utpath);
            renderDevice = module.ReadResult;
        }
        module.ReadGameValueCounted(config::sectionFor(row.section, renderDevice), row.key, utpath);
        lists.names.emplace_back(row.key);
        if (i == config::kDeviceRow) {
            lists.values.push_back(
                config::displayNameFor(config::gameRenderers(utpath), module.ReadResult));
        } else {
            lists.values.push_back(module.ReadResult);
        }
    }
    module.ReadCount = 0;
    return lists;
}

} // namespace velmora::sets
