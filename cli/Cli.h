// kalimar-cli without its process: arguments and streams in, exit status out,
// so tests drive it directly. Plain C++17, no Qt.
#pragma once

#include <istream>
#include <ostream>
#include <string>
#include <vector>

// args: the arguments after the program's name. Results and the reasons of
// designations that are not defined go to out, in input order; usage errors
// to err. Returns 0 when every designation is defined, 1 when some is not,
// 2 on a usage error.
int RunCli(const std::vector<std::string>& args, std::istream& in, std::ostream& out, std::ostream& err);
