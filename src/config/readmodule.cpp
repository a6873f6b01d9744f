#include "readmodule.h"

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

void ReadModule::ReadGameValue(std::string_view section, std::string_view key,
                               const std::string& file)
{
    ReadResult = platform::getProfileString(file, section, key, kDefault, kBufferSize);
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
    if (beforeWrite && !m_prepared.contains(file)) {
        if (platform::WriteOutcome kept = beforeWrite(file); !kept.ok()) {
            return kept;
        }
        if (m_changes > 0) {
            m_prepared.insert(file);
        }
    }
    return platform::writeProfileString(file, section, key, value);
}

ReadModule::Change::~Change()
{
    if (--m_module.m_changes == 0) {
        m_module.m_prepared.clear();
    }
}

} // namespace velmora::config
