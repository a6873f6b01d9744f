#include "sequences.h"

#include "platform/profile.h"

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
    module.ReadGameValue(config::kEngine, config::kGameRenderDevice, file);
    const std::string device = module.ReadResult;
    for (std::size_t row = 0; row < config::kDeviceRow; ++row) {
        const auto& setting = settingRows()[row];
        module.ReadGameValueCounted(config::sectionOf(setting, device), setting.key, file);
        view.rows[static_cast<std::size_t>(module.ReadCount - 1)] = module.ReadResult;
    }
    module.ReadGameValueCounted(config::kEngine, config::kGameRenderDevice, file);
    view.rows[config::kDeviceRow] = config::displayNameForClass(module.ReadResult);
    module.ReadGameValueCounted(config::kWindowsClient, config::kFullscreenViewportX, file);
    view.width = toInt(module.ReadResult);
    module.ReadGameValueCounted(config::kWindowsClient, config::kFullscreenViewportY, file);
    view.height = toInt(module.ReadResult);
    module.ReadCount = 0;
    module.ReadGameValue(config::kGameEngine, config::kCacheSizeMegs, file);
    view.cache = module.ReadResult;
    return {static_cast<int>(config::kRowCount) + 4, 0};
}

Traffic editorRefresh(ReadModule& module, const std::string& file, RowValues& rows,
                      std::string& device)
{
    for (std::size_t row = 0; row < config::kRowCount; ++row) {
        const auto& setting = settingRows()[row];
        if (row == config::kCoronasRow) {
            module.ReadGameValue(config::kEngine, config::kGameRenderDevice, file);
            device = module.ReadResult;
        }
        module.ReadGameValueCounted(config::sectionOf(setting, device), setting.key, file);
        rows[row] = row == config::kDeviceRow
                        ? std::string(config::displayNameForClass(module.ReadResult))
                        : module.ReadResult;
    }
    module.ReadCount = 0;
    return {static_cast<int>(config::kRowCount) + 1, 0};
}

Traffic applyPreset(ReadModule& module, const std::string& file, config::Preset preset)
{
    Traffic traffic{1, 0};
    module.ReadGameValue(config::kEngine, config::kGameRenderDevice, file);
    const std::string device = module.ReadResult;
    for (const auto& step : config::presetSteps()) {
        const auto section = step.section == config::SectionKind::RenderDevice
                                 ? std::string_view(device)
                                 : config::kWindowsClient;
        countWrite(
            module.WriteGameValue(section, step.key, config::presetValue(step, preset), file),
            traffic);
    }
    return traffic;
}

RowValues editorValues(bool alternate)
{
    RowValues values;
    for (std::size_t row = 0; row < config::kRowCount; ++row) {
        const auto& setting = settingRows()[row];
        switch (setting.edit) {
        case config::EditKind::Cycle:
            values[row] = setting.cycle[alternate ? 1 : 0];
            break;
        case config::EditKind::FrameRate:
            values[row] = alternate ? "60" : "30";
            break;
        case config::EditKind::Particles:
            values[row] = alternate ? "2" : "1";
            break;
        }
    }
    return values;
}

Traffic applyChanges(ReadModule& module, const std::string& file, const RowValues& rows)
{
    Traffic traffic;
    std::string device;
    RowValues refreshed;
    for (std::size_t row = 0; row < config::kRowCount; ++row) {
        const auto& setting = settingRows()[row];
        const auto className = config::classForDisplayName(rows[row]);
        const auto outcome =
            className ? module.WriteGameValue(config::kEngine, config::kGameRenderDevice,
                                              *className, file)
                      : module.WriteGameValue(config::kWindowsClient, setting.key, rows[row], file);
        countWrite(outcome, traffic);
    }
    const auto refresh = editorRefresh(module, file, refreshed, device);
    traffic.reads += refresh.reads;
    return traffic;
}

Traffic saveSet(const std::string& store, const std::string& name, const RowValues& rows)
{
    constexpr std::string_view storeSection = "Velmora";
    Traffic traffic{1, 0};
    const auto count = platform::getProfileString(store, storeSection, "SaveNumber",
                                                  ReadModule::kDefault, ReadModule::kBufferSize);
    const auto section = "Save" + std::to_string(toInt(count) + 1);
    countWrite(platform::writeProfileString(store, storeSection, "SaveNumber", section.substr(4)),
               traffic);
    countWrite(platform::writeProfileString(store, section, "SaveName", name), traffic);
    for (std::size_t row = 0; row < config::kRowCount; ++row)
        countWrite(platform::writeProfileString(store, section, settingRows()[row].key, rows[row]),
                   traffic);
    return traffic;
}

} // namespace velmora::bench
