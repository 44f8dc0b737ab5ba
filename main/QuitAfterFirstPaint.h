// SPDX-License-Identifier: GPL-3.0-or-later
// Ends the program once a window has been painted for the first time, for
// the package's smoke test and the start-up benchmark: both stop where a
// user would first see the window. Header-only, so the benchmark's bare
// window quits exactly the same way.
#pragma once

#include <QCoreApplication>
#include <QEvent>
#include <QTimer>
#include <QWidget>

class QuitAfterFirstPaint : public QObject {
public:
    explicit QuitAfterFirstPaint(QWidget* window) : QObject(window) { window->installEventFilter(this); }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Paint) {
            watched->removeEventFilter(this);
            // After the paint in progress and its flush to the screen.
            QTimer::singleShot(0, QCoreApplication::instance(), &QCoreApplication::quit);
        }
        return false;
    }
};
