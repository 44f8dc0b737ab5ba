// SPDX-License-Identifier: GPL-3.0-or-later
#include "Units.h"

std::optional<int> SizeCeiling(const Millimetres& size, int largestMm)
{
    if (size.Sign() <= 0 || size > Millimetres(ExactDecimal(largestMm, 0)))
        return std::nullopt;
    return static_cast<int>(size.Value().Ceiling());
}
