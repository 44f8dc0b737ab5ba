// SPDX-License-Identifier: GPL-3.0-or-later
#include "Designation.h"

#include "Catalogue.h"
#include "NumberText.h"
#include "TextCursor.h"

namespace {

using iso286::Field;
using iso286::Side;

bool IsHexDigit(char c) { return IsDigit(c) || (c >= 'A' && c <= 'F') || (c >= 'a' && c <= 'f'); }

// Letters and digits from the input only, so the reason stays valid UTF-8.
std::string Quoted(std::string_view ascii)
{
    constexpr size_t kShown = 4;
    if (ascii.size() <= kShown)
        return "«" + std::string(ascii) + "»";
    return "«" + std::string(ascii.substr(0, kShown)) + "…»";
}

const char* const kCyrillic = "Поле допуска набрано русскими буквами: нужны латинские, например H7 или g6.";

// ParseField decides; the reason comes from asking it about the letters alone.
// "Js" is the symmetric field of `jsSide`.
std::optional<Field> ReadField(TextCursor& c, Side jsSide, const char* missing, std::string& error)
{
    const std::string_view letters = c.TakeWhile(IsLatinLetter);
    if (c.AtCyrillic()) {
        error = kCyrillic;
        return std::nullopt;
    }
    const std::string_view digits = c.TakeWhile(IsDigit);
    std::string name(letters);
    name += digits;
    if (const std::optional<Field> field = ReadFieldName(name, jsSide))
        return field;
    if (letters.empty()) {
        error = missing;
    } else if (const std::optional<Field> letter = iso286::ParseField(std::string(letters) + "1"); !letter) {
        error = "Неизвестное основное отклонение " + Quoted(letters) + ": такой буквы нет в ISO 286.";
    } else if (digits.empty()) {
        const std::string letterName = iso286::LetterName(letter->side, letter->letter);
        error = "У поля " + letterName + " не указан квалитет, например " + letterName + "7.";
    } else {
        error = "Квалитета " + Quoted(digits) + " нет: квалитеты 01, 0, 1 … 18.";
    }
    return std::nullopt;
}

std::string Extra(const Field& f, TextCursor& c, bool mayBeFit)
{
    // "25H7g6": a second field where the "/" was forgotten.
    if (mayBeFit && !c.TakeWhile(IsLatinLetter).empty() && !c.TakeWhile(IsDigit).empty()) {
        c.SkipBlanks();
        if (c.AtEnd())
            return "Поля посадки разделяются знаком «/», например 25H7/g6.";
    }
    return "После поля " + iso286::FieldName(f) + " лишние символы.";
}

DesignationReading Failed(std::string reason)
{
    DesignationReading r;
    r.error = std::move(reason);
    return r;
}

}  // namespace

namespace {

// "1e1H7", "1e-3H7": a size written with an exponent, then a field. "1E1"
// alone is 1 mm E1, and "25E8h8" a fit whose "/" was forgotten; a sign
// after the "e", or a hole's field after the supposed e-field, tells an
// exponent, since a fit never puts a second hole after a field.
bool AtExponentBeforeField(const TextCursor& c)
{
    if (c.Peek() != 'e' && c.Peek() != 'E')
        return false;
    if ((c.PeekAt(1) == '+' || c.PeekAt(1) == '-') && IsDigit(c.PeekAt(2)))
        return true;
    size_t at = 1;
    if (!IsDigit(c.PeekAt(at)))
        return false;
    while (IsDigit(c.PeekAt(at)))
        ++at;
    while (c.PeekAt(at) == ' ' || c.PeekAt(at) == '\t')
        ++at;
    return c.PeekAt(at) >= 'A' && c.PeekAt(at) <= 'Z';
}

// Digits with an optional fraction after "," or ".".
std::optional<Millimetres> ReadSize(TextCursor& c, std::string& error)
{
    const std::string_view whole = c.TakeWhile(IsDigit);
    if (whole.empty()) {
        error = "Обозначение начинается с размера в миллиметрах, например 25H7.";
        return std::nullopt;
    }
    if (whole == "0" && (c.Peek() == 'x' || c.Peek() == 'X') && IsHexDigit(c.PeekAt(1))) {
        error = "Размер пишется десятичными цифрами: шестнадцатеричная запись 0x… не читается.";
        return std::nullopt;
    }
    std::string_view fraction;
    if (c.Take(",") || c.Take(".")) {
        fraction = c.TakeWhile(IsDigit);
        if (fraction.empty()) {
            error = "После десятичной запятой в размере нет цифр.";
            return std::nullopt;
        }
    }
    return Millimetres(
        ExactDecimal(std::string(whole) + std::string(fraction), false, -static_cast<long>(fraction.size())));
}

// "25 мм H7", "25мм H7", "25 mm H7": the unit after the size is taken as read.
void SkipUnit(TextCursor& c)
{
    c.SkipBlanks();
    if (c.Take("\xD0\xBC\xD0\xBC")) {  // мм
        c.SkipBlanks();
        return;
    }
    if ((c.Peek() == 'm') && c.PeekAt(1) == 'm' && (c.PeekAt(2) == ' ' || c.PeekAt(2) == '\t')) {
        c.Take("mm");
        c.SkipBlanks();
    }
}

}  // namespace

