// SPDX-License-Identifier: GPL-3.0-or-later
#include "GeneralToleranceWindow.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalBlocker>
#include <QVBoxLayout>

#include <algorithm>
#include <initializer_list>
#include <string>

#include "Boxes.h"
#include "Clipboard.h"
#include "Designation.h"
#include "Look.h"
#include "NumberBox.h"
#include "NumberText.h"
#include "Texts.h"

namespace gt = general_tolerances;

namespace {

const char* const kRowNames[] = {"Верхнее отклонение", "Нижнее отклонение", "Допуск", "Наибольший размер",
                                 "Наименьший размер",  "Средний размер",    "Радиус"};
const char* const kRowKeys[] = {"Upper", "Lower", "Tolerance", "Max", "Min", "Mid", "Radius"};

const GeometricFeature kFeatures[] = {GeometricFeature::Straightness, GeometricFeature::Perpendicularity,
                                      GeometricFeature::Symmetry, GeometricFeature::CircularRunOut};
const char* const kFeatureNames[] = {"Прямолинейность, плоскостность", "Перпендикулярность", "Симметричность",
                                     "Радиальное и торцовое биение"};
const char* const kFeatureHints[] = {"По длине линии или большей стороне поверхности (диаметру круглой)",
                                     "По длине меньшей стороны угла", "По длине элемента",
                                     "Одно значение для класса при любом размере"};
const char* const kFeatureKeys[] = {"Straightness", "Perpendicularity", "Symmetry", "RunOut"};

const QString kDash = QStringLiteral("—");


}  // namespace

GeneralToleranceWindow::GeneralToleranceWindow(QWidget* parent) : ToolWindow(parent, QStringLiteral("general"))
{
    setObjectName(QStringLiteral("GeneralToleranceWindow"));
    setWindowTitle(QStringLiteral("Общие допуски"));
    SetUpControls();

    connect(size_, &QLineEdit::textChanged, this, &GeneralToleranceWindow::Recalc);
    for (QComboBox* box : {element_, geometricClass_})
        connect(box, &QComboBox::currentIndexChanged, this, &GeneralToleranceWindow::Recalc);
    // Picking a class or a grade chooses its rule.
    connect(class_, &QComboBox::currentIndexChanged, this,
            [this] { byClass_->isChecked() ? Recalc() : byClass_->setChecked(true); });
    connect(grade_, &QComboBox::currentIndexChanged, this,
            [this] { byGrade_->isChecked() ? Recalc() : byGrade_->setChecked(true); });
    connect(byClass_, &QAbstractButton::toggled, this, &GeneralToleranceWindow::Recalc);
    for (QAbstractButton* b : std::initializer_list<QAbstractButton*>{micrometres_, asIs_, twoDigits_, threeDigits_})
        connect(b, &QAbstractButton::toggled, this, &GeneralToleranceWindow::Recalc);
    connect(copyNote_, &QPushButton::clicked, this, &GeneralToleranceWindow::CopyClick);
    connect(copyGeometricNote_, &QPushButton::clicked, this, [this] {
        const std::string note = GeometricNote(ChosenRule(), ChosenGeometricClass());
        CopyOrSayWhy(ClipboardTexts{note, note}, copyGeometricNote_, QString());
    });

    size_->setText(QStringLiteral("25"));
    Recalc();
}

