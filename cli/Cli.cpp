// SPDX-License-Identifier: GPL-3.0-or-later
#include "Cli.h"

#include <string_view>

#include "CheckCommand.h"
#include "Command.h"
#include "FindCommand.h"
#include "FitsCommand.h"
#include "GeneralCommand.h"
#include "Report.h"
#include "Streams.h"
#include "Version.h"

namespace {

constexpr const char* kHelp = R"(Использование: kalimar-cli [--json | --csv] ОБОЗНАЧЕНИЕ… [-]
       kalimar-cli [--json | --csv] find РАЗМЕР ВЕРХНЕЕ НИЖНЕЕ
                   [--hole | --shaft] [--um]
       kalimar-cli [--json | --csv] fits РАЗМЕР [--clearance МИН..МАКС]
                   [--system hole|shaft|any]
                   [--from preferred|recommended|all] [--limit N]
       kalimar-cli [--json | --csv] check ОБОЗНАЧЕНИЕ РАЗМЕР… [-] [--guard МКМ]
       kalimar-cli [--json | --csv] general ПРАВИЛО РАЗМЕР… [ЭЛЕМЕНТ]
Предельные отклонения и размеры полей допусков и посадок системы ISO 286.

Обозначение — размер в миллиметрах и поле допуска или посадка:
  25H7   25 h6   Ø40g6   Ø 40 g6   25 мм H7   3,001JS7   3.001js7   25H7/g6
Размер — число с десятичной запятой или точкой, больше 0 и не больше 3150 мм;
перед ним может стоять знак диаметра (Ø, ⌀ или ∅), после него — «мм».
Прописные буквы — отверстие, строчные — вал; Js6 читается как js6. В посадке
сначала поле отверстия, затем «/» и поле вала; Js на месте отверстия —
отверстие JS (25Js7/h6).
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

Строка длиннее 1000 знаков не читается: на её месте выводится ошибка.

Подбор (первое слово — команда; обозначения с буквы не начинаются):
  find РАЗМЕР ВЕРХНЕЕ НИЖНЕЕ
                  поля ISO 286 с такими предельными отклонениями при этом
                  размере (все совпадающие: h7 и M7 бывают равны), затем до 5
                  ближайших — по наибольшей из разностей ES и EI, затем по их
                  сумме. Отклонения в мм с запятой или точкой (+0,021 0,
                  -0,025 -0,050), с --um — в мкм; порядок не важен.
                  --hole, --shaft: только отверстия или только валы.
                  --json: {"field", "upper_um", "lower_um", "exact",
                  "diff_upper_um", "diff_lower_um"} — разность: у поля минус
                  заданное. Код 0 — есть совпадение, 3 — только ближайшие.
  fits РАЗМЕР     посадки, у которых наименьший зазор не меньше МИН, а
                  наибольший не больше МАКС (мкм, натяг со знаком минус;
                  любую границу можно не писать: 10..60, ..-20, -60..-20).
                  --system hole — отверстие H (по умолчанию), shaft — вал h,
                  any — любые; --from preferred — предпочтительные посадки
                  ISO, recommended — они и рекомендуемые ГОСТ 25347-82 (по
                  умолчанию), all — все пары полей при этом размере;
                  --limit N — сколько вывести (20, 0 — все).
                  Порядок: предпочтительные, рекомендуемые, остальные; в
                  каждой группе сначала больший допуск посадки, затем
                  средний зазор ближе к середине заданного (к границе,
                  если она одна), затем в порядке стандарта. Последняя
                  строка — число всех подходящих ({"count": N}). Код 0 —
                  что-то подходит, 3 — ничего. Список ГОСТ в системе вала
                  неполный.

Общие допуски (general): ПРАВИЛО — класс ГОСТ 30893.1 (ISO 2768-1) f, m, c
или v; класс ГОСТ 30893.2 (ISO 2768-2) H, K или L; или квалитет IT12…IT17
(запись «отверстий H14, валов h14, остальных ±IT14/2»). РАЗМЕР — в мм,
с запятой или точкой; для угла — длина его меньшей стороны.
ЭЛЕМЕНТ (не больше одного):
  --other         линейный размер (по умолчанию); в квалитетах ±IT/2
  --hole          отверстие: в квалитетах поле H
  --shaft         вал: в квалитетах поле h
  --radius        радиус закругления или высота фаски (f, m, c, v)
  --angle         угол: отклонение в градусах и минутах (f, m, c, v)
  --straightness, --flatness, --perpendicularity, --symmetry, --runout
                  прямолинейность, плоскостность, перпендикулярность,
                  симметричность, биение (H, K, L; для биения размер
                  не влияет)
Пример: kalimar-cli general m 120 — ±0,3 мм; general IT14 120 --hole —
H14 +0,87/0 мм. Где стандарт допуска не устанавливает (класс v до 3 мм,
размеры меньше 0,5 мм), выводится причина.

Команда check — контроль деталей. Измеренные размеры в миллиметрах
(десятичная запятая или точка, сколько угодно цифр) точно сравниваются с
предельными размерами одного поля, например 25H7 или Ø40g6:
  годен              в пределах допуска или точно на границе;
  брак исправимый    вал больше наибольшего размера, отверстие меньше
                     наименьшего: материал ещё можно снять;
  брак неисправимый  вал меньше наименьшего, отверстие больше наибольшего.
  --guard МКМ        приёмочные границы внутри допуска на МКМ с каждой
                     стороны (например, погрешность средства измерения);
                     размер между ними и границей допуска — тоже брак.
«-» читает размеры со стандартного ввода, по одному в строке, и выводит
вердикт каждой строки по мере чтения. На размер — строка: вердикт, запас
до наибольшего и до наименьшего размера в мкм (за границей — со знаком
минус) и положение в допуске в % (0 — наименьший размер, 100 —
наибольший; до 0,1). После двух и более размеров — итог: число деталей
по вердиктам, наименьший, наибольший и средний размер, среднее минус
середина поля, s — выборочное стандартное отклонение (n − 1),
Cp = T / 6s, Cpk = min(Dmax − x̄, x̄ − Dmin) / 3s; среднее, s, Cp и Cpk
до 12 значащих цифр, остальное точно. --json: объект на размер (ошибка —
{"value": …, "error": …}) и объект {"summary": …}; --csv: таблица, за ней
пустая строка и таблица итога.
Код возврата check: 0 — все детали годны; 3 — есть брак; 1 — есть
неверные размеры (остальные всё равно проверены) или поле не определено;
2 — ошибка в параметрах.

Код возврата: 0 — все обозначения (размеры) определены; 1 — есть неверные
или не определённые стандартом (для find и fits — неверный размер или
число); 2 — ошибка в параметрах командной строки; 3 — find не нашёл
точного совпадения, fits — ни одной посадки, check — есть брак;
4 — не удалось прочитать ввод или записать результаты (причина выводится
в поток ошибок, работа прекращается сразу).
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

// A designation on the command line or a line of the input, answered in order.
bool Answer(Report& report, std::string_view typed, bool tooLong)
{
    if (tooLong)
        return report.WriteTooLong(typed);
    typed = Trimmed(typed);
    return typed.empty() || report.Write(typed);
}

const Command* CommandOf(std::string_view word)
{
    for (const Command& c : Commands())
        if (word == c.word)
            return &c;
    return nullptr;
}

// Options the tool takes wherever they stand; false for any other word
// that starts like an option ("-5h7" and "-0,025" are values with a sign).
bool IsOption(std::string_view arg) { return arg.size() >= 2 && arg[0] == '-' && !(arg[1] >= '0' && arg[1] <= '9'); }

}  // namespace

