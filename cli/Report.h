// One designation's result in the tool's three forms: a line for a person,
// a JSON object per line, or a CSV row. Plain C++17, no Qt.
#pragma once

#include <cstddef>
#include <ostream>
#include <string>
#include <string_view>

#include "Iso286.h"

enum class Format { Text, Json, Csv };

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

// The text with every invalid UTF-8 byte replaced by U+FFFD.
std::string ValidUtf8(std::string_view text);
// The same, and control characters (C0 but tab, DEL, C1) replaced too, so
// that echoing a text acts on no terminal and lands in no cell as a byte
// a spreadsheet mistakes.
std::string PrintableText(std::string_view text);

// ---- What the commands' lines share

// "clearance", "transition", "interference".
const char* FitKindKey(iso286::FitKind kind);
// A JSON string: quoted, escaped, invalid UTF-8 replaced.
void AppendJsonString(std::string& line, std::string_view text);
// A CSV cell from typed text: printable, and not run as a formula.
std::string InertCell(std::string_view typed);
// Cells joined by ";", each quoted as RFC 4180 asks where it needs it.
void AppendCsvCells(std::string& line, const std::string* cells, std::size_t count);
