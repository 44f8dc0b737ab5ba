// SPDX-License-Identifier: GPL-3.0-or-later
#include "frm_Main_Unit.h"

#include <QAction>
#include <QComboBox>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMouseEvent>
#include <QPointer>
#include <QScreen>
#include <QSignalBlocker>
#include <QStyleFactory>
#include <QStatusBar>

#include <algorithm>
#include <initializer_list>

#include "Boxes.h"
#include "Catalogue.h"
#include "Clipboard.h"
#include "CopyTexts.h"
#include "Data_Unit.h"
#include "GeneralToleranceWindow.h"
#include "CheckWindow.h"
#include "Look.h"
#include "NumberBox.h"
#include "NumberText.h"
#include "SelectionWindow.h"
#include "Texts.h"
#include "Version.h"
#include "frm_About_Unit.h"
#include "frm_FastNamber_Unit.h"
#include "frm_Fit_Unit.h"
#include "frm_List_unit.h"
#include "frm_Reference_Unit.h"
#include "frm_Tabl_unit.h"

// The swap glyph, compiled in.
#include "swap.xpm"

TForm1* Form1 = nullptr;

template <typename Window>
Window* SideWindow()
{
    // The one instance is a child of the main window, and goes with it.
    if (auto* window = Form1->findChild<Window*>(QString(), Qt::FindDirectChildrenOnly))
        return window;
    return new Window(Form1);
}
template Tfrm_Table* SideWindow<Tfrm_Table>();
template Tfrm_About* SideWindow<Tfrm_About>();
template Tfrm_ListOf_PoleDop* SideWindow<Tfrm_ListOf_PoleDop>();
template Tfrm_FastNamber* SideWindow<Tfrm_FastNamber>();
template Tfrm_Fit* SideWindow<Tfrm_Fit>();
template Tfrm_Reference* SideWindow<Tfrm_Reference>();
template SelectionWindow* SideWindow<SelectionWindow>();
template GeneralToleranceWindow* SideWindow<GeneralToleranceWindow>();
template CheckWindow* SideWindow<CheckWindow>();

namespace {

const QString kNoData = QString::fromUtf8(kNoDataText);

// Far longer than any number a user types.
constexpr int kLongestUndoneText = 64;

// Fonts and colours of the controls; a null colour keeps the window text colour.
struct ControlLook {
    const char* name;
    int pixelSize;
    bool bold;
    const QColor* colour;
};
const ControlLook kLooks[] = {
    {"Label5", 11, true, &clMaroon},     {"Label6", 11, true, &clMaroon},
    {"Label7", 11, true, &clMaroon},     {"Label8", 11, true, &clMaroon},
    {"Label1", 11, true, &clMaroon},     {"Label2", 11, true, &clMaroon},
    {"Label3", 11, true, &clMaroon},     {"Label17", 11, true, &clMaroon},
    {"Label12", 11, true, &clMaroon},    {"Label19", 11, true, &clMaroon},
    {"Label10", 11, true, &clNavy},      {"Label11", 11, true, &clNavy},
    {"Label15", 11, true, &clNavy},      {"ListBox1", 11, true, &clNavy},
    {"CheckBox1", 11, true, &clNavy},    {"CheckBox2", 11, true, &clNavy},
    {"GroupBox1", 11, true, &clNavy},    {"ComboBox1", 11, true, &clNavy},
    {"ComboBox4", 11, true, &clNavy},    {"ComboBox3", 11, true, &clNavy},
    {"Label13", 13, true, &clBlue},      {"Label9", 37, true, nullptr},
    {"Label4", 37, true, nullptr},       {"Edit3", 16, true, &clNavy},
    {"Edit4", 16, true, &clNavy},        {"Edit5", 16, true, &clNavy},
    {"Edit6", 16, true, &clNavy},        {"Edit1", 24, true, &clMaroon},
    {"Edit2", 24, true, &clMaroon},      {"Edit7", 24, true, &clMaroon},
    {"Edit8", 24, true, &clMaroon},      {"Button1", 11, true, nullptr},
    {"Button3", 11, true, nullptr},      {"Button4", 11, true, nullptr},
    {"Button5", 11, true, nullptr},
};

// Sets the item from code: raises no change event, and replaces typed text.
void SelectItem(QComboBox* box, int index)
{
    const QSignalBlocker block(box);
    box->setCurrentIndex(index);
    box->setEditText(box->itemText(index));
}

// One for the program's life, owned by the application: it outlives every
// widget that uses it, whatever order windows are destroyed in.
QStyle* ClassicStyle()
{
    static QPointer<QStyle> style;
    if (!style) {
        style = QStyleFactory::create(QStringLiteral("Windows"));
        if (style)
            style->setParent(QCoreApplication::instance());
    }
    return style;
}

void SetHint(QWidget* w, const QString& hint)
{
    w->setToolTip(hint);
    w->setAccessibleName(hint);
}

}  // namespace

