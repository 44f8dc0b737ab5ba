// SPDX-License-Identifier: GPL-3.0-or-later
// A seeded random user drives the main window and its side windows. After
// every action the whole display is compared with a model that this test keeps
// on its own: the inputs it typed, the filters it chose, the list it expects,
// and the results recomputed from the catalogue or the typed deviations.
//
// KALIMAR_SOAK_SEED picks the seed, KALIMAR_SOAK_ACTIONS the number of actions.
#include <QtTest>

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QClipboard>
#include <QComboBox>
#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QRegularExpression>
#include <QListWidget>
#include <QToolButton>

#include <clocale>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <deque>
#include <functional>
#include <optional>
#include <random>
#include <string>
#include <vector>

#include "Catalogue.h"
#include "Data_Unit.h"
#include "FieldResult.h"
#include "Texts.h"
#include "Look.h"
#include "NumberText.h"
#include "QtTestSupport.h"
#include "frm_About_Unit.h"
#include "frm_FastNamber_Unit.h"
#include "frm_List_unit.h"
#include "frm_Tabl_unit.h"

using testsupport::M;
using testsupport::RestartProgram;

namespace {

const QString NoData = QStringLiteral("нет данных");
constexpr unsigned kDefaultSeed = 286286;
constexpr int kDefaultActions = 20000;

// The three filter boxes as the user sees them.
const QStringList kTypeItems = {QStringLiteral("ВСЕ (без сортировки)"), QStringLiteral("ВАЛ"),
                                QStringLiteral("отверстие"), QStringLiteral("неотв. р-р"),
                                QStringLiteral("ВСЕ (сортировка по квалитету)")};
const QStringList kGradeItems = {QStringLiteral("ВСЕ"), "6", "7", "8", "9", "11", "12", "13", "14", "15", "16"};
const QStringList kLetterItems = {QStringLiteral("ВСЕ"), "G", "H", "JS", "K", "N", "R", "F", "S", "U", "D", "B"};

// The palette's labels and the texts they hand back.
const std::pair<const char*, const char*> kPalette[] = {
    {"Label1", "0,1"},   {"Label19", "0,12"}, {"Label2", "0,15"},  {"Label20", "0,18"}, {"Label3", "0,2"},
    {"Label4", "0,25"},  {"Label5", "0,3"},   {"Label16", "0,35"}, {"Label6", "0,4"},   {"Label7", "0,45"},
    {"Label8", "0,5"},   {"Label9", "0,55"},  {"Label10", "0,6"},  {"Label17", "0,65"}, {"Label11", "0,7"},
    {"Label12", "0,8"},  {"Label13", "0,9"},  {"Label14", "1,0"},  {"Label15", "1,1"},  {"Label18", "1,2"},
};

QString Text(const std::string& s) { return QString::fromStdString(s); }
std::string Std(const QString& s) { return s.toStdString(); }

QString Name(int field) { return Text(FieldName(static_cast<uint8_t>(field))); }

// What a written result may look like: a number in either form, never "-0".
bool IsResultText(const QString& t)
{
    if (t == NoData)
        return true;
    static const QRegularExpression number(QStringLiteral("^-?[0-9]+(,[0-9]+)?(E-?[0-9]+)?$"));
    static const QRegularExpression minusZero(QStringLiteral("^-0(,0*)?(E.*)?$"));
    return number.match(t).hasMatch() && !minusZero.match(t).hasMatch();
}

QString Quote(const QString& s)
{
    if (s.size() > 40)
        return QStringLiteral("«%1…» (%2 chars)").arg(s.left(40)).arg(s.size());
    return QStringLiteral("«%1»").arg(s);
}

QString ColourName(const QColor& c) { return QStringLiteral("rgb(%1,%2,%3)").arg(c.red()).arg(c.green()).arg(c.blue()); }

// Runs `act` on the next modal window from inside its exec(); armed only
// around one action, so no stray poll can touch a later window.
class ModalDriver : public QObject {
public:
    ModalDriver()
    {
        timer.setInterval(0);
        connect(&timer, &QTimer::timeout, this, [this]() {
            QWidget* modal = QApplication::activeModalWidget();
            if (!modal || !modal->isVisible())
                return;
            timer.stop();
            fired = true;
            act(modal);
            // Never leave a window open: a missed click must not hang the run.
            if (modal->isVisible()) {
                stuck = true;
                if (auto* d = qobject_cast<QDialog*>(modal))
                    d->reject();
                else
                    modal->close();
            }
        });
    }
    void Arm(std::function<void(QWidget*)> a)
    {
        act = std::move(a);
        fired = false;
        stuck = false;
        timer.start();
    }
    void Disarm() { timer.stop(); }

    QTimer timer;
    std::function<void(QWidget*)> act;
    bool fired = false;
    bool stuck = false;
};

struct Model {
    QString combo[3];  // ComboBox1, ComboBox4, ComboBox3
    std::vector<int> rows;
    int sel = -1;
    QString size = QStringLiteral("5");
    bool manual = false;
    bool micrometres = false;
    int rounding = 2;
    QString e1, e3, e4, e5, e6, e7, e8;
    QColor c1 = clMaroon, c2 = clMaroon, c3 = clNavy, c4 = clNavy;

