// One designation's result in the tool's three forms: a line for a person,
// a JSON object per line, or a CSV row. Plain C++17, no Qt.
#pragma once

#include <cstddef>
#include <ostream>
#include <string>
#include <string_view>

#include "ExactDecimal.h"
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

// ---- The forms' conventions, for every command alike

// A JSON string: quotes, escapes, and valid UTF-8 whatever the bytes.
void AppendJsonString(std::string& line, std::string_view text);
// `, "key": value` with every digit of the exact value and a decimal point.
void AppendJsonNumber(std::string& line, const char* key, const ExactDecimal& value);
// A CSV cell holds no control bytes, and typed text that starts like a
// formula (after blanks, no-break spaces and full-width forms, which
// spreadsheets skip or read as the same signs) is not run by the spreadsheet.
std::string InertCell(std::string_view typed);
// The cells joined by ";", each quoted as RFC 4180 asks when it needs it.
void AppendCsvRow(std::string& line, const std::string* cells, std::size_t count);
// "clearance", "transition", "interference".
const char* FitKindKey(iso286::FitKind kind);