int ComboItemIndex(const QComboBox* box)
{
    const int current = box->currentIndex();
    if (current >= 0 && box->itemText(current) == box->currentText())
        return current;
    return box->findText(box->currentText(), Qt::MatchExactly | Qt::MatchCaseSensitive);
}

TForm1::TForm1(QWidget* parent) : QMainWindow(parent)
{
    setupUi(this);
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint);
    SpeedButton1->setIcon(QPixmap(swap_xpm));
    // The platform's group box: its caption set in the frame's top line.
    if (QStyle* classic = ClassicStyle())
        GroupBox1->setStyle(classic);
    for (const ControlLook& look : kLooks) {
        auto* w = findChild<QWidget*>(QLatin1String(look.name));
        w->setFont(SansFont(look.pixelSize, look.bold));
        if (look.colour)
            SetTextColour(w, *look.colour);
    }
    SetBaseColour(Edit2, clWhite);
    for (QLineEdit* box : {Edit1, Edit3, Edit4, Edit5, Edit6, Edit7, Edit8})
        SetBaseColour(box, clBtnFace());
    for (QLineEdit* box : {Edit1, Edit2, Edit3, Edit4, Edit5, Edit6, Edit7, Edit8})
        box->setAccessibleName(box->toolTip());
    ListBox1->setAccessibleName(ListBox1->toolTip());
    ComboBox1->setAccessibleName(Label1->text());
    ComboBox4->setAccessibleName(Label2->text());
    ComboBox3->setAccessibleName(Label3->text());
    for (QComboBox* box : {ComboBox1, ComboBox4, ComboBox3}) {
        // Editable once its items have their texts: one line edit set-up
        // instead of one per item text.
        box->setEditable(true);
        box->setCompleter(nullptr);  // typed text is taken as typed
    }

    auto* panel = new QLabel(StatusBar1);
    panel->setObjectName(QStringLiteral("StatusBar1Panel0"));
    panel->setFixedWidth(200);
    StatusBar1->addWidget(panel);

    setFixedSize(628, 408);
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        // Centred; on a screen too small for it the top-left corner stays
        // in reach, with the title bar that moves the window.
        const QRect free = screen->availableGeometry();
        const QPoint centred = free.center() - rect().center();
        move(std::max(centred.x(), free.left()), std::max(centred.y(), free.top()));
    }

    // Wiring.
    connect(Label5, &ClickableLabel::clicked, this, &TForm1::Label5Click);
    connect(Label13, &ClickableLabel::clicked, this, &TForm1::Label13Click);
    connect(Label1, &ClickableLabel::clicked, this, &TForm1::Label1Click);
    connect(Label2, &ClickableLabel::clicked, this, &TForm1::Label2Click);
    connect(Label3, &ClickableLabel::clicked, this, &TForm1::Label3Click);
    // First the selection follows the current row, then the results follow.
    connect(ListBox1->selectionModel(), &QItemSelectionModel::selectionChanged, this, &TForm1::KeepOneRowSelected);
    connect(ListBox1, &QListWidget::currentRowChanged, this, &TForm1::KeepOneRowSelected);
    connect(ListBox1, &QListWidget::currentRowChanged, this, &TForm1::Button2Click);
    for (QLineEdit* box : {Edit2, Edit3, Edit4}) {
        connect(box, &QLineEdit::textChanged, this, &TForm1::Button2Click);
        // Undo keeps every pasted character; long texts are no numbers a
        // user wants back, so their history is dropped to keep memory flat.
        connect(box, &QLineEdit::textEdited, this, [box, before = 0](const QString& text) mutable {
            if (std::max<qsizetype>(before, text.size()) > kLongestUndoneText) {
                const int cursor = box->cursorPosition();
                box->setText(text);  // the same text: raises nothing, clears the history
                box->setCursorPosition(cursor);
            }
            before = text.size();
        });
    }
    for (QRadioButton* radio : {RadioButton1, RadioButton2, RadioButton3}) {
        // Tab enters the rounding choice at its checked button only.
        radio->setFocusPolicy(radio->isChecked() ? Qt::StrongFocus : Qt::ClickFocus);
        connect(radio, &QRadioButton::toggled, this, [this, radio](bool checked) {
            radio->setFocusPolicy(checked ? Qt::StrongFocus : Qt::ClickFocus);
            if (checked)
                Button2Click();
        });
    }
    for (QComboBox* box : {ComboBox1, ComboBox4, ComboBox3})
        connect(box, &QComboBox::editTextChanged, this, &TForm1::ComboBox1Change);
    for (QCheckBox* box : {CheckBox1, CheckBox2})
        connect(box, &QCheckBox::toggled, this, &TForm1::CheckBox1Click);
    connect(SpeedButton1, &QToolButton::clicked, this, &TForm1::SpeedButton1Click);
    connect(Button1, &QPushButton::clicked, this, &TForm1::Button1Click);
    connect(Button3, &QPushButton::clicked, this, &TForm1::Button3Click);
    connect(Button4, &QPushButton::clicked, this, &TForm1::Button4Click);
    connect(Button5, &QPushButton::clicked, this, &TForm1::Button5Click);
    connect(Button20, &QPushButton::clicked, this, &TForm1::Button20Click);
    connect(Button21, &QPushButton::clicked, this, &TForm1::Button21Click);
    for (QObject* o : std::initializer_list<QObject*>{Edit1, Edit2, Edit3, Edit4, ListBox1->viewport(),
                                                      RadioButton1, RadioButton2, RadioButton3})
        o->installEventFilter(this);

    Edit2->setFocus();
    FormCreate();
    SetUpSideWindowLinks();
}

