#pragma once

// A program that answers one line per line it reads, such as velmora-ini batch, run as a
// child with its standard input and output on pipes.

#include <string>
#include <sys/types.h>
#include <vector>

namespace velmora::bench {

class BatchProcess {
public:
    // Starts `argv[0]` with `argv`. Throws when it cannot.
    explicit BatchProcess(const std::vector<std::string>& argv);
    ~BatchProcess();
    BatchProcess(const BatchProcess&) = delete;
    BatchProcess& operator=(const BatchProcess&) = delete;

    // Sends `line` and a line break, and gives the answer line without its break. Throws
    // when the child has gone.
    std::string ask(const std::string& line);

private:
    pid_t m_pid = -1;
    int m_in = -1;         // the child's standard input
    int m_out = -1;        // its standard output
    std::string m_pending; // bytes read past the last answer
};

} // namespace velmora::bench
