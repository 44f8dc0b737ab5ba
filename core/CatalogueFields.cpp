#include "CatalogueFields.h"

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

}  // namespace

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

FieldKind KindOfFieldName(const std::string& name)
{
    if (name.compare(0, 2, "Js") == 0)
        return FieldKind::Symmetric;
    return !name.empty() && name[0] >= 'A' && name[0] <= 'Z' ? FieldKind::Hole : FieldKind::Shaft;
}

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
