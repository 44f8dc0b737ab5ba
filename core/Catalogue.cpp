// SPDX-License-Identifier: GPL-3.0-or-later
#include "Catalogue.h"

#include <cstring>
#include <initializer_list>

#include "Data_Unit.h"

namespace {

// Grade of each item of the grade filter, from item 1.
constexpr uint8_t kGradeItems[] = {0, 6, 7, 8, 9, 11, 12, 13, 14, 15, 16};
constexpr int kLastGradeItem = 10;

// Letters each item of the letter filter accepts, from item 1; case matters.
const std::initializer_list<const char*> kLetterItems[] = {
    {}, {"g"}, {"H", "h"}, {"Js"}, {"K", "k"}, {"N"}, {"R"}, {"F", "f"}, {"S"}, {"U"}, {"d"}, {"b"},
};
constexpr int kLastLetterItem = 11;

// Catalogue names whose deviations belong to another ISO name.
struct Renamed {
    const char* catalogue;
    const char* iso;
};
constexpr Renamed kRenamed[] = {
    {"K6", "k6"},   {"N6", "n6"},   {"R6", "r6"},   {"S7", "s7"},   {"U8", "u8"},   {"k7", "K7"},
    {"Js7", "JS7"}, {"Js12", "JS12"},
};

}  // namespace

// ---- Sizes

std::optional<int> IsoSizeCeiling(const Millimetres& size) { return SizeCeiling(size, iso286::kMaxSizeCeil); }

uint8_t CatalogueRange(const Millimetres& size)
{
    static const Millimetres one(ExactDecimal(1, 0));
    const std::optional<int> ceiling = SizeCeiling(size, SizeRanges[kRangeCount].upper);
    if (!ceiling)
        return 0;
    if (size == one)
        return 2;
    for (uint8_t r = 1; r <= kRangeCount; ++r)
        if (SizeRanges[r].lower < *ceiling && *ceiling <= SizeRanges[r].upper)
            return r;
    return 0;
}

// ---- Names and kinds

std::string FieldName(uint8_t field)
{
    const ToleranceField& f = FieldCatalogue.fields[field];
    std::string name = f.letter;
    const int grade = f.grade;
    if (grade >= 10)
        name += static_cast<char>('0' + grade / 10);
    name += static_cast<char>('0' + grade % 10);
    return name;
}

FieldKind KindOfField(uint8_t field)
{
    const char* code = ColourCode[field];
    if (std::strcmp(code, "gr") == 0)
        return FieldKind::Symmetric;
    return std::strcmp(code, "r") == 0 ? FieldKind::Hole : FieldKind::Shaft;
}

FieldKind KindOf(const iso286::Field& field)
{
    if (field.letter == iso286::Letter::JS)
        return FieldKind::Symmetric;
    return field.side == iso286::Side::Hole ? FieldKind::Hole : FieldKind::Shaft;
}

FieldKind KindOfFieldName(const std::string& name)
{
    const std::optional<iso286::Field> field = iso286::ParseField(name);
    return field ? KindOf(*field) : FieldKind::Shaft;
}

std::optional<iso286::Field> ReadFieldName(std::string_view name, iso286::Side jsSide)
{
    std::optional<iso286::Field> field = iso286::ParseField(name);
    if (field && field->letter == iso286::Letter::JS && name.substr(0, 2) == "Js")
        field->side = jsSide;
    return field;
}

std::optional<iso286::Field> ReadFieldText(const std::string& text, iso286::Side side)
{
    const size_t first = text.find_first_not_of(' ');
    if (first == std::string::npos)
        return std::nullopt;
    const std::optional<iso286::Field> field =
        ReadFieldName(std::string_view(text).substr(first, text.find_last_not_of(' ') - first + 1), side);
    if (!field || field->side != side)
        return std::nullopt;
    return field;
}

// ---- The ISO fields behind the catalogue

iso286::Field IsoFieldOfCatalogue(uint8_t field)
{
    const std::string name = FieldName(field);
    for (const Renamed& r : kRenamed)
        if (name == r.catalogue)
            return *iso286::ParseField(r.iso);
    // The rest read as written; "Js6", "Js13" … "Js16" are the shaft's js.
    return *iso286::ParseField(name);
}

FitFields FitAroundField(const iso286::Field& field)
{
    if (field.side == iso286::Side::Hole)
        return {field, {iso286::Side::Shaft, iso286::Letter::H, 6}};
    return {{iso286::Side::Hole, iso286::Letter::H, 7}, field};
}

// ---- The main window's field list

uint8_t CandidateField(const FieldFilters& filters, uint8_t n)
{
    return filters.typeItem == kGradeOrderItem ? GradeOrder[n] : n;
}

bool PassesTypeFilter(const FieldFilters& filters, uint8_t n)
{
    switch (filters.typeItem) {
    case 0:
    case kGradeOrderItem:
        return n >= 1 && n <= 40;
    case 1:
        return n >= 1 && n <= 19;
    case 2:
        return n >= 20 && n <= 28;
    case 3:
        return n >= 29 && n <= 40;
    default:
        return false;
    }
}

bool PassesGradeFilter(const FieldFilters& filters, uint8_t n)
{
    const int item = filters.gradeItem;
    if (item == 0)
        return true;
    if (item < 1 || item > kLastGradeItem)
        return false;
    return FieldCatalogue.fields[CandidateField(filters, n)].grade == kGradeItems[item];
}

bool PassesLetterFilter(const FieldFilters& filters, uint8_t n)
{
    const int item = filters.letterItem;
    if (item == 0)
        return true;
    if (item < 1 || item > kLastLetterItem)
        return false;
    const char* letter = FieldCatalogue.fields[CandidateField(filters, n)].letter;
    for (const char* accepted : kLetterItems[item])
        if (std::strcmp(letter, accepted) == 0)
            return true;
    return false;
}

bool PassesFilters(const FieldFilters& filters, uint8_t n)
{
    return PassesTypeFilter(filters, n) && PassesGradeFilter(filters, n) && PassesLetterFilter(filters, n);
}

std::vector<uint8_t> ListedFields(const FieldFilters& filters)
{
    std::vector<uint8_t> fields;
    for (uint8_t n = 1; n <= kFieldCount; ++n)
        if (PassesFilters(filters, n))
            fields.push_back(CandidateField(filters, n));
    return fields;
}

int DefaultRow(int count)
{
    if (count <= 0)
        return -1;
    return count > 2 ? count / 2 : 0;
}
