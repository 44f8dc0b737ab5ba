// SPDX-License-Identifier: GPL-3.0-or-later
// kalimar-cli check as scripts and inspectors use it: the three output
// forms with the summary, the exit statuses, the guard band, values from
// standard input as they come, and lines that stay valid JSON whatever
// bytes come in (fuzz_check holds every line to the core's judgement).
#include <gtest/gtest.h>

#include <random>
#include <sstream>
#include <string>
#include <vector>

#include "Cli.h"
#include "CliTestSupport.h"

namespace {

using clitest::Hostile;
using clitest::HostileText;
using clitest::LineByLine;
using clitest::Ran;
using clitest::RunWith;
using clitest::ValidJsonLine;

struct OutputCase {
    const char* what;
    std::vector<std::string> args;
    std::string input;
    std::string want;
    int status;
};
void PrintTo(const OutputCase& c, std::ostream* os) { *os << c.what; }

const std::string kCsvHeader =
    "размер, мм;вердикт;до наибольшего, мкм;до наименьшего, мкм;положение в допуске, %;ошибка\r\n";
const std::string kCsvSummaryHeader =
    "измерено;годен;брак исправимый;брак неисправимый;с ошибками;наименьший, мм;наибольший, мм;среднее, мм;"
    "среднее от середины поля, мкм;s, мкм;Cp;Cpk\r\n";

class Check : public testing::TestWithParam<OutputCase> {};
TEST_P(Check, ExactLines)
{
    const Ran r = RunWith(GetParam().args, GetParam().input);
    EXPECT_EQ(r.out, GetParam().want);
    EXPECT_EQ(r.status, GetParam().status);
    EXPECT_EQ(r.err, "");
}
INSTANTIATE_TEST_SUITE_P(Forms, Check, testing::ValuesIn(std::vector<OutputCase>{
    {"one good part", {"check", "25H7", "25,013"}, "",
     "25,013 мм: годен; до наибольшего 8 мкм, до наименьшего 13 мкм; 61,9 % допуска\n", 0},
    {"on the limit with a point", {"check", "Ø2,3H7", "2.31"}, "",
     "2,31 мм: годен; до наибольшего 0 мкм, до наименьшего 10 мкм; 100 % допуска\n", 0},
    {"a shaft too large is rework", {"check", "40g6", "39,9911"}, "",
     "39,9911 мм: брак исправимый (больше наибольшего предельного размера 39,991 мм); "
     "до наибольшего -0,1 мкм, до наименьшего 16,1 мкм; 100,6 % допуска\n", 3},
    {"text with the summary", {"check", "25H7", "25,005", "25,010", "abc", "25,015"}, "",
     "25,005 мм: годен; до наибольшего 16 мкм, до наименьшего 5 мкм; 23,8 % допуска\n"
     "25,01 мм: годен; до наибольшего 11 мкм, до наименьшего 10 мкм; 47,6 % допуска\n"
     "abc: ошибка: Не число: нужен размер в миллиметрах, например 25,013.\n"
     "25,015 мм: годен; до наибольшего 6 мкм, до наименьшего 15 мкм; 71,4 % допуска\n"
     "итого: измерено 3, годен 3, брак исправимый 0, брак неисправимый 0, с ошибками 1; наименьший 25,005 мм, "
     "наибольший 25,015 мм, среднее 25,01 мм (от середины поля -0,5 мкм), s 5 мкм, Cp 0,7, Cpk 0,666666666667\n",
     1},
    {"the guard band decides", {"check", "--guard", "2", "25H7", "25,0195", "25,019"}, "",
     "25,0195 мм: брак неисправимый (в допуске, но больше верхней приёмочной границы 25,019 мм); "
     "до наибольшего 1,5 мкм, до наименьшего 19,5 мкм; 92,9 % допуска\n"
     "25,019 мм: годен; до наибольшего 2 мкм, до наименьшего 19 мкм; 90,5 % допуска\n"
     "итого: измерено 2, годен 1, брак исправимый 0, брак неисправимый 1, с ошибками 0; наименьший 25,019 мм, "
     "наибольший 25,0195 мм, среднее 25,01925 мм (от середины поля 8,75 мкм), s 0,353553390593 мкм, "
     "Cp 9,89949493661, Cpk 1,64991582277\n",
     3},
    {"json as the issue writes it", {"--json", "check", "25H7", "25,013"}, "",
     R"({"designation": "25H7", "value_mm": 25.013, "verdict": "good", "to_upper_um": 8, "to_lower_um": 13, )"
     R"("position_pct": 61.9})" "\n", 0},
    {"json with an error and the summary", {"check", "25H7", "--json", "25.022", "x\"y", "24,9"}, "",
     R"({"designation": "25H7", "value_mm": 25.022, "verdict": "scrap", "to_upper_um": -1, "to_lower_um": 22, )"
     R"("position_pct": 104.8})" "\n"
     R"({"value": "x\"y", "error": "Не число: нужен размер в миллиметрах, например 25,013."})" "\n"
     R"({"designation": "25H7", "value_mm": 24.9, "verdict": "rework", "to_upper_um": 121, "to_lower_um": -100, )"
     R"("position_pct": -476.2})" "\n"
     R"({"summary": {"n": 2, "good": 0, "rework": 1, "scrap": 1, "invalid": 1, "min_mm": 24.9, "max_mm": 25.022, )"
     R"("mean_mm": 24.961, "mean_minus_mid_um": -49.5, "stdev_um": 86.2670273048, "cp": 0.0405717005599, )"
     R"("cpk": -0.150694887794}})" "\n",
     1},
    {"json summary of equal sizes", {"--json", "check", "25H7", "25,01", "25,01"}, "",
     R"({"designation": "25H7", "value_mm": 25.01, "verdict": "good", "to_upper_um": 11, "to_lower_um": 10, )"
     R"("position_pct": 47.6})" "\n"
     R"({"designation": "25H7", "value_mm": 25.01, "verdict": "good", "to_upper_um": 11, "to_lower_um": 10, )"
     R"("position_pct": 47.6})" "\n"
     R"({"summary": {"n": 2, "good": 2, "rework": 0, "scrap": 0, "invalid": 0, "min_mm": 25.01, "max_mm": 25.01, )"
     R"("mean_mm": 25.01, "mean_minus_mid_um": -0.5, "stdev_um": 0, "cp": null, "cpk": null}})" "\n",
     0},
    {"json summary without sizes", {"--json", "check", "25H7", "", "-1"}, "",
     R"({"value": "", "error": "Нет значения."})" "\n"
     R"({"value": "-1", "error": "Размер детали должен быть больше 0 мм."})" "\n"
     R"({"summary": {"n": 0, "good": 0, "rework": 0, "scrap": 0, "invalid": 2, "min_mm": null, "max_mm": null, )"
     R"("mean_mm": null, "mean_minus_mid_um": null, "stdev_um": null, "cp": null, "cpk": null}})" "\n",
     1},
    {"csv with the summary", {"--csv", "check", "40g6", "39,98", "=1", "39,97"}, "",
     kCsvHeader + "39,98;годен;11;5;31,3;\r\n"
     "'=1;;;;;Не число: нужен размер в миллиметрах, например 25,013.\r\n"
     "39,97;брак неисправимый;21;-5;-31,3;\r\n"
     "\r\n" + kCsvSummaryHeader + "2;1;0;1;1;39,97;39,98;39,975;-8;7,07106781187;0,377123616633;0\r\n",
     1},
    {"csv of one size: no summary", {"--csv", "check", "40g6", "39,98"}, "", kCsvHeader + "39,98;годен;11;5;31,3;\r\n", 0},
    {"values from standard input", {"check", "25H7", "-", "25,02"}, "\xEF\xBB\xBF" "25,001\r\n\n  \t\r\n25,0\n",
     "25,001 мм: годен; до наибольшего 20 мкм, до наименьшего 1 мкм; 4,8 % допуска\n"
     "25 мм: годен; до наибольшего 21 мкм, до наименьшего 0 мкм; 0 % допуска\n"
     "25,02 мм: годен; до наибольшего 1 мкм, до наименьшего 20 мкм; 95,2 % допуска\n"
     "итого: измерено 3, годен 3, брак исправимый 0, брак неисправимый 0, с ошибками 0; наименьший 25 мм, "
     "наибольший 25,02 мм, среднее 25,007 мм (от середины поля -3,5 мкм), s 11,2694276696 мкм, "
     "Cp 0,310574778296, Cpk 0,207049852197\n",
     0},
    {"one digit beyond the limit", {"check", "25H7", "25", "25,0210001"}, "",
     "25 мм: годен; до наибольшего 21 мкм, до наименьшего 0 мкм; 0 % допуска\n"
     "25,0210001 мм: брак неисправимый (больше наибольшего предельного размера 25,021 мм); "
     "до наибольшего -0,0001 мкм, до наименьшего 21,0001 мкм; 100 % допуска\n"
     "итого: измерено 2, годен 1, брак исправимый 0, брак неисправимый 1, с ошибками 0; наименьший 25 мм, "
     "наибольший 25,0210001 мм, среднее 25,01050005 мм (от середины поля 5E-5 мкм), s 14,8493131156 мкм, "
     "Cp 0,235701138009, Cpk 0,235700015623\n",
     3},
    {"a designation without limits", {"check", "25Q7", "25"}, "",
     "25Q7: ошибка: Неизвестное основное отклонение «Q»: такой буквы нет в ISO 286.\n", 1},
    {"a fit is no field", {"--json", "check", "25H7/g6", "25"}, "",
     R"({"designation": "25H7/g6", "error": "Для контроля нужно одно поле — отверстия или вала, а не посадка."})"
     "\n", 1},
    {"a guard band that leaves nothing", {"--csv", "check", "25H7", "--guard=10,5", "25"}, "",
     kCsvHeader + "25H7;;;;;Смещение приёмочных границ 10,5 мкм не меньше половины допуска 21 мкм: "
                  "годных размеров не остаётся.\r\n", 1},
}));