bool TForm1::eventFilter(QObject* watched, QEvent* event)
{
    // Filters see events before a disabled control drops them.
    if (!static_cast<QWidget*>(watched)->isEnabled())
        return QMainWindow::eventFilter(watched, event);
    switch (event->type()) {
    case QEvent::MouseButtonDblClick:
        // Taken whole: the box or list does not see the second click.
        if (static_cast<QMouseEvent*>(event)->button() != Qt::LeftButton)
            break;
        if (watched == Edit1 || watched == ListBox1->viewport())
            Label5Click();
        else if (watched == Edit3)
            Button21Click();
        else if (watched == Edit4)
            Edit4DblClick();
        else
            break;
        return true;
    case QEvent::KeyPress: {
        auto* keyEvent = static_cast<QKeyEvent*>(event);
        const int k = keyEvent->key();
        if (watched == RadioButton1 || watched == RadioButton2 || watched == RadioButton3) {
            if (keyEvent->modifiers() & (Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier))
                break;
            if (k == Qt::Key_Down || k == Qt::Key_Right) {
                MoveRoundingChoice(watched, 1);
                return true;
            }
            if (k == Qt::Key_Up || k == Qt::Key_Left) {
                MoveRoundingChoice(watched, -1);
                return true;
            }
            break;
        }
        if (watched != Edit2 && watched != Edit3 && watched != Edit4)
            break;
        // Keys without a character keep their editing role.
        if (keyEvent->text().isEmpty() || k == Qt::Key_Tab || k == Qt::Key_Backtab || k == Qt::Key_Delete)
            break;
        QString key = keyEvent->text();
        if (!Edit2KeyPress(key))
            return true;
        if (key != keyEvent->text()) {
            QKeyEvent replaced(QEvent::KeyPress, Qt::Key_Comma, Qt::NoModifier, key, keyEvent->isAutoRepeat());
            QCoreApplication::sendEvent(watched, &replaced);
            return true;
        }
        break;
    }
    default:
        break;
    }
    return QMainWindow::eventFilter(watched, event);
}

