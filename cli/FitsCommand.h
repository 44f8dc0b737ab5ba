// SPDX-License-Identifier: GPL-3.0-or-later
// kalimar-cli fits SIZE [--clearance MIN..MAX] …: the fits whose clearances
// lie in a window, ranked. Plain C++17, no Qt.
#pragma once

#include <string_view>
#include <vector>

#include "Command.h"

int RunFits(const std::vector<std::string_view>& args, CommandIo& io);
