// SPDX-License-Identifier: GPL-3.0-or-later
#include "frm_Fit_Unit.h"

#include <QCheckBox>
#include <QComboBox>
#include <QCompleter>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalBlocker>
#include <QToolButton>
#include <QVBoxLayout>

#include <string>

#include "Boxes.h"
#include "Catalogue.h"
#include "Clipboard.h"
#include "CopyTexts.h"
#include "FitPicture.h"
#include "Look.h"
#include "NumberBox.h"
#include "Texts.h"

namespace {

// One click sets both fields.
constexpr const char* kCommonFits[][2] = {
    {"H7", "g6"}, {"H7", "h6"}, {"H7", "js6"}, {"H7", "k6"}, {"H7", "n6"}, {"H7", "p6"},
    {"H7", "s6"}, {"H8", "f7"}, {"H8", "h7"}, {"H9", "d9"}, {"H11", "c11"},
};

const char* const kRowNames[] = {"Верхнее отклонение", "Нижнее отклонение", "Наибольший размер",
                                 "Наименьший размер", "Допуск"};
const char* const kRowKeys[] = {"Upper", "Lower", "Max", "Min", "Tolerance"};
const char* const kFigureKeys[] = {"First", "Second", "Mean", "FitTolerance"};

constexpr int kResultWidth = 96;  // px, the least width of a result box

QComboBox* FieldBox(QWidget* parent, const char* name, const QString& accessible)
{
    auto* box = new QComboBox(parent);
    box->setObjectName(QLatin1String(name));
    box->setAccessibleName(accessible);
    box->setEditable(true);
    box->setInsertPolicy(QComboBox::NoInsert);
    box->setMaxVisibleItems(20);
    // As wide as a field's name, whatever is typed into it.
    box->setMinimumContentsLength(5);
    box->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    box->setFont(SansFont(14, true));
    // "H7" and "h7" are different fields.
    auto* completer = new QCompleter(box->model(), box);
    completer->setCaseSensitivity(Qt::CaseSensitive);
    completer->setCompletionMode(QCompleter::PopupCompletion);
    box->setCompleter(completer);
    return box;
}

// A typed text as quoted back: its start, so that a long one widens nothing.
QString Shortened(const QString& typed)
{
    constexpr int kShown = 12;
    return typed.size() <= kShown ? typed : typed.left(kShown) + u'…';
}

}  // namespace

Tfrm_Fit::Tfrm_Fit(QWidget* parent) : ToolWindow(parent, QStringLiteral("fit"))
{
    setObjectName(QStringLiteral("frm_Fit"));
    setWindowTitle(QStringLiteral("Посадка"));
    SetUpControls();

    // Wiring.
    connect(size_, &QLineEdit::textChanged, this, &Tfrm_Fit::Recalc);
    for (QComboBox* box : {hole_, shaft_})
        connect(box, &QComboBox::currentTextChanged, this, &Tfrm_Fit::Recalc);
    connect(micrometres_, &QCheckBox::toggled, this, &Tfrm_Fit::Recalc);
    connect(copy_, &QPushButton::clicked, this, &Tfrm_Fit::CopyClick);
    for (const auto& fit : kCommonFits) {
        auto* button = findChild<QToolButton*>(QStringLiteral("FitCommon_%1_%2").arg(fit[0], fit[1]));
        const QString hole = QLatin1String(fit[0]), shaft = QLatin1String(fit[1]);
        connect(button, &QToolButton::clicked, this, [this, hole, shaft] { CommonFitClick(hole, shaft); });
    }

    size_->setText(QStringLiteral("25"));
    hole_->setEditText(QStringLiteral("H7"));
    shaft_->setEditText(QStringLiteral("g6"));
    Recalc();
}

