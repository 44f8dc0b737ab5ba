// Exact decimals: the general and fixed forms of any decimal value equal the
// slow model's (cut half away from zero on the exact digits), and a text
// written from the value reads back as exactly that value.
#include "../core/NumberText.h"
#include "reference.h"

#include <cstdint>
#include <string>

namespace {

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
        if (general != ref::ExpectedGeneralOf(model))
            ref::Fail("general form of an exact value differs from the model",
                      ref::Quote(general) + " vs " + ref::Quote(ref::ExpectedGeneralOf(model)));
        const std::string fixed = FormatFixed(value, precision, digits);
        if (fixed != ref::ExpectedFixedOf(model, precision, digits))
            ref::Fail("fixed form of an exact value differs from the model",
                      ref::Quote(fixed) + " vs " + ref::Quote(ref::ExpectedFixedOf(model, precision, digits)));

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
