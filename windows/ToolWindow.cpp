// SPDX-License-Identifier: GPL-3.0-or-later
#include "ToolWindow.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QCompleter>
#include <QHideEvent>
#include <QKeyEvent>
#include <QShortcut>

#include "Look.h"

namespace {

// Notes when a list of the window closes under an Escape press (see
// EscapePressed): each press of Escape is counted, and the list's closing
// is tied to the press that closed it.
class PopupWatch : public QObject {
public:
    PopupWatch(QWidget* window, ToolWindow::EscapeMarks& marks) : QObject(window), window_(window), marks_(marks)
    {
        qApp->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        switch (event->type()) {
        // Shortcuts take a key before its KeyPress: the override asked
        // first is the press.
        case QEvent::ShortcutOverride:
        case QEvent::KeyPress:
            if (static_cast<QKeyEvent*>(event)->key() == Qt::Key_Escape
                && !static_cast<QKeyEvent*>(event)->isAutoRepeat() && !held_) {
                held_ = true;
                ++marks_.press;
            }
            break;
        case QEvent::KeyRelease:
            if (static_cast<QKeyEvent*>(event)->key() == Qt::Key_Escape)
                held_ = false;
            break;
        case QEvent::Hide:
            if (watched->isWidgetType()) {
                const auto* popup = static_cast<const QWidget*>(watched);
                if (popup->windowType() == Qt::Popup && popup->parentWidget()
                    && popup->parentWidget()->window() == window_)
                    marks_.closedByPress = marks_.press;
            }
            break;
        default:
            break;
        }
        return false;
    }

private:
    const QWidget* window_;
    ToolWindow::EscapeMarks& marks_;
    bool held_ = false;
};

}  // namespace

ToolWindow::ToolWindow(QWidget* parent, const QString& key, bool preferLeft)
    : QWidget(parent, Qt::Window), place_(key, preferLeft)
{
    setFont(SansFont(12));
    new PopupWatch(this, escape_);
    connect(new QShortcut(QKeySequence::Close, this), &QShortcut::activated, this, &QWidget::close);
    connect(new QShortcut(Qt::Key_Escape, this), &QShortcut::activated, this, &ToolWindow::EscapePressed);
    connect(new QShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_C), this), &QShortcut::activated, this,
            &ToolWindow::CopyClick);
}

void ToolWindow::ShowBeside(const QRect& mainFrame) { place_.Show(this, mainFrame); }

void ToolWindow::hideEvent(QHideEvent* event)
{
    if (!event->spontaneous())
        place_.Remember(this);
    QWidget::hideEvent(event);
}

void ToolWindow::EscapePressed()
{
    // On X11 the Escape that closes a list reaches the window's shortcut
    // too, once the list is gone: that press was the list's.
    if (escape_.closedByPress == escape_.press)
        return;
    if (QWidget* popup = QApplication::activePopupWidget()) {
        popup->close();
        return;
    }
    for (QCompleter* completer : findChildren<QCompleter*>()) {
        if (completer->popup() && completer->popup()->isVisible()) {
            completer->popup()->hide();
            return;
        }
    }
    close();
}
