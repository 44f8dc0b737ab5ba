// SPDX-License-Identifier: GPL-3.0-or-later
// kalimar-cli find SIZE UPPER LOWER: the ISO 286 fields with those limit
// deviations at the size, then the nearest others. Plain C++17, no Qt.
#pragma once

#include <string_view>
#include <vector>

#include "Command.h"

int RunFind(const std::vector<std::string_view>& args, CommandIo& io);
