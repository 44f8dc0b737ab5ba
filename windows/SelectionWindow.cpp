// SPDX-License-Identifier: GPL-3.0-or-later
#include "SelectionWindow.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalBlocker>
#include <QTabWidget>
#include <QTableWidget>
#include <QVBoxLayout>

#include <string>

#include "Boxes.h"
#include "Catalogue.h"
#include "Clipboard.h"
#include "CopyTexts.h"
#include "FitResult.h"
#include "Look.h"
#include "NumberBox.h"
#include "NumberText.h"
#include "Texts.h"

namespace {

using Nm = iso286::Nanometres;

QLineEdit* NumberEdit(QWidget* parent, const char* name, const QString& accessible)
{
    auto* box = new QLineEdit(parent);
    box->setObjectName(QLatin1String(name));
    box->setAccessibleName(accessible);
    box->setFont(SansFont(14, true));
    box->setMaximumWidth(120);
    AcceptNumberKeysOnly(box);
    return box;
}

QLabel* Buddy(QWidget* parent, const QString& text, QWidget* box)
{
    auto* label = new QLabel(text, parent);
    label->setBuddy(box);
    return label;
}

QLabel* NoteLabel(QWidget* parent, const char* name, const QString& accessible)
{
    auto* label = new QLabel(parent);
    label->setObjectName(QLatin1String(name));
    label->setAccessibleName(accessible);
    label->setWordWrap(true);
    return label;
}

QTableWidget* ResultTable(QWidget* parent, const char* name, const QString& accessible, int columns)
{
    auto* table = new QTableWidget(0, columns, parent);
    table->setObjectName(QLatin1String(name));
    table->setAccessibleName(accessible);
    table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table->setSelectionBehavior(QAbstractItemView::SelectRows);
    table->setSelectionMode(QAbstractItemView::SingleSelection);
    table->setTabKeyNavigation(false);  // Tab leaves the table, arrows move in it
    table->verticalHeader()->hide();
    table->setAlternatingRowColors(true);
    table->setWordWrap(false);
    table->horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);
    table->horizontalHeader()->setHighlightSections(false);
    table->verticalHeader()->setDefaultSectionSize(table->fontMetrics().height() + 6);
    return table;
}

QTableWidgetItem* Cell(const QString& text, Qt::Alignment align = Qt::AlignRight | Qt::AlignVCenter)
{
    auto* item = new QTableWidgetItem(text);
    item->setTextAlignment(align);
    return item;
}

QString UnitName(DeviationUnit unit)
{
    return unit == DeviationUnit::Micrometres ? QStringLiteral("мкм") : QStringLiteral("мм");
}

// An engine value as the boxes write a deviation: "+0,021", "-6,5".
QString Deviation(Nm nm, DeviationUnit unit)
{
    return Text(SignedDeviation(Micrometres(WholeNanometres(nm)), unit).text);
}

QString SignedMicrometres(const Micrometres& value)
{
    return Text(SignedDeviation(value, DeviationUnit::Micrometres).text);
}

QString FieldNames(const std::vector<FieldMatch>& matches)
{
    QStringList names;
    for (const FieldMatch& m : matches)
        names << Text(iso286::FieldName(m.field));
    return names.join(QStringLiteral(", "));
}

std::optional<Millimetres> SizeOf(const QString& text)
{
    if (std::optional<ExactDecimal> value = ReadDecimalText(text.toStdString()))
        return Millimetres(std::move(*value));
    return std::nullopt;
}

// A length typed for a box: the exact digits with the comma, "+" before a
// positive deviation.
QString BoxText(const ExactDecimal& value, bool sign)
{
    return (sign && value.Sign() > 0 ? QStringLiteral("+") : QString()) + Text(ExactPositional(value, ','));
}

const char* const kFieldColumns[] = {"Поле", "Верхнее", "Нижнее", "Δ верхнего", "Δ нижнего"};

}  // namespace

