// SPDX-License-Identifier: GPL-3.0-or-later
#include "frm_Reference_Unit.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalBlocker>
#include <QVBoxLayout>

#include <algorithm>
#include <string>

#include "Boxes.h"
#include "Catalogue.h"
#include "Clipboard.h"
#include "CopyTexts.h"
#include "DeviationCell.h"
#include "DrawGrid.h"
#include "Look.h"
#include "NumberBox.h"
#include "Texts.h"

namespace {

const char* const kRowNames[] = {"Верхнее отклонение", "Нижнее отклонение", "Допуск",       "Наибольший размер",
                                 "Наименьший размер",  "Средний размер",    "Радиус"};
const char* const kRowKeys[] = {"Upper", "Lower", "Tolerance", "Max", "Min", "Mid", "Radius"};

// A mid value shown with more decimals than chosen, to stay in the field.
const QColor kWidenedColour(176, 96, 0);

// Narrow enough for the window to open beside the main window.
constexpr int kLeastColumnWidth = 84;

QString GradeText(int grade) { return grade == iso286::kGrade01 ? QStringLiteral("01") : QString::number(grade); }

QString RangeText(const iso286::SizeRange& range)
{
    return range.lower == 0 ? QStringLiteral("До %1 мм").arg(range.upper)
                            : QStringLiteral("Св. %1 до %2 мм").arg(range.lower).arg(range.upper);
}

}  // namespace

Tfrm_Reference::Tfrm_Reference(QWidget* parent) : ToolWindow(parent, QStringLiteral("reference"), true), ranges_(iso286::Ranges())
{
    setObjectName(QStringLiteral("frm_Reference"));
    setWindowTitle(QStringLiteral("Справочник ISO 286"));
    SetUpControls();

    // Wiring.
    for (QComboBox* box : {letter_, grade_})
        connect(box, &QComboBox::currentIndexChanged, this, &Tfrm_Reference::Recalc);
    connect(size_, &QLineEdit::textChanged, this, &Tfrm_Reference::Recalc);
    for (QAbstractButton* b : std::initializer_list<QAbstractButton*>{micrometres_, asIs_, twoDigits_, threeDigits_})
        connect(b, &QAbstractButton::toggled, this, &Tfrm_Reference::Recalc);
    connect(copy_, &QPushButton::clicked, this, &Tfrm_Reference::CopyClick);
    connect(table_, &DrawGrid::currentChanged, this, &Tfrm_Reference::TableCurrentChanged);
    table_->setDrawCell([this](QPainter& p, int col, int row, const QRect& rect) { DrawTableCell(p, col, row, rect); });

    ChooseField(*iso286::ParseField("H7"));
    size_->setText(QStringLiteral("25"));
    Recalc();
}