void Tfrm_Fit::SetUpControls()
{
    auto* top = new QHBoxLayout;
    auto* sizeLabel = new QLabel(QStringLiteral("Размер, мм:"), this);
    size_ = new QLineEdit(this);
    size_->setObjectName(QStringLiteral("FitSize"));
    size_->setAccessibleName(QStringLiteral("Номинальный размер, мм"));
    size_->setFont(SansFont(14, true));
    size_->setMaximumWidth(100);
    AcceptNumberKeysOnly(size_);
    sizeLabel->setBuddy(size_);
    hole_ = FieldBox(this, "FitHole", QStringLiteral("Поле допуска отверстия"));
    shaft_ = FieldBox(this, "FitShaft", QStringLiteral("Поле допуска вала"));
    auto* holeLabel = new QLabel(QStringLiteral("Отверстие:"), this);
    auto* shaftLabel = new QLabel(QStringLiteral("Вал:"), this);
    holeLabel->setBuddy(hole_);
    shaftLabel->setBuddy(shaft_);
    micrometres_ = new QCheckBox(QStringLiteral("Отклонения в мкм"), this);
    micrometres_->setObjectName(QStringLiteral("FitMicrometres"));
    micrometres_->setAccessibleName(micrometres_->text());
    copy_ = new QPushButton(QStringLiteral("Копировать"), this);
    copy_->setObjectName(QStringLiteral("FitCopy"));
    copy_->setAccessibleName(QStringLiteral("Копировать обозначение посадки"));
    copy_->setToolTip(QStringLiteral("Обозначение посадки с зазорами или натягами — в буфер обмена"));
    for (QWidget* w : std::initializer_list<QWidget*>{sizeLabel, size_, holeLabel, hole_, shaftLabel, shaft_})
        top->addWidget(w);
    top->addStretch(1);
    auto* second = new QHBoxLayout;
    second->addWidget(micrometres_);
    second->addStretch(1);
    second->addWidget(copy_);

    // Two rows of buttons: the window stays narrow enough to open beside
    // the main window.
    auto* common = new QGridLayout;
    common->setSpacing(4);
    common->addWidget(new QLabel(QStringLiteral("Частые посадки:"), this), 0, 0, 1, -1);
    constexpr int kPerRow = 6;
    int at = 0;
    for (const auto& fit : kCommonFits) {
        auto* button = new QToolButton(this);
        const QString name = QStringLiteral("%1/%2").arg(fit[0], fit[1]);
        button->setObjectName(QStringLiteral("FitCommon_%1_%2").arg(fit[0], fit[1]));
        button->setText(name);
        button->setAccessibleName(QStringLiteral("Посадка ") + name);
        button->setToolTip(QStringLiteral("Выбрать посадку ") + name);
        button->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
        common->addWidget(button, 1 + at / kPerRow, at % kPerRow);
        ++at;
    }

    // Both fields side by side.
    auto* fields = new QGroupBox(QStringLiteral("Поля допусков"), this);
    fields->setObjectName(QStringLiteral("FitFields"));
    auto* fieldGrid = new QGridLayout(fields);
    holeHeading_ = new QLabel(fields);
    shaftHeading_ = new QLabel(fields);
    holeHeading_->setObjectName(QStringLiteral("FitHoleHeading"));
    shaftHeading_->setObjectName(QStringLiteral("FitShaftHeading"));
    for (QLabel* heading : {holeHeading_, shaftHeading_}) {
        heading->setFont(SansFont(13, true));
        heading->setAlignment(Qt::AlignCenter);
    }
    SetTextColour(holeHeading_, KindColour(FieldKind::Hole));
    SetTextColour(shaftHeading_, KindColour(FieldKind::Shaft));
    fieldGrid->addWidget(holeHeading_, 0, 1);
    fieldGrid->addWidget(shaftHeading_, 0, 2);
    for (int row = 0; row < 5; ++row) {
        const QString name = QString::fromUtf8(kRowNames[row]);
        rowNames_[row] = new QLabel(name, fields);
        rowNames_[row]->setObjectName(QStringLiteral("FitRow%1").arg(kRowKeys[row]));
        fieldGrid->addWidget(rowNames_[row], row + 1, 0);
        holeBoxes_[row] = ResultBox(fields, QStringLiteral("FitHole%1").arg(kRowKeys[row]),
                                    name + QStringLiteral(" отверстия"), kResultWidth);
        shaftBoxes_[row] = ResultBox(fields, QStringLiteral("FitShaft%1").arg(kRowKeys[row]),
                                     name + QStringLiteral(" вала"), kResultWidth);
        fieldGrid->addWidget(holeBoxes_[row], row + 1, 1);
        fieldGrid->addWidget(shaftBoxes_[row], row + 1, 2);
    }

    // The fit's figures in micrometres and millimetres.
    auto* figures = new QGroupBox(QStringLiteral("Посадка"), this);
    figures->setObjectName(QStringLiteral("FitFigures"));
    auto* figureGrid = new QGridLayout(figures);
    auto* umHeading = new QLabel(QStringLiteral("мкм"), figures);
    auto* mmHeading = new QLabel(QStringLiteral("мм"), figures);
    for (QLabel* heading : {umHeading, mmHeading})
        heading->setAlignment(Qt::AlignCenter);
    figureGrid->addWidget(umHeading, 0, 1);
    figureGrid->addWidget(mmHeading, 0, 2);
    for (int row = 0; row < 4; ++row) {
        figureNames_[row] = new QLabel(figures);
        figureNames_[row]->setObjectName(QStringLiteral("Fit%1Name").arg(kFigureKeys[row]));
        figureGrid->addWidget(figureNames_[row], row + 1, 0);
        for (int unit = 0; unit < 2; ++unit) {
            figureBoxes_[row][unit] =
                ResultBox(figures, QStringLiteral("Fit%1%2").arg(kFigureKeys[row], unit == 0 ? "Um" : "Mm"), QString(),
                          kResultWidth);
            figureGrid->addWidget(figureBoxes_[row][unit], row + 1, unit + 1);
        }
    }
    auto* kindLabel = new QLabel(QStringLiteral("Характер посадки"), figures);
    kind_ = ResultBox(figures, QStringLiteral("FitKind"), kindLabel->text(), kResultWidth);
    figureGrid->addWidget(kindLabel, 5, 0);
    figureGrid->addWidget(kind_, 5, 1, 1, 2);

    reason_ = new QLabel(this);
    reason_->setObjectName(QStringLiteral("FitReason"));
    reason_->setAccessibleName(QStringLiteral("Почему посадка не определена"));
    reason_->setWordWrap(true);
    SetTextColour(reason_, clMaroon);

    picture_ = new FitPicture(this);
    picture_->setObjectName(QStringLiteral("FitPicture"));
    picture_->setMinimumWidth(170);
    picture_->setAccessibleName(QStringLiteral("Схема полей допусков"));

    auto* left = new QVBoxLayout;
    left->addWidget(fields);
    left->addWidget(figures);
    left->addWidget(reason_);
    left->addStretch(1);
    auto* middle = new QHBoxLayout;
    middle->addLayout(left);
    middle->addWidget(picture_, 1);
    auto* all = new QVBoxLayout(this);
    all->addLayout(top);
    all->addLayout(second);
    all->addLayout(common);
    all->addLayout(middle, 1);
    resize(600, 600);
}

