// SPDX-License-Identifier: GPL-3.0-or-later
// kalimar-cli as its users see it: which designations it reads and why it
// refuses the others, its three output forms, exit statuses, streaming, and
// JSON that stays valid whatever bytes come in.
#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <cstdlib>
#include <optional>
#include <ostream>
#include <random>
#include <sstream>
#include <streambuf>
#include <string>
#include <vector>

#include "Cli.h"
#include "CliTestSupport.h"
#include "Designation.h"
#include "Catalogue.h"
#include "FieldResult.h"
#include "NumberText.h"
#include "Version.h"

#if defined(__unix__)
#include <sys/wait.h>
#endif

namespace {

using clitest::Hostile;
using clitest::HostileText;
using clitest::LineByLine;
using clitest::Ran;
using clitest::RunWith;
using clitest::ValidJsonLine;

// ------------------------------------------------------------ reading

struct ReadCase {
    const char* typed;
    const char* want;  // the canonical text, or the reason
};
void PrintTo(const ReadCase& c, std::ostream* os) { *os << '"' << c.typed << '"'; }

class Accepted : public testing::TestWithParam<ReadCase> {};
TEST_P(Accepted, ReadsAsTheCanonicalDesignation)
{
    const DesignationReading r = ReadDesignation(GetParam().typed);
    ASSERT_TRUE(r.designation) << r.error;
    EXPECT_EQ(r.error, "");
    EXPECT_EQ(DesignationText(*r.designation, ','), GetParam().want);
}
INSTANTIATE_TEST_SUITE_P(Forms, Accepted, testing::ValuesIn(std::vector<ReadCase>{
    {"25H7", "25H7"}, {"25 h6", "25h6"}, {"\t25\xC2\xA0h6  ", "25h6"},
    {"Ø40g6", "40g6"}, {"Ø 40 g6", "40g6"}, {"ø40g6", "40g6"}, {"⌀ 40g6", "40g6"},
    {"3,001JS7", "3,001JS7"}, {"3.001js7", "3,001js7"}, {"3,001Js7", "3,001js7"},
    {"025,500H7", "25,5H7"}, {"0,0001h01", "0,0001h01"}, {"2H0", "2H0"}, {"3150h18", "3150h18"},
    // The letters after the digits are the field, never an exponent.
    {"1E1", "1E1"}, {"25e7", "25e7"}, {"10zc9", "10zc9"}, {"8CD5", "8CD5"},
    {"25H7/g6", "25H7/g6"}, {"Ø25 H7 / g6", "25H7/g6"}, {"25JS7/Js6", "25JS7/js6"},
    // ЕСДП writes the symmetric hole Js: in a fit's first place it is the hole.
    {"25Js7/h6", "25JS7/h6"}, {"25 Js7 / Js6", "25JS7/js6"}, {"25Js7", "25js7"},
    // The empty-set sign word processors put for "diameter"; a unit after the size.
    {"∅25H7", "25H7"}, {"∅ 25 H7/g6", "25H7/g6"},
    {"25 мм H7", "25H7"}, {"25мм H7", "25H7"}, {"25ммH7", "25H7"}, {"25 mm H7", "25H7"}, {"Ø25,5 мм h6", "25,5h6"},
    // Exact, not through a double.
    {"3.0000000000000000001H7/js6", "3,0000000000000000001H7/js6"},
}));

class Rejected : public testing::TestWithParam<ReadCase> {};
TEST_P(Rejected, GivesItsReason)
{
    const DesignationReading r = ReadDesignation(GetParam().typed);
    EXPECT_FALSE(r.designation);
    EXPECT_EQ(r.error, GetParam().want);
}
INSTANTIATE_TEST_SUITE_P(Reasons, Rejected, testing::ValuesIn(std::vector<ReadCase>{
    {"", "Пустое обозначение."},
    {" \t", "Пустое обозначение."},
    {"H7", "Обозначение начинается с размера в миллиметрах, например 25H7."},
    {"Ø", "Обозначение начинается с размера в миллиметрах, например 25H7."},
    {"-5h7", "Размер пишется без знака."},
    {"+5h7", "Размер пишется без знака."},
    {"25,h7", "После десятичной запятой в размере нет цифр."},
    {"0h7", "Размер должен быть больше 0 мм."},
    {"0,000H7", "Размер должен быть больше 0 мм."},
    {"3150,0001h7", "Размер больше 3150 мм: система ISO 286 задана только до 3150 мм."},
    {"25", "После размера нет поля допуска, например H7 или g6."},
    {"25 /g6", "После размера нет поля допуска, например H7 или g6."},
    {"25Q7", "Неизвестное основное отклонение «Q»: такой буквы нет в ISO 286."},
    {"25I7", "Неизвестное основное отклонение «I»: такой буквы нет в ISO 286."},
    {"25l7", "Неизвестное основное отклонение «l»: такой буквы нет в ISO 286."},
    {"25O7", "Неизвестное основное отклонение «O»: такой буквы нет в ISO 286."},
    {"25w7", "Неизвестное основное отклонение «w»: такой буквы нет в ISO 286."},
    {"25jS7", "Неизвестное основное отклонение «jS»: такой буквы нет в ISO 286."},
    {"25ABCDEF7", "Неизвестное основное отклонение «ABCD…»: такой буквы нет в ISO 286."},
    {"25H", "У поля H не указан квалитет, например H7."},
    {"25Js", "У поля js не указан квалитет, например js7."},
    {"25H19", "Квалитета «19» нет: квалитеты 01, 0, 1 … 18."},
    {"25h07", "Квалитета «07» нет: квалитеты 01, 0, 1 … 18."},
    {"25h123456", "Квалитета «1234…» нет: квалитеты 01, 0, 1 … 18."},
    {"25Н7", "Поле допуска набрано русскими буквами: нужны латинские, например H7 или g6."},
    {"25H7/г6", "Поле допуска набрано русскими буквами: нужны латинские, например H7 или g6."},
    {"25g6/H7", "В посадке первым пишется поле отверстия (прописными буквами), а g6 — поле вала."},
    {"25js7/h6", "В посадке первым пишется поле отверстия (прописными буквами), а js7 — поле вала."},
    {"1e1H7", "Размер пишется без показателя степени: например, 10H7, а не 1e1H7."},
    {"1E1 H7", "Размер пишется без показателя степени: например, 10H7, а не 1e1H7."},
    {"2,5e-3H7", "Размер пишется без показателя степени: например, 10H7, а не 1e1H7."},
    {"25E8h8", "Поля посадки разделяются знаком «/», например 25H7/g6."},
    {"0x10H7", "Размер пишется десятичными цифрами: шестнадцатеричная запись 0x… не читается."},
    {"0X1AH7", "Размер пишется десятичными цифрами: шестнадцатеричная запись 0x… не читается."},
    {"25 mmH7", "Неизвестное основное отклонение «mmH»: такой буквы нет в ISO 286."},
    {"25H7/G6", "В посадке вторым пишется поле вала (строчными буквами), а G6 — поле отверстия."},
    {"25H7/", "После «/» нет поля вала, например 25H7/g6."},
    {"25H7g6", "Поля посадки разделяются знаком «/», например 25H7/g6."},
    {"25H7 мм", "После поля H7 лишние символы."},
    {"1E1,5", "После поля E1 лишние символы."},
    {"25H7/g6/f7", "После поля g6 лишние символы."},
}));

// ------------------------------------------------------------ the tool

struct OutputCase {
    const char* what;
    std::vector<std::string> args;
    std::string want;
    int status;
};
void PrintTo(const OutputCase& c, std::ostream* os) { *os << c.what; }

const std::string kCsvHeader =
    "обозначение;размер, мм;поле / отверстие;верхнее отклонение, мкм;нижнее отклонение, мкм;"
    "наибольший размер, мм;наименьший размер, мм;средний размер, мм;вал;верхнее отклонение вала, мкм;"
    "нижнее отклонение вала, мкм;наибольший размер вала, мм;наименьший размер вала, мм;"
    "средний размер вала, мм;наибольший зазор, мкм;наименьший зазор, мкм;посадка;ошибка\r\n";

class Output : public testing::TestWithParam<OutputCase> {};
TEST_P(Output, ExactText)
{
    const Ran r = RunWith(GetParam().args);
    EXPECT_EQ(r.out, GetParam().want);
    EXPECT_EQ(r.status, GetParam().status);
    EXPECT_EQ(r.err, "");
}
INSTANTIATE_TEST_SUITE_P(Forms, Output, testing::ValuesIn(std::vector<OutputCase>{
    {"text field", {"Ø 25 H7"},
     "25H7: ES +21 мкм, EI 0 мкм, наибольший 25,021 мм, наименьший 25 мм, средний 25,0105 мм\n", 0},
    {"text js7 with its even rounding", {"7js7"},
     "7js7: es +7 мкм, ei -7 мкм, наибольший 7,007 мм, наименьший 6,993 мм, средний 7 мм\n", 0},
    {"text fit", {"25H7/g6"},
     "25H7/g6: отверстие H7 ES +21 мкм, EI 0 мкм, наибольший 25,021 мм, наименьший 25 мм, средний 25,0105 мм; "
     "вал g6 es -7 мкм, ei -20 мкм, наибольший 24,993 мм, наименьший 24,98 мм, средний 24,9865 мм; "
     "зазор наибольший 41 мкм, наименьший 7 мкм; посадка с зазором\n", 0},
    {"text errors keep their place", {"25Q7", "0,5a11", "\x1b[2J"},
     "25Q7: ошибка: Неизвестное основное отклонение «Q»: такой буквы нет в ISO 286.\n"
     "0,5a11: ошибка: Основное отклонение a не применяется для размеров до 1 мм.\n"
     "\xEF\xBF\xBD[2J: ошибка: Обозначение начинается с размера в миллиметрах, например 25H7.\n", 1},
    {"json field", {"--json", "25H7"},
     R"({"designation": "25H7", "size_mm": 25, "field": "H7", "upper_um": 21, "lower_um": 0, )"
     R"("max_mm": 25.021, "min_mm": 25, "mid_mm": 25.0105})" "\n", 0},
    {"json fit with interference", {"25H7/s6", "--json"},
     R"({"designation": "25H7/s6", "size_mm": 25, "hole": {"size_mm": 25, "field": "H7", "upper_um": 21, )"
     R"("lower_um": 0, "max_mm": 25.021, "min_mm": 25, "mid_mm": 25.0105}, "shaft": {"size_mm": 25, )"
     R"("field": "s6", "upper_um": 48, "lower_um": 35, "max_mm": 25.048, "min_mm": 25.035, "mid_mm": 25.0415}, )"
     R"("max_clearance_um": -14, "min_clearance_um": -48, "kind": "interference"})" "\n", 0},
    {"json keeps every digit", {"--json", "0,0000001js01"},
     R"({"designation": "0,0000001js01", "size_mm": 0.0000001, "field": "js01", "upper_um": 0.15, )"
     R"("lower_um": -0.15, "max_mm": 0.0001501, "min_mm": -0.0001499, "mid_mm": 0.0000001})" "\n", 0},
    {"json error", {"--json", "25Q7\"\\"},
     R"({"designation": "25Q7\"\\", "error": "Неизвестное основное отклонение «Q»: такой буквы нет в ISO 286."})"
     "\n", 1},
    {"csv field, fit and error", {"--csv", "25H7", "25H7/k6", "=1;2"},
     kCsvHeader + "25H7;25;H7;21;0;25,021;25;25,0105;;;;;;;;;;\r\n"
     "25H7/k6;25;H7;21;0;25,021;25;25,0105;k6;15;2;25,015;25,002;25,0085;19;-15;переходная;\r\n"
     "\"'=1;2\";;;;;;;;;;;;;;;;;Обозначение начинается с размера в миллиметрах, например 25H7.\r\n", 1},
    {"csv header alone for no lines", {"--csv", "-"}, kCsvHeader, 0},
}));