void Tfrm_Reference::SetUpControls()
{
    letter_ = new QComboBox(this);
    letter_->setObjectName(QStringLiteral("RefLetter"));
    letter_->setAccessibleName(QStringLiteral("Основное отклонение (буква)"));
    letter_->setMaxVisibleItems(28);
    for (const iso286::Side side : {iso286::Side::Hole, iso286::Side::Shaft})
        for (int i = 0; i < iso286::kLetterCount; ++i)
            letter_->addItem(Text(iso286::LetterName(side, static_cast<iso286::Letter>(i))),
                             QPoint(static_cast<int>(side), i));
    grade_ = new QComboBox(this);
    grade_->setObjectName(QStringLiteral("RefGrade"));
    grade_->setAccessibleName(QStringLiteral("Квалитет"));
    grade_->setMaxVisibleItems(20);
    for (int g = iso286::kGrade01; g <= iso286::kGradeMax; ++g)
        grade_->addItem(GradeText(g), g);
    for (QComboBox* box : {letter_, grade_})
        box->setFont(SansFont(14, true));
    size_ = new QLineEdit(this);
    size_->setObjectName(QStringLiteral("RefSize"));
    size_->setAccessibleName(QStringLiteral("Номинальный размер, мм"));
    size_->setFont(SansFont(14, true));
    size_->setMaximumWidth(100);
    AcceptNumberKeysOnly(size_);
    auto* letterLabel = new QLabel(QStringLiteral("Буква:"), this);
    auto* gradeLabel = new QLabel(QStringLiteral("Квалитет:"), this);
    auto* sizeLabel = new QLabel(QStringLiteral("Размер, мм:"), this);
    letterLabel->setBuddy(letter_);
    gradeLabel->setBuddy(grade_);
    sizeLabel->setBuddy(size_);
    micrometres_ = new QCheckBox(QStringLiteral("Отклонения в мкм"), this);
    micrometres_->setObjectName(QStringLiteral("RefMicrometres"));
    micrometres_->setAccessibleName(micrometres_->text());
    copy_ = new QPushButton(QStringLiteral("Копировать"), this);
    copy_->setObjectName(QStringLiteral("RefCopy"));
    copy_->setAccessibleName(QStringLiteral("Копировать обозначение поля"));
    copy_->setToolTip(QStringLiteral("Обозначение поля с отклонениями — в буфер обмена"));
    auto* top = new QHBoxLayout;
    for (QWidget* w : std::initializer_list<QWidget*>{letterLabel, letter_, gradeLabel, grade_, sizeLabel, size_})
        top->addWidget(w);
    top->addStretch(1);

    const RoundingButtons rounding = MakeRoundingButtons(this, QStringLiteral("Ref"));
    asIs_ = rounding.asIs;
    twoDigits_ = rounding.twoDigits;
    threeDigits_ = rounding.threeDigits;

    auto* results = new QGroupBox(QStringLiteral("Поле допуска"), this);
    results->setObjectName(QStringLiteral("RefResults"));
    auto* grid = new QGridLayout(results);
    name_ = ResultBox(results, QStringLiteral("RefField"), QStringLiteral("Поле допуска"));
    name_->setFont(SansFont(24, true));
    name_->setAlignment(Qt::AlignCenter);
    grid->addWidget(name_, 0, 0, 1, 2);
    for (int row = 0; row < 7; ++row) {
        const QString name = QString::fromUtf8(kRowNames[row]);
        rowNames_[row] = new QLabel(name, results);
        rowNames_[row]->setObjectName(QStringLiteral("RefRow%1").arg(kRowKeys[row]));
        grid->addWidget(rowNames_[row], row + 1, 0);
        boxes_[row] = ResultBox(results, QStringLiteral("Ref%1").arg(kRowKeys[row]), name, 100);
        grid->addWidget(boxes_[row], row + 1, 1);
    }
    reason_ = new QLabel(this);
    reason_->setObjectName(QStringLiteral("RefReason"));
    reason_->setAccessibleName(QStringLiteral("Почему поле не определено"));
    reason_->setWordWrap(true);
    SetTextColour(reason_, clMaroon);

    table_ = new DrawGrid(this);
    table_->setObjectName(QStringLiteral("RefTable"));
    table_->setAccessibleName(QStringLiteral("Поле по всем интервалам размеров"));
    table_->setFont(SansFont(11));
    table_->setColCount(3);
    table_->setRowCount(static_cast<int>(ranges_.size()) + 1);
    table_->setDefaultColWidth(kLeastColumnWidth);
    table_->setDefaultRowHeight(30);
    table_->setMinimumWidth(3 * (kLeastColumnWidth + 1) + 20);
    table_->viewport()->installEventFilter(this);
    cellInfo_ = new QLabel(this);
    cellInfo_->setObjectName(QStringLiteral("RefCellInfo"));
    cellInfo_->setAccessibleName(QStringLiteral("Выбранный интервал"));
    cellInfo_->setWordWrap(true);

    auto* unitAndCopy = new QHBoxLayout;
    unitAndCopy->addWidget(micrometres_);
    unitAndCopy->addStretch(1);
    unitAndCopy->addWidget(copy_);
    auto* left = new QVBoxLayout;
    left->addWidget(results);
    left->addWidget(rounding.group);
    left->addLayout(unitAndCopy);
    left->addWidget(reason_);
    left->addStretch(1);
    auto* right = new QVBoxLayout;
    right->addWidget(table_, 1);
    right->addWidget(cellInfo_);
    auto* middle = new QHBoxLayout;
    middle->addLayout(left);
    middle->addLayout(right, 1);
    auto* all = new QVBoxLayout(this);
    all->addLayout(top);
    all->addLayout(middle, 1);
    resize(600, 600);
}