// ---- Start and side windows ----

void TForm1::FormCreate()
{
    findChild<QLabel*>(QStringLiteral("StatusBar1Panel0"))->setText(QStringLiteral("Версия " KALIMAR_VERSION));
    BuildSizeRanges();
    BuildDeviationTable();
    BuildFieldNames();
    FillFieldList();
}

void TForm1::Button20Click()
{
    Tfrm_Table* table = SideWindow<Tfrm_Table>();
    table->SetGradeOrder(ComboItemIndex(ComboBox1) == kGradeOrderItem);
    table->exec();
}

void TForm1::Label13Click() { SideWindow<Tfrm_About>()->exec(); }

void TForm1::Label5Click()
{
    SelectItem(ComboBox1, kGradeOrderItem);
    SelectItem(ComboBox3, 0);
    SelectItem(ComboBox4, 0);
    FillFieldList();
    Tfrm_ListOf_PoleDop* picker = SideWindow<Tfrm_ListOf_PoleDop>();
    picker->SetPickedFieldName(QStringLiteral("H9"));
    picker->exec();
    const QString picked = picker->pickedFieldName();
    for (int row = 0; row < ListBox1->count(); ++row) {
        if (ListBox1->item(row)->text() == picked) {
            const QSignalBlocker block(ListBox1);
            ListBox1->setCurrentRow(row);
            break;
        }
    }
    Button2Click();
}

// ---- Field list and filters ----

FieldFilters TForm1::Filters() const
{
    return {ComboItemIndex(ComboBox1), ComboItemIndex(ComboBox4), ComboItemIndex(ComboBox3)};
}

void TForm1::FillFieldList()
{
    {
        const QSignalBlocker block(ListBox1);
        ListBox1->clear();
        for (const uint8_t field : ListedFields(Filters())) {
            auto* item = new QListWidgetItem(Text(FieldName(field)), ListBox1);
            item->setData(Qt::UserRole, field);
            item->setSizeHint(QSize(1, 13));
            ListFieldMap[ListBox1->count() - 1] = field;
        }
        const int row = DefaultRow(ListBox1->count());
        if (row >= 0)
            ListBox1->setCurrentRow(row);
    }
    RecalcFromCatalogue();
}

void TForm1::ComboBox1Change() { FillFieldList(); }

// A list box always has exactly one selected row, the current one: a click
// on the empty area or a Ctrl+click would otherwise leave none.
void TForm1::KeepOneRowSelected()
{
    if (ListBox1->count() == 0)
        return;
    QListWidgetItem* current = ListBox1->currentItem();
    const QList<QListWidgetItem*> selected = ListBox1->selectedItems();
    if (current && selected.size() == 1 && selected.first() == current)
        return;
    if (!current)
        current = selected.isEmpty() ? ListBox1->item(0) : selected.first();
    ListBox1->setCurrentItem(current, QItemSelectionModel::ClearAndSelect);
}

// A reset label does nothing at all while its box already shows the reset item.
void TForm1::ResetFilter(QComboBox* box, int resetItem)
{
    if (ComboItemIndex(box) == resetItem)
        return;
    SelectItem(box, resetItem);
    FillFieldList();
    Button2Click();
}

void TForm1::Label1Click() { ResetFilter(ComboBox1, kGradeOrderItem); }

void TForm1::Label2Click() { ResetFilter(ComboBox4, 0); }

void TForm1::Label3Click() { ResetFilter(ComboBox3, 0); }

// ---- Calculation and display ----

void TForm1::Button2Click()
{
    if (CheckBox1->isChecked())
        RecalcFromManual();
    else
        RecalcFromCatalogue();
}

DeviationUnit TForm1::Unit() const { return UnitOf(CheckBox2); }