struct UsageCase {
    std::vector<std::string> args;
    const char* err;
};
void PrintTo(const UsageCase& c, std::ostream* os) { *os << testing::PrintToString(c.args); }

class Usage : public testing::TestWithParam<UsageCase> {};
TEST_P(Usage, IsStatusTwoWithTheReason)
{
    const Ran r = RunWith(GetParam().args, "25H7\n");
    EXPECT_EQ(r.status, 2);
    EXPECT_EQ(r.out, "");
    EXPECT_EQ(r.err, std::string(GetParam().err) + "\nПодробнее: kalimar-cli --help\n");
}
INSTANTIATE_TEST_SUITE_P(Errors, Usage, testing::ValuesIn(std::vector<UsageCase>{
    {{"--jsn", "25H7"}, "kalimar-cli: неизвестный параметр «--jsn»"},
    {{"25H7", "-x"}, "kalimar-cli: неизвестный параметр «-x»"},
    {{"--json", "--csv", "-"}, "kalimar-cli: --json и --csv вместе не задаются"},
    {{}, "kalimar-cli: не заданы обозначения"},
    {{"--json"}, "kalimar-cli: не заданы обозначения"},
}));

TEST(Usage, HelpAndVersion)
{
    const Ran help = RunWith({"--help"});
    EXPECT_EQ(help.status, 0);
    EXPECT_NE(help.out.find("js7 для\nразмеров свыше 6 до 10 мм — ±7 мкм"), std::string::npos) << help.out;
    const Ran version = RunWith({"25H7", "--version"});
    EXPECT_EQ(version.status, 0);
    EXPECT_EQ(version.out, "kalimar-cli " KALIMAR_VERSION "\n");
}

