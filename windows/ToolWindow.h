// SPDX-License-Identifier: GPL-3.0-or-later
// The program's non-modal windows beside the main window (fit, reference
// and the rest): each opens beside the main window where it covers none of
// it if the screen has room, remembers where the user left it, and closes
// with Escape once no list is open in it, or with the platform's Close keys.
// Ctrl+Shift+C copies what it shows, as in the main window.
#pragma once

#include <QWidget>

#include "SideWindowPlace.h"

class ToolWindow : public QWidget {
    Q_OBJECT

public:
    // `key` names the window's place in the settings; `preferLeft` opens it
    // left of the main window where both sides have room.
    ToolWindow(QWidget* parent, const QString& key, bool preferLeft = false);

    // Shows the window: the first time beside the main window's frame, later
    // where it was left.
    void ShowBeside(const QRect& mainFrame);

    // What the window shows, on the clipboard (also Ctrl+Shift+C); with
    // nothing to copy, a note says why and the clipboard stays as it was.
    virtual void CopyClick() = 0;

    // Presses of Escape, counted, and the press under which a list of this
    // window last closed.
    struct EscapeMarks {
        long press = 0;
        long closedByPress = -1;
    };

protected:
    void hideEvent(QHideEvent* event) override;

private:
    // Escape closes an open list or completion first, the window after.
    void EscapePressed();

    SideWindowPlace place_;
    EscapeMarks escape_;
};
