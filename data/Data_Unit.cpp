#include "Data_Unit.h"
// TODO: catalogue content
SizeRange SizeRanges[kRangeCount + 1];
TFieldCatalogue FieldCatalogue;
const char* const ColourCode[kFieldCount + 1] = {};
const uint8_t GradeOrder[kFieldCount + 1] = {};
uint8_t ListFieldMap[kFieldCount];
void BuildSizeRanges() {}
void BuildDeviationTable() {}
void BuildFieldNames() {}
uint8_t RangeOfSize(double) { return 0; }
DeviationValues DeviationsOf(uint8_t, uint8_t) { return {false, 0, 0}; }
uint8_t FieldOfRow(uint8_t row) { return ListFieldMap[row]; }
