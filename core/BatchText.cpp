// SPDX-License-Identifier: GPL-3.0-or-later
#include "BatchText.h"

#include "CsvCells.h"
#include "NumberText.h"

namespace {

// Windows-1251, bytes 0x80..0xBF, from Unicode's mapping table of the code
// page (MAPPINGS/VENDORS/MICSFT/WINDOWS/CP1251.TXT, as CPython's
// encodings/cp1251.py carries it); 0xC0..0xFF are U+0410..U+044F in order.
// 0x98 is undefined there. The test compares every byte with glibc's iconv.
constexpr char16_t kUndefined = 0xFFFD;
constexpr char16_t kUpperHalf[64] = {
    0x0402, 0x0403, 0x201A, 0x0453, 0x201E, 0x2026, 0x2020, 0x2021,  // 0x80
    0x20AC, 0x2030, 0x0409, 0x2039, 0x040A, 0x040C, 0x040B, 0x040F,  // 0x88
    0x0452, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,  // 0x90
    kUndefined, 0x2122, 0x0459, 0x203A, 0x045A, 0x045C, 0x045B, 0x045F,  // 0x98
    0x00A0, 0x040E, 0x045E, 0x0408, 0x00A4, 0x0490, 0x00A6, 0x00A7,  // 0xA0
    0x0401, 0x00A9, 0x0404, 0x00AB, 0x00AC, 0x00AD, 0x00AE, 0x0407,  // 0xA8
    0x00B0, 0x00B1, 0x0406, 0x0456, 0x0491, 0x00B5, 0x00B6, 0x00B7,  // 0xB0
    0x0451, 0x2116, 0x0454, 0x00BB, 0x0458, 0x0405, 0x0455, 0x0457,  // 0xB8
};

void AppendUtf8(std::string& out, char16_t c)
{
    if (c < 0x80) {
        out += static_cast<char>(c);
    } else if (c < 0x800) {
        out += static_cast<char>(0xC0 | (c >> 6));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else {
        out += static_cast<char>(0xE0 | (c >> 12));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    }
}

const char* const kByteOrderMark = "\xEF\xBB\xBF";

bool ReadsAsNumber(const std::string& cell) { return ReadCommaOrPoint(cell).has_value(); }

bool AllBlank(const std::vector<std::string>& cells)
{
    for (const std::string& cell : cells)
        if (cell.find_first_not_of(" \t\r") != std::string::npos)
            return false;
    return true;
}

char SeparatorOf(std::string_view text)
{
    if (text.find('\t') != std::string_view::npos)
        return '\t';
    if (text.find(';') != std::string_view::npos)
        return ';';
    for (size_t start = 0; start < text.size();) {
        size_t end = text.find('\n', start);
        if (end == std::string_view::npos)
            end = text.size();
        const std::string_view line = text.substr(start, end - start);
        if (line.find(',') != std::string_view::npos && line.find('.') != std::string_view::npos)
            return ',';
        start = end + 1;
    }
    return 0;
}

std::vector<std::string> SplitLine(std::string_view line, char separator)
{
    std::vector<std::string> cells;
    if (line.empty())
        return cells;
    std::string cell;
    for (size_t i = 0; i <= line.size();) {
        if (i == line.size()) {
            cells.push_back(std::move(cell));
            break;
        }
        if (line[i] == '"' && cell.empty()) {
            // A quoted cell: up to the lone closing quote.
            for (++i; i < line.size(); ++i) {
                if (line[i] != '"') {
                    cell += line[i];
                } else if (i + 1 < line.size() && line[i + 1] == '"') {
                    cell += '"';
                    ++i;
                } else {
                    ++i;
                    break;
                }
            }
            continue;
        }
        if (separator != 0 && line[i] == separator) {
            cells.push_back(std::move(cell));
            cell.clear();
            ++i;
            continue;
        }
        cell += line[i++];
    }
    return cells;
}

// What a column's cells tell about it, over the first lines.
struct ColumnScore {
    size_t numbers = 0, fractions = 0;
    bool namedSize = false;
};

constexpr size_t kLinesLookedAt = 2000;

}  // namespace

// ---- Text

std::string Windows1251ToUtf8(std::string_view bytes)
{
    std::string out;
    out.reserve(bytes.size() * 2);
    for (const char b : bytes) {
        const auto c = static_cast<unsigned char>(b);
        if (c < 0x80)
            out += b;
        else if (c < 0xC0)
            AppendUtf8(out, kUpperHalf[c - 0x80]);
        else
            AppendUtf8(out, static_cast<char16_t>(0x0410 + (c - 0xC0)));
    }
    return out;
}

DecodedText DecodeText(std::string_view bytes)
{
    DecodedText d;
    if (bytes.substr(0, 3) == kByteOrderMark)
        bytes.remove_prefix(3);
    if (ValidUtf8(bytes) == bytes) {
        d.utf8 = std::string(bytes);
        return d;
    }
    d.utf8 = Windows1251ToUtf8(bytes);
    d.encoding = TextEncoding::Windows1251;
    return d;
}

const std::string& TextTable::Cell(size_t line, int column) const
{
    static const std::string none;
    const std::vector<std::string>& cells = lines[line];
    return column >= 0 && static_cast<size_t>(column) < cells.size() ? cells[static_cast<size_t>(column)] : none;
}

TextTable SplitTable(std::string_view text)
{
    TextTable t;
    t.separator = SeparatorOf(text);
    for (size_t start = 0; start < text.size();) {
        size_t end = text.find('\n', start);
        if (end == std::string_view::npos)
            end = text.size();
        std::string_view line = text.substr(start, end - start);
        if (!line.empty() && line.back() == '\r')
            line.remove_suffix(1);
        std::vector<std::string> cells = SplitLine(line, t.separator);
        if (AllBlank(cells))
            cells.clear();
        if (static_cast<int>(cells.size()) > t.columns)
            t.columns = static_cast<int>(cells.size());
        t.lines.push_back(std::move(cells));
        start = end + 1;
    }
    return t;
}

std::string ColumnHead(const TextTable& table, int column)
{
    std::string head;
    for (size_t line = 0; line < table.lines.size(); ++line) {
        const std::string& cell = table.Cell(line, column);
        if (ReadsAsNumber(cell))
            return head;
        if (cell.find_first_not_of(" \t") != std::string::npos)
            head = cell;
    }
    return std::string();
}

int LikelyValueColumn(const TextTable& table)
{
    int best = 0;
    ColumnScore bestScore;
    for (int column = 0; column < table.columns; ++column) {
        ColumnScore score;
        const std::string head = ColumnHead(table, column);
        score.namedSize = head.find("мм") != std::string::npos || head.find("азмер") != std::string::npos;
        for (size_t line = 0; line < table.lines.size() && line < kLinesLookedAt; ++line) {
            const std::string& cell = table.Cell(line, column);
            if (!ReadMeasured(cell).value)
                continue;
            ++score.numbers;
            score.fractions += cell.find_first_of(",.") != std::string::npos;
        }
        // Row numbers are numbers too, but whole ones and not named a size.
        const bool better = score.namedSize != bestScore.namedSize ? score.namedSize
                            : score.fractions != bestScore.fractions ? score.fractions > bestScore.fractions
                                                                     : score.numbers > bestScore.numbers;
        if (column == 0 || better) {
            best = column;
            bestScore = score;
        }
    }
    return best;
}

// ---- A batch

BatchValues ValuesOfColumn(const TextTable& table, int column)
{
    BatchValues values;
    bool started = false;
    for (size_t line = 0; line < table.lines.size(); ++line) {
        if (table.lines[line].empty())
            continue;
        const std::string& cell = table.Cell(line, column);
        if (!started && !ReadsAsNumber(cell)) {
            ++values.headLines;
            continue;
        }
        started = true;
        BatchEntry entry;
        entry.typed = cell;
        entry.line = line + 1;
        MeasuredReading reading = ReadMeasured(cell);
        entry.value = std::move(reading.value);
        entry.error = std::move(reading.error);
        values.entries.push_back(std::move(entry));
    }
    return values;
}

std::optional<BatchJudgement> JudgeBatch(const BatchValues& values, const CheckLimits& limits,
                                         const KeepGoing& keepGoing)
{
    constexpr size_t kStep = 4096;
    BatchJudgement j;
    j.verdicts.resize(values.entries.size());
    BatchTally tally(limits);
    HistogramTally histogram(limits);
    for (size_t i = 0; i < values.entries.size(); ++i) {
        if (keepGoing && i % kStep == 0 && !keepGoing(i))
            return std::nullopt;
        const BatchEntry& entry = values.entries[i];
        if (!entry.value) {
            tally.AddInvalid();
            continue;
        }
        const Judgement judgement = Judge(limits, *entry.value);
        j.verdicts[i] = {true, judgement.verdict, judgement.byGuard};
        tally.Add(*entry.value, judgement.verdict);
        histogram.Add(*entry.value, judgement.verdict);
    }
    j.summary = tally.Summary();
    j.histogram = histogram.Bins();
    return j;
}

// ---- The protocol

const char* const kProtocolColumns[6] = {
    "№", "Размер, мм", "Вердикт", "До наибольшего, мкм", "До наименьшего, мкм", "Положение в допуске, %",
};

EntryTexts WriteEntryTexts(const CheckLimits& limits, const BatchEntry& entry)
{
    EntryTexts t;
    if (!entry.value) {
        t.verdict = "ошибка: " + entry.error;
        return t;
    }
    const Judgement j = Judge(limits, *entry.value);
    t.verdict = VerdictText(j.verdict);
    t.toUpper = ExactPositional(j.toUpper.Value(), ',');
    t.toLower = ExactPositional(j.toLower.Value(), ',');
    t.position = ExactPositional(j.position, ',');
    return t;
}

std::vector<std::string> ProtocolHeadLines(const CheckLimits& limits, const ProtocolHead& head,
                                           const BatchSummary& summary)
{
    const FieldResult& f = limits.field;
    const auto mm = [](const Millimetres& v) { return ExactPositional(v.Value(), ',') + " мм"; };
    const auto um = [](const Micrometres& v) { return ExactPositional(v.Value(), ',') + " мкм"; };
    const SummaryTexts t = WriteSummaryTexts(summary);
    std::vector<std::string> lines;
    lines.push_back("Протокол контроля");
    lines.push_back("Обозначение: " + head.designation + (limits.IsHole() ? " (отверстие)" : " (вал)"));
    lines.push_back("Предельные размеры: наибольший " + mm(f.max) + ", наименьший " + mm(f.min) + ", допуск "
                    + um(f.Tolerance()));
    if (limits.guard.Sign() > 0)
        lines.push_back("Приёмочные границы: " + mm(limits.acceptLower) + " – " + mm(limits.acceptUpper)
                        + " (внутрь на " + um(limits.guard) + ")");
    else
        lines.push_back("Приёмочные границы: предельные размеры");
    lines.push_back("Дата: " + head.date);
    lines.push_back("Измерено: " + t.count + ", годен " + t.good + ", брак исправимый " + t.rework
                    + ", брак неисправимый " + t.scrap + ", строк с ошибками " + t.invalid);
    lines.push_back("Наименьший размер: " + t.min + " мм, наибольший: " + t.max + " мм");
    lines.push_back("Среднее: " + t.mean + " мм, от середины поля: " + t.meanFromMid + " мкм");
    lines.push_back("s = " + t.stdev + " мкм, Cp = " + t.cp + ", Cpk = " + t.cpk);
    for (const char* formula : kStatisticsFormulas)
        lines.push_back(formula);
    return lines;
}

std::string ProtocolCsv(const CheckLimits& limits, const ProtocolHead& head, const BatchValues& values,
                        const BatchJudgement& judgement)
{
    std::string csv = kByteOrderMark;
    csv.reserve(values.entries.size() * 48 + 1024);
    for (const std::string& line : ProtocolHeadLines(limits, head, judgement.summary)) {
        const std::string cell = InertCell(line);
        AppendCsvRow(csv, &cell, 1);
        csv += "\r\n";
    }
    csv += "\r\n";
    std::string cells[6];
    for (int i = 0; i < 6; ++i)
        cells[i] = kProtocolColumns[i];
    AppendCsvRow(csv, cells, 6);
    csv += "\r\n";
    for (size_t i = 0; i < values.entries.size(); ++i) {
        const BatchEntry& entry = values.entries[i];
        const EntryTexts t = WriteEntryTexts(limits, entry);
        cells[0] = std::to_string(i + 1);
        cells[1] = entry.value ? ExactPositional(entry.value->Value(), ',') : InertCell(entry.typed);
        cells[2] = t.verdict;
        cells[3] = t.toUpper;
        cells[4] = t.toLower;
        cells[5] = t.position;
        AppendCsvRow(csv, cells, 6);
        csv += "\r\n";
    }
    return csv;
}
