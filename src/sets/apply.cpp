#include "sets/apply.h"

#include "config/catalogue.h"
#include "config/readmodule.h"
#include "platform/profile.h"

#include <algorithm>

namespace velmora::sets {

std::vector<Change> findChanges(const EditorLists& editor, const EditorLists& snapshot)
{
    const std::size_t rows = std::min(
        {snapshot.names.size(), snapshot.values.size(), editor.names.size(), editor.values.size()});
    std::vector<Change> changes;
    for (std::size_t i = 0; i < rows; ++i) {
        if (editor.values[i] != snapshot.values[i]) {
            changes.push_back({editor.names[i], editor.values[i], snapshot.values[i]});
        }
    }
    return changes;
}

GameWrite writeFor(const Change& change, std::string_view renderDevice)
{
    if (const auto className = config::classForDisplayName(change.newValue)) {
        return {std::string(config::kEngine), std::string(config::kGameRenderDevice),
                std::string(*className)};
    }
    const auto& coronas = config::settingRows()[config::kCoronasRow];
    const std::string_view section =
        change.name == coronas.key ? renderDevice : config::kWindowsClient;
    return {std::string(section), change.name, change.newValue};
}

ApplyResult ApplyChangedSettings(config::ReadModule& module, const std::string& utpath,
                                 const EditorLists& editor, const EditorLists& snapshot)
{
    ApplyResult result;
    result.changes = findChanges(editor, snapshot);
    if (result.changes.empty()) {
        return result;
    }
    module.ReadGameValue(config::kEngine, config::kGameRenderDevice, utpath);
    const std::string renderDevice = module.ReadResult;

    std::vector<GameWrite> writes;
    for (const Change& change : result.changes) {
        writes.push_back(writeFor(change, renderDevice));
    }
    // Checked up front so that a refused value leaves the file as it was.
    for (std::size_t k = 0; k < writes.size(); ++k) {
        const GameWrite& write = writes[k];
        auto check = platform::profileWriteText("", write.section, write.key, write.value);
        if (check.status == platform::WriteStatus::Refused) {
            result.stoppedAt = k;
            result.outcome = platform::WriteOutcome::refused(std::move(check.reason));
            return result;
        }
    }
    for (const GameWrite& write : writes) {
        result.outcome = module.WriteGameValue(write.section, write.key, write.value, utpath);
        if (!result.outcome.ok()) {
            result.stoppedAt = result.written;
            return result;
        }
        ++result.written;
    }
    return result;
}

std::string applyFailureText(const ApplyResult& result)
{
    std::string name;
    std::string value;
    if (result.stoppedAt < result.changes.size()) {
        name = result.changes[result.stoppedAt].name;
        value = result.changes[result.stoppedAt].newValue;
    }
    return "Error when saving this item" + name + " = " + value + " (" + result.outcome.reason +
           ")";
}

} // namespace velmora::sets