void GeneralToleranceWindow::SetUpControls()
{
    // ---- What is asked: size, element, rule
    size_ = new QLineEdit(this);
    size_->setObjectName(QStringLiteral("GenSize"));
    size_->setAccessibleName(QStringLiteral("Номинальный размер, мм"));
    size_->setFont(SansFont(14, true));
    size_->setMaximumWidth(110);
    AcceptNumberKeysOnly(size_);
    sizeLabel_ = new QLabel(QStringLiteral("Размер, мм:"), this);
    sizeLabel_->setObjectName(QStringLiteral("GenSizeLabel"));
    sizeLabel_->setBuddy(size_);

    element_ = new QComboBox(this);
    element_->setObjectName(QStringLiteral("GenElement"));
    element_->setAccessibleName(QStringLiteral("Элемент"));
    for (const GeneralElement e : {GeneralElement::External, GeneralElement::Internal, GeneralElement::OtherLinear,
                                   GeneralElement::BrokenEdge, GeneralElement::Angle})
        element_->addItem(Text(ElementText(e)), static_cast<int>(e));
    element_->setCurrentIndex(element_->findData(static_cast<int>(GeneralElement::OtherLinear)));
    auto* elementLabel = new QLabel(QStringLiteral("Элемент:"), this);
    elementLabel->setBuddy(element_);

    byClass_ = new QRadioButton(QStringLiteral("ГОСТ 30893.1, класс"), this);
    byClass_->setObjectName(QStringLiteral("GenByClass"));
    byClass_->setAccessibleName(QStringLiteral("Правило: класс точности ГОСТ 30893.1"));
    byGrade_ = new QRadioButton(QStringLiteral("H, h, ±IT/2, квалитет"), this);
    byGrade_->setObjectName(QStringLiteral("GenByGrade"));
    byGrade_->setAccessibleName(QStringLiteral("Правило: отверстий H, валов h, остальных ±IT/2"));
    class_ = new QComboBox(this);
    class_->setObjectName(QStringLiteral("GenClass"));
    class_->setAccessibleName(QStringLiteral("Класс точности ГОСТ 30893.1"));
    for (std::size_t c = 0; c < gt::kLinearClassCount; ++c)
        class_->addItem(Text(LinearClassText(static_cast<gt::LinearClass>(c))), static_cast<int>(c));
    class_->setCurrentIndex(static_cast<int>(gt::Index(gt::LinearClass::m)));
    grade_ = new QComboBox(this);
    grade_->setObjectName(QStringLiteral("GenGrade"));
    grade_->setAccessibleName(QStringLiteral("Квалитет"));
    for (int g = kItFormFinestGrade; g <= kItFormCoarsestGrade; ++g)
        grade_->addItem(QStringLiteral("IT%1").arg(g), g);
    grade_->setCurrentIndex(grade_->findData(kItFormDefaultGrade));
    // A group of their own: the rounding buttons further down this window's
    // tree would otherwise count as their siblings, and a click could clear both.
    auto* rules = new QButtonGroup(this);
    rules->addButton(byClass_);
    rules->addButton(byGrade_);
    byClass_->setChecked(true);

    auto* asked = new QGridLayout;
    asked->addWidget(sizeLabel_, 0, 0);
    asked->addWidget(size_, 0, 1);
    asked->addWidget(elementLabel, 0, 2, Qt::AlignRight);
    asked->addWidget(element_, 0, 3);
    asked->addWidget(byClass_, 1, 0, 1, 2);
    asked->addWidget(class_, 1, 2, 1, 2);
    asked->addWidget(byGrade_, 2, 0, 1, 2);
    asked->addWidget(grade_, 2, 2, 1, 2);
    asked->setColumnStretch(3, 1);

    // ---- The deviations
    auto* deviations = new QGroupBox(QStringLiteral("Предельные отклонения"), this);
    deviations->setObjectName(QStringLiteral("GenDeviations"));
    auto* grid = new QGridLayout(deviations);
    value_ = ResultBox(deviations, QStringLiteral("GenValue"), QStringLiteral("Общий допуск размера"));
    value_->setFont(SansFont(20, true));
    value_->setAlignment(Qt::AlignCenter);
    SetTextColour(value_, clMaroon);
    grid->addWidget(value_, 0, 0, 1, 2);
    for (int row = 0; row < 7; ++row) {
        const QString name = QString::fromUtf8(kRowNames[row]);
        grid->addWidget(new QLabel(name, deviations), row + 1, 0);
        boxes_[row] = ResultBox(deviations, QStringLiteral("Gen%1").arg(kRowKeys[row]), name, 100);
        grid->addWidget(boxes_[row], row + 1, 1);
    }
    info_ = new QLabel(deviations);
    info_->setObjectName(QStringLiteral("GenInfo"));
    info_->setAccessibleName(QStringLiteral("Откуда значение"));
    info_->setWordWrap(true);
    info_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    // Room for the longest reason, so that the window does not jump.
    info_->setMinimumHeight(3 * info_->fontMetrics().lineSpacing());
    grid->addWidget(info_, 8, 0, 1, 2);
    grid->setRowStretch(9, 1);

    // ---- Rounding and unit, as in the main window
    const RoundingButtons rounding = MakeRoundingButtons(this, QStringLiteral("Gen"));
    asIs_ = rounding.asIs;
    twoDigits_ = rounding.twoDigits;
    threeDigits_ = rounding.threeDigits;
    micrometres_ = new QCheckBox(QStringLiteral("Отклонения и допуски в мкм"), this);
    micrometres_->setObjectName(QStringLiteral("GenMicrometres"));
    micrometres_->setAccessibleName(micrometres_->text());

    // ---- Form and position
    auto* geometric = new QGroupBox(QStringLiteral("Форма и расположение, ГОСТ 30893.2"), this);
    geometric->setObjectName(QStringLiteral("GenGeometric"));
    auto* geometricGrid = new QGridLayout(geometric);
    geometricClass_ = new QComboBox(geometric);
    geometricClass_->setObjectName(QStringLiteral("GenGeometricClass"));
    geometricClass_->setAccessibleName(QStringLiteral("Класс точности ГОСТ 30893.2"));
    for (std::size_t c = 0; c < gt::kGeometricClassCount; ++c)
        geometricClass_->addItem(QString::fromLatin1(gt::kGeometricClassLetter[c]), static_cast<int>(c));
    geometricClass_->setCurrentIndex(static_cast<int>(gt::Index(gt::GeometricClass::K)));
    auto* classLabel = new QLabel(QStringLiteral("Класс:"), geometric);
    classLabel->setBuddy(geometricClass_);
    geometricGrid->addWidget(classLabel, 0, 0);
    geometricGrid->addWidget(geometricClass_, 0, 1);
    for (int i = 0; i < 4; ++i) {
        const QString name = QString::fromUtf8(kFeatureNames[i]);
        auto* label = new QLabel(name, geometric);
        label->setWordWrap(true);
        label->setToolTip(QString::fromUtf8(kFeatureHints[i]));
        geometricGrid->addWidget(label, i + 1, 0);
        geometricBoxes_[i] = ResultBox(geometric, QStringLiteral("Gen%1").arg(kFeatureKeys[i]), name);
        geometricBoxes_[i]->setToolTip(label->toolTip());
        geometricBoxes_[i]->setMaximumWidth(90);
        geometricGrid->addWidget(geometricBoxes_[i], i + 1, 1);
    }
    geometricInfo_ = new QLabel(geometric);
    geometricInfo_->setObjectName(QStringLiteral("GenGeometricInfo"));
    geometricInfo_->setAccessibleName(QStringLiteral("Допуски формы и расположения: откуда значения"));
    geometricInfo_->setWordWrap(true);
    geometricInfo_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    geometricInfo_->setMinimumHeight(3 * geometricInfo_->fontMetrics().lineSpacing());
    geometricGrid->addWidget(geometricInfo_, 5, 0, 1, 2);
    geometricGrid->setColumnStretch(0, 1);

    auto* right = new QVBoxLayout;
    right->addWidget(rounding.group);
    right->addWidget(micrometres_);
    right->addWidget(geometric, 1);
    auto* middle = new QHBoxLayout;
    middle->addWidget(deviations, 1);
    middle->addLayout(right, 1);

    // ---- The notes
    auto* notes = new QGroupBox(QStringLiteral("Надпись на чертеже"), this);
    notes->setObjectName(QStringLiteral("GenNotes"));
    note_ = ResultBox(notes, QStringLiteral("GenNote"), QStringLiteral("Надпись об общих допусках размеров"));
    geometricNote_ = ResultBox(notes, QStringLiteral("GenGeometricNote"),
                               QStringLiteral("Надпись об общих допусках формы и расположения"));
    copyNote_ = new QPushButton(QStringLiteral("Копировать первую"), notes);
    copyNote_->setObjectName(QStringLiteral("GenCopyNote"));
    copyNote_->setAccessibleName(QStringLiteral("Копировать надпись об общих допусках размеров"));
    copyNote_->setToolTip(QStringLiteral("Надпись об общих допусках размеров — в буфер обмена (Ctrl+Shift+C)"));
    copyGeometricNote_ = new QPushButton(QStringLiteral("Копировать вторую"), notes);
    copyGeometricNote_->setObjectName(QStringLiteral("GenCopyGeometricNote"));
    copyGeometricNote_->setAccessibleName(QStringLiteral("Копировать надпись об общих допусках формы и расположения"));
    copyGeometricNote_->setToolTip(QStringLiteral("Надпись с классом ГОСТ 30893.2 — в буфер обмена"));
    for (QLineEdit* box : {note_, geometricNote_}) {
        box->setFont(SansFont(12));
        SetTextColour(box, clNavy);
    }
    // Each note has the whole width: the longest is the IT form's.
    auto* notesColumn = new QVBoxLayout(notes);
    notesColumn->addWidget(note_);
    notesColumn->addWidget(geometricNote_);
    auto* copyRow = new QHBoxLayout;
    copyRow->addStretch(1);
    copyRow->addWidget(copyNote_);
    copyRow->addWidget(copyGeometricNote_);
    notesColumn->addLayout(copyRow);

    auto* all = new QVBoxLayout(this);
    all->addLayout(asked);
    all->addLayout(middle, 1);
    all->addWidget(notes);
    // Wrapped labels need their height at the width the window opens with.
    constexpr int kWidth = 600;
    resize(kWidth, std::max(sizeHint().height(), all->totalHeightForWidth(kWidth)));
}