SelectionWindow::SelectionWindow(QWidget* parent) : ToolWindow(parent, QStringLiteral("selection"))
{
    setObjectName(QStringLiteral("SelectionWindow"));
    setWindowTitle(QStringLiteral("Подбор"));

    pages_ = new QTabWidget(this);
    pages_->setObjectName(QStringLiteral("SelPages"));
    pages_->setAccessibleName(QStringLiteral("Страницы подбора"));
    pages_->addTab(FieldPage(), QStringLiteral("Поле по &отклонениям"));
    pages_->addTab(FitPage(), QStringLiteral("Посадка по &зазору"));

    copy_ = new QPushButton(QStringLiteral("&Копировать"), this);
    copy_->setObjectName(QStringLiteral("SelCopy"));
    copy_->setAccessibleName(QStringLiteral("Копировать выбранное поле или посадку"));
    copy_->setToolTip(QStringLiteral("Выбранная строка с отклонениями — в буфер обмена (Ctrl+Shift+C)"));
    connect(copy_, &QPushButton::clicked, this, &SelectionWindow::CopyClick);
    auto* bottom = new QHBoxLayout;
    bottom->addStretch(1);
    bottom->addWidget(copy_);

    auto* all = new QVBoxLayout(this);
    all->addWidget(pages_, 1);
    all->addLayout(bottom);
    resize(600, 560);

    fieldSize_->setText(QStringLiteral("25"));
    upper_->setText(QStringLiteral("+0,021"));
    lower_->setText(QStringLiteral("0"));
    fitSize_->setText(QStringLiteral("25"));
    min_->setText(QStringLiteral("10"));
    max_->setText(QStringLiteral("60"));
    SenseChanged();
    SearchFields();
    drawing_->setFocus();
}

