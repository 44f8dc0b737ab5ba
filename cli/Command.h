// SPDX-License-Identifier: GPL-3.0-or-later
// What kalimar-cli's commands share: the output form, the streams, the exit
// statuses and the messages every command writes alike. A command is a word
// first on the line ("find", "fits" …); designations never start with a
// letter. Plain C++17, no Qt.
#pragma once

#include <istream>
#include <ostream>
#include <string>
#include <string_view>
#include <vector>

#include "Report.h"

enum ExitStatus : int {
    kExitOk = 0,
    kExitInvalid = 1,       // some input is written wrongly or not defined
    kExitUsage = 2,         // the command line itself is wrong
    kExitNothingFound = 3,  // a search found nothing that qualifies, or a check found rejects
    kExitIo = 4,            // reading the input or writing the results failed
};

struct CommandIo {
    Format format;
    std::istream& in;
    std::ostream& out;
    std::ostream& err;
};

// "kalimar-cli: <what>" and where the help is, on standard error; kExitUsage.
int UsageError(CommandIo& io, const std::string& what);
// After writing: false when the output failed. Then the command stops and
// returns OutputFailed(io), which says so once on standard error.
inline bool Written(const CommandIo& io) { return static_cast<bool>(io.out); }
int OutputFailed(CommandIo& io);
// Ends `line` as the form does and writes it; Written(io) after it.
bool PutLine(CommandIo& io, std::string& line);
// The CSV form's header line; nothing in the other forms. Written(io) after it.
bool PutCsvHeader(CommandIo& io, const char* header);
// The input could not be read: said once on standard error; kExitIo.
int InputFailed(CommandIo& io);

// A command's arguments after its word, options included.
using CommandRun = int (*)(const std::vector<std::string_view>& args, CommandIo& io);
struct Command {
    const char* word;
    CommandRun run;
};
// Every command, in the order --help names them.
const std::vector<Command>& Commands();
