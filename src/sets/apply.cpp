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

std::vector<Change> findChanges(const EditorLists& editor, const EditorLists& current,
                                const EditorLists* lastRead)
{
    std::size_t rows = std::min(
        {current.names.size(), current.values.size(), editor.names.size(), editor.values.size()});
    if (lastRead != nullptr) {
        rows = std::min(rows, lastRead->values.size());
    }
    std::vector<Change> changes;
    for (std::size_t i = 0; i < rows; ++i) {
        const bool edited = lastRead == nullptr || editor.values[i] != lastRead->values[i];
        if (edited && editor.values[i] != current.values[i] &&
            !isPlaceholder(editor.names[i], editor.values[i])) {
            changes.push_back({editor.names[i], editor.values[i], current.values[i]});
        }
    }
    return changes;
}

GameWrite writeFor(const Change& change, const config::GameSections& sections,
                   std::span<const config::Renderer> renderers)
{
    const auto className = config::classFor(renderers, change.newValue);
    if (className || change.name == config::kGameRenderDevice) {
        return {std::string(config::sectionFor(config::kGameRenderDevice, sections)),
                std::string(config::kGameRenderDevice), className.value_or(change.newValue)};
    }
    return {std::string(config::sectionFor(change.name, sections)), change.name, change.newValue};
}

ApplyResult ApplyChangedSettings(config::ReadModule& module, const std::string& utpath,
                                 const EditorLists& editor, const EditorLists* lastRead)
{
    ApplyResult result;
    config::GameSections sections = config::readGameSections(utpath);
    EditorLists current = readEditorLists(module, utpath, sections);
    const std::vector<config::Renderer> renderers = config::gameRenderers(utpath);
    // The device's rows are measured against the device the game will use afterwards.
    const std::string deviceBefore = sections.renderDevice;
    for (const Change& change : findChanges(editor, current, lastRead)) {
        if (const GameWrite write = writeFor(change, sections, renderers);
            write.key == config::kGameRenderDevice) {
            sections.renderDevice = config::deviceSectionFor(write.value);
        }
    }
    if (sections.renderDevice != deviceBefore) {
        current = readEditorLists(module, utpath, sections);
    }
    result.changes = findChanges(editor, current, lastRead);

    // The device goes first, so that a stopped apply never leaves Coronas in a section the game
    // does not read.
    std::vector<std::size_t> order;
    std::vector<GameWrite> writes;
    for (std::size_t k = 0; k < result.changes.size(); ++k) {
        GameWrite write = writeFor(result.changes[k], sections, renderers);
        const bool device = write.key == config::kGameRenderDevice;
        order.insert(device ? order.begin() : order.end(), k);
        writes.insert(device ? writes.begin() : writes.end(), std::move(write));
    }
    // A file gone since it was read or not readable is reported as such, not as a file whose
    // device or sections are missing.
    if (std::string problem = module.fileProblem(utpath); !problem.empty() && !writes.empty()) {
        result.stoppedAt = order.front();
        result.outcome = platform::WriteOutcome::failed(std::move(problem));
        return result;
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
    const config::ReadModule::Change change(module);
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

std::string applyFailureItem(const ApplyResult& result)
{
    std::string name;
    std::string value;
    if (result.stoppedAt < result.changes.size()) {
        name = result.changes[result.stoppedAt].name;
        value = visibleLineBreaks(result.changes[result.stoppedAt].newValue);
    }
    return "Error when saving this item" + name + " = " + value;
}

} // namespace velmora::sets
