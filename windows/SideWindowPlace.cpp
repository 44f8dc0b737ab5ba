#include "SideWindowPlace.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

#include <algorithm>

void SideWindowPlace::Show(QWidget* window, const QRect& mainFrame, bool preferLeft)
{
    if (!geometry_.isEmpty()) {
        window->restoreGeometry(geometry_);
    } else {
        const QScreen* screen = QGuiApplication::screenAt(mainFrame.center());
        if (!screen)
            screen = QGuiApplication::primaryScreen();
        const QRect desk = screen->availableGeometry();
        // The frame is unknown before the first mapping: allow for a usual one.
        const QSize frame(8, 34);
        const QSize size = (window->size() + frame).boundedTo(desk.size());
        window->resize(size - frame);
        const int gap = 8;
        const int right = mainFrame.right() + 1 + gap;
        const int left = mainFrame.left() - gap - size.width();
        const bool rightFits = right + size.width() <= desk.right() + 1;
        const bool leftFits = left >= desk.left();
        int x = preferLeft ? (leftFits || !rightFits ? left : right) : (rightFits || !leftFits ? right : left);
        // Neither side fits: as near as the screen lets it.
        x = std::clamp(x, desk.left(), std::max(desk.left(), desk.right() + 1 - size.width()));
        const int y = std::clamp(mainFrame.top(), desk.top(), std::max(desk.top(), desk.bottom() + 1 - size.height()));
        window->move(x, y);
    }
    window->show();
    window->raise();
    window->activateWindow();
}

void SideWindowPlace::Remember(const QWidget* window) { geometry_ = window->saveGeometry(); }