// All four arrow keys walk the rounding choice round, as the platform's
// radio groups do, and each step is a click.
void TForm1::MoveRoundingChoice(QObject* from, int step)
{
    QRadioButton* const radios[] = {RadioButton1, RadioButton2, RadioButton3};
    const int at = int(std::find(std::begin(radios), std::end(radios), from) - std::begin(radios));
    QRadioButton* next = radios[(at + step + 3) % 3];
    next->setFocus(Qt::OtherFocusReason);
    next->click();
}

Rounding TForm1::ChosenRounding() const { return RoundingOf(RadioButton1, RadioButton3); }

// The size box reads in the default text colour, the deviation boxes in
// navy; a text that is not a number turns red.
void TForm1::ShowReadResult(QLineEdit* box, bool isNumber)
{
    SetTextColour(box, isNumber ? (box == Edit2 ? clWindowText() : clNavy) : clRed);
}

bool TForm1::Edit2KeyPress(QString& key)
{
    if (key == QLatin1String("."))
        key = QStringLiteral(",");
    if (key.size() != 1)
        return false;
    return IsNumberKeyChar(key.at(0)) || key.at(0) == u'\b';
}

void TForm1::WriteResults(const ResultTexts& results)
{
    Edit5->setText(Text(results.max));
    Edit6->setText(Text(results.min));
    Edit7->setText(Text(results.mid));
    Edit8->setText(Text(results.radius));
}

// The row the display is computed from: the selected row, else row 0; none
// for an empty list.
const QListWidgetItem* TForm1::ShownRow() const
{
    const QList<QListWidgetItem*> selected = ListBox1->selectedItems();
    return selected.isEmpty() ? ListBox1->item(0) : selected.first();
}

void TForm1::RecalcFromCatalogue()
{
    if (ListBox1->count() == 0) {
        for (QLineEdit* box : {Edit1, Edit3, Edit4, Edit5, Edit6, Edit7, Edit8})
            box->setText(kNoData);
        return;
    }
    const QListWidgetItem* item = ShownRow();
    const auto field = static_cast<uint8_t>(item->data(Qt::UserRole).toUInt());
    const CatalogueDisplay shown = CatalogueLimits(field, Edit2->text().toStdString(), Unit(), ChosenRounding());
    ShowReadResult(Edit2, shown.sizeIsNumber);
    Edit1->setText(item->text());
    SetTextColour(Edit1, KindColour(KindOfField(field)));
    if (!shown.present) {
        for (QLineEdit* box : {Edit3, Edit4})
            box->setText(kNoData);
        WriteResults(NoDataResults());
        return;
    }
    ShowDeviation(Edit3, shown.upper);
    ShowDeviation(Edit4, shown.lower);
    WriteResults(shown.results);
}

void TForm1::RecalcFromManual()
{
    const ManualDisplay shown = ManualLimits(Edit2->text().toStdString(), Edit3->text().toStdString(),
                                             Edit4->text().toStdString(), Unit(), ChosenRounding());
    ShowReadResult(Edit2, shown.sizeIsNumber);
    ShowReadResult(Edit3, shown.upperIsNumber);
    ShowReadResult(Edit4, shown.lowerIsNumber);
    WriteResults(shown.results);
}

// ---- Manual entry ----

void TForm1::CheckBox1Click()
{
    const bool manual = CheckBox1->isChecked();
    Edit1->setVisible(!manual);
    Button3->setEnabled(manual);
    for (QLabel* label : {Label1, Label2, Label3, Label5})
        label->setEnabled(!manual);
    Button4->setEnabled(manual);
    for (QPushButton* zero : {Button1, Button5})
        zero->setVisible(manual);
    for (QPushButton* zero : {Button1, Button5})
        zero->setEnabled(manual);
    SpeedButton1->setEnabled(manual);
    const struct {
        QLineEdit* box;
        QString manualHint;
        QString normalHint;
    } deviationBoxes[] = {
        {Edit3, QStringLiteral("Верхнее значение допуска. (Двойной щелчек для быстрой вставки)"),
         QStringLiteral("Верхнее значение допуска")},
        {Edit4, QStringLiteral("Нижнее значение допуска. (Двойной щелчек для быстрой вставки) "),
         QStringLiteral("Нижнее значение допуска")},
    };
    for (const auto& d : deviationBoxes) {
        SetBaseColour(d.box, manual ? clWhite : clBtnFace());
        SetHint(d.box, manual ? d.manualHint : d.normalHint);
        d.box->setReadOnly(!manual);
        d.box->setFocusPolicy(manual ? Qt::StrongFocus : Qt::ClickFocus);
    }
    for (QWidget* w : std::initializer_list<QWidget*>{ListBox1, ComboBox1, ComboBox3, ComboBox4})
        w->setEnabled(!manual);
    Button2Click();
}