QWidget* SelectionWindow::FieldPage()
{
    auto* page = new QWidget;
    page->setObjectName(QStringLiteral("SelFieldPage"));

    drawing_ = new QLineEdit(page);
    drawing_->setObjectName(QStringLiteral("SelDrawing"));
    drawing_->setAccessibleName(QStringLiteral("Размер с отклонениями, как на чертеже"));
    drawing_->setPlaceholderText(QStringLiteral("Ø25+0,021   40 -0,025 -0,050   Ø25±0,0065"));
    drawing_->setToolTip(QStringLiteral("Вставьте размер с отклонениями с чертежа: они перейдут в поля ниже"));
    drawing_->setFont(SansFont(14, true));
    drawingReason_ = NoteLabel(page, "SelDrawingReason", QStringLiteral("Почему текст чертежа не прочитан"));
    SetTextColour(drawingReason_, clMaroon);
    drawingReason_->hide();  // shown with a reason only

    fieldSize_ = NumberEdit(page, "SelFieldSize", QStringLiteral("Номинальный размер, мм"));
    upper_ = NumberEdit(page, "SelUpper", QStringLiteral("Верхнее отклонение"));
    lower_ = NumberEdit(page, "SelLower", QStringLiteral("Нижнее отклонение"));
    micrometres_ = new QCheckBox(QStringLiteral("Отклонения в &мкм"), page);
    micrometres_->setObjectName(QStringLiteral("SelMicrometres"));
    micrometres_->setAccessibleName(QStringLiteral("Отклонения в мкм"));

    auto* side = new QGroupBox(QStringLiteral("Искать"), page);
    side->setObjectName(QStringLiteral("SelSide"));
    holes_ = new QRadioButton(QStringLiteral("отверстие"), side);
    shafts_ = new QRadioButton(QStringLiteral("вал"), side);
    either_ = new QRadioButton(QStringLiteral("любое"), side);
    holes_->setObjectName(QStringLiteral("SelHoles"));
    shafts_->setObjectName(QStringLiteral("SelShafts"));
    either_->setObjectName(QStringLiteral("SelEither"));
    holes_->setAccessibleName(QStringLiteral("Искать среди отверстий"));
    shafts_->setAccessibleName(QStringLiteral("Искать среди валов"));
    either_->setAccessibleName(QStringLiteral("Искать среди отверстий и валов"));
    either_->setChecked(true);
    auto* sideRow = new QHBoxLayout(side);
    for (QRadioButton* b : {holes_, shafts_, either_}) {
        sideRow->addWidget(b);
        connect(b, &QRadioButton::toggled, this, [this](bool on) {
            if (on)
                SearchFields();
        });
    }
    sideRow->addStretch(1);

    auto* grid = new QGridLayout;
    grid->addWidget(Buddy(page, QStringLiteral("С &чертежа:"), drawing_), 0, 0);
    grid->addWidget(drawing_, 0, 1, 1, 3);
    grid->addWidget(drawingReason_, 1, 1, 1, 3);
    grid->addWidget(Buddy(page, QStringLiteral("&Размер, мм:"), fieldSize_), 2, 0);
    grid->addWidget(fieldSize_, 2, 1);
    grid->addWidget(micrometres_, 2, 2, 1, 2, Qt::AlignLeft);
    grid->addWidget(Buddy(page, QStringLiteral("&Верхнее:"), upper_), 3, 0);
    grid->addWidget(upper_, 3, 1);
    grid->addWidget(Buddy(page, QStringLiteral("&Нижнее:"), lower_), 4, 0);
    grid->addWidget(lower_, 4, 1);
    grid->addWidget(side, 3, 2, 2, 2);
    grid->setColumnStretch(3, 1);

    fields_ = ResultTable(page, "SelFields", QStringLiteral("Найденные поля"), 5);
    fieldSummary_ = NoteLabel(page, "SelFieldSummary", QStringLiteral("Итог поиска поля"));
    auto* hint = new QLabel(QStringLiteral("Двойной щелчок или Enter — поле в «Справочнике ISO 286»."), page);
    hint->setObjectName(QStringLiteral("SelFieldHint"));
    hint->setWordWrap(true);

    auto* layout = new QVBoxLayout(page);
    layout->addLayout(grid);
    layout->addWidget(fieldSummary_);
    layout->addWidget(fields_, 1);
    layout->addWidget(hint);

    connect(drawing_, &QLineEdit::textChanged, this, &SelectionWindow::ReadDrawingText);
    for (QLineEdit* box : {fieldSize_, upper_, lower_})
        connect(box, &QLineEdit::textChanged, this, &SelectionWindow::SearchFields);
    connect(micrometres_, &QCheckBox::toggled, this, [this](bool inMicrometres) {
        // The typed values stay the same lengths in the other unit.
        for (QLineEdit* box : {upper_, lower_}) {
            const std::optional<ExactDecimal> value = ReadDecimalText(box->text().toStdString());
            if (!value)
                continue;
            const ExactDecimal converted = inMicrometres ? Micrometres(Millimetres(*value)).Value()
                                                         : Millimetres(Micrometres(*value)).Value();
            const QSignalBlocker block(box);
            box->setText(BoxText(converted, true));
        }
        SearchFields();
    });
    connect(fields_, &QTableWidget::activated, this, [this](const QModelIndex& index) { FieldActivated(index.row()); });
    return page;
}

