#include "SideWindowPlace.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

#include <algorithm>

#include "WindowFrame.h"

void SideWindowPlace::Show(QWidget* window, const QRect& mainFrame, bool preferLeft)
{
    if (!geometry_.isEmpty()) {
        window->restoreGeometry(geometry_);
    } else {
        const QScreen* screen = QGuiApplication::screenAt(mainFrame.center());
        if (!screen)
            screen = QGuiApplication::primaryScreen();
        const QRect desk = screen->availableGeometry();
        // The frame the window manager will draw, asked before the first
        // mapping of the (now created) window.
        window->winId();
        const QMargins margins = FrameMargins(window);
        const QSize frame(margins.left() + margins.right(), margins.top() + margins.bottom());
        const QSize size = (window->size() + frame).boundedTo(desk.size());
        const int gap = 8;
        const int right = mainFrame.right() + 1 + gap;
        const int left = mainFrame.left() - gap - size.width();
        const bool rightFits = right + size.width() <= desk.right() + 1;
        const bool leftFits = left >= desk.left();
        int x = preferLeft ? (leftFits || !rightFits ? left : right) : (rightFits || !leftFits ? right : left);
        // Neither side fits: as near as the screen lets it.
        x = std::clamp(x, desk.left(), std::max(desk.left(), desk.right() + 1 - size.width()));
        const int y = std::clamp(mainFrame.top(), desk.top(), std::max(desk.top(), desk.bottom() + 1 - size.height()));
        // The client area's place, so that the frame lands where reckoned.
        window->setGeometry(QRect(QPoint(x + margins.left(), y + margins.top()), size - frame));
    }
    window->show();
    window->raise();
    window->activateWindow();
}

void SideWindowPlace::Remember(const QWidget* window) { geometry_ = window->saveGeometry(); }
