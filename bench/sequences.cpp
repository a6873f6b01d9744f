#include "sequences.h"

#include "config/mainwindisplay.h"
#include "platform/profile.h"
#include "sets/apply.h"

#include <charconv>

namespace velmora::bench {
namespace {

using config::ReadModule;
using config::settingRows;

int toInt(const std::string& text)
{
    int value = 0;
    std::from_chars(text.data(), text.data() + text.size(), value);
    return value;
}

void countWrite(const platform::WriteOutcome& outcome, Traffic& traffic)
{
    if (outcome.status == platform::WriteStatus::Written)
        ++traffic.writes;
    else
        ++traffic.reads;
}

} // namespace

Traffic mainRefresh(ReadModule& module, const std::string& file, MainView& view)
{
    const config::GameSections sections = config::readGameSections(file);
    for (std::size_t row = 0; row < config::kDeviceRow; ++row) {
        const auto& setting = settingRows()[row];
        module.ReadGameValueCounted(config::sectionFor(setting.section, sections), setting.key,
                                    file);
        view.rows[static_cast<std::size_t>(module.ReadCount - 1)] = module.ReadResult;
    }
    module.ReadGameValueCounted(config::kEngine, config::kGameRenderDevice, file);
    view.rows[config::kDeviceRow] = config::displayNameForClass(module.ReadResult);
    module.ReadGameValueCounted(sections.client, config::kFullscreenViewportX, file);
    view.width = toInt(module.ReadResult);
    module.ReadGameValueCounted(sections.client, config::kFullscreenViewportY, file);
    view.height = toInt(module.ReadResult);
    module.ReadCount = 0;
    module.ReadGameValue(config::kGameEngine, config::kCacheSizeMegs, file);
    view.cache = module.ReadResult;
    return {static_cast<int>(config::kRowCount) + 5, 0};
}

Traffic applyPreset(ReadModule& module, const std::string& file, config::Preset preset)
{
    Traffic traffic{1, 0};
    for (const auto& write : config::presetWrites(preset, config::readGameSections(file))) {
        countWrite(module.WriteGameValue(write.section, write.key, write.value, file), traffic);
    }
    return traffic;
}

sets::EditorLists editorValues(bool alternate)
{
    sets::EditorLists lists;
    for (const auto& setting : settingRows()) {
        lists.names.emplace_back(setting.key);
        switch (setting.edit) {
        case config::EditKind::Cycle:
            lists.values.emplace_back(setting.cycle[alternate ? 1 : 0]);
            break;
        case config::EditKind::FrameRate:
            lists.values.emplace_back(alternate ? "60" : "30");
            break;
        case config::EditKind::Particles:
            lists.values.emplace_back(alternate ? "2" : "1");
            break;
        }
    }
    return lists;
}

Traffic applyTraffic(const std::string& contents, const sets::EditorLists& editor,
                     const sets::EditorLists& snapshot)
{
    const auto changes = sets::findChanges(editor, snapshot);
    config::GameSections sections{
        config::clientSectionFor(platform::profileReadText(
            contents, config::kEngine, config::kViewportManager, "", ReadModule::kBufferSize)),
        config::deviceSectionFor(platform::profileReadText(
            contents, config::kEngine, config::kGameRenderDevice, "", ReadModule::kBufferSize))};
    std::string& device = sections.renderDevice;
    // The fresh read of the lists, then the device read.
    Traffic traffic{static_cast<int>(config::kRowCount) + 1 + (changes.empty() ? 0 : 1), 0};
    // A new device is written first and takes Coronas into its section.
    std::vector<sets::GameWrite> writes;
    for (const auto& change : changes) {
        const auto write = sets::writeFor(change, sections);
        if (write.key == config::kGameRenderDevice) {
            device = write.value;
            writes.insert(writes.begin(), write);
        } else {
            writes.push_back(write);
        }
    }
    for (auto& write : writes) {
        if (write.key == "Coronas") {
            write.section = device;
        }
    }
    std::string text = contents;
    for (const auto& write : writes) {
        auto edit = platform::profileWriteText(text, write.section, write.key, write.value);
        if (edit.status == platform::WriteStatus::Written) {
            text = std::move(edit.contents);
            ++traffic.writes;
        } else {
            ++traffic.reads;
        }
    }
    traffic.reads += static_cast<int>(config::kRowCount) + 1; // the editor's refresh
    return traffic;
}

} // namespace velmora::bench
