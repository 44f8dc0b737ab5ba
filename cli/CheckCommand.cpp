// SPDX-License-Identifier: GPL-3.0-or-later
#include "CheckCommand.h"

#include <optional>
#include <string>

#include "CsvCells.h"
#include "PartCheck.h"
#include "NumberText.h"
#include "Streams.h"

namespace {

constexpr const char* kCsvHeader =
    "размер, мм;вердикт;до наибольшего, мкм;до наименьшего, мкм;положение в допуске, %;ошибка";
constexpr const char* kCsvSummaryHeader =
    "измерено;годен;брак исправимый;брак неисправимый;с ошибками;наименьший, мм;наибольший, мм;среднее, мм;"
    "среднее от середины поля, мкм;s, мкм;Cp;Cpk";

const char* VerdictKey(Verdict v)
{
    switch (v) {
    case Verdict::Good: return "good";
    case Verdict::Rework: return "rework";
    case Verdict::Scrap: break;
    }
    return "scrap";
}

bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\r'; }

bool IsBlankLine(std::string_view s)
{
    for (const char c : s)
        if (!IsBlank(c))
            return false;
    return true;
}

// Options of the command; false for a value with a sign ("-0,5").
bool IsOption(std::string_view arg) { return arg.size() >= 2 && arg[0] == '-' && !(arg[1] >= '0' && arg[1] <= '9'); }

class CheckReport {
public:
    CheckReport(CommandIo& io, std::string_view designation, const CheckLimits& limits)
        : io_(io), designation_(designation), limits_(limits), tally_(limits)
    {
        // The reason of a reject depends on its side and on what decided it.
        for (const bool above : {false, true})
            for (const bool byGuard : {false, true}) {
                Judgement j;
                j.verdict = Verdict::Scrap;
                j.above = above;
                j.byGuard = byGuard;
                reasons_[above][byGuard] = VerdictReason(limits, j);
            }
    }

    void Begin()
    {
        if (io_.format == Format::Csv)
            io_.out << kCsvHeader << "\r\n";
    }

    // One typed value's line.
    void Value(std::string_view typed, bool tooLong)
    {
        ++lines_;
        line_.clear();
        MeasuredReading reading;
        if (tooLong) {
            reading.error = "Строка длиннее " + std::to_string(kLongestLine) + " знаков: так размер не пишут.";
            typed = typed.substr(0, 24);
        } else {
            reading = ReadMeasured(typed);
        }
        if (!reading.value) {
            tally_.AddInvalid();
            anyInvalid_ = true;
            Invalid(tooLong ? std::string(typed) + "…" : std::string(typed), reading.error);
        } else {
            const Judgement j = Judge(limits_, *reading.value);
            tally_.Add(*reading.value, j.verdict);
            anyRejected_ |= j.verdict != Verdict::Good;
            Judged(*reading.value, j);
        }
        io_.out.write(line_.data(), static_cast<std::streamsize>(line_.size()));
    }

    // The summary, after two or more values.
    void End()
    {
        if (lines_ < 2)
            return;
        const BatchSummary s = tally_.Summary();
        line_.clear();
        switch (io_.format) {
        case Format::Text: SummaryText(s); break;
        case Format::Json: SummaryJson(s); break;
        case Format::Csv: SummaryCsv(s); break;
        }
        io_.out.write(line_.data(), static_cast<std::streamsize>(line_.size()));
    }

    int Status() const { return anyInvalid_ ? kExitInvalid : anyRejected_ ? kExitNothingFound : kExitOk; }

private:
    void Invalid(const std::string& typed, const std::string& error)
    {
        switch (io_.format) {
        case Format::Text:
            line_ += PrintableText(typed);
            line_ += ": ошибка: ";
            line_ += error;
            line_ += '\n';
            break;
        case Format::Json:
            line_ += "{\"value\": ";
            AppendJsonString(line_, typed);
            line_ += ", \"error\": ";
            AppendJsonString(line_, error);
            line_ += "}\n";
            break;
        case Format::Csv: {
            const std::string cells[6] = {InertCell(typed), {}, {}, {}, {}, error};
            AppendCsvRow(line_, cells, 6);
            line_ += "\r\n";
            break;
        }
        }
    }

