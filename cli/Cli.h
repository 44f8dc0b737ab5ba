// SPDX-License-Identifier: GPL-3.0-or-later
// kalimar-cli without its process: arguments and streams in, exit status out,
// so tests drive it directly. Plain C++17, no Qt.
#pragma once

#include <istream>
#include <ostream>
#include <string>
#include <vector>

// args: the arguments after the program's name. Results and the reasons of
// designations that are not defined go to out, in input order; usage errors
// and failures of the streams to err. Returns an ExitStatus (Command.h):
// 0 when every designation is defined, 1 when some is not, 2 on a usage
// error, 3 from a search or check that finds nothing good, 4 when the input
// could not be read or the results not written.
int RunCli(const std::vector<std::string>& args, std::istream& in, std::ostream& out, std::ostream& err);