void TForm1::Button1Click() { Edit3->setText(QStringLiteral("0")); }

void TForm1::Button5Click() { Edit4->setText(QStringLiteral("0")); }

void TForm1::FlipBoxSign(QLineEdit* box)
{
    if (!CheckBox1->isChecked())
        return;
    // The digits stay as typed; a text that is no number stays as it is
    // (and red): nothing to negate.
    const std::optional<std::string> negated = NegateNumberText(box->text().toStdString());
    ShowReadResult(box, negated.has_value());
    if (negated)
        box->setText(Text(*negated));
}

void TForm1::Button3Click() { FlipBoxSign(Edit3); }

void TForm1::Button4Click() { FlipBoxSign(Edit4); }

void TForm1::SpeedButton1Click()
{
    // A text that is no number moves across as it is: flipping it could
    // make a number of it ("--5" gives "-5") that nobody typed.
    const auto flipped = [](const QLineEdit* box) {
        const std::string text = box->text().toStdString();
        return ReadNumberText(text) ? Text(FlipSignText(text)) : box->text();
    };
    const QString upper = flipped(Edit3);
    const QString lower = flipped(Edit4);
    Edit4->setText(upper);
    Edit3->setText(lower);
}

void TForm1::QuickInsert(QLineEdit* box)
{
    if (!CheckBox1->isChecked())
        return;
    const QPoint inClient = box->mapTo(this, QPoint(0, 0));
    Tfrm_FastNamber* palette = SideWindow<Tfrm_FastNamber>();
    palette->move(x() + inClient.x() + box->width() + 10, y() + inClient.y() + box->height() + 3);
    palette->SetQuickValueText(box->text());
    palette->exec();
    const QString picked = palette->quickValueText();
    if (box == Edit3)
        Edit3->setText(picked);
    else if (picked != Edit4->text())
        Edit4->setText(QLatin1Char('-') + picked);
}

void TForm1::Button21Click() { QuickInsert(Edit3); }

void TForm1::Edit4DblClick() { QuickInsert(Edit4); }

// ---- The windows beside the main window ----

