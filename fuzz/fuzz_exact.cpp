// SPDX-License-Identifier: GPL-3.0-or-later
// Exact decimals: the general and fixed forms of any decimal value equal the
// slow model's (cut half away from zero on the exact digits) and have the
// shape of their form; out-of-range precisions and decimals act as the
// nearest allowed ones; and a text written from the value reads back as
// exactly that value.
#include "../number/NumberText.h"
#include "reference.h"

#include <climits>
#include <cstdint>
#include <string>

namespace {

std::string Args(int precision, int digits)
{
    return " (precision " + std::to_string(precision) + ", digits " + std::to_string(digits) + ")";
}

// FormatFixed holds its precision to 1..18 and its decimals to 0..18.
void CheckHeldArguments(const ExactDecimal& value, int p, int d, const std::string& text)
{
    const int lowP[] = {0, -1, INT_MIN}, highP[] = {19, 100, INT_MAX};
    const int lowD[] = {-1, INT_MIN}, highD[] = {19, INT_MAX};
    if (p == 1)
        for (int x : lowP)
            if (FormatFixed(value, x, d) != text)
                ref::Fail("precision below 1 not held to 1", ref::Quote(text) + Args(x, d));
    if (p == 18)
        for (int x : highP)
            if (FormatFixed(value, x, d) != text)
                ref::Fail("precision above 18 not held to 18", ref::Quote(text) + Args(x, d));
    if (d == 0)
        for (int x : lowD)
            if (FormatFixed(value, p, x) != text)
                ref::Fail("digits below 0 not held to 0", ref::Quote(text) + Args(p, x));
    if (d == 18)
        for (int x : highD)
            if (FormatFixed(value, p, x) != text)
                ref::Fail("digits above 18 not held to 18", ref::Quote(text) + Args(p, x));
}

// A decimal from fuzz bytes: sign, up to 60 digits, exponent -400..400.
bool NextDecimal(const uint8_t*& data, size_t& size, ref::Decimal& d, std::string& raw, long& exponent)
{
    if (size < 4)
        return false;
    d.negative = data[0] & 1;
    const size_t count = 1 + data[1] % 60;
    exponent = static_cast<long>((data[2] << 8 | data[3]) % 801) - 400;
    data += 4;
    size -= 4;
    raw.clear();
    for (size_t i = 0; i < count && size > 0; ++i, ++data, --size)
        raw += static_cast<char>('0' + *data % 10);
    // The model's form: 0.digits x 10^E without leading or trailing zeros.
    const size_t first = raw.find_first_not_of('0');
    if (first == std::string::npos) {
        d = ref::Decimal();
        return true;
    }
    std::string digits = raw.substr(first);
    d.exponent = exponent + static_cast<long long>(digits.size());
    while (digits.back() == '0')
        digits.pop_back();
    d.digits = digits;
    return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size < 2)
        return 0;
    const int precision = 1 + data[0] % 18;
    const int digits = data[1] % 19;
    data += 2;
    size -= 2;
    ref::Decimal model;
    std::string raw;
    long exponent = 0;
    while (NextDecimal(data, size, model, raw, exponent)) {
        const ExactDecimal value(raw, model.negative, exponent);
        const std::string general = FormatGeneral(value);
        if (const std::string shape = ref::GeneralShapeError(general); !shape.empty())
            ref::Fail(("general form shape: " + shape).c_str(), ref::Quote(general));
        if (general != ref::ExpectedGeneralOf(model))
            ref::Fail("general form of an exact value differs from the model",
                      ref::Quote(general) + " vs " + ref::Quote(ref::ExpectedGeneralOf(model)));
        const std::string fixed = FormatFixed(value, precision, digits);
        if (const std::string shape = ref::FixedShapeError(fixed, precision, digits); !shape.empty())
            ref::Fail(("fixed form shape: " + shape).c_str(), ref::Quote(fixed) + Args(precision, digits));
        if (fixed != ref::ExpectedFixedOf(model, precision, digits))
            ref::Fail("fixed form of an exact value differs from the model",
                      ref::Quote(fixed) + " vs " + ref::Quote(ref::ExpectedFixedOf(model, precision, digits)));
        CheckHeldArguments(value, precision, digits, fixed);

        // Written as typed digits with an exponent, within the range of a
        // double's normal values, the text reads back exactly.
        if (model.zero() || model.exponent < -300 || model.exponent > 300)
            continue;
        const std::string text = (model.negative ? "-" : "") + raw + "E" + std::to_string(exponent);
        const std::optional<ExactDecimal> read = ReadDecimalText(text);
        if (!read || *read != value)
            ref::Fail("a decimal text does not read as its exact value", ref::Quote(text));
    }
    return 0;
}
