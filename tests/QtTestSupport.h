// Shared by the window tests: a fresh program per case, and modal windows
// driven from a timer so that exec() never hangs a headless run.
#pragma once

#include <QtTest>

#include <QApplication>
#include <QElapsedTimer>
#include <QPointer>
#include <QTimer>
#include <QLineEdit>
#include <QListWidget>
#include <QWidget>

#include <functional>

#include "frm_Main_Unit.h"

namespace testsupport {

// Runs `act` on the modal window as soon as one is up (polling from the event
// loop that exec() spins). Gives up after `timeoutMs` if none shows.
inline void WhenModalShows(std::function<void(QWidget*)> act, int timeoutMs = 5000)
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

// A fresh set of the program's windows, as at start-up.
inline void RestartProgram()
{
    DestroyForms();
    CreateForms();
    Form1->show();
}

inline void Click(QWidget* w) { QTest::mouseClick(w, Qt::LeftButton, {}, w->rect().center()); }

// Clicks the list row that shows `text`, as a user picks a field.
inline void SelectRow(const QString& text)
{
    QListWidget* list = Form1->ListBox1;
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

}  // namespace testsupport
