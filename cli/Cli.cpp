#include "Cli.h"

#include <string_view>

#include "Report.h"
#include "Version.h"

namespace {

constexpr const char* kHelp = R"(Использование: kalimar-cli [--json | --csv] ОБОЗНАЧЕНИЕ… [-]
Предельные отклонения и размеры полей допусков и посадок системы ISO 286.

Обозначение — размер в миллиметрах и поле допуска или посадка:
  25H7   25 h6   Ø40g6   Ø 40 g6   3,001JS7   3.001js7   25H7/g6
Размер — число с десятичной запятой или точкой, больше 0 и не больше 3150 мм.
Прописные буквы — отверстие, строчные — вал; Js6 читается как js6. В посадке
сначала поле отверстия, затем «/» и поле вала.
«-» читает обозначения со стандартного ввода, по одному в строке, и выводит
результат каждой строки по мере чтения; пустые строки пропускаются.

Вывод (одна строка на обозначение, в порядке ввода):
  без параметров  для человека: отклонения в мкм, наибольший, наименьший и
                  средний размер в мм; для посадки ещё наибольший и
                  наименьший зазор в мкм (натяг — со знаком минус) и вид
                  посадки: с зазором, переходная или с натягом
  --json          объект JSON на строку; числа точные, с десятичной точкой
  --csv           таблица для электронных таблиц: разделитель «;», десятичная
                  запятая, строка заголовка, кодировка UTF-8
  --help, -h      эта справка
  --version       версия программы
Ошибки в обозначениях выводятся в том же потоке, в строке «…: ошибка: причина».

Поля js и JS: отклонения ±IT/2. Для квалитетов 7–11 нечётное значение IT в
целых микрометрах сначала округляется вниз до ближайшего чётного, как
допускает ISO 286-1 и как принято в национальных таблицах; поэтому js7 для
размеров свыше 6 до 10 мм — ±7 мкм (IT7 = 15 мкм).

Код возврата: 0 — все обозначения определены; 1 — есть неверные или не
определённые стандартом; 2 — ошибка в параметрах командной строки.
)";

constexpr const char* kMoreHelp = "Подробнее: kalimar-cli --help\n";

bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }

std::string_view Trimmed(std::string_view s)
{
    while (!s.empty() && IsBlank(s.front()))
        s.remove_prefix(1);
    while (!s.empty() && IsBlank(s.back()))
        s.remove_suffix(1);
    return s;
}

}  // namespace

int RunCli(const std::vector<std::string>& args, std::istream& in, std::ostream& out, std::ostream& err)
{
    bool json = false, csv = false, help = false, version = false, optionsEnd = false;
    std::vector<std::string_view> designations;
    for (const std::string& arg : args) {
        // "-5h7" is a designation with a sign, not an option.
        if (optionsEnd || arg.size() < 2 || arg[0] != '-' || (arg[1] >= '0' && arg[1] <= '9'))
            designations.push_back(arg);
        else if (arg == "--")
            optionsEnd = true;
        else if (arg == "--json")
            json = true;
        else if (arg == "--csv")
            csv = true;
        else if (arg == "--help" || arg == "-h")
            help = true;
        else if (arg == "--version")
            version = true;
        else {
            err << "kalimar-cli: неизвестный параметр «" << ValidUtf8(arg) << "»\n" << kMoreHelp;
            return 2;
        }
    }
    if (help) {
        out << kHelp;
        return out.flush() ? 0 : 2;
    }
    if (version) {
        out << "kalimar-cli " KALIMAR_VERSION "\n";
        return out.flush() ? 0 : 2;
    }
    if (json && csv) {
        err << "kalimar-cli: --json и --csv вместе не задаются\n" << kMoreHelp;
        return 2;
    }
    if (designations.empty()) {
        err << "kalimar-cli: не заданы обозначения\n" << kMoreHelp;
        return 2;
    }

    Report report(json ? Format::Json : csv ? Format::Csv : Format::Text, out);
    report.Begin();
    bool allDefined = true;
    std::string line;
    for (const std::string_view designation : designations) {
        if (designation != "-") {
            allDefined &= report.Write(Trimmed(designation));
            continue;
        }
        // One line at a time: each result is written before the next line is read.
        bool first = true;
        while (std::getline(in, line)) {
            std::string_view typed = line;
            if (first && typed.substr(0, 3) == "\xEF\xBB\xBF")  // a byte order mark
                typed.remove_prefix(3);
            first = false;
            typed = Trimmed(typed);
            if (!typed.empty())
                allDefined &= report.Write(typed);
        }
    }
    if (!out.flush()) {
        err << "kalimar-cli: результаты не записаны\n";
        return 1;
    }
    return allDefined ? 0 : 1;
}
