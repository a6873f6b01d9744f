// The floor of a command-line get or set: a process that starts, reads the file whole (read)
// or replaces it atomically and durably (replace), and exits. Timed next to velmora-ini and
// crudini, it shows what of their time any such command must spend.
//
//   floorcmd read|replace FILE

#include "floor.h"

#include <cstring>
#include <exception>
#include <iostream>

int main(int argc, char* argv[])
{
    if (argc != 3 || (std::strcmp(argv[1], "read") != 0 && std::strcmp(argv[1], "replace") != 0)) {
        std::cerr << "usage: floorcmd read|replace FILE\n";
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