GeneralRule GeneralToleranceWindow::ChosenRule() const
{
    if (byClass_->isChecked())
        return GeneralRule::Class(static_cast<gt::LinearClass>(class_->currentData().toInt()));
    return GeneralRule::ItForm(grade_->currentData().toInt());
}

GeneralElement GeneralToleranceWindow::ChosenElement() const
{
    return static_cast<GeneralElement>(element_->currentData().toInt());
}

gt::GeometricClass GeneralToleranceWindow::ChosenGeometricClass() const
{
    return static_cast<gt::GeometricClass>(geometricClass_->currentData().toInt());
}

void GeneralToleranceWindow::Preset(const QString& sizeText)
{
    if (sizeText == lastPreset_)
        return;
    const std::optional<Millimetres> size = ReadSizeText(sizeText.toStdString());
    if (!size || size->Sign() <= 0)
        return;
    lastPreset_ = sizeText;
    size_->setText(sizeText);
}

void GeneralToleranceWindow::Recalc()
{
    const std::optional<Millimetres> size = ReadSizeBox(size_);
    sizeLabel_->setText(ChosenElement() == GeneralElement::Angle ? QStringLiteral("Меньшая сторона, мм:")
                                                                 : QStringLiteral("Размер, мм:"));
    ShowLinear(size);
    ShowGeometric(size);
    const GeneralRule rule = ChosenRule();
    note_->setText(Text(GeneralNote(rule)));
    geometricNote_->setText(Text(GeometricNote(rule, ChosenGeometricClass())));
}