TEST(Input, OperandsAndLinesInOrderBlanksSkipped)
{
    const Ran r = RunWith({"40g6", "-", "--", "-5h7"}, "\xEF\xBB\xBF 25H7\r\n\n \t\r\n25Q7\n10h6");
    EXPECT_EQ(r.status, 1);
    std::istringstream lines(r.out);
    std::vector<std::string> starts;
    for (std::string line; std::getline(lines, line);)
        starts.push_back(line.substr(0, line.find(':')));
    EXPECT_EQ(starts, (std::vector<std::string>{"40g6", "25H7", "25Q7", "10h6", "-5h7"}));
}

TEST(Input, EachResultIsWrittenBeforeTheNextLineIsRead)
{
    std::ostringstream out, err;
    LineByLine source({"25H7", "", "25Q7", "40g6"}, out);
    std::istream in(&source);
    EXPECT_EQ(RunCli({"--json", "-"}, in, out, err), 1);
    EXPECT_EQ(source.writtenBefore, (std::vector<size_t>{0, 1, 1, 2}));
}

// ------------------------------------------------------------ hostile input

TEST(HostileInput, EveryLineGivesOneValidJsonObject)
{
    const HostileText input = Hostile({"\"", "\\", std::string("25H7\0x", 6), "\xC0\x80", "\xED\xA0\x80",
                                      "\xF4\x90\x80\x80", "\xE2\x8C", "25\xFFH7", "\x7F\x01\x1F\x08\x0C"},
                                      "25H7");
    const Ran r = RunWith({"--json", "-"}, input.text);
    EXPECT_EQ(r.status, 1);
    const std::vector<std::string> out = clitest::Lines(r.out);
    for (const std::string& line : out)
        EXPECT_TRUE(ValidJsonLine(line)) << line;
    EXPECT_EQ(out.size(), input.answered);
}

