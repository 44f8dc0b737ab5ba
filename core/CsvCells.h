// SPDX-License-Identifier: GPL-3.0-or-later
// Cells of the CSV tables the program writes (kalimar-cli's --csv, the
// inspection protocol): valid UTF-8, no control bytes, no formula a
// spreadsheet would run, semicolons between cells and quotes as RFC 4180
// asks. Plain C++17, no Qt.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

// The text with every invalid UTF-8 byte replaced by U+FFFD.
std::string ValidUtf8(std::string_view text);
// The same, and control characters (C0 but tab, DEL, C1) replaced too, so
// that echoing a text acts on no terminal and lands in no cell as a byte
// a spreadsheet mistakes.
std::string PrintableText(std::string_view text);
// Typed text as a cell: printable, no tab, and a leading "'" where it starts
// like a formula (after blanks, no-break spaces and full-width forms, which
// spreadsheets skip or read as the same signs).
std::string InertCell(std::string_view typed);
// The cells joined by semicolons, each quoted where it holds a semicolon, a
// quote or a line break; no line end.
void AppendCsvRow(std::string& line, const std::string* cells, size_t count);
