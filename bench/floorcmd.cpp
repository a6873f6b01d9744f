// The floor of a command-line get or set: a process that starts, reads the file whole (read)
// or replaces it atomically and durably (replace), and exits. Timed next to velmora-ini and
// crudini, it shows what of their time any such command must spend.
//
// With "batch" it is the floor of velmora-ini batch instead: it answers each line
// "read<TAB>FILE" or "replace<TAB>FILE" of standard input with "ok<TAB>SIZE" (or
// "err<TAB>REASON"), flushed at once, keeping its buffer from one line to the next.
//
//   floorcmd read|replace FILE
//   floorcmd batch

#include "floor.h"

#include <cstring>
#include <exception>
#include <iostream>
#include <stdexcept>
#include <string>

namespace {

int batch()
{
    std::ios::sync_with_stdio(false);
    std::string line;
    std::string bytes;
    while (std::getline(std::cin, line)) {
        const auto tab = line.find('\t');
        const std::string command = line.substr(0, tab);
        const std::string path = tab == std::string::npos ? std::string() : line.substr(tab + 1);
        try {
            if (command == "read")
                velmora::bench::readFloor(path, bytes);
            else if (command == "replace")
                velmora::bench::replaceFloor(path, bytes);
            else
                throw std::runtime_error("unknown command: " + command);
            std::cout << "ok\t" << bytes.size() << std::endl;
        } catch (const std::exception& error) {
            std::cout << "err\t" << error.what() << std::endl;
        }
    }
    return 0;
}

} // namespace

int main(int argc, char* argv[])
{
    if (argc == 2 && std::strcmp(argv[1], "batch") == 0)
        return batch();
    if (argc != 3 || (std::strcmp(argv[1], "read") != 0 && std::strcmp(argv[1], "replace") != 0)) {
        std::cerr << "usage: floorcmd read|replace FILE\n       floorcmd batch\n";
        return 2;
    }
    try {
        if (std::strcmp(argv[1], "read") == 0)
            std::cout << velmora::bench::readFloor(argv[2]).size() << '\n';
        else
            velmora::bench::replaceFloor(argv[2]);
    } catch (const std::exception& error) {
        std::cerr << "floorcmd: " << error.what() << '\n';
        return 1;
    }
    return 0;
}