// ------------------------------------------------------------ against the main window's texts

// The exact JSON numbers, written as the main window writes numbers, give the
// person's line: both come from the same field, however they are computed.
TEST(Numbers, JsonAgreesWithTheTextsOfEveryDefinedField)
{
    for (const char* size : {"0,5", "1", "3", "7", "25", "500", "500,5", "3150"}) {
        const Millimetres exact(*ReadDecimalText(size));
        for (const iso286::Side side : {iso286::Side::Hole, iso286::Side::Shaft}) {
            for (const iso286::Field& f : iso286::DefinedFields(side, *IsoSizeCeiling(exact))) {
                const std::string designation = size + iso286::FieldName(f);
                const std::string json = RunWith({"--json", designation}).out;
                const auto number = [&](const char* key) {
                    const size_t at = json.find(std::string("\"") + key + "\": ") + std::string(key).size() + 4;
                    std::string text = json.substr(at, json.find_first_of(",}", at) - at);
                    std::replace(text.begin(), text.end(), '.', ',');
                    return *ReadDecimalText(text);
                };
                const FieldResult result = IsoField(f, exact);
                ASSERT_TRUE(result.defined) << designation;
                const FieldTexts shown = WriteFieldTexts(result, DeviationUnit::Micrometres, Rounding::AsIs);
                const auto deviation = [](const ExactDecimal& um) {
                    return SignedDeviation(Micrometres(um), DeviationUnit::Micrometres).text;
                };
                EXPECT_EQ(deviation(number("upper_um")), shown.upper.text);
                EXPECT_EQ(deviation(number("lower_um")), shown.lower.text);
                EXPECT_EQ(FormatGeneral(number("max_mm")), shown.results.max) << designation;
                EXPECT_EQ(FormatGeneral(number("min_mm")), shown.results.min) << designation;
                EXPECT_EQ(FormatGeneral(number("mid_mm")), shown.results.mid) << designation;
            }
        }
    }
}

