// SPDX-License-Identifier: GPL-3.0-or-later
// The frame that the window manager draws round a top-level window, known
// before the window is first mapped, and placing a window by that frame.
#pragma once

#include <QMargins>
#include <QRect>

class QWidget;

// The frame round `window`, a created top-level widget: what the window
// system reports once it knows it; before the first mapping, what the window
// manager answers when asked (X11); none without a window manager.
QMargins FrameMargins(QWidget* window);

// Places `window`, about to be shown, so that the frame the window manager
// will draw is centred on `area`; its top-left stays inside `bounds`, so a
// window larger than the area keeps its title bar in reach.
void CentreFrameOn(QWidget* window, const QRect& area, const QRect& bounds);
