// SPDX-License-Identifier: GPL-3.0-or-later
// kalimar-cli general: the general tolerances of a drawing at a size
// (ГОСТ 30893.1/.2, the IT form). Plain C++17, no Qt.
#pragma once

#include <string_view>
#include <vector>

#include "Command.h"

// general RULE SIZE… [--hole | --shaft | --other | --radius | --angle |
// --straightness | --flatness | --perpendicularity | --symmetry | --runout]
int RunGeneral(const std::vector<std::string_view>& args, CommandIo& io);