    int Item(int box) const
    {
        const QStringList& items = box == 0 ? kTypeItems : box == 1 ? kGradeItems : kLetterItems;
        return items.indexOf(combo[box]);
    }

    // The product's own list rule: the model checks that the window
    // follows it through every event, not the rule itself.
    void Refill()
    {
        rows.clear();
        for (const uint8_t field : ListedFields({Item(0), Item(1), Item(2)}))
            rows.push_back(field);
        sel = DefaultRow(static_cast<int>(rows.size()));
        RecalcCatalogue();
    }

    void Recalc()
    {
        if (manual)
            RecalcManual();
        else
            RecalcCatalogue();
    }

    DeviationUnit Unit() const { return micrometres ? DeviationUnit::Micrometres : DeviationUnit::Millimetres; }
    Rounding Round() const
    {
        return rounding == 1 ? Rounding::AsIs : rounding == 2 ? Rounding::TwoDigits : Rounding::ThreeDigits;
    }

    void RecalcCatalogue()
    {
        if (rows.empty()) {
            e1 = e3 = e4 = e5 = e6 = e7 = e8 = NoData;
            return;
        }
        const int field = rows[sel >= 0 ? sel : 0];
        const CatalogueDisplay d = CatalogueLimits(static_cast<uint8_t>(field), Std(size), Unit(), Round());
        c2 = d.sizeIsNumber ? clWindowText() : clRed;
        e1 = Name(field);
        c1 = KindColour(KindOfField(static_cast<uint8_t>(field)));
        if (!d.present) {
            e3 = e4 = e5 = e6 = e7 = e8 = NoData;
            return;
        }
        e3 = Text(d.upper.text);
        c3 = d.upper.positive ? clMaroon : clNavy;
        e4 = Text(d.lower.text);
        c4 = d.lower.positive ? clMaroon : clNavy;
        SetResults(d.results);
    }

    void RecalcManual()
    {
        const ManualDisplay d = ManualLimits(Std(size), Std(e3), Std(e4), Unit(), Round());
        c2 = d.sizeIsNumber ? clWindowText() : clRed;
        c3 = d.upperIsNumber ? clNavy : clRed;
        c4 = d.lowerIsNumber ? clNavy : clRed;
        SetResults(d.results);
    }

    void SetResults(const ResultTexts& r)
    {
        e5 = Text(r.max);
        e6 = Text(r.min);
        e7 = Text(r.mid);
        e8 = Text(r.radius);
    }

    void ResetFilters()
    {
        combo[0] = kTypeItems[4];
        combo[1] = kGradeItems[0];
        combo[2] = kLetterItems[0];
    }
};

}  // namespace

class SoakTest : public QObject {
    Q_OBJECT

    std::mt19937 rng;
    Model m;
    ModalDriver modal;
    std::deque<QString> recent;
    QString problem;  // set by an action that saw something wrong on its way

    int Rand(int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(rng); }
    bool Chance(double p) { return std::uniform_real_distribution<double>(0, 1)(rng) < p; }
    template <typename T>
    const T& Pick(const std::vector<T>& v) { return v[Rand(0, static_cast<int>(v.size()) - 1)]; }

    void Log(const QString& what)
    {
        recent.push_back(what);
        if (recent.size() > 20)
            recent.pop_front();
    }

    // ---- Text the random user types or pastes ----

    QString Digits(int n)
    {
        QString s;
        for (int i = 0; i < n; ++i)
            s += QChar(u'0' + Rand(0, 9));
        return s;
    }

    QString NumberText()
    {
        QString s;
        if (Chance(0.3))
            s += Chance(0.5) ? "-" : "+";
        s += Digits(Rand(0, 4));
        if (Chance(0.5))
            s += "," + Digits(Rand(0, 4));
        if (s.isEmpty() || s == "-" || s == "+")
            s += Digits(1);
        if (Chance(0.15))
            s += QString(Chance(0.5) ? "E" : "e") + (Chance(0.5) ? (Chance(0.5) ? "-" : "+") : "") + Digits(Rand(1, 3));
        return s;
    }

    QString SizeText()
    {
        static const std::vector<QString> bounds = {
            "1", "3", "6", "10", "18", "24", "30", "50", "80", "120", "180", "250", "315", "400", "500", "630",
            "800", "1000", "1000,0001", "0", "0,5", "-5", "2000", ",", "3,0000000001", "1,", "+25", "0,001"};
        switch (Rand(0, 9)) {
        case 0:
        case 1:
        case 2:
            return QString::number(Rand(1, 1000));
        case 3:
        case 4:
            return QString::number(Rand(0, 1100)) + "," + Digits(Rand(1, 5));
        case 5:
        case 6:
            return Pick(bounds);
        case 7:
            return NumberText();
        case 8:
            return "0," + Digits(Rand(0, 3)) + Digits(1);
        default:
            return Garbage(Rand(0, 6));
        }
    }

    QString DeviationText()
    {
        static const std::vector<QString> usual = {"0", "0,025", "-0,01", "25", "+0,012", "-7", "-28", "0,5",
                                                   "-0,001", "1E-3", "+", "-", "", "0,0005", "-0"};
        switch (Rand(0, 3)) {
        case 0:
            return Pick(usual);
        case 1:
            return (Chance(0.5) ? "-" : "") + QString("0,") + Digits(Rand(1, 4));
        default:
            return NumberText();
        }
    }

