// The system's profile functions on Windows: GetPrivateProfileStringA and
// WritePrivateProfileStringA, behind the same refusals as the portable engine.

#include "fileio.h"
#include "profile.h"
#include "win32util.h"

#include <algorithm>
#include <limits>
#include <vector>
#include <windows.h>

namespace velmora::platform {
namespace {

// The profile functions look for a name without a folder in the Windows directory; the
// program means its current directory, as the portable engine does.
std::string resolved(const std::string& path)
{
    return fullPathName(path, currentDirectory());
}

} // namespace

std::string getProfileString(const std::string& path, std::string_view section,
                             std::string_view key, std::string_view defaultValue,
                             std::size_t bufferSize)
{
    if (bufferSize == 0) {
        return {};
    }
    const auto size =
        static_cast<DWORD>(std::min<std::size_t>(bufferSize, std::numeric_limits<DWORD>::max()));
    std::vector<char> buffer(size, '\0');
    const DWORD length = GetPrivateProfileStringA(
        std::string(section).c_str(), std::string(key).c_str(), std::string(defaultValue).c_str(),
        buffer.data(), size, resolved(path).c_str());
    return std::string(buffer.data(), std::min(length, size - 1));
}

WriteOutcome writeProfileString(const std::string& path, std::string_view section,
                                std::string_view key, std::string_view value)
{
    const std::string file = resolved(path);
    // The same refusal as the portable engine's atomic replace; Windows' own write fails
    // there too, but Wine run as root would write.
    if (isFolderOrReadOnly(file)) {
        return WriteOutcome::failed(errorText(ERROR_ACCESS_DENIED));
    }
    const FileContents current = readFile(file);
    if (!current.error.empty()) {
        return WriteOutcome::failed(current.error);
    }
    // The portable text layer decides what is refused and what is already there, so both
    // systems refuse the same requests and neither rewrites a file for nothing.
    const TextEdit check = profileWriteText(current.bytes, section, key, value);
    if (check.status == WriteStatus::Refused) {
        return WriteOutcome::refused(check.reason);
    }
    if (check.status == WriteStatus::Unchanged) {
        return WriteOutcome::unchanged();
    }
    if (!WritePrivateProfileStringA(std::string(section).c_str(), std::string(key).c_str(),
                                    std::string(value).c_str(), file.c_str())) {
        return WriteOutcome::failed(lastErrorText());
    }
    return WriteOutcome::written();
}

} // namespace velmora::platform
