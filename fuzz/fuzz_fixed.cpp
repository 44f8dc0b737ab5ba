// Fixed form: the text equals the slow model's for precision 1..18 and
// decimals 0..18, has the fixed shape, and out-of-range arguments act as
// the nearest allowed ones.
#include "../core/NumberText.h"
#include "reference.h"

#include <climits>
#include <cstdint>
#include <string>

namespace {

std::string Args(int p, int d)
{
    return " (precision " + std::to_string(p) + ", digits " + std::to_string(d) + ")";
}

void Check(long double v, int p, int d)
{
    const std::string text = FormatFixed(v, p, d);
    const std::string shape = ref::FixedShapeError(text, p, d);
    if (!shape.empty())
        ref::Fail(("fixed form shape: " + shape).c_str(),
                  ref::Quote(text) + Args(p, d) + " for " + ref::Describe(v));
    const std::string want = ref::ExpectedFixed(v, p, d);
    if (text != want)
        ref::Fail("fixed form differs from the model",
                  ref::Quote(text) + " vs model " + ref::Quote(want) + Args(p, d) + " for " +
                      ref::Describe(v));

    const int lowP[] = {0, -1, INT_MIN}, highP[] = {19, 100, INT_MAX};
    const int lowD[] = {-1, INT_MIN}, highD[] = {19, INT_MAX};
    if (p == 1)
        for (int x : lowP)
            if (FormatFixed(v, x, d) != text)
                ref::Fail("precision below 1 not held to 1", ref::Describe(v) + Args(x, d));
    if (p == 18)
        for (int x : highP)
            if (FormatFixed(v, x, d) != text)
                ref::Fail("precision above 18 not held to 18", ref::Describe(v) + Args(x, d));
    if (d == 0)
        for (int x : lowD)
            if (FormatFixed(v, p, x) != text)
                ref::Fail("digits below 0 not held to 0", ref::Describe(v) + Args(p, x));
    if (d == 18)
        for (int x : highD)
            if (FormatFixed(v, p, x) != text)
                ref::Fail("digits above 18 not held to 18", ref::Describe(v) + Args(p, x));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size < 2)
        return 0;
    const int p = 1 + data[0] % 18;
    const int d = data[1] % 19;
    data += 2;
    size -= 2;
    long double v;
    while (ref::NextValue(data, size, v)) {
        Check(v, p, d);
        Check(-v, p, d);
    }
    return 0;
}