struct UsageCase {
    std::vector<std::string> args;
    const char* err;
};
void PrintTo(const UsageCase& c, std::ostream* os) { *os << testing::PrintToString(c.args); }

class CheckUsage : public testing::TestWithParam<UsageCase> {};
TEST_P(CheckUsage, IsStatusTwoWithTheReason)
{
    const Ran r = RunWith(GetParam().args, "25\n");
    EXPECT_EQ(r.status, 2);
    EXPECT_EQ(r.out, "");
    EXPECT_EQ(r.err, std::string(GetParam().err) + "\nПодробнее: kalimar-cli --help\n");
}
INSTANTIATE_TEST_SUITE_P(Errors, CheckUsage, testing::ValuesIn(std::vector<UsageCase>{
    {{"check"}, "kalimar-cli: check: не задано обозначение поля, например 25H7"},
    {{"check", "25H7"}, "kalimar-cli: check: не заданы размеры деталей"},
    {{"check", "25H7", "25", "--guard"}, "kalimar-cli: после --guard нужно смещение приёмочных границ в мкм"},
    {{"check", "25H7", "25", "--guard", "-1"},
     "kalimar-cli: --guard: нужно неотрицательное число микрометров, например 2 или 0,5"},
    {{"check", "25H7", "25", "--guard="}, "kalimar-cli: --guard: нужно неотрицательное число микрометров, например 2 или 0,5"},
    {{"check", "25H7", "25", "--guard", "два"},
     "kalimar-cli: --guard: нужно неотрицательное число микрометров, например 2 или 0,5"},
    {{"check", "--guard", "1", "--guard", "2", "25H7", "25"}, "kalimar-cli: --guard задан дважды"},
    {{"check", "25H7", "25", "--gaurd", "2"}, "kalimar-cli: неизвестный параметр команды check «--gaurd»"},
    {{"--json", "--csv", "check", "25H7", "25"}, "kalimar-cli: --json и --csv вместе не задаются"},
}));

TEST(CheckInput, EachVerdictIsWrittenBeforeTheNextLineIsRead)
{
    std::ostringstream out, err;
    LineByLine source({"25,01", "", "x", "25,03"}, out);
    std::istream in(&source);
    EXPECT_EQ(RunCli({"--json", "check", "25H7", "-"}, in, out, err), 1);
    EXPECT_EQ(source.writtenBefore, (std::vector<size_t>{0, 1, 1, 2}));
}

TEST(CheckInput, EveryLineGivesOneValidJsonObject)
{
    const HostileText input = Hostile({"\"", "\\", std::string("25\0x", 4), "\xC0\x80", "25\xFF", "1E400", "1E-400",
                                      "25,0" + std::string(1500, '1'), "\x7F\x01\x1F\x08\x0C"},
                                      "25,01");
    const Ran r = RunWith({"--json", "check", "25H7", "-"}, input.text);
    EXPECT_EQ(r.status, 1);
    const std::vector<std::string> out = clitest::Lines(r.out);
    for (const std::string& line : out)
        EXPECT_TRUE(ValidJsonLine(line)) << line;
    EXPECT_EQ(out.size(), input.answered + 1);  // and the summary
}

}  // namespace
