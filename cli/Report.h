// One designation's result in the tool's three forms: a line for a person,
// a JSON object per line, or a CSV row. Plain C++17, no Qt.
#pragma once

#include <ostream>
#include <string>
#include <string_view>

#include "CsvCells.h"

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

// The JSON string of a text: quoted, escaped, invalid UTF-8 replaced.
void AppendJsonString(std::string& line, std::string_view text);
