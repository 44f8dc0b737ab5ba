// SPDX-License-Identifier: GPL-3.0-or-later
// Shared by the window tests: a fresh program per case, and modal windows
// driven from a timer so that exec() never hangs a headless run.
#pragma once

#include <QtTest>

#include <QApplication>
#include <QElapsedTimer>
#include <QPointer>
#include <QTimer>
#include <QCheckBox>
#include <QAbstractItemView>
#include <QComboBox>
#include <QCompleter>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QSettings>
#include <QStandardPaths>
#include <QToolButton>
#include <QWidget>

#include <functional>
#include <optional>

#include "DrawGrid.h"
#include "frm_Main_Unit.h"

namespace testsupport {

// A window's control by its object name, as accessibility tools find it.
template <typename T = QWidget>
T* Child(const QObject* window, const char* name)
{
    T* w = window->findChild<T*>(QLatin1String(name));
    if (!w)
        qFatal("no control %s", name);
    return w;
}

// The main window's controls under their layout names.
struct MainControls {
    explicit MainControls(const QObject* f)
        : Edit1(Child<QLineEdit>(f, "Edit1")), Edit2(Child<QLineEdit>(f, "Edit2")),
          Edit3(Child<QLineEdit>(f, "Edit3")), Edit4(Child<QLineEdit>(f, "Edit4")),
          Edit5(Child<QLineEdit>(f, "Edit5")), Edit6(Child<QLineEdit>(f, "Edit6")),
          Edit7(Child<QLineEdit>(f, "Edit7")), Edit8(Child<QLineEdit>(f, "Edit8")),
          ListBox1(Child<QListWidget>(f, "ListBox1")), ComboBox1(Child<QComboBox>(f, "ComboBox1")),
          ComboBox3(Child<QComboBox>(f, "ComboBox3")), ComboBox4(Child<QComboBox>(f, "ComboBox4")),
          CheckBox1(Child<QCheckBox>(f, "CheckBox1")), CheckBox2(Child<QCheckBox>(f, "CheckBox2")),
          RadioButton1(Child<QRadioButton>(f, "RadioButton1")), RadioButton2(Child<QRadioButton>(f, "RadioButton2")),
          RadioButton3(Child<QRadioButton>(f, "RadioButton3")), Button1(Child<QPushButton>(f, "Button1")),
          Button3(Child<QPushButton>(f, "Button3")), Button4(Child<QPushButton>(f, "Button4")),
          Button5(Child<QPushButton>(f, "Button5")), Button20(Child<QPushButton>(f, "Button20")),
          Button21(Child<QPushButton>(f, "Button21")), SpeedButton1(Child<QToolButton>(f, "SpeedButton1")),
          Label1(Child<QLabel>(f, "Label1")), Label2(Child<QLabel>(f, "Label2")), Label3(Child<QLabel>(f, "Label3")),
          Label5(Child<QLabel>(f, "Label5")), Label13(Child<QLabel>(f, "Label13"))
    {
    }
    QLineEdit *Edit1, *Edit2, *Edit3, *Edit4, *Edit5, *Edit6, *Edit7, *Edit8;
    QListWidget* ListBox1;
    QComboBox *ComboBox1, *ComboBox3, *ComboBox4;
    QCheckBox *CheckBox1, *CheckBox2;
    QRadioButton *RadioButton1, *RadioButton2, *RadioButton3;
    QPushButton *Button1, *Button3, *Button4, *Button5, *Button20, *Button21;
    QToolButton* SpeedButton1;
    QLabel *Label1, *Label2, *Label3, *Label5, *Label13;
};

// The controls of the current main window (looked up again after a restart).
inline const MainControls& M()
{
    // A guarded pointer: a new window may be built where the old one was.
    static QPointer<TForm1> owner;
    static std::optional<MainControls> controls;
    if (owner != Form1 || !controls) {
        controls.emplace(Form1);
        owner = Form1;
    }
    return *controls;
}

// Runs `act` on the modal window as soon as one is up (polling from the event
// loop that exec() spins). Gives up after `timeoutMs` if none shows; that is
// long because a first file dialog on a machine busy with the whole suite can
// take seconds, and giving up early leaves it open until the test is killed.
inline void WhenModalShows(std::function<void(QWidget*)> act, int timeoutMs = 60000)
{
    auto* timer = new QTimer;
    auto* clock = new QElapsedTimer;
    clock->start();
    QObject::connect(timer, &QTimer::timeout, [timer, clock, act, timeoutMs]() {
        QWidget* modal = QApplication::activeModalWidget();
        if (modal && modal->isVisible()) {
            timer->stop();
            timer->deleteLater();
            delete clock;
            act(modal);
        } else if (clock->elapsed() > timeoutMs) {
            timer->stop();
            timer->deleteLater();
            delete clock;
        }
    });
    timer->start(10);
}

// While alive, closes every modal window that comes up and counts them, so a
// test that expects none cannot hang on one.
class ModalCloser {
public:
    ModalCloser()
    {
        QObject::connect(&timer_, &QTimer::timeout, [this]() {
            if (QWidget* modal = QApplication::activeModalWidget(); modal && modal->isVisible()) {
                ++count_;
                modal->close();
            }
        });
        timer_.start(10);
    }
    int count() const { return count_; }

private:
    QTimer timer_;
    int count_ = 0;
};

// Settings of the tests' own, apart from the user's, and empty: every case
// starts as a first run.
inline void ForgetSettings()
{
    QStandardPaths::setTestModeEnabled(true);
    QSettings().clear();
}

// A fresh set of the program's windows, as at start-up of a first run.
inline void RestartProgram()
{
    DestroyForms();
    ForgetSettings();
    CreateForms();
    Form1->show();
}

// A fresh program with the window W opened by its key from the main window:
// where every test of that window starts.
template <class W>
void RestartWithWindow(Qt::Key key)
{
    RestartProgram();
    QVERIFY(QTest::qWaitForWindowActive(Form1));
    QTest::keyClick(M().Edit2, key);
    QCOMPARE(Form1->findChildren<W*>().size(), qsizetype(1));
    QVERIFY(QTest::qWaitForWindowExposed(Form1->findChild<W*>()));
}

inline void Click(QWidget* w) { QTest::mouseClick(w, Qt::LeftButton, {}, w->rect().center()); }

// Clicks the list row that shows `text`, as a user picks a field.
inline void SelectRow(const QString& text)
{
    QListWidget* list = M().ListBox1;
    const auto found = list->findItems(text, Qt::MatchExactly | Qt::MatchCaseSensitive);
    QVERIFY2(!found.isEmpty(), qPrintable(text));
    list->scrollToItem(found.first());
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualItemRect(found.first()).center());
    QCOMPARE(list->currentItem()->text(), text);
}

