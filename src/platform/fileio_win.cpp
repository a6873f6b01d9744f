// The file layer on Windows, through the ANSI Win32 file functions.

#include "fileio.h"
#include "systeminfo.h"
#include "text.h"
#include "win32util.h"

#include <algorithm>
#include <atomic>
#include <string_view>
#include <windows.h>

namespace velmora::platform {
namespace {

// Closes a file handle when it goes out of scope.
class FileHandle {
public:
    explicit FileHandle(HANDLE handle) : m_handle(handle) {}
    FileHandle(const FileHandle&) = delete;
    FileHandle& operator=(const FileHandle&) = delete;
    ~FileHandle()
    {
        if (valid()) {
            CloseHandle(m_handle);
        }
    }
    bool valid() const { return m_handle != INVALID_HANDLE_VALUE; }
    HANDLE get() const { return m_handle; }

private:
    HANDLE m_handle;
};

bool isSeparator(char c)
{
    return c == '\\' || c == '/';
}

// "C:\x", "C:/x" and "\\server\share" name their root; "\x" only the current drive's.
bool isFullyQualified(std::string_view name)
{
    if (name.size() >= 3 && name[1] == ':' && isSeparator(name[2])) {
        return true;
    }
    return name.size() >= 2 && isSeparator(name[0]) && isSeparator(name[1]);
}

std::string getFullPath(const std::string& name)
{
    const DWORD needed = GetFullPathNameA(name.c_str(), 0, nullptr, nullptr);
    if (needed == 0) {
        return name;
    }
    std::string full(needed, '\0');
    const DWORD length = GetFullPathNameA(name.c_str(), needed, full.data(), nullptr);
    if (length == 0 || length >= needed) {
        return name;
    }
    full.resize(length);
    return full;
}

// The file a symbolic link points to, so that the link stays a link; `path` itself when it is
// no link or cannot be opened. Wine shows a Unix link as a plain file, but resolves it here.
std::string finalPath(const std::string& path)
{
    const DWORD attributes = GetFileAttributesA(path.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES ||
        ((attributes & FILE_ATTRIBUTE_REPARSE_POINT) == 0 && !runningUnderWine())) {
        return path;
    }
    FileHandle file(CreateFileA(path.c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file.valid()) {
        return path;
    }
    char buffer[MAX_PATH * 4];
    const DWORD length =
        GetFinalPathNameByHandleA(file.get(), buffer, sizeof buffer, FILE_NAME_NORMALIZED);
    if (length == 0 || length >= sizeof buffer) {
        return path;
    }
    std::string target(buffer, length);
    // "\\?\C:\..." names the same file as "C:\...", which every ANSI function accepts.
    if (target.starts_with("\\\\?\\") && target.size() > 6 && target[5] == ':') {
        target.erase(0, 4);
    }
    return target;
}

// The folder part of `path` with its separator ("C:\\Games\\"), empty for a bare name.
std::string folderPrefix(const std::string& path)
{
    const auto slash = path.find_last_of("\\/");
    return slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
}

std::string nameOf(const std::string& path)
{
    return path.substr(folderPrefix(path).size());
}

// The start of the names of the temporary files written for `target`; the writer's process id
// and a number follow.
std::string temporaryPrefix(const std::string& target)
{
    return "." + nameOf(target) + ".velmora-";
}

// A new file beside `target`, named after it and this process, so that a later write can tell
// a killed writer's file from a live one's.
HANDLE createTemporary(const std::string& target, std::string& tempPath)
{
    static std::atomic<unsigned> counter{0};
    const std::string stem = folderPrefix(target) + temporaryPrefix(target) +
                             std::to_string(GetCurrentProcessId()) + "-";
    for (int attempt = 0; attempt < 100; ++attempt) {
        tempPath = stem + std::to_string(counter++);
        const HANDLE file = CreateFileA(tempPath.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                        FILE_ATTRIBUTE_NORMAL, nullptr);
        if (file != INVALID_HANDLE_VALUE || GetLastError() != ERROR_FILE_EXISTS) {
            return file;
        }
    }
    return INVALID_HANDLE_VALUE;
}

// Whether the process `id` has ended; a process that cannot be asked counts as alive.
bool processGone(DWORD id)
{
    const HANDLE process = OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, id);
    if (process == nullptr) {
        return GetLastError() == ERROR_INVALID_PARAMETER; // no such process
    }
    DWORD code = 0;
    const bool ended = GetExitCodeProcess(process, &code) && code != STILL_ACTIVE;
    CloseHandle(process);
    return ended;
}

// A writer killed between creating its temporary file and the move leaves that file behind.
// Those of processes that have ended are removed, so that they cannot pile up; a live
// writer's file is left alone.
void removeStaleTemporaries(const std::string& target)
{
    WIN32_FIND_DATAA found;
    const HANDLE search = FindFirstFileA((folderPrefix(target) + ".*.velmora-*").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) {
        return;
    }
    do {
        const auto writer = temporaryWriter(found.cFileName);
        if (writer && *writer <= MAXDWORD && processGone(static_cast<DWORD>(*writer))) {
            DeleteFileA((folderPrefix(target) + found.cFileName).c_str());
        }
    } while (FindNextFileA(search, &found));
    FindClose(search);
}

WriteOutcome writeAndFlush(HANDLE file, const std::string& bytes)
{
    std::size_t done = 0;
    while (done < bytes.size()) {
        const auto chunk = static_cast<DWORD>(std::min<std::size_t>(bytes.size() - done, 1 << 20));
        DWORD written = 0;
        if (!WriteFile(file, bytes.data() + done, chunk, &written, nullptr) || written == 0) {
            return WriteOutcome::failed(lastErrorText());
        }
        done += written;
    }
    if (!FlushFileBuffers(file)) {
        return WriteOutcome::failed(lastErrorText());
    }
    return WriteOutcome::written();
}

// Puts `temp` in the place of `target`. ReplaceFileA keeps the old file's attributes and
// security; it needs an existing target, so a new file is simply moved into place. Wine's
// ReplaceFileA removes the old file before it moves the new one in, where its MoveFileExA is
// one rename: there the file would be missing for a moment.
bool moveIntoPlace(const std::string& temp, const std::string& target)
{
    if (!runningUnderWine() && GetFileAttributesA(target.c_str()) != INVALID_FILE_ATTRIBUTES &&
        ReplaceFileA(target.c_str(), temp.c_str(), nullptr, REPLACEFILE_IGNORE_MERGE_ERRORS,
                     nullptr, nullptr)) {
        return true;
    }
    return MoveFileExA(temp.c_str(), target.c_str(),
                       MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != 0;
}

} // namespace

FileContents readFile(const std::string& path)
{
    FileContents contents;
    const DWORD attributes = GetFileAttributesA(path.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0) {
        contents.error = errorText(ERROR_ACCESS_DENIED);
        return contents;
    }
    FileHandle file(CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file.valid()) {
        const DWORD error = GetLastError();
        contents.missing = error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND;
        contents.error = contents.missing ? std::string() : errorText(error);
        return contents;
    }
    char buffer[1 << 16];
    DWORD got = 0;
    while (ReadFile(file.get(), buffer, sizeof buffer, &got, nullptr)) {
        if (got == 0) {
            return contents;
        }
        contents.bytes.append(buffer, got);
    }
    contents.bytes.clear();
    contents.error = lastErrorText();
    return contents;
}

WriteOutcome replaceFileAtomically(const std::string& path, const std::string& bytes)
{
    const std::string target = finalPath(path);
    // Windows refuses to replace a folder or a read-only file, but Wine's MoveFileEx replaces
    // an empty folder, and Wine run as root ignores read-only: check first.
    if (isFolderOrReadOnly(target)) {
        return WriteOutcome::failed(errorText(ERROR_ACCESS_DENIED));
    }
    // First, so that a write that fails (a full disk) still clears what killed writers left.
    removeStaleTemporaries(target);
    std::string temp;
    WriteOutcome outcome = WriteOutcome::written();
    {
        FileHandle file(createTemporary(target, temp));
        if (!file.valid()) {
            return WriteOutcome::failed(lastErrorText()); // nothing was created
        }
        outcome = writeAndFlush(file.get(), bytes);
    }
    if (outcome.ok() && !moveIntoPlace(temp, target)) {
        outcome = WriteOutcome::failed(lastErrorText());
    }
    if (!outcome.ok()) {
        DeleteFileA(temp.c_str());
    }
    return outcome;
}

std::string fullPathName(const std::string& fileName, const std::string& currentDirectory)
{
    if (isFullyQualified(fileName)) {
        return getFullPath(fileName);
    }
    if (!fileName.empty() && isSeparator(fileName[0])) {
        // Rooted on the drive of the current directory.
        const bool hasDrive = currentDirectory.size() >= 2 && currentDirectory[1] == ':';
        return getFullPath((hasDrive ? currentDirectory.substr(0, 2) : std::string()) + fileName);
    }
    std::string joined = currentDirectory;
    if (!joined.empty() && !isSeparator(joined.back())) {
        joined += '\\';
    }
    return getFullPath(joined + fileName);
}

std::string currentDirectory()
{
    const DWORD needed = GetCurrentDirectoryA(0, nullptr);
    std::string directory(needed, '\0');
    const DWORD length = GetCurrentDirectoryA(needed, directory.data());
    directory.resize(length < needed ? length : 0);
    return directory;
}

bool fileExists(const std::string& path)
{
    const DWORD attributes = GetFileAttributesA(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
}

void ignoreFileSizeSignal() {}

} // namespace velmora::platform