iso286::Field Tfrm_Reference::ChosenField() const
{
    const QPoint letter = letter_->currentData().toPoint();
    return {static_cast<iso286::Side>(letter.x()), static_cast<iso286::Letter>(letter.y()),
            grade_->currentData().toInt()};
}

void Tfrm_Reference::ChooseField(const iso286::Field& field)
{
    const QSignalBlocker blockLetter(letter_), blockGrade(grade_);
    letter_->setCurrentIndex(letter_->findData(QPoint(static_cast<int>(field.side), static_cast<int>(field.letter))));
    grade_->setCurrentIndex(grade_->findData(field.grade));
}

void Tfrm_Reference::Preset(const iso286::Field& field, const QString& sizeText, bool always)
{
    const QString hand = Text(iso286::FieldName(field)) + u' ' + sizeText;
    if (hand == lastPreset_ && !always)
        return;
    lastPreset_ = hand;
    ChooseField(field);
    {
        const QSignalBlocker block(size_);  // one recalculation for both
        size_->setText(sizeText);
    }
    Recalc();
}

bool Tfrm_Reference::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == table_->viewport() && event->type() == QEvent::Resize)
        table_->setDefaultColWidth(std::max(kLeastColumnWidth, table_->viewport()->width() / 3 - 1));
    return QWidget::eventFilter(watched, event);
}

void Tfrm_Reference::ListIntervals(const iso286::Field& field)
{
    rows_.clear();
    rows_.reserve(ranges_.size());
    for (const iso286::SizeRange& range : ranges_)
        rows_.push_back(IsoField(field, Millimetres(ExactDecimal(range.upper, 0))));
}

void Tfrm_Reference::Recalc()
{
    const iso286::Field field = ChosenField();
    if (rows_.empty() || *rows_.front().field != field)
        ListIntervals(field);
    const std::optional<Millimetres> size = ReadSizeBox(size_);
    name_->setText(Text(iso286::FieldName(field)));
    SetTextColour(name_, KindColour(KindOf(field)));
    const DeviationUnit unit = UnitOf(micrometres_);
    // Deviations and the tolerance in the unit asked for, sizes in millimetres.
    for (int row = 0; row < 7; ++row) {
        const bool deviation = row <= 2;
        const QString unitName =
            deviation && unit == DeviationUnit::Micrometres ? QStringLiteral("мкм") : QStringLiteral("мм");
        rowNames_[row]->setText(QStringLiteral("%1, %2").arg(QString::fromUtf8(kRowNames[row]), unitName));
    }
    const Rounding rounding = RoundingOf(asIs_, threeDigits_);
    shown_ = size ? IsoField(field, *size) : FieldResult{};
    const FieldTexts texts = WriteFieldTexts(shown_, unit, rounding);
    QLineEdit* mid = boxes_[5];
    mid->setToolTip(QString());
    copy_->setEnabled(shown_.defined);
    if (!shown_.defined) {
        for (QLineEdit* box : boxes_)
            ShowPlain(box, kNoDataText);
        reason_->setText(size ? QStringLiteral("Не определено. ") + Text(ReasonText(shown_))
                              : QStringLiteral("Размер — не число."));
    } else {
        ShowDeviation(boxes_[0], texts.upper);
        ShowDeviation(boxes_[1], texts.lower);
        const std::string* const rest[] = {&texts.tolerance, &texts.results.max, &texts.results.min,
                                           &texts.results.mid, &texts.results.radius};
        for (int i = 2; i < 7; ++i)
            ShowPlain(boxes_[i], *rest[i - 2]);
        // The mid value is never shown outside the field.
        const MidText inside = MidInsideLimits(shown_, rounding);
        if (inside.widened) {
            SetTextColour(mid, kWidenedColour);
            mid->setText(Text(inside.text));
            mid->setToolTip(QStringLiteral("С выбранным округлением середина поля вышла бы за его пределы; "
                                           "показано точнее. Точное значение: %1 мм")
                                .arg(Text(inside.exact)));
        }
        reason_->clear();
    }
    mid->setAccessibleDescription(mid->toolTip());

    // The table stands on the interval of the size; a size that is no
    // valid size marks none and describes none.
    markedRow_ = 0;
    if (const std::optional<int> ceiling = size ? IsoSizeCeiling(*size) : std::nullopt)
        if (const std::optional<iso286::SizeRange> range = iso286::RangeOf(*ceiling))
            for (size_t i = 0; i < ranges_.size(); ++i)
                if (ranges_[i] == *range)
                    markedRow_ = static_cast<int>(i) + 1;
    if (markedRow_ > 0) {
        table_->setCurrent(table_->col(), markedRow_);
        TableCurrentChanged(table_->col(), markedRow_);
    } else {
        cellInfo_->clear();
    }
    table_->viewport()->update();
}

