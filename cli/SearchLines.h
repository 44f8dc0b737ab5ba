// SPDX-License-Identifier: GPL-3.0-or-later
// What the search commands (find, fits) share: telling options from signed
// values, numbers in micrometres from the engine's nanometres, and the one
// line that says why nothing was searched. Plain C++17, no Qt.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

#include "Command.h"
#include "Iso286.h"

// "--hole", "-x"; not "-0,025" or "-60..-20", which are values.
bool LooksLikeOption(std::string_view arg);

// Micrometres, every digit: with "." for JSON, "," for CSV ("21", "-6.5").
std::string MicrometresExact(iso286::Nanometres nm, char point);
// For a person: "21", "-6,5"; `sign` puts "+" before a positive value.
std::string MicrometresText(iso286::Nanometres nm, bool sign);

// "<what> «<typed>» — не число.", the typed text cut to 40 bytes and printable.
std::string NotANumber(const std::string& what, std::string_view typed);

// The reason the input is not searched, in the output's form: "ошибка: …",
// {"error": "…"}, or the CSV header and a row with the reason in its last
// cell of `columns`. kExitInvalid, or the output's failure.
int WriteInvalid(CommandIo& io, const char* csvHeader, std::size_t columns, const std::string& reason);

// "да" / "нет" for CSV, "true" / "false" for JSON.
inline const char* YesNo(bool yes) { return yes ? "да" : "нет"; }
inline const char* JsonBool(bool yes) { return yes ? "true" : "false"; }
