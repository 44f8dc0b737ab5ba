#include "ToolWindow.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QCompleter>
#include <QHideEvent>
#include <QShortcut>

#include "Look.h"

namespace {

// How soon after a list closes an Escape still counts as the one that closed it.
constexpr int kSameKeyMs = 250;

// Notes when a list of the window closes (see EscapePressed).
class PopupWatch : public QObject {
public:
    PopupWatch(QWidget* window, QElapsedTimer& closed) : QObject(window), window_(window), closed_(closed)
    {
        qApp->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Hide && watched->isWidgetType()) {
            const auto* popup = static_cast<const QWidget*>(watched);
            if (popup->windowType() == Qt::Popup && popup->parentWidget() && popup->parentWidget()->window() == window_)
                closed_.start();
        }
        return false;
    }

private:
    const QWidget* window_;
    QElapsedTimer& closed_;
};

}  // namespace

ToolWindow::ToolWindow(QWidget* parent, const QString& key, bool preferLeft)
    : QWidget(parent, Qt::Window), place_(key, preferLeft)
{
    setFont(SansFont(12));
    new PopupWatch(this, popupClosed_);
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
    // too, once the list is gone: that one was the list's.
    if (popupClosed_.isValid() && popupClosed_.elapsed() < kSameKeyMs)
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