    void Judged(const Millimetres& value, const Judgement& j)
    {
        switch (io_.format) {
        case Format::Text:
            line_ += ExactPositional(value.Value(), ',');
            line_ += " мм: ";
            line_ += VerdictText(j.verdict);
            if (j.verdict != Verdict::Good) {
                line_ += " (";
                line_ += reasons_[j.above][j.byGuard];
                line_ += ')';
            }
            line_ += "; до наибольшего ";
            line_ += ExactPositional(j.toUpper.Value(), ',');
            line_ += " мкм, до наименьшего ";
            line_ += ExactPositional(j.toLower.Value(), ',');
            line_ += " мкм; ";
            line_ += ExactPositional(j.position, ',');
            line_ += " % допуска\n";
            break;
        case Format::Json:
            line_ += "{\"designation\": ";
            AppendJsonString(line_, designation_);
            line_ += ", \"value_mm\": ";
            line_ += ExactPositional(value.Value(), '.');
            line_ += ", \"verdict\": \"";
            line_ += VerdictKey(j.verdict);
            line_ += "\", \"to_upper_um\": ";
            line_ += ExactPositional(j.toUpper.Value(), '.');
            line_ += ", \"to_lower_um\": ";
            line_ += ExactPositional(j.toLower.Value(), '.');
            line_ += ", \"position_pct\": ";
            line_ += ExactPositional(j.position, '.');
            line_ += "}\n";
            break;
        case Format::Csv: {
            const std::string cells[6] = {
                ExactPositional(value.Value(), ','),     VerdictText(j.verdict),
                ExactPositional(j.toUpper.Value(), ','), ExactPositional(j.toLower.Value(), ','),
                ExactPositional(j.position, ','),        {}};
            AppendCsvRow(line_, cells, 6);
            line_ += "\r\n";
            break;
        }
        }
    }

    void SummaryText(const BatchSummary& s)
    {
        const SummaryTexts t = WriteSummaryTexts(s);
        line_ += "итого: измерено " + t.count + ", годен " + t.good + ", брак исправимый " + t.rework
                 + ", брак неисправимый " + t.scrap + ", с ошибками " + t.invalid;
        if (s.count > 0)
            line_ += "; наименьший " + t.min + " мм, наибольший " + t.max + " мм, среднее " + t.mean
                     + " мм (от середины поля " + t.meanFromMid + " мкм), s " + t.stdev + " мкм, Cp " + t.cp + ", Cpk "
                     + t.cpk;
        line_ += '\n';
    }

    template <typename T>
    static std::string Exact(const std::optional<T>& v, char point, const char* none)
    {
        if (!v)
            return none;
        if constexpr (std::is_same_v<T, ExactDecimal>)
            return ExactPositional(*v, point);
        else
            return ExactPositional(v->Value(), point);
    }

    void SummaryJson(const BatchSummary& s)
    {
        line_ += "{\"summary\": {\"n\": " + std::to_string(s.count);
        line_ += ", \"good\": " + std::to_string(s.verdicts[0]);
        line_ += ", \"rework\": " + std::to_string(s.verdicts[1]);
        line_ += ", \"scrap\": " + std::to_string(s.verdicts[2]);
        line_ += ", \"invalid\": " + std::to_string(s.invalid);
        line_ += ", \"min_mm\": " + Exact(s.min, '.', "null");
        line_ += ", \"max_mm\": " + Exact(s.max, '.', "null");
        line_ += ", \"mean_mm\": " + Exact(s.mean, '.', "null");
        line_ += ", \"mean_minus_mid_um\": " + Exact(s.meanFromMid, '.', "null");
        line_ += ", \"stdev_um\": " + Exact(s.stdev, '.', "null");
        line_ += ", \"cp\": " + Exact(s.cp, '.', "null");
        line_ += ", \"cpk\": " + Exact(s.cpk, '.', "null");
        line_ += "}}\n";
    }

    void SummaryCsv(const BatchSummary& s)
    {
        line_ += "\r\n";
        line_ += kCsvSummaryHeader;
        line_ += "\r\n";
        const std::string cells[12] = {
            std::to_string(s.count),       std::to_string(s.verdicts[0]), std::to_string(s.verdicts[1]),
            std::to_string(s.verdicts[2]), std::to_string(s.invalid),     Exact(s.min, ',', ""),
            Exact(s.max, ',', ""),         Exact(s.mean, ',', ""),        Exact(s.meanFromMid, ',', ""),
            Exact(s.stdev, ',', ""),       Exact(s.cp, ',', ""),          Exact(s.cpk, ',', ""),
        };
        AppendCsvRow(line_, cells, 12);
        line_ += "\r\n";
    }