QWidget* SelectionWindow::FitPage()
{
    auto* page = new QWidget;
    page->setObjectName(QStringLiteral("SelFitPage"));

    fitSize_ = NumberEdit(page, "SelFitSize", QStringLiteral("Номинальный размер посадки, мм"));
    sense_ = new QComboBox(page);
    sense_->setObjectName(QStringLiteral("SelSense"));
    sense_->setAccessibleName(QStringLiteral("Задаётся зазор или натяг"));
    sense_->addItems({QStringLiteral("зазор S"), QStringLiteral("натяг N")});
    min_ = NumberEdit(page, "SelMin", QString());
    max_ = NumberEdit(page, "SelMax", QString());
    for (QLineEdit* box : {min_, max_})
        box->setPlaceholderText(QStringLiteral("любой"));
    minLabel_ = Buddy(page, QString(), min_);
    maxLabel_ = Buddy(page, QString(), max_);
    minLabel_->setObjectName(QStringLiteral("SelMinLabel"));
    maxLabel_->setObjectName(QStringLiteral("SelMaxLabel"));
    system_ = new QComboBox(page);
    system_->setObjectName(QStringLiteral("SelSystem"));
    system_->setAccessibleName(QStringLiteral("Система посадки"));
    system_->addItems({QStringLiteral("отверстия (H)"), QStringLiteral("вала (h)"), QStringLiteral("любая")});
    candidates_ = new QComboBox(page);
    candidates_->setObjectName(QStringLiteral("SelCandidates"));
    candidates_->setAccessibleName(QStringLiteral("Среди каких посадок искать"));
    candidates_->addItems(
        {QStringLiteral("предпочтительные"), QStringLiteral("рекомендуемые"), QStringLiteral("все пары полей")});
    candidates_->setCurrentIndex(1);

    auto* grid = new QGridLayout;
    grid->addWidget(Buddy(page, QStringLiteral("&Размер, мм:"), fitSize_), 0, 0);
    grid->addWidget(fitSize_, 0, 1);
    grid->addWidget(Buddy(page, QStringLiteral("&Требуется:"), sense_), 0, 2);
    grid->addWidget(sense_, 0, 3);
    grid->addWidget(minLabel_, 1, 0);
    grid->addWidget(min_, 1, 1);
    grid->addWidget(maxLabel_, 1, 2);
    grid->addWidget(max_, 1, 3);
    grid->addWidget(Buddy(page, QStringLiteral("Си&стема:"), system_), 2, 0);
    grid->addWidget(system_, 2, 1);
    grid->addWidget(Buddy(page, QStringLiteral("&Искать среди:"), candidates_), 2, 2);
    grid->addWidget(candidates_, 2, 3);
    grid->setColumnStretch(4, 1);

    fits_ = ResultTable(page, "SelFits", QStringLiteral("Подходящие посадки"), 7);
    // The words take what they need, the numbers share the rest.
    for (int column : {3, 4})
        fits_->horizontalHeader()->setSectionResizeMode(column, QHeaderView::ResizeToContents);
    fitSummary_ = NoteLabel(page, "SelFitSummary", QStringLiteral("Итог поиска посадок"));
    auto* legend = NoteLabel(page, "SelLegend", QStringLiteral("Что значат отметки"));
    legend->setText(QStringLiteral(
        "Предпочтительные — посадки ISO 286 (ISO 1829), рекомендуемые — ГОСТ 25347-82 для размеров 1–500 мм. "
        "Список ГОСТ в системе вала неполный, а отметки предпочтительных посадок ГОСТ не сохранились "
        "в доступных копиях. Двойной щелчок или Enter — посадка в окне «Посадка»."));

    auto* layout = new QVBoxLayout(page);
    layout->addLayout(grid);
    layout->addWidget(fitSummary_);
    layout->addWidget(fits_, 1);
    layout->addWidget(legend);

    for (QLineEdit* box : {fitSize_, min_, max_})
        connect(box, &QLineEdit::textChanged, this, &SelectionWindow::SearchFits);
    for (QComboBox* box : {system_, candidates_})
        connect(box, &QComboBox::currentIndexChanged, this, &SelectionWindow::SearchFits);
    connect(sense_, &QComboBox::currentIndexChanged, this, &SelectionWindow::SenseChanged);
    connect(fits_, &QTableWidget::activated, this, [this](const QModelIndex& index) { FitActivated(index.row()); });
    return page;
}

void SelectionWindow::Preset(const QString& sizeText)
{
    const std::optional<Millimetres> size = SizeOf(sizeText);
    if (!size || !IsoSizeCeiling(*size) || sizeText == lastPreset_)
        return;
    lastPreset_ = sizeText;
    fieldSize_->setText(sizeText);
    fitSize_->setText(sizeText);
}

bool SelectionWindow::Interference() const { return sense_->currentIndex() == 1; }

