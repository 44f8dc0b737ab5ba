# SPDX-License-Identifier: GPL-3.0-or-later
# Designations for the kalimar-cli benchmark, one per line, always the same:
#   awk -v n=100000 -f bench/cli_designations.awk
# Sizes over the whole 0..3150 mm with and without fractions, fields and fits
# of many letters and grades, a few written with spaces or a diameter sign,
# and some that are refused or not defined (a wrong letter, zc and A above
# 500 mm).
BEGIN {
    if (!n) n = 100000
    nf = split("H7 h6 g6 js7 JS7 k6 F8 e9 H11 c11 p6 s7 u6 N7 M6 zc9 h5 A12 f7 Js6 Q7", field, " ")
    nt = split("H7/g6 H7/k6 H8/f7 H7/s6 H11/c11 JS7/h6", fit, " ")
    for (i = 0; i < n; i++) {
        size = 1 + (i * 37) % 3150
        if (i % 3 == 1) size = size "," (i % 1000)
        if (i % 50 == 7) size = "\xC3\x98 " size " "
        print size ((i % 10 == 9) ? fit[1 + i % nt] : field[1 + i % nf])
    }
}
