// Shared by the window tests: a fresh program per case, and modal windows
// driven from a timer so that exec() never hangs a headless run.
#pragma once

#include <QApplication>
#include <QElapsedTimer>
#include <QPointer>
#include <QTimer>
#include <QWidget>

#include <functional>

#include "frm_Main_Unit.h"

namespace testsupport {

// Runs `act` on the modal window as soon as one is up (polling from the event
// loop that exec() spins). Gives up after `timeoutMs` and closes whatever
// modal window is then up, so a broken test fails instead of hanging.
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

// A fresh set of the program's windows, as at start-up.
inline void RestartProgram()
{
    DestroyForms();
    CreateForms();
    Form1->show();
}

}  // namespace testsupport
