// SPDX-License-Identifier: GPL-3.0-or-later
#include "FitsCommand.h"

#include <optional>
#include <string>

#include "FieldSearch.h"
#include "FitSearch.h"
#include "Report.h"
#include "SearchLines.h"
#include "Texts.h"

namespace {

constexpr std::size_t kDefaultLimit = 20;

constexpr const char* kCsvHeader = "посадка;наименьший зазор, мкм;наибольший зазор, мкм;вид посадки;"
                                   "предпочтительная;рекомендуемая;ошибка";
constexpr std::size_t kCsvColumns = 7;

std::string FitName(const FitMatch& m) { return iso286::FieldName(m.hole) + "/" + iso286::FieldName(m.shaft); }

bool Recommended(const FitMatch& m) { return m.standing != FitStanding::Other; }

// "H7/g6: зазор наименьший 7 мкм, наибольший 41 мкм; с зазором; предпочтительная".
void TextLine(std::string& line, const FitMatch& m)
{
    line += FitName(m);
    line += ": зазор наименьший ";
    line += MicrometresText(m.minClearance, false);
    line += " мкм, наибольший ";
    line += MicrometresText(m.maxClearance, false);
    line += " мкм; ";
    line += FitKindText(m.kind);
    if (m.standing != FitStanding::Other) {
        line += "; ";
        line += StandingText(m.standing);
    }
}

void JsonLine(std::string& line, const FitMatch& m)
{
    line += "{\"fit\": ";
    AppendJsonString(line, FitName(m));
    line += ", \"min_clearance_um\": " + MicrometresExact(m.minClearance, '.');
    line += ", \"max_clearance_um\": " + MicrometresExact(m.maxClearance, '.');
    line += ", \"kind\": \"";
    line += FitKindKey(m.kind);
    line += "\", \"preferred\": ";
    line += JsonBool(m.standing == FitStanding::Preferred);
    line += ", \"recommended\": ";
    line += JsonBool(Recommended(m));
    line += '}';
}

void CsvLine(std::string& line, const FitMatch& m)
{
    const std::string cells[kCsvColumns] = {FitName(m),
                                            MicrometresExact(m.minClearance, ','),
                                            MicrometresExact(m.maxClearance, ','),
                                            FitKindText(m.kind),
                                            YesNo(m.standing == FitStanding::Preferred),
                                            YesNo(Recommended(m)),
                                            ""};
    AppendCsvRow(line, cells, kCsvColumns);
}

// "Всего подходит посадок: 3002 (показаны первые 20)", {"count": 3002}, or
// the CSV row "всего;3002".
void CountLine(std::string& line, Format format, std::size_t count, std::size_t shown)
{
    const std::string number = std::to_string(count);
    switch (format) {
    case Format::Text:
        line += "Всего подходит посадок: " + number;
        if (shown < count)
            line += " (показаны первые " + std::to_string(shown) + ")";
        line += '\n';
        break;
    case Format::Json: line += "{\"count\": " + number + "}\n"; break;
    case Format::Csv: {
        const std::string cells[kCsvColumns] = {"всего", number, "", "", "", "", ""};
        AppendCsvRow(line, cells, kCsvColumns);
        line += "\r\n";
        break;
    }
    }
}

struct Window {
    std::string_view min, max;  // as typed; empty: no bound
};
// "10..60", "..-20", "-60..-20", "10..": nullopt without "..".
std::optional<Window> SplitWindow(std::string_view text)
{
    const std::size_t dots = text.find("..");
    if (dots == std::string_view::npos)
        return std::nullopt;
    const auto trimmed = [](std::string_view s) {
        while (!s.empty() && (s.front() == ' ' || s.front() == '\t'))
            s.remove_prefix(1);
        while (!s.empty() && (s.back() == ' ' || s.back() == '\t'))
            s.remove_suffix(1);
        return s;
    };
    return Window{trimmed(text.substr(0, dots)), trimmed(text.substr(dots + 2))};
}

// A whole number of at most 9 digits.
std::optional<std::size_t> ReadCount(std::string_view text)
{
    if (text.empty() || text.size() > 9)
        return std::nullopt;
    std::size_t n = 0;
    for (const char c : text) {
        if (c < '0' || c > '9')
            return std::nullopt;
        n = n * 10 + static_cast<std::size_t>(c - '0');
    }
    return n;
}

}  // namespace

