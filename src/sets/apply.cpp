#include "sets/apply.h"

#include "config/catalogue.h"
#include "config/renderers.h"
#include "platform/profile.h"

#include <algorithm>

namespace velmora::sets {
namespace {

bool isPlaceholder(std::string_view name, std::string_view value)
{
    return value == config::ReadModule::kDefault ||
           (value.empty() && name == config::kGameRenderDevice);
}

// A GameRenderDevice value that is no class, such as a set's display name of a renderer this
// game lacks, would leave the game without a renderer: it is never written.
std::optional<config::RefusedWrite> unknownRenderer(const std::vector<GameWrite>& writes)
{
    for (std::size_t w = 0; w < writes.size(); ++w) {
        if (writes[w].key == config::kGameRenderDevice &&
            !config::isRendererClass(writes[w].value)) {
            return config::RefusedWrite{w, std::string(kUnknownRendererText)};
        }
    }
    return std::nullopt;
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

GameWrite writeFor(const Change& change, std::string_view renderDevice,
                   std::span<const config::Renderer> renderers)
{
    const auto className = config::classFor(renderers, change.newValue);
    if (className || change.name == config::kGameRenderDevice) {
        return {std::string(config::sectionFor(config::kGameRenderDevice, renderDevice)),
                std::string(config::kGameRenderDevice), className.value_or(change.newValue)};
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
    const std::vector<config::Renderer> renderers = config::gameRenderers(utpath);

    // The device is written first and names the section Coronas goes into.
    std::vector<std::size_t> order;
    for (std::size_t k = 0; k < result.changes.size(); ++k) {
        if (writeFor(result.changes[k], renderDevice, renderers).key == config::kGameRenderDevice) {
            renderDevice = writeFor(result.changes[k], renderDevice, renderers).value;
            order.insert(order.begin(), k);
        } else {
            order.push_back(k);
        }
    }
    std::vector<GameWrite> writes;
    for (const std::size_t k : order) {
        writes.push_back(writeFor(result.changes[k], renderDevice, renderers));
    }
    auto refused = unknownRenderer(writes);
    if (!refused) {
        refused = config::firstRefusedWrite(writes);
    }
    if (refused) {
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
        value = result.changes[result.stoppedAt].newValue;
    }
    return "Error when saving this item" + name + " = " + value + " (" + result.outcome.reason +
           ")";
}

} // namespace velmora::sets