void SelectionWindow::SenseChanged()
{
    const bool n = Interference();
    const QString low = n ? QStringLiteral("Nmin") : QStringLiteral("Smin");
    const QString high = n ? QStringLiteral("Nmax") : QStringLiteral("Smax");
    minLabel_->setText(QStringLiteral("&%1, мкм:").arg(low));
    maxLabel_->setText(QStringLiteral("%1, мк&м:").arg(high));
    min_->setAccessibleName((n ? QStringLiteral("Наименьший натяг") : QStringLiteral("Наименьший зазор"))
                            + QStringLiteral(" ") + low + QStringLiteral(", мкм"));
    max_->setAccessibleName((n ? QStringLiteral("Наибольший натяг") : QStringLiteral("Наибольший зазор"))
                            + QStringLiteral(" ") + high + QStringLiteral(", мкм"));
    fits_->setHorizontalHeaderLabels({QStringLiteral("Посадка"), low + QStringLiteral(", мкм"),
                                      high + QStringLiteral(", мкм"), QStringLiteral("Характер"),
                                      QStringLiteral("Отметка"), QStringLiteral("Запас ") + low,
                                      QStringLiteral("Запас ") + high});
    SearchFits();
}

void SelectionWindow::ReadDrawingText()
{
    const QString text = drawing_->text();
    const DrawingReading reading = ReadDrawingDeviations(text.toStdString());
    drawingReason_->setText(text.trimmed().isEmpty() ? QString() : Text(reading.error));
    drawingReason_->setVisible(!drawingReason_->text().isEmpty());
    if (!reading.deviations)
        return;
    const DrawingDeviations& d = *reading.deviations;
    const bool inMicrometres = UnitOf(micrometres_) == DeviationUnit::Micrometres;
    const auto typed = [inMicrometres](const Millimetres& deviation) {
        return BoxText(inMicrometres ? Micrometres(deviation).Value() : deviation.Value(), true);
    };
    {
        const QSignalBlocker a(fieldSize_), b(upper_), c(lower_);
        fieldSize_->setText(BoxText(d.size.Value(), false));
        upper_->setText(typed(d.upper));
        lower_->setText(typed(d.lower));
    }
    SearchFields();
}

void SelectionWindow::SearchFields()
{
    fields_->setRowCount(0);
    shownFields_.clear();
    const std::optional<ExactDecimal> size = ReadNumberBox(fieldSize_);
    const std::optional<ExactDecimal> upper = ReadNumberBox(upper_);
    const std::optional<ExactDecimal> lower = ReadNumberBox(lower_);
    if (!size || !upper || !lower) {
        fieldSummary_->setText(!size    ? QStringLiteral("Размер — не число.")
                               : !upper ? QStringLiteral("Верхнее отклонение — не число.")
                                        : QStringLiteral("Нижнее отклонение — не число."));
        return;
    }
    const DeviationUnit unit = UnitOf(micrometres_);
    const auto typed = [unit](const ExactDecimal& value) {
        return unit == DeviationUnit::Micrometres ? Micrometres(value) : Micrometres(Millimetres(value));
    };
    const SearchSide side = holes_->isChecked()    ? SearchSide::Hole
                            : shafts_->isChecked() ? SearchSide::Shaft
                                                   : SearchSide::Either;
    const FieldSearch found = FindFields(Millimetres(*size), side, typed(*upper), typed(*lower));
    if (!found.error.empty()) {
        fieldSummary_->setText(Text(found.error));
        return;
    }
    fieldSizeText_ = fieldSize_->text();
    QString summary = found.exact.empty()
                          ? QStringLiteral("Точного совпадения нет. Ближайшие поля — по наибольшей из разностей:")
                          : (found.exact.size() == 1 ? QStringLiteral("Совпадает: ") : QStringLiteral("Совпадают: "))
                                + FieldNames(found.exact) + QStringLiteral(". Дальше — ближайшие поля.");
    if (found.swapped)
        summary += QStringLiteral(" Верхним взято большее отклонение.");
    fieldSummary_->setText(summary);

    shownFields_ = found.exact;
    for (size_t i = 0; i < found.nearest.size() && i < static_cast<size_t>(kShownNearest); ++i)
        shownFields_.push_back(found.nearest[i]);
    const QString unitName = UnitName(unit);
    QStringList headers;
    for (int c = 0; c < 5; ++c)
        headers << QString::fromUtf8(kFieldColumns[c]) + (c == 0 ? QString() : QStringLiteral(", ") + unitName);
    fields_->setHorizontalHeaderLabels(headers);
    for (int c : {3, 4})
        fields_->horizontalHeaderItem(c)->setToolTip(QStringLiteral("Отклонение поля минус заданное"));
    fields_->setRowCount(static_cast<int>(shownFields_.size()));
    for (int row = 0; row < fields_->rowCount(); ++row) {
        const FieldMatch& m = shownFields_[static_cast<size_t>(row)];
        auto* name = Cell(Text(iso286::FieldName(m.field)), Qt::AlignLeft | Qt::AlignVCenter);
        name->setForeground(KindColour(KindOf(m.field)));
        QFont bold = name->font();
        bold.setBold(m.Exact());
        name->setFont(bold);
        fields_->setItem(row, 0, name);
        fields_->setItem(row, 1, Cell(Deviation(m.upper, unit)));
        fields_->setItem(row, 2, Cell(Deviation(m.lower, unit)));
        fields_->setItem(row, 3, Cell(m.Exact() ? QStringLiteral("совпадает") : Deviation(m.diffUpper, unit)));
        fields_->setItem(row, 4, Cell(m.Exact() ? QStringLiteral("совпадает") : Deviation(m.diffLower, unit)));
    }
    if (fields_->rowCount() > 0)
        fields_->setCurrentCell(0, 0);
}