namespace {

// The size of "О программе", whose look the status-bar links share.
constexpr int kLinkPixelSize = 13;

// A status-bar link in the look of "О программе".
ClickableLabel* StatusLink(QStatusBar* bar, const char* name, const QString& text, const QString& hint)
{
    auto* link = new ClickableLabel(text, bar);
    link->setObjectName(QLatin1String(name));
    link->setFont(SansFont(kLinkPixelSize, true));
    SetTextColour(link, clBlue);
    link->setCursor(Qt::PointingHandCursor);
    link->setContentsMargins(6, 0, 6, 0);
    SetHint(link, hint);
    bar->addPermanentWidget(link);
    // Underlined under the pointer.
    QObject::connect(link, &ClickableLabel::entered, link, [link] { link->setFont(SansFont(kLinkPixelSize, true, true)); });
    QObject::connect(link, &ClickableLabel::left, link, [link] { link->setFont(SansFont(kLinkPixelSize, true)); });
    return link;
}

// Its keys work in every window of the program, not only here.
QAction* LinkAction(QWidget* window, const char* name, const QString& text, const QKeySequence& keys,
                    const QString& hint)
{
    auto* action = new QAction(text, window);
    action->setObjectName(QLatin1String(name));
    action->setShortcut(keys);
    action->setShortcutContext(Qt::ApplicationShortcut);
    action->setToolTip(QStringLiteral("%1 (%2)").arg(hint, keys.toString(QKeySequence::NativeText)));
    window->addAction(action);
    return action;
}

// The windows the menu lists, in its order; the first two have links of
// their own in the status bar, the rest are one click further, under «Ещё…».
struct ToolLink {
    const char* action;
    const char* text;
    Qt::Key key;
    const char* hint;
    void (TForm1::*open)();
    const char* statusLink;  // nullptr: in the menu only
};
const ToolLink kToolLinks[] = {
    {"ActionFit", "Посадка…", Qt::Key_F7, "Посадка: отверстие и вал вместе, со схемой полей", &TForm1::OpenFitWindow,
     "LabelFit"},
    {"ActionReference", "Справочник…", Qt::Key_F8, "Справочник ISO 286: любое поле при любом размере до 3150 мм",
     &TForm1::OpenReferenceWindow, "LabelReference"},
    {"ActionSelection", "Подбор…", Qt::Key_F9, "Подбор: поле по отклонениям, посадки по требуемому зазору или натягу",
     &TForm1::OpenSelectionWindow, nullptr},
    {"ActionCheck", "Контроль…", Qt::Key_F10, "Контроль: измеренные размеры — годен или брак, партия, протокол",
     &TForm1::OpenCheckWindow, nullptr},
    {"ActionGeneral", "Общие допуски…", Qt::Key_F11,
     "Общие допуски по ГОСТ 30893.1/.2 и неуказанные отклонения в квалитетах, с надписью для чертежа",
     &TForm1::OpenGeneralWindow, nullptr},
};

}  // namespace

void TForm1::SetUpSideWindowLinks()
{
    for (const ToolLink& t : kToolLinks) {
        QAction* action =
            LinkAction(this, t.action, QString::fromUtf8(t.text), QKeySequence(t.key), QString::fromUtf8(t.hint));
        connect(action, &QAction::triggered, this, t.open);
        if (t.statusLink) {
            ClickableLabel* link = StatusLink(StatusBar1, t.statusLink, action->text(), action->toolTip());
            connect(link, &ClickableLabel::clicked, action, &QAction::trigger);
        }
        toolActions_.push_back(action);
    }
    copyAction_ = LinkAction(this, "ActionCopyResult", QStringLiteral("Копировать результат"),
                             QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_C),
                             QStringLiteral("Обозначение поля с отклонениями — в буфер обмена"));
    copyAction_->setShortcutContext(Qt::WindowShortcut);  // each window copies what it shows
    connect(copyAction_, &QAction::triggered, this, &TForm1::CopyResult);
    ClickableLabel* more = StatusLink(StatusBar1, "LabelMore", QStringLiteral("Ещё…"),
                                      QStringLiteral("Все окна программы и копирование результата"));
    connect(more, &ClickableLabel::clicked, this, [this, more] { ShowLinksMenu(more->mapToGlobal(QPoint(0, 0))); });
    // Only the free area: the boxes keep their own menus.
    QMainWindow::centralWidget()->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(QMainWindow::centralWidget(), &QWidget::customContextMenuRequested, this, &TForm1::CentralAreaMenu);
}

std::optional<uint8_t> TForm1::ShownField() const
{
    const QListWidgetItem* item = ShownRow();
    if (CheckBox1->isChecked() || !item)
        return std::nullopt;
    return static_cast<uint8_t>(item->data(Qt::UserRole).toUInt());
}

void TForm1::OpenFitWindow()
{
    Tfrm_Fit* fitWindow = SideWindow<Tfrm_Fit>();
    if (const std::optional<uint8_t> field = ShownField()) {
        const FitFields fit = FitAroundField(IsoFieldOfCatalogue(*field));
        fitWindow->Preset(fit.hole, fit.shaft, Edit2->text());
    }
    fitWindow->ShowBeside(frameGeometry());
}

void TForm1::OpenReferenceWindow()
{
    Tfrm_Reference* reference = SideWindow<Tfrm_Reference>();
    if (const std::optional<uint8_t> field = ShownField())
        reference->Preset(IsoFieldOfCatalogue(*field), Edit2->text());
    reference->ShowBeside(frameGeometry());
}

