// SPDX-License-Identifier: GPL-3.0-or-later
#include "ClickableLabel.h"

#include <QMouseEvent>

void ClickableLabel::mousePressEvent(QMouseEvent* event)
{
    // Taking the press makes the label the mouse grabber, so the release
    // comes back here.
    if (event->button() == Qt::LeftButton)
        event->accept();
    else
        QLabel::mousePressEvent(event);
}

void ClickableLabel::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint())) {
        event->accept();
        emit clicked();
        return;
    }
    QLabel::mouseReleaseEvent(event);
}

void ClickableLabel::enterEvent(QEnterEvent* event)
{
    QLabel::enterEvent(event);
    emit entered();
}

void ClickableLabel::leaveEvent(QEvent* event)
{
    QLabel::leaveEvent(event);
    emit left();
}
