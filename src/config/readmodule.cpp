#include "readmodule.h"

#include "platform/fileio.h"
#include "platform/profile.h"

namespace velmora::config {

std::optional<RefusedWrite> firstRefusedWrite(const std::vector<GameWrite>& writes)
{
    for (std::size_t k = 0; k < writes.size(); ++k) {
        auto check =
            platform::profileWriteText("", writes[k].section, writes[k].key, writes[k].value);
        if (check.status == platform::WriteStatus::Refused) {
            return RefusedWrite{k, std::move(check.reason)};
        }
    }
    return std::nullopt;
}

std::string_view readClientSection(const std::string& file)
{
    return clientSectionFor(
        platform::getProfileString(file, kEngine, kViewportManager, "", ReadModule::kBufferSize));
}

GameSections readGameSections(const std::string& file)
{
    return {readClientSection(file),
            deviceSectionFor(platform::getProfileString(file, kEngine, kGameRenderDevice, "",
                                                        ReadModule::kBufferSize))};
}

void ReadModule::ReadGameValue(std::string_view section, std::string_view key,
                               const std::string& file)
{
    ReadResult = platform::getProfileString(file, section, key, kDefault, kBufferSize);
    noteIfPresent(file);
}

void ReadModule::ReadGameValueCounted(std::string_view section, std::string_view key,
                                      const std::string& file)
{
    ReadGameValue(section, key, file);
    ReadCount = static_cast<std::int16_t>(ReadCount + 1);
}

platform::WriteOutcome ReadModule::WriteGameValue(std::string_view section, std::string_view key,
                                                  std::string_view value, const std::string& file)
{
    if (filesSeen.contains(file) && !platform::fileExists(file)) {
        return platform::WriteOutcome::failed(std::string(kFileGone));
    }
    if (beforeWrite && !preparedInChange.contains(file)) {
        if (platform::WriteOutcome kept = beforeWrite(file); !kept.ok()) {
            return kept;
        }
        if (changesOpen > 0) {
            preparedInChange.insert(file);
        }
    }
    platform::WriteOutcome outcome = platform::writeProfileString(file, section, key, value);
    noteIfPresent(file);
    return outcome;
}

std::string ReadModule::fileProblem(const std::string& file) const
{
    const platform::FileContents current = platform::readFile(file);
    if (current.missing) {
        return filesSeen.contains(file) ? std::string(kFileGone) : std::string();
    }
    return current.error;
}

void ReadModule::noteIfPresent(const std::string& file)
{
    if (!filesSeen.contains(file) && platform::fileExists(file)) {
        filesSeen.insert(file);
    }
}

ReadModule::Change::~Change()
{
    if (--owner.changesOpen == 0) {
        owner.preparedInChange.clear();
    }
}

} // namespace velmora::config