    QString Garbage(int n)
    {
        static const QString pool = QStringLiteral("0123456789,,..++--EeЕ  абвЖЩЁxyz%");
        QString s;
        for (int i = 0; i < n; ++i)
            s += pool.at(Rand(0, pool.size() - 1));
        return s;
    }

    QString PasteText()
    {
        static const std::vector<QString> extremes = {
            "1E400", "-1e400", "1E-400", "-1E-400", "2,5E-320", "1E308", "1,7E308", "-9E307", "1E99999999999999999999",
            "1E-99999999999999999999", "-0", "+0,0E0", "1e15", "123456789012345678", "0,000000000000001", "5E-3"};
        switch (Rand(0, 11)) {
        case 0:
        case 1:
            return NumberText();
        case 2:
            return SizeText();
        case 3:
            return Pick(extremes);
        case 4: {
            QString s = Digits(Rand(16, Chance(0.3) ? 5000 : 400));
            if (Chance(0.5))
                s.insert(Rand(0, s.size()), u',');
            return s;
        }
        case 5:
        case 6:
            return Garbage(Rand(1, 12));
        case 7:
            return QStringLiteral("пять");
        case 8:
            return QString();
        case 9:
            return QString(Rand(0, 3), u' ') + NumberText() + QString(Rand(0, 3), u' ');
        case 10:
            return DeviationText();
        default:
            return QString(Rand(1, 3), u' ');
        }
    }

    QString TypedText()
    {
        switch (Rand(0, 3)) {
        case 0:
            return SizeText();
        case 1:
            return NumberText();
        case 2:
            return Garbage(Rand(1, 8));
        default:
            return QString(Digits(Rand(1, 3))) + (Chance(0.5) ? "." : "") + Digits(Rand(0, 2));
        }
    }

    // ---- Line edit primitives, each followed in the model ----

    QLineEdit* Box(int which) { return which == 2 ? M().Edit2 : which == 3 ? M().Edit3 : M().Edit4; }
    QString& ModelText(int which) { return which == 2 ? m.size : which == 3 ? m.e3 : m.e4; }

    // The box's text after `insert` replaces its selection or lands at the cursor.
    static QString Inserted(const QLineEdit* box, const QString& text, const QString& insert)
    {
        QString t = text;
        if (box->hasSelectedText()) {
            t.replace(box->selectionStart(), box->selectedText().size(), insert);
            return t;
        }
        return t.insert(box->cursorPosition(), insert);
    }

    // Types one character as a key press; the key filter passes digits, ",",
    // "+" and "-", turns "." into ",", drops the rest.
    void TypeChar(QLineEdit* box, QString& modelText, QChar c)
    {
        QChar typed = c == u'.' ? u',' : c;
        const bool passes = typed.isDigit() && typed.unicode() < 128 ? true : QStringLiteral(",+-").contains(typed);
        if (passes && !box->isReadOnly())
            modelText = Inserted(box, modelText, typed);
        if (c.unicode() < 128)
            QTest::keyClick(box, c.toLatin1());
        else
            QTest::sendKeyEvent(QTest::Click, box, Qt::Key_unknown, QString(c), Qt::NoModifier);
        // Each keystroke recalculates, and a display without data keeps the
        // deviation colours of the keystroke before.
        m.Recalc();
    }

    void Type(int which, const QString& text)
    {
        QLineEdit* box = Box(which);
        for (const QChar c : text)
            TypeChar(box, ModelText(which), c);
    }

    void Paste(int which, const QString& text)
    {
        QLineEdit* box = Box(which);
        QApplication::clipboard()->setText(text);
        if (!box->isReadOnly() && (!text.isEmpty() || box->hasSelectedText()))
            ModelText(which) = Inserted(box, ModelText(which), text);
        box->paste();  // what the context menu's paste does
    }

    void Key(int which, Qt::Key key, Qt::KeyboardModifiers mods = Qt::NoModifier)
    {
        QLineEdit* box = Box(which);
        QString& t = ModelText(which);
        if (!box->isReadOnly() && mods == Qt::NoModifier) {
            if (box->hasSelectedText() && (key == Qt::Key_Backspace || key == Qt::Key_Delete))
                t.remove(box->selectionStart(), box->selectedText().size());
            else if (key == Qt::Key_Backspace && box->cursorPosition() > 0)
                t.remove(box->cursorPosition() - 1, 1);
            else if (key == Qt::Key_Delete && box->cursorPosition() < t.size())
                t.remove(box->cursorPosition(), 1);
        }
        QTest::keyClick(box, key, mods);
        m.Recalc();
    }

    // Long texts are trimmed back now and then so the box never hits its limit.
    void KeepShort(int which)
    {
        QLineEdit* box = Box(which);
        if (box->text().size() > 6000)
            box->selectAll();
    }

    // ---- Actions ----