void Tfrm_Fit::ListDefinedFields(int sizeCeiling)
{
    listedCeiling_ = sizeCeiling;
    for (QComboBox* box : {hole_, shaft_}) {
        const iso286::Side side = box == hole_ ? iso286::Side::Hole : iso286::Side::Shaft;
        const QSignalBlocker block(box);
        const QString typed = box->currentText();
        box->clear();
        for (const iso286::Field& f : iso286::DefinedFields(side, sizeCeiling))
            box->addItem(Text(iso286::FieldName(f)));
        box->setCurrentIndex(box->findText(typed, Qt::MatchExactly | Qt::MatchCaseSensitive));
        box->setEditText(typed);
    }
}

void Tfrm_Fit::Preset(const iso286::Field& hole, const iso286::Field& shaft, const QString& sizeText, bool always)
{
    const QString hand = Text(iso286::FieldName(hole) + "/" + iso286::FieldName(shaft)) + u' ' + sizeText;
    if (hand == lastPreset_ && !always)
        return;
    lastPreset_ = hand;
    size_->setText(sizeText);
    hole_->setEditText(Text(iso286::FieldName(hole)));
    shaft_->setEditText(Text(iso286::FieldName(shaft)));
}

void Tfrm_Fit::CommonFitClick(const QString& hole, const QString& shaft)
{
    hole_->setEditText(hole);
    shaft_->setEditText(shaft);
}

void Tfrm_Fit::ShowNoFit(const QString& reason)
{
    for (int row = 0; row < 5; ++row)
        for (QLineEdit* box : {holeBoxes_[row], shaftBoxes_[row]})
            ShowPlain(box, kNoDataText);
    for (auto& boxes : figureBoxes_)
        for (QLineEdit* box : boxes)
            ShowPlain(box, kNoDataText);
    kind_->setText(QString::fromUtf8(kNotDefinedText));
    reason_->setText(reason);
    // Nothing read, nothing drawn but the zero line.
    picture_->SetZones(std::nullopt, std::nullopt, QString(), QString());
}

