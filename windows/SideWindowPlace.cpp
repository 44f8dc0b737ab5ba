// SPDX-License-Identifier: GPL-3.0-or-later
#include "SideWindowPlace.h"

#include <QGuiApplication>
#include <QScreen>
#include <QSettings>
#include <QWidget>

#include <algorithm>

#include "WindowFrame.h"

namespace {

constexpr int kGap = 8;

long Overlap(const QRect& a, const QRect& b)
{
    const QRect both = a.intersected(b);
    return both.isEmpty() ? 0 : long(both.width()) * both.height();
}

// The part of `frame` within the screen's free area, where a window can be
// placed at all.
QRect Clamped(QRect frame, const QRect& screen)
{
    frame.moveLeft(std::clamp(frame.left(), screen.left(), std::max(screen.left(), screen.right() + 1 - frame.width())));
    frame.moveTop(std::clamp(frame.top(), screen.top(), std::max(screen.top(), screen.bottom() + 1 - frame.height())));
    return frame;
}

}  // namespace

QRect SideWindowPlace::FirstPlace(const QSize& frame, const QRect& mainFrame, const QRect& screen, bool preferLeft)
{
    const QSize size = frame.boundedTo(screen.size());
    const int top = mainFrame.top();
    const int left = mainFrame.left() + (mainFrame.width() - size.width()) / 2;
    const QRect right(QPoint(mainFrame.right() + 1 + kGap, top), size);
    const QRect leftOf(QPoint(mainFrame.left() - kGap - size.width(), top), size);
    const QRect candidates[] = {
        preferLeft ? leftOf : right,
        preferLeft ? right : leftOf,
        QRect(QPoint(left, mainFrame.bottom() + 1 + kGap), size),          // below
        QRect(QPoint(left, mainFrame.top() - kGap - size.height()), size), // above
    };
    for (const QRect& c : candidates)
        if (screen.contains(c))
            return c;
    // No room anywhere: the least cover of the main window, trying every
    // horizontal and vertical place that the screen's edges and the main
    // window's edges suggest.
    const int towardsRight[] = {screen.right() + 1 - size.width(), mainFrame.right() + 1 + kGap};
    const int towardsLeft[] = {screen.left(), mainFrame.left() - kGap - size.width()};
    const int xs[] = {preferLeft ? towardsLeft[0] : towardsRight[0], preferLeft ? towardsLeft[1] : towardsRight[1],
                      preferLeft ? towardsRight[0] : towardsLeft[0], preferLeft ? towardsRight[1] : towardsLeft[1]};
    const int ys[] = {top, screen.top(), screen.bottom() + 1 - size.height(), mainFrame.bottom() + 1 + kGap,
                      mainFrame.top() - kGap - size.height()};
    QRect best;
    long bestCover = -1;
    for (const int x : xs)
        for (const int y : ys) {
            const QRect place = Clamped(QRect(QPoint(x, y), size), screen);
            const long cover = Overlap(place, mainFrame);
            if (bestCover < 0 || cover < bestCover) {
                best = place;
                bestCover = cover;
            }
        }
    return best;
}

QString SideWindowPlace::SettingsKey() const { return QStringLiteral("windows/%1/geometry").arg(key_); }

void SideWindowPlace::Show(QWidget* window, const QRect& mainFrame)
{
    if (!asked_) {
        asked_ = true;
        const QVariant stored = QSettings().value(SettingsKey());
        if (stored.typeId() == QMetaType::QByteArray)
            geometry_ = stored.toByteArray();
    }
    // Qt brings a place that is on no screen any more back onto one.
    if (geometry_.isEmpty() || !window->restoreGeometry(geometry_)) {
        const QScreen* screen = QGuiApplication::screenAt(mainFrame.center());
        if (!screen)
            screen = QGuiApplication::primaryScreen();
        const QRect desk = screen->availableGeometry();
        // The frame the window manager will draw, asked before the first
        // mapping of the (now created) window.
        window->winId();
        const QMargins margins = FrameMargins(window);
        const QSize frame(margins.left() + margins.right(), margins.top() + margins.bottom());
        const QRect place = FirstPlace(window->size() + frame, mainFrame, desk, preferLeft_);
        // The client area's place, so that the frame lands where reckoned.
        window->setGeometry(QRect(place.topLeft() + QPoint(margins.left(), margins.top()), place.size() - frame));
    }
    window->show();
    window->raise();
    window->activateWindow();
}

void SideWindowPlace::Remember(const QWidget* window)
{
    geometry_ = window->saveGeometry();
    QSettings().setValue(SettingsKey(), geometry_);
}
