// SPDX-License-Identifier: GPL-3.0-or-later
#include "FindCommand.h"

#include <algorithm>
#include <optional>
#include <string>

#include "FieldSearch.h"
#include "Report.h"
#include "SearchLines.h"

namespace {

// Nearest fields shown after the exact ones.
constexpr std::size_t kNearestShown = 5;

constexpr const char* kCsvHeader = "поле;верхнее отклонение, мкм;нижнее отклонение, мкм;совпадает;"
                                   "разница верхнего, мкм;разница нижнего, мкм;ошибка";
constexpr std::size_t kCsvColumns = 7;

// "H7: ES +21 мкм, EI 0 мкм, совпадает" or "… разница ES +2 мкм, EI +2 мкм".
void TextLine(std::string& line, const FieldMatch& m)
{
    const bool hole = m.field.side == iso286::Side::Hole;
    line += iso286::FieldName(m.field);
    line += hole ? ": ES " : ": es ";
    line += MicrometresText(m.upper, true);
    line += hole ? " мкм, EI " : " мкм, ei ";
    line += MicrometresText(m.lower, true);
    if (m.Exact()) {
        line += " мкм, совпадает";
        return;
    }
    line += hole ? " мкм, разница ES " : " мкм, разница es ";
    line += MicrometresText(m.diffUpper, true);
    line += hole ? " мкм, EI " : " мкм, ei ";
    line += MicrometresText(m.diffLower, true);
    line += " мкм";
}

void JsonLine(std::string& line, const FieldMatch& m)
{
    line += "{\"field\": ";
    AppendJsonString(line, iso286::FieldName(m.field));
    line += ", \"upper_um\": " + MicrometresExact(m.upper, '.');
    line += ", \"lower_um\": " + MicrometresExact(m.lower, '.');
    line += ", \"exact\": ";
    line += JsonBool(m.Exact());
    line += ", \"diff_upper_um\": " + MicrometresExact(m.diffUpper, '.');
    line += ", \"diff_lower_um\": " + MicrometresExact(m.diffLower, '.');
    line += '}';
}

void CsvLine(std::string& line, const FieldMatch& m)
{
    const std::string cells[kCsvColumns] = {iso286::FieldName(m.field),
                                            MicrometresExact(m.upper, ','),
                                            MicrometresExact(m.lower, ','),
                                            YesNo(m.Exact()),
                                            MicrometresExact(m.diffUpper, ','),
                                            MicrometresExact(m.diffLower, ','),
                                            ""};
    AppendCsvRow(line, cells, kCsvColumns);
}

}  // namespace

int RunFind(const std::vector<std::string_view>& args, CommandIo& io)
{
    SearchSide side = SearchSide::Either;
    bool hole = false, shaft = false, micrometres = false;
    std::vector<std::string_view> operands;
    for (const std::string_view arg : args) {
        if (arg == "--hole")
            hole = true;
        else if (arg == "--shaft")
            shaft = true;
        else if (arg == "--um")
            micrometres = true;
        else if (LooksLikeOption(arg))
            return UsageError(io, "find: неизвестный параметр «" + PrintableText(arg) + "»");
        else
            operands.push_back(arg);
    }
    if (hole && shaft)
        return UsageError(io, "find: --hole и --shaft вместе не задаются");
    if (operands.size() != 3)
        return UsageError(io, "find: нужны размер, верхнее и нижнее отклонение: find 25 +0,021 0");
    if (hole)
        side = SearchSide::Hole;
    if (shaft)
        side = SearchSide::Shaft;

    const std::optional<ExactDecimal> size = ReadSignedDecimal(operands[0]);
    if (!size)
        return WriteInvalid(io, kCsvHeader, kCsvColumns, NotANumber("Размер", operands[0]));
    std::optional<Micrometres> deviations[2];
    for (int i = 0; i < 2; ++i) {
        const std::string_view typed = operands[1 + i];
        std::optional<ExactDecimal> value = ReadSignedDecimal(typed);
        if (!value)
            return WriteInvalid(io, kCsvHeader, kCsvColumns,
                                NotANumber(i == 0 ? "Верхнее отклонение" : "Нижнее отклонение", typed));
        deviations[i] = micrometres ? Micrometres(std::move(*value)) : Micrometres(Millimetres(std::move(*value)));
    }
    const FieldSearch found = FindFields(Millimetres(*size), side, *deviations[0], *deviations[1]);
    if (!found.error.empty())
        return WriteInvalid(io, kCsvHeader, kCsvColumns, found.error);

    std::string line;
    if (!PutCsvHeader(io, kCsvHeader))
        return OutputFailed(io);
    const std::size_t nearest = std::min(kNearestShown, found.nearest.size());
    for (std::size_t i = 0; i < found.exact.size() + nearest; ++i) {
        const FieldMatch& m = i < found.exact.size() ? found.exact[i] : found.nearest[i - found.exact.size()];
        line.clear();
        switch (io.format) {
        case Format::Text: TextLine(line, m); break;
        case Format::Json: JsonLine(line, m); break;
        case Format::Csv: CsvLine(line, m); break;
        }
        if (!PutLine(io, line))
            return OutputFailed(io);
    }
    io.out.flush();
    if (!Written(io))
        return OutputFailed(io);
    return found.exact.empty() ? kExitNothingFound : kExitOk;
}
