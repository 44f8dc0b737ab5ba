// SPDX-License-Identifier: GPL-3.0-or-later
#include "Boxes.h"

#include <QAbstractButton>
#include <QLineEdit>

#include "Look.h"

DeviationUnit UnitOf(const QAbstractButton* micrometresBox)
{
    return micrometresBox->isChecked() ? DeviationUnit::Micrometres : DeviationUnit::Millimetres;
}

Rounding RoundingOf(const QAbstractButton* asIs, const QAbstractButton* threeDigits)
{
    if (asIs->isChecked())
        return Rounding::AsIs;
    return threeDigits->isChecked() ? Rounding::ThreeDigits : Rounding::TwoDigits;
}

void ShowDeviation(QLineEdit* box, const DeviationText& deviation)
{
    SetTextColour(box, deviation.positive ? clMaroon : clNavy);
    box->setText(Text(deviation.text));
}

void ShowPlain(QLineEdit* box, const std::string& text)
{
    SetTextColour(box, clNavy);
    box->setText(Text(text));
}