    void EditAction(int which)
    {
        const QString name = Box(which)->objectName();
        KeepShort(which);
        switch (Rand(0, 9)) {
        case 0:
        case 1: {
            const QString t = TypedText();
            Log(QStringLiteral("type %1 into %2").arg(Quote(t), name));
            Type(which, t);
            break;
        }
        case 2:
        case 3: {
            const QString t = which == 2 ? SizeText() : DeviationText();
            Log(QStringLiteral("select all in %1, Backspace, type %2").arg(name, Quote(t)));
            Box(which)->selectAll();
            Key(which, Qt::Key_Backspace);
            Type(which, t);
            break;
        }
        case 4:
        case 5: {
            const QString t = PasteText();
            const bool all = Chance(0.5);
            Log(QStringLiteral("paste %1 into %2%3").arg(Quote(t), name, all ? " over all" : ""));
            if (all)
                Box(which)->selectAll();
            Paste(which, t);
            break;
        }
        case 6: {
            static const std::vector<std::pair<Qt::Key, const char*>> keys = {
                {Qt::Key_Backspace, "Backspace"}, {Qt::Key_Delete, "Delete"}, {Qt::Key_Home, "Home"},
                {Qt::Key_End, "End"},             {Qt::Key_Left, "Left"},     {Qt::Key_Right, "Right"},
                {Qt::Key_Return, "Return"},       {Qt::Key_Enter, "Enter"},   {Qt::Key_Escape, "Escape"}};
            const auto& k = Pick(keys);
            const int times = Rand(1, 3);
            Log(QStringLiteral("%1 x%2 in %3").arg(k.second).arg(times).arg(name));
            for (int i = 0; i < times; ++i)
                Key(which, k.first);
            break;
        }
        case 7: {
            const bool home = Chance(0.5);
            Log(QStringLiteral("Shift+%1 in %2").arg(home ? "Home" : "End", name));
            Key(which, home ? Qt::Key_Home : Qt::Key_End, Qt::ShiftModifier);
            break;
        }
        case 8: {
            const bool paste = Chance(0.5);
            QApplication::clipboard()->setText(QStringLiteral("77"));
            Log(QStringLiteral("Ctrl+%1 in %2").arg(paste ? "V" : "A", name));
            QTest::keyClick(Box(which), paste ? Qt::Key_V : Qt::Key_A, Qt::ControlModifier);
            break;
        }
        default: {
            // Where a mouse drag would put the cursor or the selection.
            QLineEdit* box = Box(which);
            const int n = box->text().size();
            const int start = Rand(0, n);
            const int len = Rand(0, n - start);
            Log(QStringLiteral("select %1 chars from %2 in %3").arg(len).arg(start).arg(name));
            if (len == 0)
                box->setCursorPosition(start);
            else
                box->setSelection(start, len);
            break;
        }
        }
        m.Recalc();
    }

    void Click(QWidget* w) { QTest::mouseClick(w, Qt::LeftButton, {}, w->rect().center()); }