int UsageError(CommandIo& io, const std::string& what)
{
    io.err << "kalimar-cli: " << what << "\n" << kMoreHelp;
    io.err.flush();
    return kExitUsage;
}

int OutputFailed(CommandIo& io)
{
    io.err << "kalimar-cli: результаты не записаны: " << StreamErrorText(io.out) << "\n";
    io.err.flush();
    return kExitIo;
}

bool PutLine(CommandIo& io, std::string& line)
{
    line += LineEnd(io.format);
    io.out.write(line.data(), static_cast<std::streamsize>(line.size()));
    return Written(io);
}

bool PutCsvHeader(CommandIo& io, const char* header)
{
    if (io.format == Format::Csv)
        io.out << header << "\r\n";
    return Written(io);
}

int InputFailed(CommandIo& io)
{
    io.err << "kalimar-cli: ввод не прочитан: " << StreamErrorText(io.in) << "\n";
    io.err.flush();
    return kExitIo;
}

const std::vector<Command>& Commands()
{
    static const std::vector<Command> commands = {
        {"find", &RunFind},
        {"fits", &RunFits},
        {"check", &RunCheck},
        {"general", RunGeneral},
    };
    return commands;
}

int RunCli(const std::vector<std::string>& args, std::istream& in, std::ostream& out, std::ostream& err)
{
    bool json = false, csv = false, help = false, version = false, optionsEnd = false;
    size_t typedFrom = args.size();  // operands from here on came after "--"
    const Command* command = nullptr;
    std::vector<std::string_view> operands;  // designations, or the command's own arguments
    for (const std::string& arg : args) {
        if (!optionsEnd && arg == "--json")
            json = true;
        else if (!optionsEnd && arg == "--csv")
            csv = true;
        else if (!optionsEnd && (arg == "--help" || arg == "-h"))
            help = true;
        else if (!optionsEnd && arg == "--version")
            version = true;
        else if (!optionsEnd && !command && arg == "--") {
            typedFrom = operands.size();
            optionsEnd = true;
        } else if (!command && !optionsEnd && operands.empty() && (command = CommandOf(arg)))
            continue;
        else
            operands.push_back(arg);
    }
    CommandIo io{json ? Format::Json : csv ? Format::Csv : Format::Text, in, out, err};
    if (help || version) {
        out << (help ? kHelp : "kalimar-cli " KALIMAR_VERSION "\n");
        out.flush();
        return out ? kExitOk : OutputFailed(io);
    }
    if (json && csv)
        return UsageError(io, "--json и --csv вместе не задаются");
    if (command)
        return command->run(operands, io);
    for (size_t i = 0; i < operands.size() && i < typedFrom; ++i)
        if (IsOption(operands[i]))
            return UsageError(io, "неизвестный параметр «" + PrintableText(operands[i]) + "»");
    if (operands.empty())
        return UsageError(io, "не заданы обозначения");

    Report report(io.format, out);
    report.Begin();
    if (!out)
        return OutputFailed(io);
    bool allDefined = true;
    std::string line;
    for (const std::string_view designation : operands) {
        if (designation != "-") {
            allDefined &= Answer(report, designation.substr(0, kLongestLine), designation.size() > kLongestLine);
            if (!out)
                return OutputFailed(io);
            continue;
        }
        // One line at a time: each result is written before the next line is read.
        for (bool first = true;; first = false) {
            const LineRead read = ReadLine(in, line);
            if (read == LineRead::End)
                break;
            std::string_view typed = line;
            if (first && typed.substr(0, 3) == "\xEF\xBB\xBF")  // a byte order mark
                typed.remove_prefix(3);
            allDefined &= Answer(report, typed, read == LineRead::TooLong);
            if (!out)
                return OutputFailed(io);
        }
        if (in.bad())
            return InputFailed(io);
    }
    out.flush();
    if (!out)
        return OutputFailed(io);
    return allDefined ? kExitOk : kExitInvalid;
}