// Replaces a box's text by typing, through the key filter.
inline void Retype(QLineEdit* box, const QString& text)
{
    box->setFocus();
    box->selectAll();
    QTest::keyClick(box, Qt::Key_Backspace);
    QTest::keyClicks(box, text);
}

// Whether the window on screen (not a fresh rendering) shows the dotted
// rectangle round the table's current cell: its top edge in the text colour.
inline bool FocusRectangleShown(QWidget* window)
{
    const auto* grid = window->findChild<DrawGrid*>(QStringLiteral("DrawGrid1"));
    if (!grid)
        return false;
    const QImage shown = window->screen()->grabWindow(window->winId()).toImage();
    const QRect cell =
        grid->cellRect(grid->col(), grid->row()).translated(grid->viewport()->mapTo(window, QPoint(0, 0)));
    if (shown.isNull() || !shown.rect().contains(cell))
        return false;
    const QRgb ink = grid->palette().color(QPalette::WindowText).rgb();
    int dots = 0;
    for (int x = cell.left() + 2; x < cell.right() - 2; ++x)
        dots += shown.pixel(x, cell.top()) == ink;
    return dots >= cell.width() / 4;
}

// Makes the main window the active one again, as a click on it does (a
// side window closed without a window manager leaves none active).
inline void ActivateMainWindow()
{
    Form1->activateWindow();
    QTRY_COMPARE(QApplication::activeWindow(), static_cast<QWidget*>(Form1));
}

// Picks the item that shows `text` from a drop-down box's list with the mouse.
inline void ChooseItem(QComboBox* box, const QString& text)
{
    const int index = box->findText(text, Qt::MatchExactly | Qt::MatchCaseSensitive);
    QVERIFY2(index >= 0, qPrintable(text));
    box->showPopup();
    QAbstractItemView* view = box->view();
    QVERIFY(QTest::qWaitForWindowExposed(view->window()));
    const QModelIndex item = view->model()->index(index, 0);
    view->scrollTo(item);
    QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, view->visualRect(item).center());
    // A list that opened over the box ignores a release that comes this
    // soon; the item clicked is marked, and Enter takes it.
    if (view->isVisible()) {
        QCOMPARE(view->currentIndex(), item);
        QTest::keyClick(view, Qt::Key_Return);
    }
    QTRY_VERIFY(!view->isVisible());
    QCOMPARE(box->currentText(), text);
}

// Types into an editable drop-down box as a user does, then closes the
// completion list that typing opens.
inline void TypeFieldName(QComboBox* box, const QString& text)
{
    Retype(box->lineEdit(), text);
    if (QCompleter* completer = box->completer())
        completer->popup()->hide();
}

}  // namespace testsupport