void GeneralToleranceWindow::ShowLinear(const std::optional<Millimetres>& size)
{
    const GeneralRule rule = ChosenRule();
    const GeneralElement element = ChosenElement();
    shown_ = size ? GeneralTolerance(rule, element, *size) : GeneralResult{};
    if (!shown_.defined) {
        value_->setText(kDash);
        for (QLineEdit* box : boxes_)
            ShowPlain(box, kNoDataText);
        info_->setText(size ? QStringLiteral("Не определено. ") + Text(shown_.reason)
                            : QStringLiteral("Размер — не число."));
        SetTextColour(info_, clMaroon);
        return;
    }
    SetTextColour(info_, clWindowText());
    if (element == GeneralElement::Angle) {
        const QString angle = Text(AngleText(shown_.arcMinutes));
        value_->setText(QStringLiteral("±") + angle);
        ShowDeviation(boxes_[0], {"+" + AngleText(shown_.arcMinutes), true});
        ShowDeviation(boxes_[1], {"-" + AngleText(shown_.arcMinutes), false});
        ShowPlain(boxes_[2], AngleText(2 * shown_.arcMinutes));
        for (int i = 3; i < 7; ++i)
            boxes_[i]->setText(kDash);
        info_->setText(QStringLiteral("Класс %1, меньшая сторона угла %2. Предельные углы: номинал ±%3.")
                           .arg(Text(LinearClassText(*rule.linearClass)), Text(shown_.rangeText), angle));
        return;
    }
    const FieldTexts t = WriteFieldTexts(shown_.limits, UnitOf(micrometres_), RoundingOf(asIs_, threeDigits_));
    const std::string field = shown_.limits.field ? iso286::FieldName(*shown_.limits.field) + " " : std::string();
    value_->setText(Text(field + DeviationPairText(shown_.limits)));
    ShowDeviation(boxes_[0], t.upper);
    ShowDeviation(boxes_[1], t.lower);
    const std::string* const rest[] = {&t.tolerance, &t.results.max, &t.results.min, &t.results.mid, &t.results.radius};
    for (int i = 2; i < 7; ++i)
        ShowPlain(boxes_[i], *rest[i - 2]);
    if (rule.linearClass) {
        info_->setText(QStringLiteral("Класс %1, размеры %2.")
                           .arg(Text(LinearClassText(*rule.linearClass)), Text(shown_.rangeText)));
        return;
    }
    const QString it =
        QStringLiteral("IT%1 = %2 мкм").arg(rule.grade).arg(Text(LengthText(*shown_.it, DeviationUnit::Micrometres)));
    info_->setText(element == GeneralElement::OtherLinear
                       ? it + QStringLiteral(", отклонения ±IT/2 без округления.")
                       : it + QStringLiteral(", поле %1.").arg(Text(iso286::FieldName(*shown_.limits.field))));
}

