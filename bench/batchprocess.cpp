#include "batchprocess.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <spawn.h>
#include <stdexcept>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

namespace velmora::bench {
namespace {

[[noreturn]] void fail(const std::string& what)
{
    throw std::runtime_error(what + ": " + std::strerror(errno));
}

} // namespace

BatchProcess::BatchProcess(const std::vector<std::string>& argv)
{
    int toChild[2];
    int fromChild[2];
    if (::pipe2(toChild, O_CLOEXEC) != 0 || ::pipe2(fromChild, O_CLOEXEC) != 0)
        fail("pipe");
    posix_spawn_file_actions_t actions;
    ::posix_spawn_file_actions_init(&actions);
    ::posix_spawn_file_actions_adddup2(&actions, toChild[0], STDIN_FILENO);
    ::posix_spawn_file_actions_adddup2(&actions, fromChild[1], STDOUT_FILENO);
    std::vector<char*> args;
    for (const auto& arg : argv)
        args.push_back(const_cast<char*>(arg.c_str()));
    args.push_back(nullptr);
    const int spawned = ::posix_spawn(&m_pid, args[0], &actions, nullptr, args.data(), environ);
    ::posix_spawn_file_actions_destroy(&actions);
    ::close(toChild[0]);
    ::close(fromChild[1]);
    m_in = toChild[1];
    m_out = fromChild[0];
    if (spawned != 0) {
        errno = spawned;
        fail("start " + argv[0]);
    }
}

BatchProcess::~BatchProcess()
{
    ::close(m_in); // end of input ends the child
    ::close(m_out);
    if (m_pid > 0)
        ::waitpid(m_pid, nullptr, 0);
}

std::string BatchProcess::ask(const std::string& line)
{
    const std::string request = line + '\n';
    std::size_t done = 0;
    while (done < request.size()) {
        const ssize_t n = ::write(m_in, request.data() + done, request.size() - done);
        if (n < 0 && errno != EINTR)
            fail("write to the batch");
        if (n > 0)
            done += static_cast<std::size_t>(n);
    }
    for (;;) {
        const auto end = m_pending.find('\n');
        if (end != std::string::npos) {
            std::string answer = m_pending.substr(0, end);
            m_pending.erase(0, end + 1);
            return answer;
        }
        char buffer[4096];
        const ssize_t n = ::read(m_out, buffer, sizeof buffer);
        if (n == 0)
            throw std::runtime_error("the batch ended");
        if (n < 0 && errno != EINTR)
            fail("read from the batch");
        if (n > 0)
            m_pending.append(buffer, static_cast<std::size_t>(n));
    }
}

} // namespace velmora::bench