void Tfrm_Reference::TableCurrentChanged(int, int row)
{
    markedRow_ = row;
    const FieldResult& r = rows_[static_cast<size_t>(row - 1)];
    const QString name = Text(iso286::FieldName(*r.field));
    const QString interval = RangeText(ranges_[static_cast<size_t>(row - 1)]);
    if (!r.defined) {
        cellInfo_->setText(QStringLiteral("%1, %2: не определено. %3").arg(name, interval, Text(ReasonText(r))));
        return;
    }
    const FieldTexts t = WriteFieldTexts(r, DeviationUnit::Micrometres, Rounding::AsIs);
    cellInfo_->setText(QStringLiteral("%1, %2: верхнее %3 мкм, нижнее %4 мкм, допуск %5 мкм")
                           .arg(name, interval, Text(t.upper.text), Text(t.lower.text), Text(t.tolerance)));
}

void Tfrm_Reference::DrawTableCell(QPainter& p, int col, int row, const QRect& rect)
{
    QFont bold = p.font();
    bold.setBold(true);
    if (row == 0) {
        const QString headings[] = {QStringLiteral("Интервал, мм"),
                                    Text(iso286::FieldName(ChosenField())) + QStringLiteral(", мкм"),
                                    QStringLiteral("Допуск, мкм")};
        p.setFont(bold);
        p.setPen(clBlack);
        p.drawText(rect, Qt::AlignCenter, headings[col]);
        return;
    }
    const iso286::SizeRange& range = ranges_[static_cast<size_t>(row - 1)];
    if (col == 0) {
        // The interval of the size, or the one picked, is marked.
        if (row == markedRow_) {
            p.fillRect(rect, palette().color(QPalette::Highlight));
            p.setPen(palette().color(QPalette::HighlightedText));
        } else {
            p.setPen(clBlack);
        }
        p.setFont(bold);
        p.drawText(rect, Qt::AlignCenter, QStringLiteral("%1-%2").arg(range.lower).arg(range.upper));
        return;
    }
    const FieldResult& r = rows_[static_cast<size_t>(row - 1)];
    if (col == 2) {
        p.fillRect(rect, TableCellColour(r.defined, row));
        if (!r.defined) {
            p.drawText(rect, Qt::AlignCenter, QStringLiteral("---"));
            return;
        }
        p.setPen(clBlack);
        p.drawText(rect, Qt::AlignCenter, Text(LengthText(r.Tolerance(), DeviationUnit::Micrometres)));
        return;
    }
    std::optional<CellDeviations> deviations;
    if (r.defined)
        deviations = CellDeviations{r.upper, r.lower};
    const int half = rect.height() / 2;
    PaintDeviationCell(p, rect, row, deviations, [&p, &rect, half](const QString& text, CellLine line) {
        if (line == CellLine::Middle)
            p.drawText(rect, Qt::AlignCenter, text);
        else if (line == CellLine::Upper)
            p.drawText(QRect(rect.left(), rect.top() + 1, rect.width(), half), Qt::AlignCenter, text);
        else
            p.drawText(QRect(rect.left(), rect.top() + half, rect.width(), rect.height() - half), Qt::AlignCenter,
                       text);
    });
}

void Tfrm_Reference::CopyClick()
{
    CopyOrSayWhy(FieldCopy(shown_), copy_, QStringLiteral("поле не определено."));
}