// ------------------------------------------------------------ the program itself

// Runs only where ctest names the built program (test cli_binary).
TEST(Binary, FitAsJsonAndItsExitStatus)
{
#if !defined(__unix__)
    GTEST_SKIP() << "needs popen";
#else
    const char* program = std::getenv("KALIMAR_CLI");
    if (!program)
        GTEST_SKIP() << "KALIMAR_CLI not set";
    const auto run = [&](const std::string& args, std::string& out) {
        FILE* pipe = popen(("\"" + std::string(program) + "\" " + args).c_str(), "r");
        char buf[512];
        for (size_t n; pipe && (n = fread(buf, 1, sizeof buf, pipe)) > 0;)
            out.append(buf, n);
        const int status = pipe ? pclose(pipe) : -1;
        return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    };
    std::string out;
    EXPECT_EQ(run("25H7/g6 --json", out), 0);
    EXPECT_EQ(out, R"({"designation": "25H7/g6", "size_mm": 25, "hole": {"size_mm": 25, "field": "H7", )"
                   R"("upper_um": 21, "lower_um": 0, "max_mm": 25.021, "min_mm": 25, "mid_mm": 25.0105}, )"
                   R"("shaft": {"size_mm": 25, "field": "g6", "upper_um": -7, "lower_um": -20, "max_mm": 24.993, )"
                   R"("min_mm": 24.98, "mid_mm": 24.9865}, "max_clearance_um": 41, "min_clearance_um": 7, )"
                   R"("kind": "clearance"})" "\n");
    std::string failed;
    EXPECT_EQ(run("25Q7 2>&1", failed), 1);
    EXPECT_EQ(run("--bogus 2>/dev/null", failed), 2);
#endif
}

}  // namespace