void GeneralToleranceWindow::ShowGeometric(const std::optional<Millimetres>& size)
{
    const gt::GeometricClass c = ChosenGeometricClass();
    const DeviationUnit unit = UnitOf(micrometres_);
    QString reason;
    for (std::size_t i = 0; i < geometric_.size(); ++i) {
        geometric_[i] = size ? GeometricTolerance(c, kFeatures[i], *size) : GeometricResult{};
        if (kFeatures[i] == GeometricFeature::CircularRunOut)  // one value for the class, typed size or not
            geometric_[i] = GeometricTolerance(c, kFeatures[i], Millimetres());
        ShowPlain(geometricBoxes_[i], geometric_[i].defined ? LengthText(geometric_[i].tolerance, unit) : kNoDataText);
        if (!geometric_[i].defined && reason.isEmpty())
            reason = size ? Text(geometric_[i].reason) : QStringLiteral("Размер — не число.");
    }
    geometricInfo_->setText(reason.isEmpty() ? QStringLiteral("Длины %1; перпендикулярность и симметричность — %2.")
                                                   .arg(Text(geometric_[0].rangeText), Text(geometric_[1].rangeText))
                                             : QStringLiteral("Не определено. ") + reason);
    SetTextColour(geometricInfo_, reason.isEmpty() ? clWindowText() : clMaroon);
}

void GeneralToleranceWindow::CopyClick()
{
    const std::string note = GeneralNote(ChosenRule());
    CopyOrSayWhy(ClipboardTexts{note, note}, copyNote_, QString());
}
