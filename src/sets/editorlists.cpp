#include "sets/editorlists.h"

#include "config/catalogue.h"
#include "config/readmodule.h"
#include "config/renderers.h"

namespace velmora::sets {

EditorLists readEditorLists(config::ReadModule& module, const std::string& utpath)
{
    return readEditorLists(module, utpath, config::readGameSections(utpath));
}

EditorLists readEditorLists(config::ReadModule& module, const std::string& utpath,
                            const config::GameSections& sections)
{
    EditorLists lists;
    for (const config::SettingRow& row : config::settingRows()) {
        module.ReadGameValueCounted(config::sectionFor(row.section, sections), row.key, utpath);
        lists.names.emplace_back(row.key);
        if (row.key == config::kGameRenderDevice) {
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
