#include "ToolWindow.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QCompleter>
#include <QHideEvent>
#include <QShortcut>

#include "Look.h"

ToolWindow::ToolWindow(QWidget* parent, const QString& key) : QWidget(parent, Qt::Window), place_(key)
{
    setFont(SansFont(12));
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
