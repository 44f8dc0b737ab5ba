// SPDX-License-Identifier: GPL-3.0-or-later
#include "Iso286.h"

#include <cmath>
#include <cstdint>
#include <limits>

namespace iso286 {
namespace {

// ------------------------------------------------------------------ intervals

constexpr int kRangeCount = 42;
constexpr int kRangeUpper[kRangeCount] = {
    1,   3,   6,   10,  14,  18,  24,  30,  40,  50,  65,  80,  100,  120,  140,  160,
    180, 200, 225, 250, 280, 315, 355, 400, 450, 500, 560, 630, 710,  800,  900,  1000,
    1120, 1250, 1400, 1600, 1800, 2000, 2240, 2500, 2800, 3150,
};
constexpr int kLastUpTo1 = 0;     // (0, 1]
constexpr int kLastUpTo3 = 1;     // (1, 3]
constexpr int kLastUpTo500 = 25;  // (450, 500]

constexpr int RangeLower(int r) { return r == 0 ? 0 : kRangeUpper[r - 1]; }

struct CeilIndex {
    std::uint8_t of[kMaxSizeCeil + 1];
};
constexpr CeilIndex MakeCeilIndex()
{
    CeilIndex t{};
    int r = 0;
    for (int c = 1; c <= kMaxSizeCeil; ++c) {
        if (c > kRangeUpper[r])
            ++r;
        t.of[c] = static_cast<std::uint8_t>(r);
    }
    return t;
}
constexpr CeilIndex kCeilIndex = MakeCeilIndex();

// The standard's main intervals (the IT table and the Δ and j columns use them).
constexpr int kMainCount = 21;
constexpr std::uint8_t kMainOf[kRangeCount] = {
    0, 0, 1, 2, 3, 3, 4, 4, 5, 5, 6, 6, 7, 7, 8, 8, 8, 9, 9, 9, 10,
    10, 11, 11, 12, 12, 13, 13, 14, 14, 15, 15, 16, 16, 17, 17, 18, 18, 19, 19, 20, 20,
};

// ------------------------------------------------------------ tolerance grades

// µm, grades IT01, IT0, IT1 … IT18; 0 where the grade is not defined.
constexpr double kItMicrons[kMainCount][20] = {
    // 01   0    1    2    3    4    5    6    7    8    9   10    11    12    13    14    15    16     17     18
    {0.3, 0.5, 0.8, 1.2, 2,   3,   4,   6,   10,  14,  25,  40,  60,   100,  140,  250,  400,  600,   1000,  1400},   // -3
    {0.4, 0.6, 1,   1.5, 2.5, 4,   5,   8,   12,  18,  30,  48,  75,   120,  180,  300,  480,  750,   1200,  1800},   // 3-6
    {0.4, 0.6, 1,   1.5, 2.5, 4,   6,   9,   15,  22,  36,  58,  90,   150,  220,  360,  580,  900,   1500,  2200},   // 6-10
    {0.5, 0.8, 1.2, 2,   3,   5,   8,   11,  18,  27,  43,  70,  110,  180,  270,  430,  700,  1100,  1800,  2700},   // 10-18
    {0.6, 1,   1.5, 2.5, 4,   6,   9,   13,  21,  33,  52,  84,  130,  210,  330,  520,  840,  1300,  2100,  3300},   // 18-30
    {0.6, 1,   1.5, 2.5, 4,   7,   11,  16,  25,  39,  62,  100, 160,  250,  390,  620,  1000, 1600,  2500,  3900},   // 30-50
    {0.8, 1.2, 2,   3,   5,   8,   13,  19,  30,  46,  74,  120, 190,  300,  460,  740,  1200, 1900,  3000,  4600},   // 50-80
    {1,   1.5, 2.5, 4,   6,   10,  15,  22,  35,  54,  87,  140, 220,  350,  540,  870,  1400, 2200,  3500,  5400},   // 80-120
    {1.2, 2,   3.5, 5,   8,   12,  18,  25,  40,  63,  100, 160, 250,  400,  630,  1000, 1600, 2500,  4000,  6300},   // 120-180
    {2,   3,   4.5, 7,   10,  14,  20,  29,  46,  72,  115, 185, 290,  460,  720,  1150, 1850, 2900,  4600,  7200},   // 180-250
    {2.5, 4,   6,   8,   12,  16,  23,  32,  52,  81,  130, 210, 320,  520,  810,  1300, 2100, 3200,  5200,  8100},   // 250-315
    {3,   5,   7,   9,   13,  18,  25,  36,  57,  89,  140, 230, 360,  570,  890,  1400, 2300, 3600,  5700,  8900},   // 315-400
    {4,   6,   8,   10,  15,  20,  27,  40,  63,  97,  155, 250, 400,  630,  970,  1550, 2500, 4000,  6300,  9700},   // 400-500
    {0,   0,   9,   11,  16,  22,  32,  44,  70,  110, 175, 280, 440,  700,  1100, 1750, 2800, 4400,  7000,  11000},  // 500-630
    {0,   0,   10,  13,  18,  25,  36,  50,  80,  125, 200, 320, 500,  800,  1250, 2000, 3200, 5000,  8000,  12500},  // 630-800
    {0,   0,   11,  15,  21,  28,  40,  56,  90,  140, 230, 360, 560,  900,  1400, 2300, 3600, 5600,  9000,  14000},  // 800-1000
    {0,   0,   13,  18,  24,  33,  47,  66,  105, 165, 260, 420, 660,  1050, 1650, 2600, 4200, 6600,  10500, 16500},  // 1000-1250
    {0,   0,   15,  21,  29,  39,  55,  78,  125, 195, 310, 500, 780,  1250, 1950, 3100, 5000, 7800,  12500, 19500},  // 1250-1600
    {0,   0,   18,  25,  35,  46,  65,  92,  150, 230, 370, 600, 920,  1500, 2300, 3700, 6000, 9200,  15000, 23000},  // 1600-2000
    {0,   0,   22,  30,  41,  55,  78,  110, 175, 280, 440, 700, 1100, 1750, 2800, 4400, 7000, 11000, 17500, 28000},  // 2000-2500
    {0,   0,   26,  36,  50,  68,  96,  135, 210, 330, 540, 860, 1350, 2100, 3300, 5400, 8600, 13500, 21000, 33000},  // 2500-3150
};

struct ItTable {
    Nanometres nm[kMainCount][20];
};
constexpr ItTable MakeItTable()
{
    ItTable t{};
    for (int m = 0; m < kMainCount; ++m)
        for (int g = 0; g < 20; ++g)
            t.nm[m][g] = static_cast<Nanometres>(kItMicrons[m][g] * 1000.0 + 0.5);
    return t;
}
constexpr ItTable kIt = MakeItTable();

constexpr Nanometres ItAt(int r, int grade) { return kIt.nm[kMainOf[r]][grade + 1]; }

// ------------------------------------------------------ fundamental deviations

constexpr int X = std::numeric_limits<int>::min();   // no value in the standard's table

// Shafts, µm: es of a..g (negative), ei of m..zc. One row per interval, "up to 3 mm"
// once (row = interval index - 1, never below 0).
constexpr int kColumns = 24;
constexpr int kShaft[kRangeCount - 1][kColumns] = {
    //   a      b     c   cd     d     e   ef    f   fg    g |  m    n    p    r     s     t     u    v    x     y     z    za    zb    zc
    {-270,  -140,  -60, -34,  -20,  -14, -10,  -6,  -4,  -2,   2,   4,   6,  10,   14,    X,   18,   X,  20,    X,   26,   32,   40,   60},  // -3
    {-270,  -140,  -70, -46,  -30,  -20, -14, -10,  -6,  -4,   4,   8,  12,  15,   19,    X,   23,   X,  28,    X,   35,   42,   50,   80},  // 3-6
    {-280,  -150,  -80, -56,  -40,  -25, -18, -13,  -8,  -5,   6,  10,  15,  19,   23,    X,   28,   X,  34,    X,   42,   52,   67,   97},  // 6-10
    {-290,  -150,  -95,   X,  -50,  -32,   X, -16,   X,  -6,   7,  12,  18,  23,   28,    X,   33,   X,  40,    X,   50,   64,   90,  130},  // 10-14
    {-290,  -150,  -95,   X,  -50,  -32,   X, -16,   X,  -6,   7,  12,  18,  23,   28,    X,   33,  39,  45,    X,   60,   77,  108,  150},  // 14-18
    {-300,  -160, -110,   X,  -65,  -40,   X, -20,   X,  -7,   8,  15,  22,  28,   35,    X,   41,  47,  54,   63,   73,   98,  136,  188},  // 18-24
    {-300,  -160, -110,   X,  -65,  -40,   X, -20,   X,  -7,   8,  15,  22,  28,   35,   41,   48,  55,  64,   75,   88,  118,  160,  218},  // 24-30
    {-310,  -170, -120,   X,  -80,  -50,   X, -25,   X,  -9,   9,  17,  26,  34,   43,   48,   60,  68,  80,   94,  112,  148,  200,  274},  // 30-40
    {-320,  -180, -130,   X,  -80,  -50,   X, -25,   X,  -9,   9,  17,  26,  34,   43,   54,   70,  81,  97,  114,  136,  180,  242,  325},  // 40-50
    {-340,  -190, -140,   X, -100,  -60,   X, -30,   X, -10,  11,  20,  32,  41,   53,   66,   87, 102, 122,  144,  172,  226,  300,  405},  // 50-65
    {-360,  -200, -150,   X, -100,  -60,   X, -30,   X, -10,  11,  20,  32,  43,   59,   75,  102, 120, 146,  174,  210,  274,  360,  480},  // 65-80
    {-380,  -220, -170,   X, -120,  -72,   X, -36,   X, -12,  13,  23,  37,  51,   71,   91,  124, 146, 178,  214,  258,  335,  445,  585},  // 80-100
    {-410,  -240, -180,   X, -120,  -72,   X, -36,   X, -12,  13,  23,  37,  54,   79,  104,  144, 172, 210,  254,  310,  400,  525,  690},  // 100-120
    {-460,  -260, -200,   X, -145,  -85,   X, -43,   X, -14,  15,  27,  43,  63,   92,  122,  170, 202, 248,  300,  365,  470,  620,  800},  // 120-140
    {-520,  -280, -210,   X, -145,  -85,   X, -43,   X, -14,  15,  27,  43,  65,  100,  134,  190, 228, 280,  340,  415,  535,  700,  900},  // 140-160
    {-580,  -310, -230,   X, -145,  -85,   X, -43,   X, -14,  15,  27,  43,  68,  108,  146,  210, 252, 310,  380,  465,  600,  780, 1000},  // 160-180
    {-660,  -340, -240,   X, -170, -100,   X, -50,   X, -15,  17,  31,  50,  77,  122,  166,  236, 284, 350,  425,  520,  670,  880, 1150},  // 180-200
    {-740,  -380, -260,   X, -170, -100,   X, -50,   X, -15,  17,  31,  50,  80,  130,  180,  258, 310, 385,  470,  575,  740,  960, 1250},  // 200-225
    {-820,  -420, -280,   X, -170, -100,   X, -50,   X, -15,  17,  31,  50,  84,  140,  196,  284, 340, 425,  520,  640,  820, 1050, 1350},  // 225-250
    {-920,  -480, -300,   X, -190, -110,   X, -56,   X, -17,  20,  34,  56,  94,  158,  218,  315, 385, 475,  580,  710,  920, 1200, 1550},  // 250-280
    {-1050, -540, -330,   X, -190, -110,   X, -56,   X, -17,  20,  34,  56,  98,  170,  240,  350, 425, 525,  650,  790, 1000, 1300, 1700},  // 280-315
    {-1200, -600, -360,   X, -210, -125,   X, -62,   X, -18,  21,  37,  62, 108,  190,  268,  390, 475, 590,  730,  900, 1150, 1500, 1900},  // 315-355
    {-1350, -680, -400,   X, -210, -125,   X, -62,   X, -18,  21,  37,  62, 114,  208,  294,  435, 530, 660,  820, 1000, 1300, 1650, 2100},  // 355-400
    {-1500, -760, -440,   X, -230, -135,   X, -68,   X, -20,  23,  40,  68, 126,  232,  330,  490, 595, 740,  920, 1100, 1450, 1850, 2400},  // 400-450
    {-1650, -840, -480,   X, -230, -135,   X, -68,   X, -20,  23,  40,  68, 132,  252,  360,  540, 660, 820, 1000, 1250, 1600, 2100, 2600},  // 450-500
    {    X,    X,    X,   X, -260, -145,   X, -76,   X, -22,  26,  44,  78, 150,  280,  400,  600,   X,   X,    X,    X,    X,    X,    X},  // 500-560
    {    X,    X,    X,   X, -260, -145,   X, -76,   X, -22,  26,  44,  78, 155,  310,  450,  660,   X,   X,    X,    X,    X,    X,    X},  // 560-630
    {    X,    X,    X,   X, -290, -160,   X, -80,   X, -24,  30,  50,  88, 175,  340,  500,  740,   X,   X,    X,    X,    X,    X,    X},  // 630-710
    {    X,    X,    X,   X, -290, -160,   X, -80,   X, -24,  30,  50,  88, 185,  380,  560,  840,   X,   X,    X,    X,    X,    X,    X},  // 710-800
    {    X,    X,    X,   X, -320, -170,   X, -86,   X, -26,  34,  56, 100, 210,  430,  620,  940,   X,   X,    X,    X,    X,    X,    X},  // 800-900
    {    X,    X,    X,   X, -320, -170,   X, -86,   X, -26,  34,  56, 100, 220,  470,  680, 1050,   X,   X,    X,    X,    X,    X,    X},  // 900-1000
    {    X,    X,    X,   X, -350, -195,   X, -98,   X, -28,  40,  66, 120, 250,  520,  780, 1150,   X,   X,    X,    X,    X,    X,    X},  // 1000-1120
    {    X,    X,    X,   X, -350, -195,   X, -98,   X, -28,  40,  66, 120, 260,  580,  840, 1300,   X,   X,    X,    X,    X,    X,    X},  // 1120-1250
    {    X,    X,    X,   X, -390, -220,   X,-110,   X, -30,  48,  78, 140, 300,  640,  960, 1450,   X,   X,    X,    X,    X,    X,    X},  // 1250-1400
    {    X,    X,    X,   X, -390, -220,   X,-110,   X, -30,  48,  78, 140, 330,  720, 1050, 1600,   X,   X,    X,    X,    X,    X,    X},  // 1400-1600
    {    X,    X,    X,   X, -430, -240,   X,-120,   X, -32,  58,  92, 170, 370,  820, 1200, 1850,   X,   X,    X,    X,    X,    X,    X},  // 1600-1800
    {    X,    X,    X,   X, -430, -240,   X,-120,   X, -32,  58,  92, 170, 400,  920, 1350, 2000,   X,   X,    X,    X,    X,    X,    X},  // 1800-2000
    {    X,    X,    X,   X, -480, -260,   X,-130,   X, -34,  68, 110, 195, 440, 1000, 1500, 2300,   X,   X,    X,    X,    X,    X,    X},  // 2000-2240
    {    X,    X,    X,   X, -480, -260,   X,-130,   X, -34,  68, 110, 195, 460, 1100, 1650, 2500,   X,   X,    X,    X,    X,    X,    X},  // 2240-2500
    {    X,    X,    X,   X, -520, -290,   X,-145,   X, -38,  76, 135, 240, 550, 1250, 1900, 2900,   X,   X,    X,    X,    X,    X,    X},  // 2500-2800
    {    X,    X,    X,   X, -520, -290,   X,-145,   X, -38,  76, 135, 240, 580, 1400, 2100, 3200,   X,   X,    X,    X,    X,    X,    X},  // 2800-3150
};

// Main intervals up to 500 mm, µm: ei of k4..k7; ei of j5/j6, j7, j8; ES of J6, J7, J8.
constexpr int kMainUpTo500 = 13;
constexpr int kK4to7[kMainUpTo500] = {0, 1, 1, 1, 2, 2, 2, 3, 3, 4, 4, 4, 5};
constexpr int kShaftJ[kMainUpTo500][3] = {
    {-2, -4, -6}, {-2, -4, X}, {-2, -5, X}, {-3, -6, X}, {-4, -8, X}, {-5, -10, X}, {-7, -12, X},
    {-9, -15, X}, {-11, -18, X}, {-13, -21, X}, {-16, -26, X}, {-18, -28, X}, {-20, -32, X},
};
constexpr int kHoleJ[kMainUpTo500][3] = {
    {2, 4, 6},    {5, 6, 10},   {5, 8, 12},   {6, 10, 15},  {8, 12, 20},  {10, 14, 24}, {13, 18, 28},
    {16, 22, 34}, {18, 26, 41}, {22, 30, 47}, {25, 36, 55}, {29, 39, 60}, {33, 43, 66},
};

constexpr Nanometres Nm(int microns) { return static_cast<Nanometres>(microns) * 1000; }

// ---------------------------------------------------------------------- names

constexpr const char* kShaftNames[kLetterCount] = {
    "a", "b", "c", "cd", "d", "e", "ef", "f", "fg", "g", "h", "j", "js", "k",
    "m", "n", "p", "r", "s", "t", "u", "v", "x", "y", "z", "za", "zb", "zc",
};
constexpr const char* kHoleNames[kLetterCount] = {
    "A", "B", "C", "CD", "D", "E", "EF", "F", "FG", "G", "H", "J", "JS", "K",
    "M", "N", "P", "R", "S", "T", "U", "V", "X", "Y", "Z", "ZA", "ZB", "ZC",
};

std::string GradeName(int grade) { return grade == kGrade01 ? "01" : std::to_string(grade); }

// ------------------------------------------------------------------ the rules

// Why a field is not defined; a default Failure (kind None) means the lookup
// succeeded. Nothing here allocates.
struct Failure {
    Undefined kind = Undefined::None;
    Scope scope = Scope::Letter;
    int boundMm = 0;
    int gradeLow = 0, gradeHigh = 0;
    explicit operator bool() const { return kind != Undefined::None; }
};

Failure OnlyUpTo(int mm) { return {Undefined::LetterNotAboveSize, Scope::Letter, mm}; }
Failure OnlyAbove(int mm) { return {Undefined::LetterNotUpToSize, Scope::Letter, mm}; }
// The rule holds for the letter's grades coarser than IT8 only (K, N).
Failure CoarseGrades(Undefined kind, int mm) { return {kind, Scope::CoarseGrades, mm, 0, 8}; }

// A cell the standard's table leaves empty: the letter starts above a size or ends below one.
Failure MissingCell(const Field& f, int r)
{
    switch (f.letter) {
    case Letter::CD: case Letter::EF: case Letter::FG: return OnlyUpTo(10);
    case Letter::T: return OnlyAbove(24);
    case Letter::V: return r <= kLastUpTo500 ? OnlyAbove(14) : OnlyUpTo(500);
    case Letter::Y: return r <= kLastUpTo500 ? OnlyAbove(18) : OnlyUpTo(500);
    default: return OnlyUpTo(500);
    }
}

// The Δ of the hole rule, ITn - IT(n-1). The standard tabulates it for IT3..IT8 only.
Failure Delta(const Field& f, int r, Nanometres& delta)
{
    if (f.grade < 3)
        return {Undefined::NoDeltaForGrade, Scope::Letter, 500, 3, 8};
    delta = ItAt(r, f.grade) - ItAt(r, f.grade - 1);
    return {};
}

// The shaft table's value for a letter other than h, j, js, k (µm).
Failure ShaftTable(const Field& f, int r, int& microns)
{
    if ((f.letter == Letter::A || f.letter == Letter::B) && r == kLastUpTo1)
        return OnlyAbove(1);
    const int li = static_cast<int>(f.letter);
    const int column = li <= static_cast<int>(Letter::G) ? li : li - 4;
    microns = kShaft[r == 0 ? 0 : r - 1][column];
    return microns == X ? MissingCell(f, r) : Failure{};
}

Nanometres JsHalf(Nanometres it, int grade)
{
    // ISO 286-1 lets js7..js11 round an odd IT (whole µm) down to the even value below.
    if (grade >= 7 && grade <= 11 && it % 2000 == 1000)
        it -= 1000;
    return it / 2;
}

struct Limits {
    Nanometres upper, lower, fundamental;
};

Limits Symmetric(Nanometres it, int grade)
{
    const Nanometres half = JsHalf(it, grade);
    return {half, -half, half};
}
Limits FromUpper(Nanometres upper, Nanometres it) { return {upper, upper - it, upper}; }
Limits FromLower(Nanometres lower, Nanometres it) { return {lower + it, lower, lower}; }

Failure ShaftLimits(const Field& f, int r, Nanometres it, Limits& out)
{
    const int m = kMainOf[r];
    int v = 0;
    switch (f.letter) {
    case Letter::H:
        out = FromUpper(0, it);
        return {};
    case Letter::JS:
        out = Symmetric(it, f.grade);
        return {};
    case Letter::J:
        if (f.grade < 5 || f.grade > 8)
            return {Undefined::GradeNotForLetter, Scope::Letter, 0, 5, 8};
        if (r > kLastUpTo500)
            return OnlyUpTo(500);
        v = kShaftJ[m][f.grade <= 6 ? 0 : f.grade - 6];
        if (v == X)
            return {Undefined::LetterNotAboveSize, Scope::Field, 3};
        out = FromLower(Nm(v), it);
        return {};
    case Letter::K:
        v = (f.grade >= 4 && f.grade <= 7 && r <= kLastUpTo500) ? kK4to7[m] : 0;
        out = FromLower(Nm(v), it);
        return {};
    default:
        if (Failure why = ShaftTable(f, r, v))
            return why;
        out = f.letter <= Letter::G ? FromUpper(Nm(v), it) : FromLower(Nm(v), it);
        return {};
    }
}

Failure HoleLimits(const Field& f, int r, Nanometres it, Limits& out)
{
    const int m = kMainOf[r];
    // Δ applies over 3 up to 500 mm; up to 3 mm it is 0 and above 500 the table has none.
    const bool withDelta = r > kLastUpTo3 && r <= kLastUpTo500;
    int v = 0;
    Nanometres es = 0;   // ES of J..ZC
    Nanometres delta = 0;
    switch (f.letter) {
    case Letter::H:
        out = FromLower(0, it);
        return {};
    case Letter::JS:
        out = Symmetric(it, f.grade);
        return {};
    case Letter::J:
        if (f.grade < 6 || f.grade > 8)
            return {Undefined::GradeNotForLetter, Scope::Letter, 0, 6, 8};
        if (r > kLastUpTo500)
            return OnlyUpTo(500);
        es = Nm(kHoleJ[m][f.grade - 6]);
        break;
    case Letter::K:
        if (f.grade > 8 && r > kLastUpTo3)
            return CoarseGrades(Undefined::LetterNotAboveSize, 3);
        if (withDelta) {
            if (Failure why = Delta(f, r, delta))
                return why;
            es = -Nm(kK4to7[m]) + delta;
        }
        break;
    case Letter::M:
        ShaftTable(f, r, v);   // m has a value at every size
        es = -Nm(v);
        if (f.grade <= 8 && withDelta) {
            if (Failure why = Delta(f, r, delta))
                return why;
            es += delta;
            if (f.grade == 6 && kRangeUpper[r] > 250 && kRangeUpper[r] <= 315)
                es = Nm(-9);   // the standard's exception for M6 (the rule gives -11)
        }
        break;
    case Letter::N:
        if (f.grade > 8 && r == kLastUpTo1)
            return CoarseGrades(Undefined::LetterNotUpToSize, 1);
        ShaftTable(f, r, v);   // n has a value at every size
        es = -Nm(v);
        if (withDelta && f.grade > 8) {
            es = 0;
        } else if (withDelta) {
            if (Failure why = Delta(f, r, delta))
                return why;
            es += delta;
        }
        break;
    default:
        // A..G: EI = -es of the shaft; P..ZC: ES = -ei, plus Δ up to IT7.
        if (Failure why = ShaftTable(f, r, v))
            return why;
        if (f.letter <= Letter::G) {
            out = FromLower(-Nm(v), it);
            return {};
        }
        es = -Nm(v);
        if (f.grade <= 7 && withDelta) {
            if (Failure why = Delta(f, r, delta))
                return why;
            es += delta;
        }
        break;
    }
    out = FromUpper(es, it);
    return {};
}

}  // namespace

// ------------------------------------------------------------------- public

bool operator==(const Field& a, const Field& b)
{
    return a.side == b.side && a.letter == b.letter && a.grade == b.grade;
}
bool operator!=(const Field& a, const Field& b) { return !(a == b); }
bool operator==(const SizeRange& a, const SizeRange& b) { return a.lower == b.lower && a.upper == b.upper; }

std::string LetterName(Side side, Letter letter)
{
    const int i = static_cast<int>(letter);
    if (i < 0 || i >= kLetterCount)
        return {};
    return side == Side::Hole ? kHoleNames[i] : kShaftNames[i];
}

std::string FieldName(const Field& f) { return LetterName(f.side, f.letter) + GradeName(f.grade); }

std::optional<Field> ParseField(std::string_view text)
{
    // Longest letter wins, so "zc18" is zc and not z; "Js" is the one mixed-case name.
    std::optional<Field> found;
    std::size_t letterLength = 0;
    auto consider = [&](std::string_view name, Side side, Letter letter) {
        if (name.size() > letterLength && text.substr(0, name.size()) == name) {
            letterLength = name.size();
            found = Field{side, letter, 0};
        }
    };
    consider("Js", Side::Shaft, Letter::JS);
    for (int i = 0; i < kLetterCount; ++i) {
        consider(kHoleNames[i], Side::Hole, static_cast<Letter>(i));
        consider(kShaftNames[i], Side::Shaft, static_cast<Letter>(i));
    }
    if (!found)
        return std::nullopt;
    const std::string_view digits = text.substr(letterLength);
    if (digits == "01") {
        found->grade = kGrade01;
        return found;
    }
    if (digits.empty() || digits.size() > 2 || (digits.size() == 2 && digits[0] == '0'))
        return std::nullopt;
    int grade = 0;
    for (char c : digits) {
        if (c < '0' || c > '9')
            return std::nullopt;
        grade = grade * 10 + (c - '0');
    }
    if (grade > kGradeMax)
        return std::nullopt;
    found->grade = grade;
    return found;
}

std::optional<SizeRange> RangeOf(int sizeCeilMm)
{
    if (sizeCeilMm < 1 || sizeCeilMm > kMaxSizeCeil)
        return std::nullopt;
    const int r = kCeilIndex.of[sizeCeilMm];
    return SizeRange{RangeLower(r), kRangeUpper[r]};
}

std::vector<SizeRange> Ranges()
{
    std::vector<SizeRange> all;
    all.reserve(kRangeCount);
    for (int r = 0; r < kRangeCount; ++r)
        all.push_back({RangeLower(r), kRangeUpper[r]});
    return all;
}

std::optional<Nanometres> ToleranceGrade(int grade, int sizeCeilMm)
{
    if (sizeCeilMm < 1 || sizeCeilMm > kMaxSizeCeil || grade < kGrade01 || grade > kGradeMax)
        return std::nullopt;
    const int r = kCeilIndex.of[sizeCeilMm];
    const Nanometres it = ItAt(r, grade);
    if (it == 0 || (grade >= 14 && r == kLastUpTo1))
        return std::nullopt;
    return it;
}

FieldLimits LimitsOf(const Field& f, int sizeCeilMm)
{
    FieldLimits out{};
    out.field = f;
    auto undefined = [&out](const Failure& why) {
        out.undefined = why.kind;
        out.scope = why.scope;
        out.boundMm = why.boundMm;
        out.gradeLow = why.gradeLow;
        out.gradeHigh = why.gradeHigh;
        return out;
    };
    if (sizeCeilMm < 1 || sizeCeilMm > kMaxSizeCeil)
        return undefined({Undefined::SizeOutOfRange, Scope::Letter, kMaxSizeCeil});
    const int r = kCeilIndex.of[sizeCeilMm];
    out.range = {RangeLower(r), kRangeUpper[r]};
    const int li = static_cast<int>(f.letter);
    if (li < 0 || li >= kLetterCount || (f.side != Side::Hole && f.side != Side::Shaft))
        return undefined({Undefined::InvalidField});
    if (f.grade < kGrade01 || f.grade > kGradeMax)
        return undefined({Undefined::GradeNotInSystem, Scope::Letter, 0, kGrade01, kGradeMax});
    const Nanometres it = ItAt(r, f.grade);
    if (it == 0)
        return undefined({Undefined::GradeNotAtSize, Scope::Letter, 500, kGrade01, 0});
    if (f.grade >= 14 && r == kLastUpTo1)
        return undefined({Undefined::GradeNotAtSize, Scope::Letter, 1, 14, kGradeMax});

    Limits limits{};
    if (Failure why = f.side == Side::Shaft ? ShaftLimits(f, r, it, limits) : HoleLimits(f, r, it, limits))
        return undefined(why);
    out.upper = limits.upper;
    out.lower = limits.lower;
    out.fundamental = limits.fundamental;
    out.it = it;
    return out;
}

FitAnalysis AnalyseFit(const FieldLimits& hole, const FieldLimits& shaft)
{
    FitAnalysis fit{hole, shaft, false, 0, 0, 0, 0, FitKind::Clearance};
    // A field on the wrong side names the side it was given for.
    auto mismatch = [](FieldLimits& l) {
        const FieldLimits given = l;
        l = FieldLimits{};
        l.field = given.field;
        l.undefined = Undefined::SideMismatch;
        l.range = given.range;
    };
    if (hole.field.side != Side::Hole)
        mismatch(fit.hole);
    if (shaft.field.side != Side::Shaft)
        mismatch(fit.shaft);
    if (!fit.hole.Defined() || !fit.shaft.Defined())
        return fit;
    fit.defined = true;
    fit.maxClearance = fit.hole.upper - fit.shaft.lower;
    fit.minClearance = fit.hole.lower - fit.shaft.upper;
    fit.mean = (fit.maxClearance + fit.minClearance) / 2;
    fit.fitTolerance = fit.maxClearance - fit.minClearance;
    fit.kind = fit.minClearance >= 0   ? FitKind::Clearance
               : fit.maxClearance <= 0 ? FitKind::Interference
                                       : FitKind::Transition;
    return fit;
}

FitAnalysis AnalyseFit(const Field& hole, const Field& shaft, int sizeCeilMm)
{
    return AnalyseFit(LimitsOf(hole, sizeCeilMm), LimitsOf(shaft, sizeCeilMm));
}

std::vector<Field> DefinedFields(Side side, int sizeCeilMm)
{
    std::vector<Field> fields;
    if (sizeCeilMm < 1 || sizeCeilMm > kMaxSizeCeil)
        return fields;
    for (int i = 0; i < kLetterCount; ++i)
        for (int g = kGrade01; g <= kGradeMax; ++g) {
            const Field f{side, static_cast<Letter>(i), g};
            if (LimitsOf(f, sizeCeilMm).undefined == Undefined::None)
                fields.push_back(f);
        }
    return fields;
}

}  // namespace iso286
