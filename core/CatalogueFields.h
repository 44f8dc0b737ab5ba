// What the windows need to know about the catalogue's fields beyond the raw
// tables: names, kinds, and the field list under the three filters.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

// How a field's name is coloured: a shaft-style name (lower-case letter), a
// hole-style name (capital letter) or a symmetric Js field.
enum class FieldKind { Shaft, Hole, Symmetric };

// Letter and grade with nothing between: "h7", "Js12".
std::string FieldName(uint8_t field);

// The kind the catalogue gives a field (1..40).
FieldKind KindOfField(uint8_t field);
// The kind a field name is written as: "Js…" symmetric, else by the case of
// its first letter. Used for names that need not be in the catalogue ("H6").
FieldKind KindOfFieldName(const std::string& name);

// Item indices of the three filter boxes (type and order, grade, letter);
// -1 or any index without an item passes nothing.
struct FieldFilters {
    int typeItem = 4;
    int gradeItem = 0;
    int letterItem = 0;
};

// The type item that lists the fields in grade order.
constexpr int kGradeOrderItem = 4;

// The field standing at candidate position n (1..40): the grade order's
// n-th field under the grade-order item, else field n.
uint8_t CandidateField(const FieldFilters& filters, uint8_t n);
// The type rule looks at the position n, the grade and letter rules at the
// candidate field.
bool PassesTypeFilter(const FieldFilters& filters, uint8_t n);
bool PassesGradeFilter(const FieldFilters& filters, uint8_t n);
bool PassesLetterFilter(const FieldFilters& filters, uint8_t n);
bool PassesFilters(const FieldFilters& filters, uint8_t n);

// The fields the list shows, in its order.
std::vector<uint8_t> ListedFields(const FieldFilters& filters);

// The row selected after a refill: row 0 for one or two rows, the middle
// row (count / 2) for more, -1 for none.
int DefaultRow(int count);