    void ClickRow()
    {
        QListWidget* list = M().ListBox1;
        if (list->count() == 0)
            return;
        const int row = Rand(0, list->count() - 1);
        Log(QStringLiteral("click list row %1 (%2)").arg(row).arg(list->item(row)->text()));
        list->scrollToItem(list->item(row));
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualItemRect(list->item(row)).center());
        if (!m.manual && row < static_cast<int>(m.rows.size()))
            m.sel = row;
        m.Recalc();
    }

    void ListKey()
    {
        static const std::vector<std::pair<Qt::Key, const char*>> keys = {
            {Qt::Key_Up, "Up"}, {Qt::Key_Down, "Down"}, {Qt::Key_Home, "Home"}, {Qt::Key_End, "End"}};
        const auto& k = Pick(keys);
        Log(QStringLiteral("%1 in the list").arg(k.second));
        M().ListBox1->setFocus();
        QTest::keyClick(M().ListBox1, k.first);
        const int count = static_cast<int>(m.rows.size());
        if (count > 0) {
            if (k.first == Qt::Key_Up)
                m.sel = std::max(0, m.sel - 1);
            else if (k.first == Qt::Key_Down)
                m.sel = std::min(count - 1, m.sel + 1);
            else if (k.first == Qt::Key_Home)
                m.sel = 0;
            else
                m.sel = count - 1;
        }
        m.Recalc();
    }

    QComboBox* Combo(int i) { return i == 0 ? M().ComboBox1 : i == 1 ? M().ComboBox4 : M().ComboBox3; }
    const QStringList& Items(int i) { return i == 0 ? kTypeItems : i == 1 ? kGradeItems : kLetterItems; }

    void ChooseFilter()
    {
        const int i = Rand(0, 2);
        QComboBox* box = Combo(i);
        const int index = Rand(0, Items(i).size() - 1);
        Log(QStringLiteral("choose %1 in %2").arg(Quote(Items(i)[index]), box->objectName()));
        box->showPopup();
        QAbstractItemView* view = box->view();
        if (!QTest::qWaitForWindowExposed(view->window())) {
            problem = QStringLiteral("the drop-down list of %1 did not show").arg(box->objectName());
            return;
        }
        const QModelIndex item = view->model()->index(index, 0);
        view->scrollTo(item);
        QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, view->visualRect(item).center());
        if (!QTest::qWaitFor([view]() { return !view->isVisible(); })) {
            problem = QStringLiteral("the drop-down list of %1 stayed open").arg(box->objectName());
            return;
        }
        if (m.combo[i] != Items(i)[index]) {
            m.combo[i] = Items(i)[index];
            m.Refill();
        } else {
            m.combo[i] = Items(i)[index];
        }
        m.Recalc();
    }

    void TypeFilter()
    {
        const int i = Rand(0, 2);
        QComboBox* box = Combo(i);
        QString t;
        switch (Rand(0, 4)) {
        case 0:
        case 1:
            t = Items(i)[Rand(0, Items(i).size() - 1)];
            break;
        case 2:
            t = Items(i)[Rand(0, Items(i).size() - 1)].toLower();
            break;
        case 3:
            t = Items(i)[Rand(0, Items(i).size() - 1)];
            t.truncate(Rand(0, t.size()));
            break;
        default:
            t = Garbage(Rand(0, 4));
            break;
        }
        const bool enter = Chance(0.3);
        Log(QStringLiteral("type %1 into %2%3").arg(Quote(t), box->objectName(), enter ? ", Return" : ""));
        // Every change of the text refills the list, keystroke by keystroke.
        auto typed = [&](const QString& now) {
            if (m.combo[i] != now) {
                m.combo[i] = now;
                m.Refill();
            }
        };
        box->lineEdit()->selectAll();
        QTest::keyClick(box->lineEdit(), Qt::Key_Backspace);
        typed(QString());
        for (int k = 0; k < t.size(); ++k) {
            QTest::sendKeyEvent(QTest::Click, box->lineEdit(), Qt::Key_unknown, QString(t[k]), Qt::NoModifier);
            typed(t.left(k + 1));
        }
        if (enter)
            QTest::keyClick(box->lineEdit(), Qt::Key_Return);
    }

    void ResetLabel()
    {
        const int i = Rand(0, 2);
        QLabel* label = i == 0 ? M().Label1 : i == 1 ? M().Label2 : M().Label3;
        const int reset = i == 0 ? 4 : 0;
        Log(QStringLiteral("click %1 (%2)").arg(label->objectName(), label->text()));
        Click(label);
        if (!m.manual && m.Item(i) != reset) {
            m.combo[i] = Items(i)[reset];
            m.Refill();
        }
        m.Recalc();
    }

    void CheckBoxClick()
    {
        const bool mode = Chance(0.5);
        QCheckBox* box = mode ? M().CheckBox1 : M().CheckBox2;
        Log(QStringLiteral("click %1").arg(box->objectName()));
        Click(box);
        if (mode)
            m.manual = !m.manual;
        else
            m.micrometres = !m.micrometres;
        m.Recalc();
    }

    void RadioClick()
    {
        const int r = Rand(1, 3);
        QRadioButton* radio = r == 1 ? M().RadioButton1 : r == 2 ? M().RadioButton2 : M().RadioButton3;
        Log(QStringLiteral("click %1").arg(radio->objectName()));
        Click(radio);
        m.rounding = r;
        m.Recalc();
    }

    void ZeroClick()
    {
        const bool upper = Chance(0.5);
        QPushButton* b = upper ? M().Button1 : M().Button5;
        Log(QStringLiteral("click %1 (\"0\")").arg(b->objectName()));
        Click(b);
        (upper ? m.e3 : m.e4) = QStringLiteral("0");
        m.Recalc();
    }

    void SignClick()
    {
        const bool upper = Chance(0.5);
        QPushButton* b = upper ? M().Button3 : M().Button4;
        Log(QStringLiteral("click %1 (\"±\")").arg(b->objectName()));
        Click(b);
        if (m.manual) {
            QString& t = upper ? m.e3 : m.e4;
            if (const auto negated = NegateNumberText(Std(t)))
                t = Text(*negated);
        }
        m.Recalc();
    }

    void SwapClick()
    {
        Log(QStringLiteral("click SpeedButton1 (swap)"));
        Click(M().SpeedButton1);
        // Number texts flip their sign; other texts move across as they are.
        auto moved = [](const QString& t) { return ReadNumberText(Std(t)) ? Text(FlipSignText(Std(t))) : t; };
        const QString upper = m.e3, lower = m.e4;
        m.e4 = moved(upper);
        m.e3 = moved(lower);
        m.Recalc();
    }

    // Double click on a deviation box: in manual mode the palette opens.
    void QuickInsert()
    {
        const bool upper = Chance(0.5);
        QLineEdit* box = upper ? M().Edit3 : M().Edit4;
        const int choice = Rand(0, 21);  // 20 and 21: closed without a pick
        QString picked;
        QString how;
        if (choice < 20) {
            picked = QLatin1String(kPalette[choice].second);
            how = QStringLiteral("pick %1").arg(QLatin1String(kPalette[choice].first));
        } else {
            how = choice == 20 ? QStringLiteral("close") : QStringLiteral("Escape");
        }
        Log(QStringLiteral("double click %1, %2").arg(box->objectName(), how));
        QString preset;
        modal.Arm([&](QWidget* w) {
            if (w != SideWindow<Tfrm_FastNamber>())
                problem = QStringLiteral("a double click on %1 opened %2").arg(box->objectName(), w->objectName());
            preset = SideWindow<Tfrm_FastNamber>()->quickValueText();
            if (choice < 20)
                Click(w->findChild<QLabel*>(QLatin1String(kPalette[choice].first)));
            else if (choice == 20)
                w->close();
            else
                QTest::keyClick(w, Qt::Key_Escape);
        });
        QTest::mouseDClick(box, Qt::LeftButton, {}, box->rect().center());
        modal.Disarm();
        if (!m.manual) {
            if (modal.fired)
                problem = QStringLiteral("a double click on %1 in normal mode opened a window").arg(box->objectName());
            m.Recalc();
            return;
        }
        if (!modal.fired) {
            problem = QStringLiteral("a double click on %1 in manual mode opened nothing").arg(box->objectName());
            return;
        }
        if (modal.stuck)
            problem = QStringLiteral("the palette stayed open after: %1").arg(how);
        QString& t = upper ? m.e3 : m.e4;
        if (preset != t)
            problem = QStringLiteral("the palette was given %1, the box holds %2").arg(Quote(preset), Quote(t));
        const QString value = choice < 20 ? picked : t;
        if (upper)
            t = value;
        else if (value != t)
            t = QLatin1Char('-') + value;
        m.Recalc();
    }

    // The picker, through one of its three doors.
    void Picker()
    {
        const int door = Rand(0, 2);
        QString how;
        QListWidget* list = M().ListBox1;
        int row = -1;
        if (door == 2 && list->count() == 0)
            return;
        const bool close = Chance(0.2);
        QString picked = QStringLiteral("H9");
        const auto buttons = SideWindow<Tfrm_ListOf_PoleDop>()->findChildren<QToolButton*>(QRegularExpression("^SpeedButton[0-9]+$"));
        QToolButton* button = buttons.isEmpty() ? nullptr : buttons[Rand(0, buttons.size() - 1)];
        if (!close && button)
            picked = button->text();
        const QString what = close || !button ? QStringLiteral("close") : QStringLiteral("pick %1 (%2)").arg(button->objectName(), picked);
        if (door == 0) {
            how = QStringLiteral("click Label5");
        } else if (door == 1) {
            how = QStringLiteral("double click Edit1");
        } else {
            row = Rand(0, list->count() - 1);
            how = QStringLiteral("double click list row %1").arg(row);
        }
        Log(QStringLiteral("%1, %2").arg(how, what));
        modal.Arm([&](QWidget* w) {
            if (w != SideWindow<Tfrm_ListOf_PoleDop>())
                problem = QStringLiteral("%1 opened %2").arg(how, w->objectName());
            if (close || !button)
                w->close();
            else
                QTest::mouseClick(button, Qt::LeftButton);
        });
        if (door == 0) {
            Click(M().Label5);
        } else if (door == 1) {
            QTest::mouseDClick(M().Edit1, Qt::LeftButton, {}, M().Edit1->rect().center());
        } else {
            list->scrollToItem(list->item(row));
            QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, list->visualItemRect(list->item(row)).center());
        }
        modal.Disarm();
        if (!modal.fired) {
            problem = QStringLiteral("%1 opened no window").arg(how);
            return;
        }
        if (modal.stuck)
            problem = QStringLiteral("the picker stayed open after: %1").arg(what);
        m.ResetFilters();
        m.Refill();
        for (size_t r = 0; r < m.rows.size(); ++r)
            if (Name(m.rows[r]) == picked) {
                m.sel = static_cast<int>(r);
                break;
            }
        m.Recalc();
    }

    // Through the window, as the window system delivers a user's click.
    void WindowClick(QWidget* w, QPoint at, bool twice)
    {
        QWindow* window = Form1->windowHandle();
        const QPoint p = w->mapTo(Form1, at);
        if (twice)
            QTest::mouseDClick(window, Qt::LeftButton, {}, p);
        else
            QTest::mouseClick(window, Qt::LeftButton, {}, p);
    }

    // A row the user can see: a disabled list cannot be scrolled.
    int VisibleRow()
    {
        QListWidget* list = M().ListBox1;
        std::vector<int> rows;
        for (int r = 0; r < list->count(); ++r)
            if (list->viewport()->rect().contains(list->visualItemRect(list->item(r))))
                rows.push_back(r);
        return rows.empty() ? -1 : Pick(rows);
    }

    // In manual mode the list, the filters and the picker's label are off:
    // clicks on them must change nothing.
    void DisabledClick()
    {
        QListWidget* list = M().ListBox1;
        switch (Rand(0, 2)) {
        case 0: {
            QLabel* labels[] = {M().Label1, M().Label2, M().Label3, M().Label5};
            QLabel* label = labels[Rand(0, 3)];
            Log(QStringLiteral("click disabled %1").arg(label->objectName()));
            modal.Arm([this](QWidget* w) {
                problem = QStringLiteral("a disabled label opened %1").arg(w->objectName());
                w->close();
            });
            WindowClick(label, label->rect().center(), false);
            modal.Disarm();
            break;
        }
        case 1:
            if (const int row = VisibleRow(); row >= 0) {
                Log(QStringLiteral("click disabled list row %1").arg(row));
                WindowClick(list->viewport(), list->visualItemRect(list->item(row)).center(), false);
            }
            break;
        default:
            if (const int row = VisibleRow(); row >= 0) {
                Log(QStringLiteral("double click disabled list row %1").arg(row));
                modal.Arm([this](QWidget* w) {
                    problem = QStringLiteral("a double click on the disabled list opened %1").arg(w->objectName());
                    w->close();
                });
                WindowClick(list->viewport(), list->visualItemRect(list->item(row)).center(), true);
                modal.Disarm();
            }
            break;
        }
        m.Recalc();
    }

    void TableOrAbout()
    {
        const bool table = Chance(0.5);
        const int how = Rand(0, 2);
        Log(QStringLiteral("open %1, close by %2")
                .arg(table ? "the table (Button20)" : "About (Label13)",
                     how == 0 ? "close" : how == 1 ? (table ? "Escape (ignored), close" : "Escape")
                                                   : table ? "close" : "OK"));
        QWidget* expected = table ? static_cast<QWidget*>(SideWindow<Tfrm_Table>()) : static_cast<QWidget*>(SideWindow<Tfrm_About>());
        modal.Arm([&](QWidget* w) {
            if (w != expected)
                problem = QStringLiteral("opened %1 instead").arg(w->objectName());
            if (how == 1 && table) {
                // The table closes with its title-bar button only.
                QTest::keyClick(w, Qt::Key_Escape);
                if (!w->isVisible())
                    problem = QStringLiteral("Escape closed the table");
                w->close();
            } else if (how == 1)
                QTest::keyClick(w, Qt::Key_Escape);
            else if (how == 2 && !table)
                Click(w->findChild<QAbstractButton*>(QStringLiteral("BitBtn1")));
            else
                w->close();
        });
        if (table)
            Click(M().Button20);
        else
            QTest::mouseClick(M().Label13, Qt::LeftButton, {}, M().Label13->rect().center());
        modal.Disarm();
        if (!modal.fired)
            problem = QStringLiteral("the side window did not open");
        else if (modal.stuck)
            problem = QStringLiteral("the side window stayed open");
        m.Recalc();
    }

    void Act()
    {
        const int r = Rand(0, 99);
        if (m.manual) {
            if (r < 30)
                EditAction(Rand(2, 4));
            else if (r < 40)
                ZeroClick();
            else if (r < 52)
                SignClick();
            else if (r < 60)
                SwapClick();
            else if (r < 68)
                QuickInsert();
            else if (r < 76)
                CheckBoxClick();
            else if (r < 82)
                RadioClick();
            else if (r < 90)
                DisabledClick();
            else if (r < 94)
                TableOrAbout();
            else
                EditAction(2);
            return;
        }
        if (r < 30)
            EditAction(2);
        else if (r < 42)
            ClickRow();
        else if (r < 47)
            ListKey();
        else if (r < 55)
            ChooseFilter();
        else if (r < 62)
            TypeFilter();
        else if (r < 68)
            ResetLabel();
        else if (r < 77)
            CheckBoxClick();
        else if (r < 82)
            RadioClick();
        else if (r < 85)
            SignClick();  // disabled: nothing happens
        else if (r < 88)
            QuickInsert();  // opens nothing in normal mode
        else if (r < 91)
            EditAction(Rand(3, 4));  // read-only boxes
        else if (r < 96)
            Picker();
        else
            TableOrAbout();
    }

    // ---- The display against the model ----

    QString Check()
    {
        QStringList bad;
        auto text = [&](QLineEdit* box, const QString& want) {
            if (box->text() != want)
                bad << QStringLiteral("%1 shows %2, expected %3").arg(box->objectName(), Quote(box->text()), Quote(want));
        };
        auto colour = [&](QWidget* w, const QColor& want) {
            if (TextColour(w) != want)
                bad << QStringLiteral("%1 text colour %2, expected %3")
                           .arg(w->objectName(), ColourName(TextColour(w)), ColourName(want));
        };
        if (!problem.isEmpty())
            bad << problem;
        if (QWidget* w = QApplication::activeModalWidget())
            bad << QStringLiteral("%1 is still open").arg(w->objectName());

        // The list and the filters.
        QListWidget* list = M().ListBox1;
        QStringList rows, want;
        for (int i = 0; i < list->count(); ++i)
            rows << list->item(i)->text();
        for (int f : m.rows)
            want << Name(f);
        if (rows != want)
            bad << QStringLiteral("list rows [%1], expected [%2]").arg(rows.join(' '), want.join(' '));
        if (list->currentRow() != m.sel)
            bad << QStringLiteral("list row %1 selected, expected %2").arg(list->currentRow()).arg(m.sel);
        else if (m.sel >= 0 && FieldOfRow(static_cast<uint8_t>(m.sel)) != m.rows[m.sel])
            bad << QStringLiteral("FieldOfRow(%1) is %2, expected %3").arg(m.sel).arg(int(FieldOfRow(static_cast<uint8_t>(m.sel)))).arg(m.rows[m.sel]);
        for (int i = 0; i < 3; ++i) {
            if (Combo(i)->currentText() != m.combo[i])
                bad << QStringLiteral("%1 shows %2, expected %3")
                           .arg(Combo(i)->objectName(), Quote(Combo(i)->currentText()), Quote(m.combo[i]));
            if (ComboItemIndex(Combo(i)) != m.Item(i))
                bad << QStringLiteral("%1 stands on item %2, expected %3")
                           .arg(Combo(i)->objectName()).arg(ComboItemIndex(Combo(i))).arg(m.Item(i));
        }

        // Mode, unit and rounding.
        if (M().CheckBox1->isChecked() != m.manual)
            bad << QStringLiteral("CheckBox1 is %1").arg(m.manual ? "unticked" : "ticked");
        if (M().CheckBox2->isChecked() != m.micrometres)
            bad << QStringLiteral("CheckBox2 is %1").arg(m.micrometres ? "unticked" : "ticked");
        QRadioButton* radios[] = {M().RadioButton1, M().RadioButton2, M().RadioButton3};
        for (int r = 0; r < 3; ++r)
            if (radios[r]->isChecked() != (m.rounding == r + 1))
                bad << QStringLiteral("%1 check state is wrong").arg(radios[r]->objectName());
        const bool manual = m.manual;
        if (M().Edit1->isVisible() == manual)
            bad << QStringLiteral("Edit1 visibility is wrong");
        for (QWidget* w : std::initializer_list<QWidget*>{M().Button1, M().Button5})
            if (w->isVisible() != manual || w->isEnabled() != manual)
                bad << QStringLiteral("%1 state is wrong").arg(w->objectName());
        for (QWidget* w : std::initializer_list<QWidget*>{M().Button3, M().Button4, M().SpeedButton1})
            if (w->isEnabled() != manual)
                bad << QStringLiteral("%1 enabled state is wrong").arg(w->objectName());
        for (QWidget* w : std::initializer_list<QWidget*>{M().ListBox1, M().ComboBox1, M().ComboBox3,
                                                          M().ComboBox4, M().Label1, M().Label2,
                                                          M().Label3, M().Label5})
            if (w->isEnabled() == manual)
                bad << QStringLiteral("%1 enabled state is wrong").arg(w->objectName());
        for (QLineEdit* box : {M().Edit3, M().Edit4})
            if (box->isReadOnly() == manual)
                bad << QStringLiteral("%1 read-only state is wrong").arg(box->objectName());

        // Texts and colours.
        text(M().Edit1, m.e1);
        text(M().Edit2, m.size);
        text(M().Edit3, m.e3);
        text(M().Edit4, m.e4);
        text(M().Edit5, m.e5);
        text(M().Edit6, m.e6);
        text(M().Edit7, m.e7);
        text(M().Edit8, m.e8);
        colour(M().Edit1, m.c1);
        colour(M().Edit2, m.c2);
        colour(M().Edit3, m.c3);
        colour(M().Edit4, m.c4);
        colour(M().Edit5, clNavy);
        colour(M().Edit6, clNavy);
        colour(M().Edit7, clMaroon);
        colour(M().Edit8, clMaroon);
        QList<QLineEdit*> results = {M().Edit5, M().Edit6, M().Edit7, M().Edit8};
        if (!manual)
            results << M().Edit3 << M().Edit4;
        for (QLineEdit* box : results) {
            QString t = box->text();
            if (!manual && (box == M().Edit3 || box == M().Edit4) && t.startsWith(u'+'))
                t.remove(0, 1);
            if (!IsResultText(t))
                bad << QStringLiteral("%1 holds %2, neither a number nor %3").arg(box->objectName(), Quote(t), NoData);
        }
        return bad.join(QStringLiteral("; "));
    }