DesignationReading ReadDesignation(std::string_view text)
{
    TextCursor c(text);
    c.SkipBlanks();
    if (c.AtEnd())
        return Failed("Пустое обозначение.");
    if (c.Take("\xC3\x98") || c.Take("\xC3\xB8") || c.Take("\xE2\x8C\x80") || c.Take("\xE2\x88\x85"))  // Ø ø ⌀ ∅
        c.SkipBlanks();

    if (c.Peek() == '+' || c.Peek() == '-')
        return Failed("Размер пишется без знака.");
    std::string error;
    std::optional<Millimetres> size = ReadSize(c, error);
    if (!size)
        return Failed(error);
    if (AtExponentBeforeField(c))
        return Failed("Размер пишется без показателя степени: например, 10H7, а не 1e1H7.");
    Designation d;
    d.size = std::move(*size);
    const std::optional<int> ceiling = IsoSizeCeiling(d.size);
    if (!ceiling)
        return Failed(d.size.Sign() == 0 ? "Размер должен быть больше 0 мм."
                                         : "Размер больше " + std::to_string(iso286::kMaxSizeCeil)
                                               + " мм: система ISO 286 задана только до "
                                               + std::to_string(iso286::kMaxSizeCeil) + " мм.");
    d.ceiling = *ceiling;

    SkipUnit(c);
    // A lone "Js" names the shaft's js, as the main window's catalogue does;
    // as the first field of a fit it is the hole's JS.
    const size_t fieldStart = c.Position();
    std::optional<Field> field = ReadField(c, Side::Shaft, "После размера нет поля допуска, например H7 или g6.", error);
    if (!field)
        return Failed(error);
    const bool writtenJs = text.substr(fieldStart, 2) == "Js";
    d.field = *field;
    c.SkipBlanks();
    if (c.AtEnd())
        return {d, {}};
    if (!c.Take("/"))
        return Failed(Extra(*field, c, true));
    if (writtenJs)
        d.field.side = Side::Hole;
    if (d.field.side != Side::Hole)
        return Failed("В посадке первым пишется поле отверстия (прописными буквами), а "
                      + iso286::FieldName(*field) + " — поле вала.");

    c.SkipBlanks();
    d.shaft = ReadField(c, Side::Shaft, "После «/» нет поля вала, например 25H7/g6.", error);
    if (!d.shaft)
        return Failed(error);
    if (d.shaft->side != Side::Shaft)
        return Failed("В посадке вторым пишется поле вала (строчными буквами), а " + iso286::FieldName(*d.shaft)
                      + " — поле отверстия.");
    c.SkipBlanks();
    if (!c.AtEnd())
        return Failed(Extra(*d.shaft, c, false));
    return {d, {}};
}

std::optional<Millimetres> ReadSizeText(std::string_view text)
{
    TextCursor c(text);
    c.SkipBlanks();
    std::string error;
    std::optional<Millimetres> size = ReadSize(c, error);
    c.SkipBlanks();
    if (!c.AtEnd())
        return std::nullopt;
    return size;
}

std::string DesignationText(const Designation& d, char point)
{
    std::string text = ExactPositional(d.size.Value(), point) + iso286::FieldName(d.field);
    if (d.shaft)
        text += "/" + iso286::FieldName(*d.shaft);
    return text;
}
