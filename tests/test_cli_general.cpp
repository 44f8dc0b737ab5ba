// SPDX-License-Identifier: GPL-3.0-or-later
// kalimar-cli general as its users see it: the three output forms of every
// kind of answer, what it refuses and why, the order and exit status of
// several sizes, and a device that fills up.
#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#if defined(__unix__)
#include <fcntl.h>
#include <unistd.h>
#endif

#include "Cli.h"
#include "CliTestSupport.h"
#include "Command.h"
#include "GeneralTolerances.h"
#include "NumberText.h"

namespace {

using clitest::Ran;
using clitest::RunWith;

struct OutputCase {
    const char* what;
    std::vector<std::string> args;
    std::string want;
    int status;
};
void PrintTo(const OutputCase& c, std::ostream* os) { *os << c.what; }

const std::string kCsvHeader = "правило;размер, мм;элемент;верхнее отклонение, мм;нижнее отклонение, мм;"
                               "отклонение угла ±;отклонение угла ±, мин;допуск, мм;ошибка\r\n";

class GeneralOutput : public testing::TestWithParam<OutputCase> {};
TEST_P(GeneralOutput, ExactText)
{
    const Ran r = RunWith(GetParam().args);
    EXPECT_EQ(r.out, GetParam().want);
    EXPECT_EQ(r.status, GetParam().status);
    EXPECT_EQ(r.err, "");
}
INSTANTIATE_TEST_SUITE_P(Forms, GeneralOutput, testing::ValuesIn(std::vector<OutputCase>{
    // The issue's examples.
    {"class m", {"general", "m", "120"}, "m 120 мм: ±0,3 мм\n", 0},
    {"IT14 other", {"general", "IT14", "120"}, "IT14 120 мм: ±0,435 мм\n", 0},
    {"IT14 hole", {"general", "IT14", "120", "--hole"}, "IT14 120 мм, отверстие: H14 +0,87/0 мм\n", 0},
    {"json class", {"--json", "general", "m", "120"},
     R"({"rule": "m", "size_mm": 120, "element": "linear", "upper_mm": 0.3, "lower_mm": -0.3})" "\n", 0},
    {"json angle", {"--json", "general", "m", "60", "--angle"},
     R"({"rule": "m", "size_mm": 60, "element": "angle", "plus_minus": "0°20'", "plus_minus_arcmin": 20})" "\n", 0},
    {"json flatness", {"--json", "general", "K", "150", "--flatness"},
     R"({"rule": "K", "size_mm": 150, "element": "flatness", "tolerance_mm": 0.4})" "\n", 0},
    // The rest of the kinds, options anywhere after the word.
    {"IT shaft, option first", {"general", "--shaft", "IT14", "120"}, "IT14 120 мм, вал: h14 0/-0,87 мм\n", 0},
    {"--other is the default", {"general", "IT13", "7", "--other"}, "IT13 7 мм: ±0,11 мм\n", 0},
    {"class on a hole", {"general", "c", "3.5", "--hole"}, "c 3,5 мм, отверстие: ±0,3 мм\n", 0},
    {"radius", {"general", "v", "10", "--radius"}, "v 10 мм, радиус или фаска: ±2 мм\n", 0},
    {"angle", {"general", "c", "5", "--angle"}, "c 5 мм, угол: ±1°30′\n", 0},
    {"perpendicularity", {"general", "L", "2000", "--perpendicularity"}, "L 2000 мм, перпендикулярность: 2 мм\n", 0},
    {"run-out", {"general", "H", "1", "--runout"}, "H 1 мм, биение: 0,1 мм\n", 0},
    {"json IT hole", {"general", "IT14", "120", "--hole", "--json"},
     R"({"rule": "IT14", "size_mm": 120, "element": "hole", "upper_mm": 0.87, "lower_mm": 0})" "\n", 0},
    {"json exact half, every digit", {"--json", "general", "IT13", "7,0000000000000000001"},
     R"({"rule": "IT13", "size_mm": 7.0000000000000000001, "element": "linear", "upper_mm": 0.11, )"
     R"("lower_mm": -0.11})" "\n", 0},
    {"json symmetry", {"--json", "general", "H", "5", "--symmetry"},
     R"({"rule": "H", "size_mm": 5, "element": "symmetry", "tolerance_mm": 0.5})" "\n", 0},
    // Not defined: the reason in its place, the others still answered.
    {"sizes in order, one not defined", {"general", "v", "2", "3,5", "0.25"},
     "v 2 мм: ошибка: Для размеров от 0,5 до 3 мм ГОСТ 30893.1 не устанавливает общего допуска класса v "
     "(очень грубый).\n"
     "v 3,5 мм: ±0,5 мм\n"
     "v 0,25 мм: ошибка: Для размеров меньше 0,5 мм ГОСТ 30893.1 общих допусков не устанавливает: отклонение "
     "указывают у самого размера.\n", 1},
    {"json not defined", {"--json", "general", "f", "2500"},
     R"({"rule": "f", "size_mm": 2500, "error": "Для размеров св. 2000 до 4000 мм ГОСТ 30893.1 не устанавливает )"
     R"(общего допуска класса f (точный)."})" "\n", 1},
    {"json IT form beyond ISO 286", {"--json", "general", "IT17", "1"},
     R"({"rule": "IT17", "size_mm": 1, "error": "Квалитеты IT14–IT18 не применяются для размеров до 1 мм."})" "\n",
     1},
    {"zero", {"general", "m", "0,000"}, "m 0 мм: ошибка: Размер должен быть больше 0 мм.\n", 1},
    {"csv every kind", {"--csv", "general", "m", "120", "0,1"},
     kCsvHeader + "m;120;линейный;0,3;-0,3;;;;\r\n"
                  "m;0,1;линейный;;;;;;Для размеров меньше 0,5 мм ГОСТ 30893.1 общих допусков не устанавливает: "
                  "отклонение указывают у самого размера.\r\n", 1},
    {"csv angle", {"--csv", "general", "v", "1000", "--angle"}, kCsvHeader + "v;1000;угол;;;0°20′;20;;\r\n", 0},
    {"csv tolerance", {"--csv", "general", "K", "150", "--straightness"},
     kCsvHeader + "K;150;прямолинейность;;;;;0,4;\r\n", 0},
    {"csv IT shaft", {"--csv", "general", "IT12", "3150", "--shaft"}, kCsvHeader + "IT12;3150;вал;0;-2,1;;;;\r\n", 0},
}));

