#include "sets/apply.h"

#include "config/catalogue.h"
#include "platform/profile.h"

#include <algorithm>

namespace velmora::sets {
namespace {

bool isPlaceholder(std::string_view name, std::string_view value)
{
    return value == config::ReadModule::kDefault ||
           (value.empty() && name == config::kGameRenderDevice);
}

// A line break in a message would look like the end of the value: it is written as \n or \r.
std::string visibleLineBreaks(std::string_view value)
{
    std::string shown;
    for (const char c : value) {
        shown += c == '\n' ? "\\n" : c == '\r' ? "\\r" : std::string(1, c);
    }
    return shown;
}

} // namespace

std::vector<Change> findChanges(const EditorLists& editor, const EditorLists& current)
{
    const std::size_t rows = std::min(
        {current.names.size(), current.values.size(), editor.names.size(), editor.values.size()});
    std::vector<Change> changes;
    for (std::size_t i = 0; i < rows; ++i) {
        if (editor.values[i] != current.values[i] &&
            !isPlaceholder(editor.names[i], editor.values[i])) {
            changes.push_back({editor.names[i], editor.values[i], current.values[i]});
        }
    }
    return changes;
}

GameWrite writeFor(const Change& change, std::string_view renderDevice)
{
    const auto className = config::classForDisplayName(change.newValue);
    if (className || change.name == config::kGameRenderDevice) {
        return {std::string(config::sectionFor(config::kGameRenderDevice, renderDevice)),
                std::string(config::kGameRenderDevice),
                std::string(className.value_or(change.newValue))};
    }
    return {std::string(config::sectionFor(change.name, renderDevice)), change.name,
            change.newValue};
}

ApplyResult ApplyChangedSettings(config::ReadModule& module, const std::string& utpath,
                                 const EditorLists& editor)
{
    ApplyResult result;
    result.changes = findChanges(editor, readEditorLists(module, utpath));
    if (result.changes.empty()) {
        return result;
    }
    module.ReadGameValue(config::sectionFor(config::kGameRenderDevice, {}),
                         config::kGameRenderDevice, utpath);
    std::string renderDevice = module.ReadResult;

    // The device is written first and names the section Coronas goes into.
    std::vector<std::size_t> order;
    for (std::size_t k = 0; k < result.changes.size(); ++k) {
        if (writeFor(result.changes[k], renderDevice).key == config::kGameRenderDevice) {
            renderDevice = writeFor(result.changes[k], renderDevice).value;
            order.insert(order.begin(), k);
        } else {
            order.push_back(k);
        }
    }
    std::vector<GameWrite> writes;
    for (const std::size_t k : order) {
        writes.push_back(writeFor(result.changes[k], renderDevice));
    }
    if (auto refused = config::firstRefusedWrite(writes)) {
        result.stoppedAt = order[refused->index];
        result.outcome = platform::WriteOutcome::refused(std::move(refused->reason));
        return result;
    }
    for (std::size_t w = 0; w < writes.size(); ++w) {
        result.outcome =
            module.WriteGameValue(writes[w].section, writes[w].key, writes[w].value, utpath);
        if (!result.outcome.ok()) {
            result.stoppedAt = order[w];
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
        value = visibleLineBreaks(result.changes[result.stoppedAt].newValue);
    }
    return "Error when saving this item" + name + " = " + value + " (" + result.outcome.reason +
           ")";
}

} // namespace velmora::sets
