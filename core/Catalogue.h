// SPDX-License-Identifier: GPL-3.0-or-later
// The program's rules about fields and sizes beyond the raw tables: field
// names and kinds, the main window's list under its three filters, the ISO
// field behind each catalogue name, field names as users type them, and
// which sizes the catalogue and the ISO system take. Plain C++17, no Qt.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "Iso286.h"
#include "Units.h"

// ---- Sizes

// The ISO system's sizes: above 0 and at most 3150 mm. The engine's size
// argument (the whole millimetre at or above the size); nullopt outside.
std::optional<int> IsoSizeCeiling(const Millimetres& size);

// The catalogue range (1..28) that holds a size, compared exactly with the
// bounds (exactly 1 mm belongs to range 2); 0 when none does.
uint8_t CatalogueRange(const Millimetres& size);

// ---- Names and kinds

// How a field's name is coloured: a shaft-style name (lower-case letter), a
// hole-style name (capital letter) or a symmetric js/JS field.
enum class FieldKind { Shaft, Hole, Symmetric };

// Catalogue field 1..40: letter and grade with nothing between ("h7", "Js12").
std::string FieldName(uint8_t field);
// The kind the catalogue gives a field (1..40).
FieldKind KindOfField(uint8_t field);
// The kind of an ISO field.
FieldKind KindOf(const iso286::Field& field);
// The kind a field name is written as ("Js…" symmetric, "K6" a hole): the
// kind of the field the name reads as, a shaft for a name that reads as none.
FieldKind KindOfFieldName(const std::string& name);

// A field name as ISO writes it ("H7", "js6", "JS7"), where "Js…" names
// the symmetric field of `jsSide`; nullopt for anything else.
std::optional<iso286::Field> ReadFieldName(std::string_view name, iso286::Side jsSide);
// A field name typed for one side: blanks around are ignored. nullopt for a
// name that is no field, or a field of the other side.
std::optional<iso286::Field> ReadFieldText(const std::string& text, iso286::Side side);

// ---- The ISO fields behind the catalogue

// A few catalogue names are written in the other case than the deviations
// they carry ("K6" holds the shaft's k6, "k7" the hole's K7), and the
// catalogue writes every symmetric field "Js". The ISO field whose
// deviations catalogue field 1..40 carries.
iso286::Field IsoFieldOfCatalogue(uint8_t field);

// A hole and a shaft to start a fit from.
struct FitFields {
    iso286::Field hole, shaft;
};
// A hole field with h6 as its shaft; a shaft field (js included) with H7 as its hole.
FitFields FitAroundField(const iso286::Field& field);

// ---- The main window's field list

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
