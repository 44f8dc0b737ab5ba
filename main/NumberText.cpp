#include "NumberText.h"
// TODO
std::string FormatGeneral(long double) { return "0"; }
std::string FormatFixed(long double, int, int) { return "0"; }
std::optional<double> ReadNumberText(const std::string&) { return std::nullopt; }
std::string FlipSignText(const std::string& t) { return t; }
