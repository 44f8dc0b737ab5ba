# SPDX-License-Identifier: GPL-3.0-or-later
# Measured sizes for the kalimar-cli check benchmark, one per line, always the
# same: awk -v n=1000000 -f bench/check_values.awk
# Sizes of a 25H7 hole as a gauge reads them: mostly inside the tolerance,
# some just outside, a third to 0,0001 mm, half written with a point, and one
# in a thousand mistyped.
BEGIN {
    if (!n) n = 1000000
    for (i = 0; i < n; i++) {
        um = (i * 7919) % 27 - 3          # -3 .. 23 µm above 25 mm
        if (i % 3 == 1)
            text = sprintf("25,%03d%d", um < 0 ? 0 : um, i % 10)
        else
            text = sprintf("%s", um < 0 ? sprintf("24,%03d", 1000 + um) : sprintf("25,%03d", um))
        if (i % 2 == 0) sub(",", ".", text)
        if (i % 1000 == 999) text = "25,0l3"
        print text
    }
}
