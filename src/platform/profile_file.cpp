#include "fileio.h"
#include "profile.h"

// The portable engine over files, on every system (see profile.h).

namespace velmora::platform::portable {

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

WriteOutcome writeProfileStrings(const std::string& path, const std::vector<ProfileEdit>& edits)
{
    const FileContents current = readFile(path);
    if (!current.error.empty()) {
        return WriteOutcome::failed(current.error);
    }
    std::string text = current.bytes;
    bool changed = current.missing;
    for (const ProfileEdit& edit : edits) {
        TextEdit step = profileWriteText(text, edit.section, edit.key, edit.value);
        if (step.status == WriteStatus::Refused) {
            return WriteOutcome::refused(std::move(step.reason));
        }
        if (step.status == WriteStatus::Written) {
            text = std::move(step.contents);
            changed = true;
        }
    }
    return changed ? replaceFileAtomically(path, text) : WriteOutcome::unchanged();
}

} // namespace velmora::platform::portable
