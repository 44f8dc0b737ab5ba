#!/usr/bin/env python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""Writes check_statistics.txt: batches of measured sizes with their
statistics computed by an independent model (exact fractions, then Python's
decimal at 80 digits for the square roots), each rounded half away from zero
to 12 significant digits.

One batch a line, fields separated by ";":
designation; largest limit, mm; smallest limit, mm; sizes, mm (blank-separated);
mean, mm; mean - mid, um; s, um; Cp; Cpk        ("-" where not defined)

    python3 tests/data/make_check_statistics.py > tests/data/check_statistics.txt
"""
import random
from decimal import Decimal, getcontext, ROUND_HALF_UP
from fractions import Fraction

getcontext().prec = 80

# Limits of a few fields, as the test checks them against the engine.
FIELDS = [
    ("25H7", "25.021", "25"),
    ("40g6", "39.991", "39.975"),
    ("10js6", "10.0045", "9.9955"),
    ("100k6", "100.025", "100.003"),
    ("6H11", "6.075", "6"),
    ("2,5F8", "2.52", "2.506"),
    ("500h9", "500", "499.845"),
]


def dec(f):
    return Decimal(f.numerator) / Decimal(f.denominator)


def significant(d, digits=12):
    if d == 0:
        return Decimal(0)
    return d.quantize(Decimal(1).scaleb(d.adjusted() - digits + 1), rounding=ROUND_HALF_UP)


def text(d):
    if d is None:
        return "-"
    s = format(d.normalize(), "f")
    return "0" if s in ("0", "-0") else s


def stats(values, upper, lower):
    n = len(values)
    xs = [Fraction(v) for v in values]
    total = sum(xs)
    mean = total / n
    mid = (upper + lower) / 2
    result = [significant(dec(mean)), significant(dec((mean - mid) * 1000))]
    if n < 2:
        return result + [None, None, None]
    var = sum((x - mean) ** 2 for x in xs) / (n - 1)  # mm^2
    s_um = significant(dec(var * 1000000).sqrt())
    if var == 0:
        return result + [s_um, None, None]
    s = dec(var).sqrt()
    t = dec(upper - lower)
    cp = significant(t / (6 * s))
    d = min(upper - mean, mean - lower)
    cpk = significant(dec(d) / (3 * s))
    return result + [s_um, cp, cpk]


def main():
    rng = random.Random(20)
    lines = []
    for case in range(60):
        name, up, low = FIELDS[case % len(FIELDS)]
        upper, lower = Fraction(up), Fraction(low)
        tol = upper - lower
        places = rng.choice([3, 3, 4, 6, 9])
        n = rng.choice([1, 2, 2, 3, 5, 10, 30, 200])
        centre = lower + tol * Fraction(rng.randint(-20, 120), 100)
        spread = tol * Fraction(rng.randint(0, 60), 100)
        values = []
        for _ in range(n):
            v = centre + spread * Fraction(rng.randint(-1000, 1000), 1000)
            q = Fraction(round(v * 10**places), 10**places)
            values.append(format(Decimal(q.numerator) / Decimal(q.denominator), "f"))
        if case % 13 == 5:
            values = [values[0]] * max(n, 2)  # s = 0
        figures = stats(values, upper, lower)
        lines.append(";".join([name, up, low, " ".join(values)] + [text(f) for f in figures]))
    print("\n".join(lines))


if __name__ == "__main__":
    main()
