// General form: the text equals the slow model's, has the general shape,
// and reads back within its 15-digit rounding.
#include "../core/NumberText.h"
#include "reference.h"

#include <cfloat>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <string>

namespace {

void Check(long double v)
{
    const std::string text = FormatGeneral(v);
    const std::string shape = ref::GeneralShapeError(text);
    if (!shape.empty())
        ref::Fail(("general form shape: " + shape).c_str(), ref::Quote(text) + " for " + ref::Describe(v));
    const std::string want = ref::ExpectedGeneral(v);
    if (text != want)
        ref::Fail("general form differs from the model",
                  ref::Quote(text) + " vs model " + ref::Quote(want) + " for " + ref::Describe(v));
    if (!std::isfinite(v))
        return;

    // Read back: the double nearest the written decimal, when in range.
    const std::optional<double> back = ReadNumberText(text);
    const ref::ReadResult expect = ref::ExpectedRead(text);
    if (back.has_value() != expect.accepted || (back && *back != expect.value))
        ref::Fail("general text does not read as its correctly rounded value",
                  ref::Quote(text) + " for " + ref::Describe(v));
    // Values from about 1,797693134862315E308 up, DBL_MAX included, round
    // to a 15-digit text above DBL_MAX, which then is not a number; that
    // follows from the two rules. Below that every text must read.
    if (!back) {
        if (std::fabs(v) < 1.7976931348623149e308L)
            ref::Fail("general text of a value below DBL_MAX does not read", ref::Quote(text));
        return;
    }
    const ref::Decimal d = ref::CutHalfAway(ref::NearestEven(ref::ExactDecimal(v), 18), 15);
    if (d.zero()) {
        if (*back != 0)
            ref::Fail("zero text reads as nonzero", ref::Quote(text));
        return;
    }
    // Half a unit of the 15th digit, the 18-digit step, the double's own
    // rounding, and some slack for computing the bound itself.
    const long double unit = std::pow(10.0L, static_cast<long double>(d.exponent - 15));
    const long double bound = (0.5L * unit + 0.5e-3L * unit) * (1 + 1e-15L) +
                              std::fabs(static_cast<long double>(*back)) * 0x1p-53L + 0x1p-1074L;
    const long double err = std::fabs(static_cast<long double>(*back) - v);
    if (!(err <= bound))
        ref::Fail("general text reads back too far from the value",
                  ref::Quote(text) + " for " + ref::Describe(v));
    // A normal double's 15-digit text is stable under another round trip.
    if (std::fabs(*back) >= DBL_MIN && FormatGeneral(*back) != text)
        ref::Fail("general text of the value read back differs",
                  ref::Quote(text) + " then " + ref::Quote(FormatGeneral(*back)));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    long double v;
    while (ref::NextValue(data, size, v)) {
        Check(v);
        Check(-v);
    }
    return 0;
}