struct UsageCase {
    std::vector<std::string> args;
    const char* err;
};
void PrintTo(const UsageCase& c, std::ostream* os) { *os << testing::PrintToString(c.args); }

class GeneralUsage : public testing::TestWithParam<UsageCase> {};
TEST_P(GeneralUsage, IsStatusTwoWithTheReason)
{
    const Ran r = RunWith(GetParam().args);
    EXPECT_EQ(r.status, kExitUsage);
    EXPECT_EQ(r.out, "");
    EXPECT_EQ(r.err, "kalimar-cli: general: " + std::string(GetParam().err) + "\nПодробнее: kalimar-cli --help\n");
}
INSTANTIATE_TEST_SUITE_P(Errors, GeneralUsage, testing::ValuesIn(std::vector<UsageCase>{
    {{"general"}, "не задано правило: классы ГОСТ 30893.1 f, m, c, v, классы ГОСТ 30893.2 H, K, L или квалитеты "
                  "IT12…IT17"},
    {{"general", "M", "5"}, "неизвестное правило «M»: классы ГОСТ 30893.1 f, m, c, v, классы ГОСТ 30893.2 H, K, L "
                            "или квалитеты IT12…IT17"},
    {{"general", "IT11", "5"}, "квалитет «IT11» для общих допусков не берут: IT12…IT17"},
    {{"general", "m"}, "не задан размер в миллиметрах"},
    {{"general", "m", "-5"}, "размер «-5» — не число миллиметров, например 25 или 0,5"},
    {{"general", "m", "1E3"}, "размер «1E3» — не число миллиметров, например 25 или 0,5"},
    {{"general", "m", "5", "\x1B[2J"}, "размер «\xEF\xBF\xBD[2J» — не число миллиметров, например 25 или 0,5"},
    {{"general", "m", "5", "--hol"}, "неизвестный параметр «--hol»"},
    {{"general", "m", "5", "--hole", "--angle"}, "параметры --hole и --angle вместе не задаются"},
    {{"general", "K", "5"}, "для класса K ГОСТ 30893.2 задайте --straightness, --flatness, --perpendicularity, "
                            "--symmetry или --runout"},
    {{"general", "IT14", "5", "--runout"}, "--runout — допуск ГОСТ 30893.2: задайте его класс H, K или L"},
    {{"general", "m", std::string(1001, '1')}, "аргумент длиннее 1000 знаков"},
}));

