// SPDX-License-Identifier: GPL-3.0-or-later
// kalimar-cli find and fits as scripts and people use them: the exact lines
// of each form, what the exit status says, the words that are refused, and
// lines that agree with the core's searches.
#include <gtest/gtest.h>

#include <cstdio>
#include <ostream>
#include <sstream>
#include <string>
#include <vector>

#include "Cli.h"
#include "CliTestSupport.h"
#include "Command.h"
#include "FitSearch.h"
#include "NumberText.h"

#if defined(__unix__)
#include <fcntl.h>
#include <unistd.h>
#endif

namespace {

using clitest::Lines;
using clitest::Ran;
using clitest::RunWith;

struct Case {
    const char* what;
    std::vector<std::string> args;
    std::string out;
    int status;
};
void PrintTo(const Case& c, std::ostream* os) { *os << c.what; }

class Output : public testing::TestWithParam<Case> {};
TEST_P(Output, ExactOutputAndStatus)
{
    const Ran r = RunWith(GetParam().args);
    EXPECT_EQ(r.out, GetParam().out);
    EXPECT_EQ(r.status, GetParam().status);
    EXPECT_EQ(r.err, "");
}

const std::string kFindHeader = "поле;верхнее отклонение, мкм;нижнее отклонение, мкм;совпадает;"
                                "разница верхнего, мкм;разница нижнего, мкм;ошибка\r\n";
const std::string kFitsHeader = "посадка;наименьший зазор, мкм;наибольший зазор, мкм;вид посадки;"
                                "предпочтительная;рекомендуемая;ошибка\r\n";

INSTANTIATE_TEST_SUITE_P(Find, Output, testing::ValuesIn(std::vector<Case>{
    {"text, exact then 5 nearest", {"find", "25", "+0,021", "0"},
     "H7: ES +21 мкм, EI 0 мкм, совпадает\n"
     "k7: es +23 мкм, ei +2 мкм, разница es +2 мкм, ei +2 мкм\n"
     "k6: es +15 мкм, ei +2 мкм, разница es -6 мкм, ei +2 мкм\n"
     "G6: ES +20 мкм, EI +7 мкм, разница ES -1 мкм, EI +7 мкм\n"
     "G5: ES +16 мкм, EI +7 мкм, разница ES -5 мкм, EI +7 мкм\n"
     "G7: ES +28 мкм, EI +7 мкм, разница ES +7 мкм, EI +7 мкм\n", 0},
    {"json, two exact, point and U+2212", {"--json", "find", "40", "\xE2\x88\x92" "0.025", "-0,050", "--shaft"},
     "{\"field\": \"f7\", \"upper_um\": -25, \"lower_um\": -50, \"exact\": true, \"diff_upper_um\": 0, \"diff_lower_um\": 0}\n"
     "{\"field\": \"f6\", \"upper_um\": -25, \"lower_um\": -41, \"exact\": false, \"diff_upper_um\": 0, \"diff_lower_um\": 9}\n"
     "{\"field\": \"f5\", \"upper_um\": -25, \"lower_um\": -36, \"exact\": false, \"diff_upper_um\": 0, \"diff_lower_um\": 14}\n"
     "{\"field\": \"f8\", \"upper_um\": -25, \"lower_um\": -64, \"exact\": false, \"diff_upper_um\": 0, \"diff_lower_um\": -14}\n"
     "{\"field\": \"g8\", \"upper_um\": -9, \"lower_um\": -48, \"exact\": false, \"diff_upper_um\": 16, \"diff_lower_um\": 2}\n"
     "{\"field\": \"g7\", \"upper_um\": -9, \"lower_um\": -34, \"exact\": false, \"diff_upper_um\": 16, \"diff_lower_um\": 16}\n", 0},
    {"json, micrometres, halves, nearest only", {"--json", "find", "25", "6", "-6", "--um", "--hole"},
     "{\"field\": \"JS6\", \"upper_um\": 6.5, \"lower_um\": -6.5, \"exact\": false, \"diff_upper_um\": 0.5, \"diff_lower_um\": -0.5}\n"
     "{\"field\": \"JS5\", \"upper_um\": 4.5, \"lower_um\": -4.5, \"exact\": false, \"diff_upper_um\": -1.5, \"diff_lower_um\": 1.5}\n"
     "{\"field\": \"J6\", \"upper_um\": 8, \"lower_um\": -5, \"exact\": false, \"diff_upper_um\": 2, \"diff_lower_um\": 1}\n"
     "{\"field\": \"JS4\", \"upper_um\": 3, \"lower_um\": -3, \"exact\": false, \"diff_upper_um\": -3, \"diff_lower_um\": 3}\n"
     "{\"field\": \"JS3\", \"upper_um\": 2, \"lower_um\": -2, \"exact\": false, \"diff_upper_um\": -4, \"diff_lower_um\": 4}\n", 3},
    {"csv", {"--csv", "find", "25", "0", "+0.021", "--hole"},
     kFindHeader + "H7;21;0;да;0;0;\r\n" + "G6;20;7;нет;-1;7;\r\n" + "G5;16;7;нет;-5;7;\r\n" + "G7;28;7;нет;7;7;\r\n"
         + "H6;13;0;нет;-8;0;\r\n" + "G4;13;7;нет;-8;7;\r\n", 0},
}));

INSTANTIATE_TEST_SUITE_P(Fits, Output, testing::ValuesIn(std::vector<Case>{
    {"defaults: hole basis, recommended, 20", {"fits", "25", "--clearance", "10..60"},
     "H6/f6: зазор наименьший 20 мкм, наибольший 46 мкм; с зазором; рекомендуемая\n"
     "Всего подходит посадок: 1\n", 0},
    {"interference, limit", {"fits", "25", "--clearance=..-20", "--limit", "3"},
     "H7/u6: зазор наименьший -61 мкм, наибольший -27 мкм; с натягом; предпочтительная\n"
     "H8/x8: зазор наименьший -97 мкм, наибольший -31 мкм; с натягом; рекомендуемая\n"
     "H8/z8: зазор наименьший -121 мкм, наибольший -55 мкм; с натягом; рекомендуемая\n"
     "Всего подходит посадок: 6 (показаны первые 3)\n", 0},
    {"json, shaft basis, preferred", {"--json", "fits", "25", "--system", "shaft", "--from", "preferred",
                                      "--clearance", "-20..20"},
     "{\"fit\": \"K7/h6\", \"min_clearance_um\": -15, \"max_clearance_um\": 19, \"kind\": \"transition\", "
     "\"preferred\": true, \"recommended\": true}\n"
     "{\"count\": 1}\n", 0},
    {"json, nothing", {"--json", "fits", "25", "--clearance", "1000..2000", "--from", "preferred"},
     "{\"count\": 0}\n", 3},
    {"csv, all candidates", {"--csv", "fits", "25", "--clearance", "7..41", "--from", "all", "--system", "any",
                             "--limit", "2"},
     kFitsHeader + "G7/h6;7;41;с зазором;да;да;\r\n" + "H7/g6;7;41;с зазором;да;да;\r\n" + "всего;1760;;;;;\r\n", 0},
}));

INSTANTIATE_TEST_SUITE_P(Invalid, Output, testing::ValuesIn(std::vector<Case>{
    {"size not a number", {"find", "25мм", "+0,021", "0"}, "ошибка: Размер «25мм» — не число.\n", 1},
    {"deviation not a number", {"--json", "find", "25", "+0,021", "ноль"},
     "{\"error\": \"Нижнее отклонение «ноль» — не число.\"}\n", 1},
    {"size 0", {"--csv", "find", "0", "+0,021", "0"}, kFindHeader + ";;;;;;Размер должен быть больше 0 мм.\r\n", 1},
    {"too fine", {"find", "25", "+0,0000001", "0"},
     "ошибка: Верхнее отклонение: значение точнее 1 нм (0,000001 мм), а в ISO 286 таких нет.\n", 1},
    {"fits size", {"fits", "3151"}, "ошибка: Размер больше 3150 мм: система ISO 286 задана только до 3150 мм.\n", 1},
    {"window reversed", {"--json", "fits", "25", "--clearance", "60..10"},
     "{\"error\": \"Наименьший зазор задан больше наибольшего.\"}\n", 1},
    {"bound not a number", {"fits", "25", "--clearance", "a..60"}, "ошибка: Наименьший зазор «a» — не число.\n", 1},
    {"no control bytes echoed", {"fits", "25", "--clearance", "a\x1B[2J..60"},
     "ошибка: Наименьший зазор «a\xEF\xBF\xBD[2J» — не число.\n", 1},
}));

class Usage : public testing::TestWithParam<std::vector<std::string>> {};
TEST_P(Usage, RefusedWithStatus2AndNothingOnOutput)
{
    const Ran r = RunWith(GetParam());
    EXPECT_EQ(r.status, kExitUsage);
    EXPECT_EQ(r.out, "");
    EXPECT_EQ(r.err.rfind("kalimar-cli: ", 0), 0u) << r.err;
    EXPECT_NE(r.err.find("kalimar-cli --help"), std::string::npos);
}
INSTANTIATE_TEST_SUITE_P(Words, Usage, testing::ValuesIn(std::vector<std::vector<std::string>>{
    {"find"}, {"find", "25", "0"}, {"find", "25", "0", "0", "0"}, {"find", "25", "0", "0", "--hole", "--shaft"},
    {"find", "25", "0", "0", "--mm"}, {"find", "--json", "--csv", "25", "0", "0"},
    {"fits"}, {"fits", "25", "40"}, {"fits", "25", "--system", "basis"}, {"fits", "25", "--from", "best"},
    {"fits", "25", "--from"}, {"fits", "25", "--limit", "-1"}, {"fits", "25", "--limit", "x"},
    {"fits", "25", "--limit", "1234567890"}, {"fits", "25", "--clearance", "10-60"}, {"fits", "25", "--bogus"},
}));

// Every fit that qualifies, one JSON object a line, as the core ranks them.
TEST(Fits, LimitZeroWritesEveryMatchInRankOrder)
{
    const Ran r = RunWith({"--json", "fits", "25", "--clearance", "10..60", "--from", "all", "--system", "any",
                           "--limit", "0"});
    ASSERT_EQ(r.status, kExitOk);
    const std::vector<std::string> lines = Lines(r.out);
    const FitSearch found = FindFits(Millimetres(ExactDecimal(25, 0)),
                                     {Micrometres(ExactDecimal(10, 0)), Micrometres(ExactDecimal(60, 0))},
                                     FitSystem::Any, FitCandidates::All);
    ASSERT_EQ(found.count, 3002u);
    ASSERT_EQ(lines.size(), found.count + 1);
    for (size_t i = 0; i < found.fits.size(); ++i) {
        const std::string name = iso286::FieldName(found.fits[i].hole) + "/" + iso286::FieldName(found.fits[i].shaft);
        ASSERT_EQ(lines[i].rfind("{\"fit\": \"" + name + "\", ", 0), 0u) << i << ": " << lines[i];
    }
    EXPECT_EQ(lines.back(), "{\"count\": 3002}");
}

#if defined(__unix__)
TEST(Fits, AFullDeviceStopsAtOnce)
{
    const int full = open("/dev/full", O_WRONLY);
    if (full < 0)
        GTEST_SKIP() << "no /dev/full";
    for (const std::vector<std::string>& args :
         {std::vector<std::string>{"--json", "fits", "25", "--from", "all", "--system", "any", "--limit", "0"},
          std::vector<std::string>{"find", "25", "+0,021", "0"}}) {
        const Ran r = clitest::RunToFd(full, args);
        EXPECT_EQ(r.status, kExitIo);
        EXPECT_EQ(r.err, "kalimar-cli: результаты не записаны: нет места на устройстве\n");
    }
    close(full);
}
#endif

}  // namespace
