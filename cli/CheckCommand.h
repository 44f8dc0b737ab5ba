// SPDX-License-Identifier: GPL-3.0-or-later
// kalimar-cli check DESIGNATION VALUE… [-] [--guard UM]: measured sizes
// judged against the limits of one field, one line each, and the batch's
// statistics after them. Plain C++17, no Qt.
#pragma once

#include <string_view>
#include <vector>

#include "Command.h"

int RunCheck(const std::vector<std::string_view>& args, CommandIo& io);
