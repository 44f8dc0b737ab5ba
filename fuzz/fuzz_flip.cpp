// Sign flip: follows its step list on any bytes, and on a number text
// gives a text that reads as the negated value.
#include "../main/NumberText.h"
#include "reference.h"

#include <cstdint>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const std::string text(reinterpret_cast<const char*>(data), size);
    const std::string got = FlipSignText(text);
    const std::string want = ref::ExpectedFlip(text);
    if (got != want)
        ref::Fail("flip differs from its steps", ref::Quote(text) + " gave " + ref::Quote(got) +
                                                     ", steps give " + ref::Quote(want));
    if (text.find_first_not_of(' ', text.empty() || text[0] != '+' ? 0 : 1) == std::string::npos &&
        !got.empty())
        ref::Fail("only \"+\" and blanks should give \"\"", ref::Quote(text) + " gave " + ref::Quote(got));
    if (!got.empty() && (got.front() == ' ' || got.back() == ' '))
        ref::Fail("blanks left around the flipped text", ref::Quote(got));

    const std::optional<double> value = ReadNumberText(text);
    if (!value)
        return 0;
    // The steps only look at the first character for "+": " +5" gives
    // "-+5", which is not a number. That is how the steps read.
    const size_t first = text.find_first_not_of(' ');
    if (first > 0 && text[first] == '+')
        return 0;
    const std::optional<double> flipped = ReadNumberText(got);
    if (!flipped || *flipped != -*value)
        ref::Fail("flipped number text does not read as the negated value",
                  ref::Quote(text) + " gave " + ref::Quote(got));
    return 0;
}