void TForm1::OpenSelectionWindow()
{
    const bool first = !findChild<SelectionWindow*>(QString(), Qt::FindDirectChildrenOnly);
    SelectionWindow* selection = SideWindow<SelectionWindow>();
    if (first) {
        // What is double-clicked there opens here, beside the main window.
        connect(selection, &SelectionWindow::openField, this, [this](const iso286::Field& field, const QString& size) {
            Tfrm_Reference* reference = SideWindow<Tfrm_Reference>();
            reference->Preset(field, size, true);
            reference->ShowBeside(frameGeometry());
        });
        connect(selection, &SelectionWindow::openFit, this,
                [this](const iso286::Field& hole, const iso286::Field& shaft, const QString& size) {
                    Tfrm_Fit* fit = SideWindow<Tfrm_Fit>();
                    fit->Preset(hole, shaft, size, true);
                    fit->ShowBeside(frameGeometry());
                });
    }
    // Preset ignores a size the ISO system does not take.
    selection->Preset(Edit2->text());
    selection->ShowBeside(frameGeometry());
}

void TForm1::OpenGeneralWindow()
{
    GeneralToleranceWindow* general = SideWindow<GeneralToleranceWindow>();
    general->Preset(Edit2->text());
    general->ShowBeside(frameGeometry());
}

void TForm1::OpenCheckWindow()
{
    CheckWindow* inspection = SideWindow<CheckWindow>();
    if (const std::optional<uint8_t> field = ShownField())
        inspection->Preset(Edit2->text().trimmed() + Text(iso286::FieldName(IsoFieldOfCatalogue(*field))));
    inspection->ShowBeside(frameGeometry());
}

std::optional<ClipboardTexts> TForm1::ShownResultTexts() const
{
    const std::string size = Edit2->text().toStdString();
    if (CheckBox1->isChecked())
        return FieldCopy(
            ManualLimits(size, Edit3->text().toStdString(), Edit4->text().toStdString(), Unit(), Rounding::AsIs).result);
    if (const std::optional<uint8_t> field = ShownField())
        return FieldCopy(CatalogueLimits(*field, size, Unit(), Rounding::AsIs).result);
    return std::nullopt;
}

void TForm1::CopyResult()
{
    if (const std::optional<ClipboardTexts> texts = ShownResultTexts()) {
        PutOnClipboard(*texts);
        return;
    }
    // The clipboard keeps what it had; the user learns why.
    const bool manual = CheckBox1->isChecked();
    const QString why = !ReadDecimalText(Edit2->text().toStdString()) ? QStringLiteral("размер — не число")
                        : manual ? QStringLiteral("отклонения — не числа")
                                 : QStringLiteral("для этого размера нет данных");
    StatusBar1->showMessage(QStringLiteral("Копировать нечего: ") + why + u'.', 5000);
}

void TForm1::ShowLinksMenu(const QPoint& at)
{
    QMenu menu(this);
    menu.setObjectName(QStringLiteral("CentralAreaMenu"));
    for (QAction* action : toolActions_)
        menu.addAction(action);
    menu.addSeparator();
    menu.addAction(copyAction_);
    copyAction_->setEnabled(ShownResultTexts().has_value());
    menu.exec(at);
    copyAction_->setEnabled(true);  // its shortcut checks for itself
}

void TForm1::CentralAreaMenu(const QPoint& pos) { ShowLinksMenu(QMainWindow::centralWidget()->mapToGlobal(pos)); }

// ---- The program's windows ----

QIcon ProgramIcon()
{
    // The pictures live in a static library: pull its resources in, once.
    static const bool registered = [] {
        Q_INIT_RESOURCE(kalimar);
        return true;
    }();
    (void)registered;
    QIcon icon;
    for (const int side : {16, 32, 48})
        icon.addFile(QStringLiteral(":/icons/%1/kalimar.png").arg(side), QSize(side, side));
    return icon;
}

void CreateForms()
{
    SetApplicationFont();
    Form1 = new TForm1;
}

void DestroyForms()
{
    delete Form1;  // owns the side windows
    Form1 = nullptr;
}
