#include "faultkit.h"

#include <cerrno>
#include <csignal>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <fstream>
#include <grp.h>
#include <sstream>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace velmora::test {

namespace fs = std::filesystem;

namespace {

constexpr uid_t kNobody = 65534;

std::string readFollowing(const std::string& path, unsigned mode)
{
    std::ifstream in(path, std::ios::binary);
    if (!in && (mode & S_IRUSR) == 0 && ::chmod(path.c_str(), mode | S_IRUSR) == 0) {
        std::string bytes = readFile(path);
        ::chmod(path.c_str(), mode);
        return bytes;
    }
    std::ostringstream out;
    out << in.rdbuf();
    return out.str();
}

// Capabilities survive a uid change only when asked to; make sure none did.
bool hasNoCapabilities()
{
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line)) {
        if (line.starts_with("CapEff:")) {
            return std::strtoull(line.c_str() + 7, nullptr, 16) == 0;
        }
    }
    return false;
}

std::string takeLimits(const ChildLimits& limits)
{
    if (limits.umask) {
        ::umask(*limits.umask);
    }
    if (limits.fileSizeLimit) {
        std::signal(SIGXFSZ, SIG_IGN);
        const rlimit limit{*limits.fileSizeLimit, *limits.fileSizeLimit};
        if (::setrlimit(RLIMIT_FSIZE, &limit) != 0) {
            return std::string("setrlimit: ") + std::strerror(errno);
        }
    }
    if (limits.unprivileged && ::geteuid() == 0) {
        if (::setgroups(0, nullptr) != 0 || ::setgid(kNobody) != 0 || ::setuid(kNobody) != 0) {
            return std::string("dropping root: ") + std::strerror(errno);
        }
        if (::geteuid() == 0 || !hasNoCapabilities()) {
            return "capabilities survived the change of user";
        }
    }
    return {};
}

void writeAll(int fd, const std::string& bytes)
{
    std::size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
        if (n <= 0 && errno != EINTR) {
            return;
        }
        done += n > 0 ? static_cast<std::size_t>(n) : 0;
    }
}

[[noreturn]] void runChild(int fd, const ChildLimits& limits,
                           const std::function<platform::WriteOutcome()>& write)
{
    const std::string trouble = takeLimits(limits);
    if (!trouble.empty()) {
        writeAll(fd, "E" + trouble);
        ::_exit(0);
    }
    const platform::WriteOutcome outcome = write();
    writeAll(fd, "O" + std::to_string(static_cast<int>(outcome.status)) + ":" + outcome.reason);
    ::_exit(0);
}

} // namespace

Tree snapshot(const fs::path& root)
{
    Tree tree;
    std::error_code error;
    for (auto it = fs::recursive_directory_iterator(root, error);
         it != fs::recursive_directory_iterator(); it.increment(error)) {
        struct stat st {};
        const std::string path = it->path().string();
        if (::lstat(path.c_str(), &st) != 0) {
            continue;
        }
        Entry entry;
        entry.mode = st.st_mode & 07777;
        if (S_ISLNK(st.st_mode)) {
            entry.kind = 'l';
            entry.content = fs::read_symlink(it->path(), error).string();
        } else if (S_ISDIR(st.st_mode)) {
            entry.kind = 'd';
        } else {
            entry.kind = 'f';
            entry.content = readFollowing(path, entry.mode);
        }
        tree[it->path().lexically_relative(root).string()] = entry;
    }
    return tree;
}

std::optional<platform::WriteOutcome>
writeInChild(const ChildLimits& limits, const std::function<platform::WriteOutcome()>& write,
             std::string& trouble)
{
    int fds[2];
    if (::pipe2(fds, O_CLOEXEC) != 0) {
        trouble = std::string("pipe: ") + std::strerror(errno);
        return std::nullopt;
    }
    const pid_t pid = ::fork();
    if (pid == 0) {
        ::close(fds[0]);
        runChild(fds[1], limits, write);
    }
    ::close(fds[1]);
    if (pid < 0) {
        trouble = std::string("fork: ") + std::strerror(errno);
        ::close(fds[0]);
        return std::nullopt;
    }
    std::string message;
    char buffer[4096];
    for (ssize_t n; (n = ::read(fds[0], buffer, sizeof buffer)) != 0;) {
        if (n > 0) {
            message.append(buffer, static_cast<std::size_t>(n));
        } else if (errno != EINTR) {
            break;
        }
    }
    ::close(fds[0]);
    int status = 0;
    ::waitpid(pid, &status, 0);
    if (!WIFEXITED(status) || message.empty()) {
        trouble = "the child did not report (wait status " + std::to_string(status) + ")";
        return std::nullopt;
    }
    if (message[0] == 'E') {
        trouble = message.substr(1);
        return std::nullopt;
    }
    const std::size_t colon = message.find(':');
    platform::WriteOutcome outcome;
    outcome.status = static_cast<platform::WriteStatus>(std::stoi(message.substr(1, colon - 1)));
    outcome.reason = message.substr(colon + 1);
    return outcome;
}

void PrintTo(const Entry& entry, std::ostream* out)
{
    *out << entry.kind << ' ' << std::oct << entry.mode << std::dec << " \"";
    for (const char c : entry.content.substr(0, 200)) {
        if (c == '\r' || c == '\n' || c == '\0') {
            *out << (c == '\r' ? "\\r" : c == '\n' ? "\\n" : "\\0");
        } else {
            *out << c;
        }
    }
    *out << (entry.content.size() > 200 ? "\"..." : "\"");
}

} // namespace velmora::test

namespace velmora::platform {

void PrintTo(WriteStatus status, std::ostream* out)
{
    constexpr const char* names[] = {"Written", "Unchanged", "Refused", "Failed"};
    *out << names[static_cast<int>(status)];
}

} // namespace velmora::platform
