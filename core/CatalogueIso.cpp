#include "CatalogueIso.h"

#include <cstring>

#include "CatalogueFields.h"

namespace {

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

std::optional<iso286::Field> ReadFieldText(const std::string& text, iso286::Side side)
{
    const size_t first = text.find_first_not_of(' ');
    if (first == std::string::npos)
        return std::nullopt;
    const std::string name = text.substr(first, text.find_last_not_of(' ') - first + 1);
    std::optional<iso286::Field> field = iso286::ParseField(name);
    if (field && field->letter == iso286::Letter::JS && name.compare(0, 2, "Js") == 0)
        field->side = side;
    if (!field || field->side != side)
        return std::nullopt;
    return field;
}
