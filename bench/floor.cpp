#include "floor.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <stdexcept>
#include <sys/stat.h>
#include <unistd.h>
#include <utility>

namespace velmora::bench {
namespace {

[[noreturn]] void fail(const std::string& what, const std::string& path)
{
    throw std::runtime_error(what + " " + path + ": " + std::strerror(errno));
}

class Fd {
public:
    explicit Fd(int fd) : m_fd(fd) {}
    ~Fd()
    {
        if (m_fd >= 0)
            ::close(m_fd);
    }
    Fd(const Fd&) = delete;
    Fd& operator=(const Fd&) = delete;
    int get() const { return m_fd; }
    int release() { return std::exchange(m_fd, -1); }

private:
    int m_fd;
};

void writeAll(int fd, const std::string& bytes, const std::string& path)
{
    std::size_t done = 0;
    while (done < bytes.size()) {
        const auto n = ::write(fd, bytes.data() + done, bytes.size() - done);
        if (n < 0 && errno != EINTR)
            fail("write", path);
        if (n > 0)
            done += static_cast<std::size_t>(n);
    }
}

std::string folderOf(const std::string& path)
{
    const auto slash = path.rfind('/');
    if (slash == std::string::npos)
        return ".";
    return slash == 0 ? "/" : path.substr(0, slash);
}

} // namespace

std::string readFloor(const std::string& path)
{
    std::string bytes;
    readFloor(path, bytes);
    return bytes;
}

void readFloor(const std::string& path, std::string& bytes)
{
    Fd fd(::open(path.c_str(), O_RDONLY | O_CLOEXEC));
    if (fd.get() < 0)
        fail("open", path);
    struct stat info {};
    if (::fstat(fd.get(), &info) != 0)
        fail("stat", path);
    bytes.resize(static_cast<std::size_t>(info.st_size));
    std::size_t done = 0;
    while (done < bytes.size()) {
        const auto n = ::read(fd.get(), bytes.data() + done, bytes.size() - done);
        if (n < 0 && errno != EINTR)
            fail("read", path);
        if (n == 0)
            break;
        if (n > 0)
            done += static_cast<std::size_t>(n);
    }
    bytes.resize(done);
    if (::close(fd.release()) != 0)
        fail("close", path);
}

void replaceFloor(const std::string& path)
{
    std::string bytes;
    replaceFloor(path, bytes);
}

void replaceFloor(const std::string& path, std::string& bytes)
{
    readFloor(path, bytes);
    const auto temporary = path + ".floor-tmp";
    {
        Fd fd(::open(temporary.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644));
        if (fd.get() < 0)
            fail("open", temporary);
        writeAll(fd.get(), bytes, temporary);
        if (::fsync(fd.get()) != 0)
            fail("fsync", temporary);
        if (::close(fd.release()) != 0)
            fail("close", temporary);
    }
    if (::rename(temporary.c_str(), path.c_str()) != 0)
        fail("rename", path);
    const auto folder = folderOf(path);
    Fd dir(::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (dir.get() < 0 || ::fsync(dir.get()) != 0)
        fail("fsync", folder);
}

} // namespace velmora::bench