private slots:
    void initTestCase()
    {
        // The headless platform complains at every dialog; keep the log readable.
        static QtMessageHandler previous = nullptr;
        previous = qInstallMessageHandler([](QtMsgType type, const QMessageLogContext& context, const QString& msg) {
            if (type == QtWarningMsg && msg.startsWith(QLatin1String("This plugin does not support")))
                return;
            previous(type, context, msg);
        });
    }
    void cleanupTestCase() { DestroyForms(); }

    void randomUser()
    {
        unsigned seed = kDefaultSeed;
        int actions = kDefaultActions;
        if (const char* s = std::getenv("KALIMAR_SOAK_SEED"))
            seed = static_cast<unsigned>(std::strtoul(s, nullptr, 10));
        if (const char* s = std::getenv("KALIMAR_SOAK_ACTIONS"))
            actions = std::atoi(s);
        qInfo("soak: seed %u, %d actions", seed, actions);
        rng.seed(seed);

        RestartProgram();
        QVERIFY(QTest::qWaitForWindowActive(Form1));
        m = Model();
        m.ResetFilters();
        m.Refill();
        QString bad = Check();
        if (!bad.isEmpty())
            QFAIL(qPrintable(QStringLiteral("seed %1, at start: %2").arg(seed).arg(bad)));

        for (int i = 1; i <= actions; ++i) {
            problem.clear();
            Act();
            bad = Check();
            if (!bad.isEmpty()) {
                QString report = QStringLiteral("seed %1 (KALIMAR_SOAK_SEED=%1), action %2 of %3:\n  %4\nlast actions:")
                                     .arg(seed).arg(i).arg(actions).arg(bad);
                for (const QString& a : recent)
                    report += QStringLiteral("\n  ") + a;
                QFAIL(qPrintable(report));
            }
        }
    }
};

QTEST_MAIN(SoakTest)
#include "test_soak.moc"
