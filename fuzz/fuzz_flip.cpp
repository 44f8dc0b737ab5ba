// SPDX-License-Identifier: GPL-3.0-or-later
// Sign flip: properties that hold on any bytes, and on a number text the
// flip negates the value and keeps every digit.
#include "../number/NumberText.h"
#include "reference.h"

#include <cstdint>
#include <string>

namespace {

std::string Trimmed(const std::string& s)
{
    const size_t b = s.find_first_not_of(' ');
    return b == std::string::npos ? std::string() : s.substr(b, s.find_last_not_of(' ') - b + 1);
}

// The text without blanks around and without its leading sign.
std::string Unsigned(const std::string& s)
{
    const std::string t = Trimmed(s);
    return !t.empty() && (t[0] == '+' || t[0] == '-') ? Trimmed(t.substr(1)) : t;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const std::string text(reinterpret_cast<const char*>(data), size);
    const std::string got = FlipSignText(text);
    if (got != Trimmed(got))
        ref::Fail("blanks left around the flipped text", ref::Quote(got));
    if (!text.empty() && text[0] == '+' && Trimmed(text.substr(1)).empty() && !got.empty())
        ref::Fail("\"+\" and blanks should give \"\"", ref::Quote(text) + " gave " + ref::Quote(got));

    const std::optional<double> value = ReadNumberText(text);
    if (!value)
        return 0;
    // The steps look only at the very first character for "+": " +5" gives
    // "-+5", which is not a number, so the number properties start after it.
    const size_t first = text.find_first_not_of(' ');
    if (first > 0 && text[first] == '+')
        return 0;
    if (Unsigned(got) != Unsigned(text))
        ref::Fail("the flip changed the digits", ref::Quote(text) + " gave " + ref::Quote(got));
    const std::optional<double> flipped = ReadNumberText(got);
    if (!flipped || *flipped != -*value)
        ref::Fail("flipped number text does not read as the negated value",
                  ref::Quote(text) + " gave " + ref::Quote(got));
    const std::optional<double> twice = ReadNumberText(FlipSignText(got));
    if (!twice || *twice != *value)
        ref::Fail("flipping twice does not give the value back", ref::Quote(text) + " gave " + ref::Quote(got));
    return 0;
}
