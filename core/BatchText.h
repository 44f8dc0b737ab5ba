// SPDX-License-Identifier: GPL-3.0-or-later
// A batch of measured sizes as text: pasted from a spreadsheet or read from
// a CSV or TXT file, in UTF-8 or Windows-1251, one value a line in one of
// the columns; judged as a whole, and written back as a protocol. Plain
// C++17, no Qt.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "PartCheck.h"

// ---- Text

enum class TextEncoding { Utf8, Windows1251 };

struct DecodedText {
    std::string utf8;  // without a byte order mark
    TextEncoding encoding = TextEncoding::Utf8;
};
// UTF-8 (with or without a byte order mark) when the bytes are valid UTF-8,
// else Windows-1251, the Russian spreadsheets' and notebooks' code page.
DecodedText DecodeText(std::string_view bytes);
// Each byte as its Windows-1251 character in UTF-8; 0x98, which the code
// page leaves undefined, as U+FFFD.
std::string Windows1251ToUtf8(std::string_view bytes);

// Lines split into cells: at tabs where the text has any, else at
// semicolons, else at commas where some line holds both a comma and a
// point (so the commas cannot be decimal commas), else one cell a line. A
// cell in double quotes keeps its separators; "" in it is one quote.
struct TextTable {
    char separator = 0;                           // '\t', ';', ',' or 0 (one column)
    std::vector<std::vector<std::string>> lines;  // every line, a blank one as no cells
    int columns = 0;                              // most cells in a line

    // The cell, or "" for a line that has fewer.
    const std::string& Cell(size_t line, int column) const;
};
TextTable SplitTable(std::string_view utf8);

// The text above a column's first number (its head in a table with one);
// "" when there is none.
std::string ColumnHead(const TextTable& table, int column);
// The column the values most likely stand in: the one whose head names
// millimetres or a size, then the one with the most sizes written with a
// fraction (row numbers are whole), then with the most sizes, then the
// first. The first 2000 lines decide.
int LikelyValueColumn(const TextTable& table);

// ---- A batch

struct BatchEntry {
    std::string typed;  // the cell as it stands
    size_t line = 0;    // from 1, in the text it came from
    std::optional<Millimetres> value;
    std::string error;  // why the cell is no measured size
};

struct BatchValues {
    std::vector<BatchEntry> entries;
    // Lines above the column's first number (titles, the column heads);
    // they are no values and are said to be left out.
    size_t headLines = 0;
};

// The column's cells from its first number on, every one of them an entry:
// one that is no measured size is kept with its error, never dropped. Only
// lines without any cell are passed over.
BatchValues ValuesOfColumn(const TextTable& table, int column);

// Progress of a long run: called with the entries done so far; false stops it.
using KeepGoing = std::function<bool(size_t done)>;

struct EntryVerdict {
    bool valid = false;
    Verdict verdict = Verdict::Good;
    bool byGuard = false;
};

struct BatchJudgement {
    std::vector<EntryVerdict> verdicts;  // per entry
    BatchSummary summary;
    HistogramBins histogram;
};
// Every entry judged, the summary and the histogram; nullopt when stopped.
std::optional<BatchJudgement> JudgeBatch(const BatchValues& values, const CheckLimits& limits,
                                         const KeepGoing& keepGoing = {});

// ---- The protocol

struct ProtocolHead {
    std::string designation;  // as the user wrote it
    std::string date;         // "07.12.2026"
};

// The figures of one judged entry, as the table and the protocol write
// them: exact, with a decimal comma.
struct EntryTexts {
    std::string verdict, toUpper, toLower, position;  // the verdict or the error
};
EntryTexts WriteEntryTexts(const CheckLimits& limits, const BatchEntry& entry);

// The head lines of a protocol: title, designation, limits, guard band,
// date, the summary and the formulas; one text a line.
std::vector<std::string> ProtocolHeadLines(const CheckLimits& limits, const ProtocolHead& head,
                                           const BatchSummary& summary);

// The protocol as a CSV file for spreadsheets: UTF-8 with a byte order
// mark, semicolons, decimal commas, CRLF; the head lines one cell each,
// then a blank line and the table with its column heads. Read back, the
// sizes stand in the column "Размер, мм" below one head.
std::string ProtocolCsv(const CheckLimits& limits, const ProtocolHead& head, const BatchValues& values,
                        const BatchJudgement& judgement);

// The column heads of the protocol's table.
extern const char* const kProtocolColumns[6];