void SelectionWindow::SearchFits()
{
    fits_->setRowCount(0);
    shownFits_.clear();
    const std::optional<ExactDecimal> size = ReadNumberBox(fitSize_);
    if (!size) {
        fitSummary_->setText(QStringLiteral("Размер — не число."));
        return;
    }
    // The bounds as typed, in the sense chosen; an empty one is no bound.
    const bool n = Interference();
    const char* const names[] = {n ? "Nmin" : "Smin", n ? "Nmax" : "Smax"};
    std::optional<Micrometres> typed[2];
    QLineEdit* const boxes[] = {min_, max_};
    for (int i = 0; i < 2; ++i) {
        if (boxes[i]->text().trimmed().isEmpty()) {
            SetTextColour(boxes[i], clWindowText());
            continue;
        }
        const std::optional<ExactDecimal> value = ReadNumberBox(boxes[i]);
        if (!value) {
            fitSummary_->setText(QString::fromUtf8(names[i]) + QStringLiteral(" — не число."));
            return;
        }
        typed[i] = Micrometres(*value);
        if (!SearchNanometres(*typed[i])) {
            fitSummary_->setText(Text(SearchLengthError(*typed[i], names[i])));
            return;
        }
    }
    if (typed[0] && typed[1] && *typed[0] > *typed[1]) {
        fitSummary_->setText(QStringLiteral("%1 больше %2.").arg(names[0], names[1]));
        return;
    }
    // A required interference is a negative clearance: Nmin..Nmax is -Nmax..-Nmin.
    ClearanceWindow window;
    if (n) {
        if (typed[1])
            window.min = -*typed[1];
        if (typed[0])
            window.max = -*typed[0];
    } else {
        window.min = typed[0];
        window.max = typed[1];
    }
    const FitSystem system = system_->currentIndex() == 0   ? FitSystem::HoleBasis
                             : system_->currentIndex() == 1 ? FitSystem::ShaftBasis
                                                            : FitSystem::Any;
    const FitCandidates from = candidates_->currentIndex() == 0   ? FitCandidates::Preferred
                               : candidates_->currentIndex() == 1 ? FitCandidates::Recommended
                                                                  : FitCandidates::All;
    const FitSearch found = FindFits(Millimetres(*size), window, system, from, kShownFits);
    if (!found.error.empty()) {
        fitSummary_->setText(Text(found.error));
        return;
    }
    fitSizeText_ = fitSize_->text();
    if (found.count == 0)
        fitSummary_->setText(QStringLiteral("Ни одна посадка не подходит."));
    else if (found.count > found.fits.size())
        fitSummary_->setText(
            QStringLiteral("Подходит посадок: %1; показаны первые %2.").arg(found.count).arg(found.fits.size()));
    else
        fitSummary_->setText(QStringLiteral("Подходит посадок: %1.").arg(found.count));

    shownFits_ = found.fits;
    fits_->setRowCount(static_cast<int>(shownFits_.size()));
    for (int row = 0; row < fits_->rowCount(); ++row) {
        const FitMatch& m = shownFits_[static_cast<size_t>(row)];
        const Micrometres minC(WholeNanometres(m.minClearance)), maxC(WholeNanometres(m.maxClearance));
        // Clearances, or interferences with the sign turned: Nmin = -Smax, Nmax = -Smin.
        const Micrometres low = n ? -maxC : minC;
        const Micrometres high = n ? -minC : maxC;
        // What is left to each bound the user typed.
        const std::optional<Micrometres> lowMargin = typed[0] ? std::optional<Micrometres>(low - *typed[0])
                                                              : std::nullopt;
        const std::optional<Micrometres> highMargin = typed[1] ? std::optional<Micrometres>(*typed[1] - high)
                                                               : std::nullopt;
        auto* name = Cell(Text(iso286::FieldName(m.hole) + "/" + iso286::FieldName(m.shaft)),
                          Qt::AlignLeft | Qt::AlignVCenter);
        QFont font = name->font();
        font.setBold(m.standing == FitStanding::Preferred);
        name->setFont(font);
        fits_->setItem(row, 0, name);
        fits_->setItem(row, 1, Cell(Text(LengthText(low, DeviationUnit::Micrometres))));
        fits_->setItem(row, 2, Cell(Text(LengthText(high, DeviationUnit::Micrometres))));
        fits_->setItem(row, 3, Cell(Text(FitKindText(m.kind)), Qt::AlignLeft | Qt::AlignVCenter));
        fits_->setItem(row, 4, Cell(Text(StandingText(m.standing)), Qt::AlignLeft | Qt::AlignVCenter));
        fits_->setItem(row, 5, Cell(lowMargin ? SignedMicrometres(*lowMargin) : QStringLiteral("—")));
        fits_->setItem(row, 6, Cell(highMargin ? SignedMicrometres(*highMargin) : QStringLiteral("—")));
    }
    if (fits_->rowCount() > 0)
        fits_->setCurrentCell(0, 0);
}

