// SPDX-License-Identifier: GPL-3.0-or-later
// Where a window beside the main window opens: the first time where it
// covers none of the main window if the screen has room for that, else
// where it covers the least of it; afterwards where the user left it, in
// this run and the next (QSettings). A remembered place that is no longer
// on any screen is brought back on screen; a missing or unreadable setting
// counts as none.
#pragma once

#include <QByteArray>
#include <QRect>
#include <QString>

class QWidget;

class SideWindowPlace {
public:
    // `key` names the window in the settings ("fit", "reference" …); a
    // window that prefers the left side tries it before the right, so that
    // two windows open on both sides of the main window.
    SideWindowPlace(QString key, bool preferLeft) : key_(std::move(key)), preferLeft_(preferLeft) {}

    // Shows and raises `window` beside the main window's frame.
    void Show(QWidget* window, const QRect& mainFrame);
    // Called as the window hides: keeps its place for the next showing and
    // the next run.
    void Remember(const QWidget* window);

    // The frame's place the first time, without the settings: beside
    // `mainFrame` on `screen`, right before left (or left before right),
    // then below and above; or, where no side has room, the place on the
    // screen that covers the least of the main window.
    static QRect FirstPlace(const QSize& frame, const QRect& mainFrame, const QRect& screen, bool preferLeft = false);

private:
    QString SettingsKey() const;

    QString key_;
    bool preferLeft_;
    QByteArray geometry_;
    bool asked_ = false;  // the settings were read
};
