// What the fit and reference windows share as windows: they open beside the
// main window the first time and where they were left after that.
#pragma once

#include <QByteArray>
#include <QRect>

class QWidget;

class SideWindowPlace {
public:
    // Shows and raises `window`: the first time next to `mainFrame` (on the
    // right, or on the left when `preferLeft`, whichever fits the screen),
    // later with the geometry it had when it was hidden.
    void Show(QWidget* window, const QRect& mainFrame, bool preferLeft);
    // Called as the window hides.
    void Remember(const QWidget* window);

private:
    QByteArray geometry_;
};