void SelectionWindow::FieldActivated(int row)
{
    if (row >= 0 && row < static_cast<int>(shownFields_.size()))
        emit openField(shownFields_[static_cast<size_t>(row)].field, fieldSizeText_);
}

void SelectionWindow::FitActivated(int row)
{
    if (row >= 0 && row < static_cast<int>(shownFits_.size()))
        emit openFit(shownFits_[static_cast<size_t>(row)].hole, shownFits_[static_cast<size_t>(row)].shaft,
                     fitSizeText_);
}

void SelectionWindow::CopyClick()
{
    if (pages_->currentIndex() == 0) {
        const int row = fields_->currentRow();
        std::optional<ClipboardTexts> texts;
        const std::optional<Millimetres> size = SizeOf(fieldSizeText_);
        if (row >= 0 && row < static_cast<int>(shownFields_.size()) && size)
            texts = FieldCopy(IsoField(shownFields_[static_cast<size_t>(row)].field, *size));
        CopyOrSayWhy(texts, copy_, QStringLiteral("не выбрано ни одно поле."));
        return;
    }
    const int row = fits_->currentRow();
    std::optional<ClipboardTexts> texts;
    const std::optional<Millimetres> size = SizeOf(fitSizeText_);
    if (row >= 0 && row < static_cast<int>(shownFits_.size()) && size) {
        const FitMatch& m = shownFits_[static_cast<size_t>(row)];
        texts = FitCopy(IsoFit(m.hole, m.shaft, *size));
    }
    CopyOrSayWhy(texts, copy_, QStringLiteral("не выбрана ни одна посадка."));
}
