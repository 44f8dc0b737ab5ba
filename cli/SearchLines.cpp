// SPDX-License-Identifier: GPL-3.0-or-later
#include "SearchLines.h"

#include <vector>

#include "FieldResult.h"
#include "NumberText.h"
#include "Report.h"
#include "Units.h"

bool LooksLikeOption(std::string_view arg)
{
    return arg.size() >= 2 && arg[0] == '-' && !(arg[1] >= '0' && arg[1] <= '9') && arg[1] != ',' && arg[1] != '.';
}

std::string MicrometresExact(iso286::Nanometres nm, char point)
{
    return ExactPositional(Micrometres(WholeNanometres(nm)).Value(), point);
}

std::string MicrometresText(iso286::Nanometres nm, bool sign)
{
    const Micrometres value(WholeNanometres(nm));
    return sign ? SignedDeviation(value, DeviationUnit::Micrometres).text
                : LengthText(value, DeviationUnit::Micrometres);
}

std::string NotANumber(const std::string& what, std::string_view typed)
{
    return what + " «" + PrintableText(typed.substr(0, 40)) + "» — не число.";
}

int WriteInvalid(CommandIo& io, const char* csvHeader, std::size_t columns, const std::string& reason)
{
    std::string line;
    switch (io.format) {
    case Format::Text: line = "ошибка: " + reason + "\n"; break;
    case Format::Json:
        line = "{\"error\": ";
        AppendJsonString(line, reason);
        line += "}\n";
        break;
    case Format::Csv: {
        std::vector<std::string> cells(columns);
        cells.back() = InertCell(reason);
        line = std::string(csvHeader) + "\r\n";
        AppendCsvRow(line, cells.data(), cells.size());
        line += "\r\n";
        break;
    }
    }
    io.out << line;
    io.out.flush();
    return Written(io) ? kExitInvalid : OutputFailed(io);
}