int RunFits(const std::vector<std::string_view>& args, CommandIo& io)
{
    std::optional<std::string_view> clearance;
    FitSystem system = FitSystem::HoleBasis;
    FitCandidates candidates = FitCandidates::Recommended;
    std::size_t limit = kDefaultLimit;
    std::vector<std::string_view> operands;
    for (std::size_t i = 0; i < args.size(); ++i) {
        std::string_view arg = args[i];
        if (!LooksLikeOption(arg)) {
            operands.push_back(arg);
            continue;
        }
        // "--name value" or "--name=value".
        std::string_view name = arg, value;
        bool hasValue = false;
        if (const std::size_t eq = arg.find('='); eq != std::string_view::npos) {
            name = arg.substr(0, eq);
            value = arg.substr(eq + 1);
            hasValue = true;
        }
        if (name != "--clearance" && name != "--system" && name != "--from" && name != "--limit")
            return UsageError(io, "fits: неизвестный параметр «" + PrintableText(name) + "»");
        if (!hasValue) {
            if (i + 1 == args.size())
                return UsageError(io, "fits: после " + std::string(name) + " нет значения");
            value = args[++i];
        }
        if (name == "--clearance") {
            clearance = value;
        } else if (name == "--system") {
            if (value == "hole")
                system = FitSystem::HoleBasis;
            else if (value == "shaft")
                system = FitSystem::ShaftBasis;
            else if (value == "any")
                system = FitSystem::Any;
            else
                return UsageError(io,
                                  "fits: --system принимает hole, shaft или any, а не «" + PrintableText(value) + "»");
        } else if (name == "--from") {
            if (value == "preferred")
                candidates = FitCandidates::Preferred;
            else if (value == "recommended")
                candidates = FitCandidates::Recommended;
            else if (value == "all")
                candidates = FitCandidates::All;
            else
                return UsageError(io, "fits: --from принимает preferred, recommended или all, а не «"
                                          + PrintableText(value) + "»");
        } else {
            const std::optional<std::size_t> n = ReadCount(value);
            if (!n)
                return UsageError(io,
                                  "fits: --limit ждёт целое число не меньше 0, а не «" + PrintableText(value) + "»");
            limit = *n == 0 ? kAllFits : *n;
        }
    }
    if (operands.size() != 1)
        return UsageError(io, "fits: нужен один размер: fits 25 --clearance 10..60");

    ClearanceWindow window;
    if (clearance) {
        const std::optional<Window> typed = SplitWindow(*clearance);
        if (!typed)
            return UsageError(io, "fits: --clearance ждёт МИН..МАКС в мкм, например 10..60, ..-20 или -60..-20");
        const struct {
            std::string_view text;
            std::optional<Micrometres>& bound;
            const char* name;
        } bounds[] = {{typed->min, window.min, "Наименьший зазор"}, {typed->max, window.max, "Наибольший зазор"}};
        for (const auto& b : bounds) {
            if (b.text.empty())
                continue;
            std::optional<ExactDecimal> value = ReadSignedDecimal(b.text);
            if (!value)
                return WriteInvalid(io, kCsvHeader, kCsvColumns, NotANumber(b.name, b.text));
            b.bound = Micrometres(std::move(*value));
        }
    }
    const std::optional<ExactDecimal> size = ReadSignedDecimal(operands[0]);
    if (!size)
        return WriteInvalid(io, kCsvHeader, kCsvColumns, NotANumber("Размер", operands[0]));
    const FitSearch found = FindFits(Millimetres(*size), window, system, candidates, limit);
    if (!found.error.empty())
        return WriteInvalid(io, kCsvHeader, kCsvColumns, found.error);

    std::string line;
    if (!PutCsvHeader(io, kCsvHeader))
        return OutputFailed(io);
    for (const FitMatch& m : found.fits) {
        line.clear();
        switch (io.format) {
        case Format::Text: TextLine(line, m); break;
        case Format::Json: JsonLine(line, m); break;
        case Format::Csv: CsvLine(line, m); break;
        }
        if (!PutLine(io, line))
            return OutputFailed(io);
    }
    line.clear();
    CountLine(line, io.format, found.count, found.fits.size());
    io.out << line;
    io.out.flush();
    if (!Written(io))
        return OutputFailed(io);
    return found.count == 0 ? kExitNothingFound : kExitOk;
}
