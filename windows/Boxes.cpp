// SPDX-License-Identifier: GPL-3.0-or-later
#include "Boxes.h"

#include <QAbstractButton>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QRadioButton>

#include "Look.h"

DeviationUnit UnitOf(const QAbstractButton* micrometresBox)
{
    return micrometresBox->isChecked() ? DeviationUnit::Micrometres : DeviationUnit::Millimetres;
}

QLineEdit* ResultBox(QWidget* parent, const QString& objectName, const QString& accessible, int minimumWidth)
{
    auto* box = new QLineEdit(parent);
    box->setObjectName(objectName);
    box->setAccessibleName(accessible);
    box->setReadOnly(true);
    box->setFocusPolicy(Qt::ClickFocus);
    box->setFont(SansFont(14, true));
    if (minimumWidth > 0)
        box->setMinimumWidth(minimumWidth);
    SetBaseColour(box, clBtnFace());
    return box;
}

RoundingButtons MakeRoundingButtons(QWidget* parent, const QString& prefix)
{
    auto* group = new QGroupBox(QStringLiteral("Точность"), parent);
    group->setObjectName(prefix + QStringLiteral("Rounding"));
    auto* row = new QHBoxLayout(group);
    const RoundingButtons b{group, new QRadioButton(QStringLiteral("Как есть"), group),
                            new QRadioButton(QStringLiteral("2 цифры"), group),
                            new QRadioButton(QStringLiteral("3 цифры"), group)};
    b.asIs->setObjectName(prefix + QStringLiteral("AsIs"));
    b.twoDigits->setObjectName(prefix + QStringLiteral("TwoDigits"));
    b.threeDigits->setObjectName(prefix + QStringLiteral("ThreeDigits"));
    for (QRadioButton* r : {b.asIs, b.twoDigits, b.threeDigits}) {
        r->setAccessibleName(QStringLiteral("Точность: ") + r->text());
        row->addWidget(r);
    }
    b.twoDigits->setChecked(true);
    return b;
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
