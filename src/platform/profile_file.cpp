#include "fileio.h"
#include "profile.h"

namespace velmora::platform {

std::string getProfileString(const std::string& path, std::string_view section,
                             std::string_view key, std::string_view defaultValue,
                             std::size_t bufferSize)
{
    const std::optional<std::string> contents = readWholeFile(path);
    return profileReadText(contents ? *contents : std::string_view(), section, key, defaultValue,
                           bufferSize);
}

WriteOutcome writeProfileString(const std::string& path, std::string_view section,
                                std::string_view key, std::string_view value)
{
    // A file that exists but cannot be read must not be replaced by one holding only the key.
    const FileContents current = readFile(path);
    if (!current.error.empty()) {
        return WriteOutcome::failed(current.error);
    }
    TextEdit edit = profileWriteText(current.bytes, section, key, value);
    if (edit.status == WriteStatus::Written) {
        return replaceFileAtomically(path, edit.contents);
    }
    return {edit.status, std::move(edit.reason)};
}

} // namespace velmora::platform
