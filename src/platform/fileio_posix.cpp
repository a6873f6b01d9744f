#include "fileio.h"
#include "text.h"

#include <atomic>
#include <cerrno>
#include <csignal>
#include <cstring>
#include <dirent.h>
#include <fcntl.h>
#include <limits>
#include <string_view>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace velmora::platform {

namespace {

std::string systemReason(int error)
{
    return std::strerror(error);
}

std::string folderOf(const std::string& path)
{
    const std::size_t slash = path.rfind('/');
    if (slash == std::string::npos) {
        return ".";
    }
    return slash == 0 ? "/" : path.substr(0, slash);
}

std::string nameOf(const std::string& path)
{
    return path.substr(path.rfind('/') + 1);
}

// The file a chain of symbolic links ends at, so that the link itself stays a link.
std::optional<std::string> followLinks(const std::string& path)
{
    std::string current = path;
    for (int hops = 0; hops < 40; ++hops) {
        struct stat st {};
        if (::lstat(current.c_str(), &st) != 0 || !S_ISLNK(st.st_mode)) {
            return current;
        }
        std::vector<char> target(static_cast<std::size_t>(st.st_size) + 256);
        const ssize_t length = ::readlink(current.c_str(), target.data(), target.size());
        if (length < 0) {
            return std::nullopt;
        }
        std::string next(target.data(), static_cast<std::size_t>(length));
        current = next.starts_with('/') ? next : folderOf(current) + "/" + next;
    }
    errno = ELOOP;
    return std::nullopt;
}

bool writeAll(int fd, const std::string& bytes)
{
    std::size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
        if (n < 0) {
            if (errno == EINTR) {
                continue;
            }
            return false;
        }
        done += static_cast<std::size_t>(n);
    }
    return true;
}

// A new file beside `target`, named so that it cannot be taken for the real one. Created
// with mode 0666 so that the umask gives a new file its usual mode.
int createTemporary(const std::string& target, std::string& tempPath)
{
    static std::atomic<unsigned> counter{0};
    const std::string stem =
        folderOf(target) + "/." + nameOf(target) + ".velmora-" + std::to_string(::getpid()) + "-";
    for (int attempt = 0; attempt < 100; ++attempt) {
        tempPath = stem + std::to_string(counter++);
        const int fd = ::open(tempPath.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd >= 0 || errno != EEXIST) {
            return fd;
        }
    }
    return -1;
}

// A writer killed between creating its temporary file and the rename leaves that file
// behind. Those of processes that no longer exist are removed, so that they cannot pile up;
// a live writer's file is left alone.
void removeStaleTemporaries(const std::string& target)
{
    DIR* folder = ::opendir(folderOf(target).c_str());
    if (folder == nullptr) {
        return;
    }
    while (const dirent* entry = ::readdir(folder)) {
        const auto writer = temporaryWriter(entry->d_name);
        if (writer && *writer > 0 && *writer <= std::numeric_limits<pid_t>::max() &&
            ::kill(static_cast<pid_t>(*writer), 0) != 0 && errno == ESRCH) {
            ::unlinkat(::dirfd(folder), entry->d_name, 0);
        }
    }
    ::closedir(folder);
}

bool keepOwnerAndMode(int fd, const struct stat* old)
{
    if (old == nullptr) {
        return true;
    }
    // Only root may give a file away; for anyone else the owner is already right.
    [[maybe_unused]] const int owned = ::fchown(fd, old->st_uid, old->st_gid);
    return ::fchmod(fd, old->st_mode & 07777) == 0;
}

// Writes, flushes and closes the temporary file; false with errno set on failure.
bool fillTemporary(int fd, const std::string& bytes, const struct stat* old)
{
    const bool filled = keepOwnerAndMode(fd, old) && writeAll(fd, bytes) && ::fsync(fd) == 0;
    const int saved = errno;
    const bool closed = ::close(fd) == 0;
    if (!filled) {
        errno = saved;
        return false;
    }
    return closed;
}

void syncFolder(const std::string& folder)
{
    const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd >= 0) {
        // The rename has happened; a folder that cannot be flushed does not undo it.
        [[maybe_unused]] const int synced = ::fsync(fd);
        ::close(fd);
    }
}

