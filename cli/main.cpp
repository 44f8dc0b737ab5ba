#include <cstdio>
#include <iostream>
#include <string>
#include <vector>

#ifdef _WIN32
#include <io.h>
#define isatty _isatty
#define fileno _fileno
#else
#include <unistd.h>
#endif

#include "Cli.h"

int main(int argc, char* argv[])
{
    std::ios::sync_with_stdio(false);
    // A person at a terminal sees each line as it is typed; a pipe gets
    // whole buffers.
    if (!isatty(fileno(stdout)))
        std::cin.tie(nullptr);
    const std::vector<std::string> args(argv + (argc > 0 ? 1 : 0), argv + argc);
    const int status = RunCli(args, std::cin, std::cout, std::cerr);
    std::cout.flush();
    return status;
}
