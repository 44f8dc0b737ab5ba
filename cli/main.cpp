// SPDX-License-Identifier: GPL-3.0-or-later
#include <cstdio>
#include <iostream>
#include <string>
#include <vector>

#ifdef _WIN32
#include <io.h>
#define isatty _isatty
#else
#include <unistd.h>
#endif

#include "Cli.h"
#include "Streams.h"

int main(int argc, char* argv[])
{
    // The standard streams on the descriptors themselves: a failed read or
    // write is seen at once, with its reason, and stops the tool.
    FdStreamBuf inBuf(0), outBuf(1), errBuf(2);
    std::istream in(&inBuf);
    std::ostream out(&outBuf), err(&errBuf);
    err.setf(std::ios::unitbuf);
    // A person at a terminal sees each line as it is typed; a pipe gets
    // whole buffers.
    if (isatty(1))
        in.tie(&out);
    const std::vector<std::string> args(argv + (argc > 0 ? 1 : 0), argv + argc);
    const int status = RunCli(args, in, out, err);
    out.flush();
    return status;
}
