// SPDX-License-Identifier: GPL-3.0-or-later
#include "Texts.h"

const char* const kNoDataText = "нет данных";
const char* const kNotDefinedText = "не определено";

const FigureName kLargestClearance{"Smax", "Наибольший зазор"};
const FigureName kSmallestClearance{"Smin", "Наименьший зазор"};
const FigureName kLargestInterference{"Nmax", "Наибольший натяг"};
const FigureName kSmallestInterference{"Nmin", "Наименьший натяг"};
const FigureName kMeanClearance{"Sm", "Средний зазор"};
const FigureName kMeanInterference{"Nm", "Средний натяг"};
const FigureName kFitTolerance{"T", "Допуск посадки"};

namespace {

using iso286::Scope;
using iso286::Undefined;

std::string Number(int n) { return std::to_string(n); }

std::string Grade(int grade) { return grade == iso286::kGrade01 ? "01" : Number(grade); }

}  // namespace

std::string UndefinedText(const iso286::FieldLimits& l)
{
    const iso286::Field& f = l.field;
    const std::string letter = iso286::LetterName(f.side, f.letter);
    const std::string bound = Number(l.boundMm);
    // "Отклонение K в квалитетах грубее IT8" and the like.
    const std::string coarse = "Отклонение " + letter + " в квалитетах грубее IT" + Number(l.gradeHigh);
    std::string s;
    switch (l.undefined) {
    case Undefined::None:
        return s;
    case Undefined::SizeOutOfRange:
        s = "Размер вне системы ISO 286: допустимы размеры свыше 0 до " + bound + " мм";
        break;
    case Undefined::GradeNotInSystem:
        s = "Квалитета IT" + Number(f.grade) + " нет в системе: допустимы IT01, IT0, IT1 … IT" + Grade(l.gradeHigh);
        break;
    case Undefined::InvalidField:
        s = "Поле допуска задано неверно";
        break;
    case Undefined::GradeNotAtSize:
        s = l.gradeLow == iso286::kGrade01
                ? "IT01 и IT0 определены только до " + bound + " мм"
                : "Квалитеты IT" + Grade(l.gradeLow) + "–IT" + Grade(l.gradeHigh) + " не применяются для размеров до "
                      + bound + " мм";
        break;
    case Undefined::LetterNotUpToSize:
        if (l.scope == Scope::CoarseGrades)
            s = coarse + " не применяется для размеров до " + bound + " мм";
        else if (l.boundMm == 1)
            s = "Основное отклонение " + letter + " не применяется для размеров до 1 мм";
        else
            s = "Основное отклонение " + letter + " определено только для размеров свыше " + bound + " мм";
        break;
    case Undefined::LetterNotAboveSize:
        s = l.scope == Scope::CoarseGrades ? coarse
            : l.scope == Scope::Field      ? "Поле " + iso286::FieldName(f)
                                           : "Основное отклонение " + letter;
        s += " определено только для размеров до " + bound + " мм";
        break;
    case Undefined::GradeNotForLetter:
        s = "Отклонение " + letter + " установлено только для квалитетов " + Grade(l.gradeLow) + "–"
            + Grade(l.gradeHigh);
        break;
    case Undefined::NoDeltaForGrade:
        s = "Поправка Δ для отклонения " + letter + " в квалитетах точнее IT" + Grade(l.gradeLow)
            + " стандартом не установлена (размеры свыше 3 до " + bound + " мм)";
        break;
    case Undefined::SideMismatch:
        s = f.side == iso286::Side::Shaft ? "Вместо поля отверстия задано поле вала"
                                          : "Вместо поля вала задано поле отверстия";
        break;
    }
    return s + ".";
}

const char* FitKindText(iso286::FitKind kind)
{
    switch (kind) {
    case iso286::FitKind::Clearance:
        return "с зазором";
    case iso286::FitKind::Transition:
        return "переходная";
    case iso286::FitKind::Interference:
        break;
    }
    return "с натягом";
}
