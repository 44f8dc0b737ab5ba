// SPDX-License-Identifier: GPL-3.0-or-later
// Reading: accepted exactly when the text fits the grammar and is within
// the double range, and then the correctly rounded value, sign of zero
// included; the exact reading agrees on what is a number and on zero.
#include "../number/NumberText.h"
#include "reference.h"

#include <cstdint>
#include <cstdio>
#include <cstring>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const std::string text(reinterpret_cast<const char*>(data), size);
    const std::optional<double> got = ReadNumberText(text);
    const ref::ReadResult want = ref::ExpectedRead(text);

    if (got && !ref::MatchesReadGrammar(text))
        ref::Fail("accepted a text outside the grammar", ref::Quote(text));
    if (got.has_value() != want.accepted)
        ref::Fail(want.accepted ? "rejected a number text in range"
                                : "accepted a text beyond the double range",
                  ref::Quote(text));
    if (got && std::memcmp(&*got, &want.value, sizeof(double)) != 0) {
        char buf[128];
        std::snprintf(buf, sizeof buf, " read %a, correctly rounded %a", *got, want.value);
        ref::Fail("value read is not the correctly rounded one", ref::Quote(text) + buf);
    }
    // The exact reading takes the same texts, and reads zero where they do.
    const std::optional<ExactDecimal> exact = ReadDecimalText(text);
    if (exact.has_value() != got.has_value())
        ref::Fail("exact and binary reading disagree on what is a number", ref::Quote(text));
    if (exact && (exact->Sign() == 0) != (*got == 0))
        ref::Fail("exact and binary reading disagree on zero", ref::Quote(text));
    if (exact && exact->Sign() != 0 && (exact->Sign() < 0) != (*got < 0))
        ref::Fail("exact and binary reading disagree on the sign", ref::Quote(text));
    return 0;
}
