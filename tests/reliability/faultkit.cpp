#include "faultkit.h"

#include "support/datatable.h"

#include <cerrno>
#include <csignal>
#include <cstdlib>
#include <cstring>
#include <grp.h>
#include <new>
#include <sys/mman.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

#include <gtest/gtest.h>

namespace velmora::test {

namespace fs = std::filesystem;

namespace {

constexpr uid_t kNobody = 65534;

std::string takeLimits(const ChildLimits& limits)
{
    if (limits.umask)
        ::umask(*limits.umask);
    const rlimit size{limits.fileSizeLimit.value_or(0), limits.fileSizeLimit.value_or(0)};
    if (limits.fileSizeLimit &&
        (std::signal(SIGXFSZ, SIG_IGN) == SIG_ERR || ::setrlimit(RLIMIT_FSIZE, &size) != 0))
        return std::string("setrlimit: ") + std::strerror(errno);
    if (limits.unprivileged && ::geteuid() == 0 &&
        (::setgroups(0, nullptr) != 0 || ::setgid(kNobody) != 0 || ::setuid(kNobody) != 0))
        return std::string("dropping root: ") + std::strerror(errno);
    return {};
}

} // namespace

void lay(const std::string& root, const std::string& layout, const std::string& bytes)
{
    std::vector<std::pair<std::string, mode_t>> modes;
    for (const std::string& item : split(layout, ' ')) {
        const auto part = split(item, ':');
        if (item.empty())
            continue;
        const std::string path = root + "/" + part.at(1);
        fs::create_directories(part[0] == "d" ? fs::path(path) : fs::path(path).parent_path());
        if (part[0] == "f")
            writeFile(path, bytes);
        else if (part[0] == "l")
            fs::create_symlink(part.at(2).starts_with("$T") ? root + part[2].substr(2) : part[2],
                               path);
        if (part[0] != "l" && part.size() > 2)
            modes.emplace_back(path, static_cast<mode_t>(std::stoul(part[2], nullptr, 8)));
    }
    for (auto it = modes.rbegin(); it != modes.rend(); ++it)
        ::chmod(it->first.c_str(), it->second);
}

Tree snapshot(const fs::path& root)
{
    Tree tree;
    std::error_code error;
    for (auto it = fs::recursive_directory_iterator(root, error);
         it != fs::recursive_directory_iterator(); it.increment(error)) {
        struct stat st {};
        const std::string path = it->path().string();
        if (::lstat(path.c_str(), &st) != 0)
            continue;
        Entry& entry = tree[it->path().lexically_relative(root).string()];
        entry.mode = st.st_mode & 07777;
        entry.kind = S_ISLNK(st.st_mode) ? 'l' : S_ISDIR(st.st_mode) ? 'd' : 'f';
        if (entry.kind == 'l') {
            entry.content = fs::read_symlink(it->path(), error).string();
        } else if (entry.kind == 'f') {
            // Files the test made unreadable are read by their owner for a moment.
            ::chmod(path.c_str(), entry.mode | S_IRUSR);
            entry.content = readFile(path);
            ::chmod(path.c_str(), entry.mode);
        }
    }
    return tree;
}

std::optional<platform::WriteOutcome>
writeInChild(const ChildLimits& limits, const std::function<platform::WriteOutcome()>& write,
             std::string& trouble)
{
    // The child reports in memory it shares with the parent: its outcome, or why it could not
    // take on the limits.
    struct Report {
        char kind; // 'O' outcome, 'E' trouble
        int status;
        char text[4000];
    };
    void* shared =
        ::mmap(nullptr, sizeof(Report), PROT_READ | PROT_WRITE, MAP_SHARED | MAP_ANONYMOUS, -1, 0);
    if (shared == MAP_FAILED) {
        trouble = std::string("mmap: ") + std::strerror(errno);
        return std::nullopt;
    }
    auto* report = new (shared) Report{};
    const pid_t pid = ::fork();
    if (pid == 0) {
        std::string text = takeLimits(limits);
        report->kind = text.empty() ? 'O' : 'E';
        if (text.empty()) {
            const platform::WriteOutcome outcome = write();
            report->status = static_cast<int>(outcome.status);
            text = outcome.reason;
        }
        text.copy(report->text, sizeof report->text - 1);
        ::_exit(0);
    }
    int status = 0;
    std::optional<platform::WriteOutcome> outcome;
    if (pid <= 0 || ::waitpid(pid, &status, 0) != pid || !WIFEXITED(status) || !report->kind)
        trouble = "the child did not report (wait status " + std::to_string(status) + ")";
    else if (report->kind == 'E')
        trouble = report->text;
    else
        outcome = {static_cast<platform::WriteStatus>(report->status), report->text};
    ::munmap(shared, sizeof(Report));
    return outcome;
}

void PrintTo(const Entry& entry, std::ostream* out)
{
    *out << entry.kind << ' ' << std::oct << entry.mode << std::dec << ' '
         << ::testing::PrintToString(entry.content.substr(0, 200));
}

} // namespace velmora::test