void Tfrm_Fit::Recalc()
{
    const std::optional<Millimetres> size = ReadSizeBox(size_);
    const std::optional<int> ceiling = size ? IsoSizeCeiling(*size) : std::nullopt;
    if (ceiling && *ceiling != listedCeiling_)
        ListDefinedFields(*ceiling);
    const std::optional<iso286::Field> hole = ReadFieldText(hole_->currentText().toStdString(), iso286::Side::Hole);
    const std::optional<iso286::Field> shaft = ReadFieldText(shaft_->currentText().toStdString(), iso286::Side::Shaft);
    SetTextColour(hole_, hole ? clWindowText() : clRed);
    SetTextColour(shaft_, shaft ? clWindowText() : clRed);
    holeHeading_->setText(QStringLiteral("Отверстие ") + (hole ? Text(iso286::FieldName(*hole)) : QString()));
    shaftHeading_->setText(QStringLiteral("Вал ") + (shaft ? Text(iso286::FieldName(*shaft)) : QString()));

    const DeviationUnit unit = UnitOf(micrometres_);
    // Deviations and tolerances in the unit asked for, sizes in millimetres.
    for (int row = 0; row < 5; ++row) {
        const bool limitSize = row == 2 || row == 3;
        const QString unitName =
            !limitSize && unit == DeviationUnit::Micrometres ? QStringLiteral("мкм") : QStringLiteral("мм");
        rowNames_[row]->setText(QStringLiteral("%1, %2").arg(QString::fromUtf8(kRowNames[row]), unitName));
    }
    fit_ = size && hole && shaft ? IsoFit(*hole, *shaft, *size) : FitResult{};
    const FitFigures figures = FitFiguresOf(fit_);
    const FitFigure* const inRows[] = {&figures.first, &figures.second, &figures.mean, &figures.tolerance};
    for (int row = 0; row < 4; ++row) {
        const FitFigure& f = *inRows[row];
        const QString name = Text(f.name + " " + f.symbol);
        figureNames_[row]->setText(name);
        figureBoxes_[row][0]->setAccessibleName(name + QStringLiteral(", мкм"));
        figureBoxes_[row][1]->setAccessibleName(name + QStringLiteral(", мм"));
    }
    copy_->setEnabled(fit_.defined);
    if (!size || !hole || !shaft) {
        const QString unread = Shortened((hole ? shaft_ : hole_)->currentText());
        ShowNoFit(!size    ? QStringLiteral("Размер — не число.")
                  : !hole  ? QStringLiteral("Поле отверстия не распознано: «%1».").arg(unread)
                           : QStringLiteral("Поле вала не распознано: «%1».").arg(unread));
        return;
    }

    const struct {
        const FieldResult& result;
        QLineEdit** boxes;
    } sides[] = {{fit_.hole, holeBoxes_}, {fit_.shaft, shaftBoxes_}};
    for (const auto& s : sides) {
        const FieldTexts texts = WriteFieldTexts(s.result, unit, Rounding::AsIs);
        ShowDeviation(s.boxes[0], texts.upper);
        ShowDeviation(s.boxes[1], texts.lower);
        ShowPlain(s.boxes[2], texts.results.max);
        ShowPlain(s.boxes[3], texts.results.min);
        ShowPlain(s.boxes[4], texts.tolerance);
    }
    for (int row = 0; row < 4; ++row) {
        ShowPlain(figureBoxes_[row][0], inRows[row]->um);
        ShowPlain(figureBoxes_[row][1], inRows[row]->mm);
    }
    kind_->setText(fit_.defined ? Text(FitKindText(fit_.analysis.kind)) : QString::fromUtf8(kNotDefinedText));
    const std::string holeReason = ReasonText(fit_.hole);
    const std::string shaftReason = ReasonText(fit_.shaft);
    QString reason = Text(holeReason);
    if (!shaftReason.empty() && shaftReason != holeReason)
        reason += (reason.isEmpty() ? QString() : QStringLiteral(" ")) + Text(shaftReason);
    reason_->setText(reason);

    const auto zone = [](const FieldResult& r) -> std::optional<FitPicture::Zone> {
        if (!r.defined)
            return std::nullopt;
        return FitPicture::Zone{Text(iso286::FieldName(*r.field)), r.iso->upper, r.iso->lower,
                                Text(SignedDeviation(r.upper, DeviationUnit::Micrometres).text),
                                Text(SignedDeviation(r.lower, DeviationUnit::Micrometres).text)};
    };
    picture_->SetZones(zone(fit_.hole), zone(fit_.shaft), Text(iso286::FieldName(*hole)),
                       Text(iso286::FieldName(*shaft)));
}

void Tfrm_Fit::CopyClick()
{
    CopyOrSayWhy(FitCopy(fit_), copy_, QStringLiteral("посадка не определена."));
}