// Reads the file's `size` bytes, or up to its end when fstat gives no size (files in /proc
// report 0). A regular file is not read past its size: that would cost a call per read.
bool readAll(int fd, std::size_t size, std::string& bytes)
{
    const bool sized = size > 0;
    bytes.resize(sized ? size : 4096);
    std::size_t done = 0;
    while (!sized || done < size) {
        if (done == bytes.size()) {
            bytes.resize(bytes.size() * 2);
        }
        const ssize_t n = ::read(fd, bytes.data() + done, bytes.size() - done);
        if (n < 0 && errno == EINTR) {
            continue;
        }
        if (n <= 0) {
            bytes.resize(done);
            return n == 0;
        }
        done += static_cast<std::size_t>(n);
    }
    return true;
}

} // namespace

FileContents readFile(const std::string& path)
{
    FileContents contents;
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) {
        contents.missing = errno == ENOENT || errno == ENOTDIR;
        contents.error = contents.missing ? std::string() : systemReason(errno);
        return contents;
    }
    struct stat st {};
    if (::fstat(fd, &st) != 0) {
        contents.error = systemReason(errno);
    } else if (S_ISDIR(st.st_mode)) {
        contents.error = systemReason(EISDIR);
    } else if (!readAll(fd, static_cast<std::size_t>(st.st_size), contents.bytes)) {
        contents.error = systemReason(errno);
    }
    ::close(fd);
    return contents;
}

WriteOutcome replaceFileAtomically(const std::string& path, const std::string& bytes)
{
    if (path.empty()) {
        return WriteOutcome::failed(systemReason(ENOENT));
    }
    const auto target = followLinks(path);
    if (!target) {
        return WriteOutcome::failed(systemReason(errno));
    }
    // First, so that a write that fails (a full disk) still clears what killed writers left.
    removeStaleTemporaries(*target);
    struct stat old {};
    const bool exists = ::stat(target->c_str(), &old) == 0;
    if (exists && S_ISDIR(old.st_mode)) {
        return WriteOutcome::failed(systemReason(EISDIR));
    }
    if (exists && !S_ISREG(old.st_mode)) {
        return WriteOutcome::failed("Not a regular file");
    }
    // The rename needs only the folder's permission; a file its owner made read-only (to
    // keep the game from changing it) must still refuse the write, for root too.
    if (exists && (::access(target->c_str(), W_OK) != 0 || (old.st_mode & 0222) == 0)) {
        return WriteOutcome::failed(systemReason(EACCES));
    }
    std::string tempPath;
    const int fd = createTemporary(*target, tempPath);
    if (fd < 0) {
        return WriteOutcome::failed(systemReason(errno));
    }
    if (!fillTemporary(fd, bytes, exists ? &old : nullptr) ||
        ::rename(tempPath.c_str(), target->c_str()) != 0) {
        const int saved = errno;
        ::unlink(tempPath.c_str());
        return WriteOutcome::failed(systemReason(saved));
    }
    syncFolder(folderOf(*target));
    return WriteOutcome::written();
}

std::string fullPathName(const std::string& fileName, const std::string& currentDirectory)
{
    if (fileName.empty()) {
        return {};
    }
    const bool absolute = fileName.front() == '/' || currentDirectory.starts_with('/');
    const std::string joined =
        fileName.front() == '/' ? fileName : currentDirectory + "/" + fileName;
    std::vector<std::string_view> parts;
    std::string_view rest = joined;
    while (!rest.empty()) {
        const std::size_t slash = rest.find('/');
        const std::string_view part = rest.substr(0, slash);
        rest = slash == std::string_view::npos ? std::string_view() : rest.substr(slash + 1);
        if (part == ".." && !parts.empty() && parts.back() != "..") {
            parts.pop_back();
        } else if (part == ".." && absolute) {
            continue; // ".." of the root is the root
        } else if (!part.empty() && part != ".") {
            parts.push_back(part);
        }
    }
    std::string full = absolute ? "/" : "";
    for (std::size_t i = 0; i < parts.size(); ++i) {
        full.append(i == 0 ? "" : "/").append(parts[i]);
    }
    if (fileName.back() == '/' && !parts.empty()) {
        full.push_back('/');
    }
    return full;
}

std::string currentDirectory()
{
    std::vector<char> buffer(4096);
    while (::getcwd(buffer.data(), buffer.size()) == nullptr) {
        if (errno != ERANGE) {
            return {};
        }
        buffer.resize(buffer.size() * 2);
    }
    return buffer.data();
}

bool fileExists(const std::string& path)
{
    struct stat st {};
    return !path.empty() && ::stat(path.c_str(), &st) == 0 && !S_ISDIR(st.st_mode);
}

void ignoreFileSizeSignal()
{
    std::signal(SIGXFSZ, SIG_IGN);
}

} // namespace velmora::platform