// The same size typed with a point or a comma, and in a long list, gives
// the core's exact values in every form.
TEST(GeneralNumbers, EveryFormCarriesTheCoresExactValues)
{
    const std::vector<std::string> sizes = {"0,5", "3", "3.000000000000001", "6", "29,99", "120", "400", "1000",
                                            "2000", "2999,5", "4000"};
    for (const char* rule : {"f", "m", "c", "v", "IT12", "IT17"}) {
        std::vector<std::string> args = {"--json", "general", rule};
        args.insert(args.end(), sizes.begin(), sizes.end());
        const Ran json = RunWith(args);
        std::istringstream lines(json.out);
        for (const std::string& size : sizes) {
            std::string line;
            ASSERT_TRUE(std::getline(lines, line)) << rule;
            std::string comma = size;
            for (char& c : comma)
                c = c == '.' ? ',' : c;
            const Millimetres exact(*ReadDecimalText(comma));
            const std::string name = rule;
            const GeneralResult r = GeneralTolerance(
                name[0] == 'I' ? GeneralRule::ItForm(std::stoi(name.substr(2)))
                               : GeneralRule::Class(static_cast<general_tolerances::LinearClass>(
                                   std::string("fmcv").find(name[0]))),
                GeneralElement::OtherLinear, exact);
            if (!r.defined) {
                EXPECT_NE(line.find("\"error\": \"" + r.reason + "\"}"), std::string::npos) << line;
                continue;
            }
            EXPECT_NE(line.find("\"size_mm\": " + ExactPositional(exact.Value(), '.') + ","), std::string::npos)
                << line;
            EXPECT_NE(line.find("\"upper_mm\": " + ExactPositional(Millimetres(r.limits.upper).Value(), '.')),
                      std::string::npos)
                << line;
            // The person's line says the same.
            const Ran text = RunWith({"general", rule, size});
            EXPECT_EQ(text.out, name + " " + ExactPositional(exact.Value(), ',') + " мм: "
                                    + DeviationPairText(r.limits) + " мм\n");
        }
        EXPECT_EQ(json.status, json.out.find("\"error\"") == std::string::npos ? kExitOk : kExitInvalid) << rule;
    }
}

#if defined(__unix__)
TEST(GeneralFailingStreams, AFullDeviceStopsTheCommandAtOnce)
{
    const int full = open("/dev/full", O_WRONLY);
    if (full < 0)
        GTEST_SKIP() << "no /dev/full";
    std::vector<std::string> args = {"--csv", "general", "m"};
    args.insert(args.end(), 20000, "120");
    const Ran r = clitest::RunToFd(full, args);
    EXPECT_EQ(r.status, kExitIo);
    EXPECT_EQ(r.err, "kalimar-cli: результаты не записаны: нет места на устройстве\n");
    close(full);
}
#endif

}  // namespace
