// SPDX-License-Identifier: GPL-3.0-or-later
// One designation's result in the tool's three forms: a line for a person,
// a JSON object per line, or a CSV row. Plain C++17, no Qt.
#pragma once

#include <cstddef>
#include <ostream>
#include <string>
#include <string_view>

#include "CsvCells.h"
#include "ExactDecimal.h"
#include "Iso286.h"

enum class Format { Text, Json, Csv };

// How a line ends in the form: "\r\n" in CSV, "\n" otherwise.
inline const char* LineEnd(Format format) { return format == Format::Csv ? "\r\n" : "\n"; }

class Report {
public:
    Report(Format format, std::ostream& out) : format_(format), out_(out) {}

    // The CSV header row; nothing for the other forms.
    void Begin();
    // Reads one designation as typed, writes its line; false when it is not
    // valid or the standard does not define it.
    bool Write(std::string_view typed);
    // A designation too long to read, of which `start` is the beginning: its
    // error line; false.
    bool WriteTooLong(std::string_view start);

private:
    Format format_;
    std::ostream& out_;
    std::string line_;  // reused: one line per designation
};

// ---- The forms' conventions, for every command alike (the CSV cells'
// are in CsvCells.h)

// A JSON string: quotes, escapes, and valid UTF-8 whatever the bytes.
void AppendJsonString(std::string& line, std::string_view text);
// `, "key": value` with every digit of the exact value and a decimal point.
void AppendJsonNumber(std::string& line, const char* key, const ExactDecimal& value);
// "clearance", "transition", "interference".
const char* FitKindKey(iso286::FitKind kind);