    CommandIo& io_;
    std::string_view designation_;
    const CheckLimits& limits_;
    BatchTally tally_;
    std::string reasons_[2][2];  // by above, byGuard
    std::string line_;           // reused: one line per value
    size_t lines_ = 0;
    bool anyInvalid_ = false, anyRejected_ = false;
};

// A designation that gives no limits: its reason, in the output's form.
int NoLimits(CommandIo& io, std::string_view designation, const std::string& error)
{
    std::string line;
    switch (io.format) {
    case Format::Text: line = PrintableText(designation) + ": ошибка: " + error + "\n"; break;
    case Format::Json:
        line = "{\"designation\": ";
        AppendJsonString(line, designation);
        line += ", \"error\": ";
        AppendJsonString(line, error);
        line += "}\n";
        break;
    case Format::Csv: {
        line = std::string(kCsvHeader) + "\r\n";
        const std::string cells[6] = {InertCell(designation), {}, {}, {}, {}, error};
        AppendCsvRow(line, cells, 6);
        line += "\r\n";
        break;
    }
    }
    io.out << line;
    io.out.flush();
    return Written(io) ? kExitInvalid : OutputFailed(io);
}

}  // namespace

int RunCheck(const std::vector<std::string_view>& args, CommandIo& io)
{
    std::optional<std::string_view> designation, guardText;
    std::vector<std::string_view> values;
    bool optionsEnd = false;
    for (size_t i = 0; i < args.size(); ++i) {
        const std::string_view arg = args[i];
        if (!optionsEnd && arg == "--") {
            optionsEnd = true;
        } else if (!optionsEnd && (arg == "--guard" || arg.substr(0, 8) == "--guard=")) {
            if (guardText)
                return UsageError(io, "--guard задан дважды");
            if (arg == "--guard" && i + 1 == args.size())
                return UsageError(io, "после --guard нужно смещение приёмочных границ в мкм");
            guardText = arg == "--guard" ? args[++i] : arg.substr(8);
        } else if (!optionsEnd && arg != "-" && IsOption(arg)) {
            return UsageError(io, "неизвестный параметр команды check «" + PrintableText(arg) + "»");
        } else if (!designation) {
            designation = arg;
        } else {
            values.push_back(arg);
        }
    }
    if (!designation)
        return UsageError(io, "check: не задано обозначение поля, например 25H7");
    if (values.empty())
        return UsageError(io, "check: не заданы размеры деталей");
    const std::optional<Micrometres> guard = guardText ? ReadGuard(*guardText) : Micrometres();
    if (!guard || (guardText && guardText->find_first_not_of(" \t") == std::string_view::npos))
        return UsageError(io, "--guard: нужно неотрицательное число микрометров, например 2 или 0,5");

    const CheckSetup setup = ReadCheck(designation->substr(0, kLongestLine), *guard);
    if (!setup.limits)
        return NoLimits(io, designation->substr(0, kLongestLine), setup.error);

    CheckReport report(io, *designation, *setup.limits);
    report.Begin();
    if (!Written(io))
        return OutputFailed(io);
    std::string line;
    for (const std::string_view value : values) {
        if (value != "-") {
            report.Value(value.substr(0, kLongestLine), value.size() > kLongestLine);
            if (!Written(io))
                return OutputFailed(io);
            continue;
        }
        // One line at a time: each verdict is written before the next line is read.
        for (bool first = true;; first = false) {
            const LineRead read = ReadLine(io.in, line);
            if (read == LineRead::End)
                break;
            std::string_view typed = line;
            if (first && typed.substr(0, 3) == "\xEF\xBB\xBF")
                typed.remove_prefix(3);
            if (read == LineRead::Line && IsBlankLine(typed))
                continue;
            report.Value(typed, read == LineRead::TooLong);
            if (!Written(io))
                return OutputFailed(io);
        }
        if (io.in.bad())
            return InputFailed(io);
    }
    report.End();
    io.out.flush();
    if (!Written(io))
        return OutputFailed(io);
    return report.Status();
}
