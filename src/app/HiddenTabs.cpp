#include "HiddenTabs.h"

#include <QCoreApplication>
#include <QKeyEvent>
#include <QTabWidget>

namespace {
class PageKeys : public QObject
{
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() != QEvent::KeyPress)
            return QObject::eventFilter(watched, event);
        const auto* key = static_cast<QKeyEvent*>(event);
        const bool tab = key->key() == Qt::Key_Tab || key->key() == Qt::Key_Backtab;
        if (!tab || !(key->modifiers() & Qt::ControlModifier))
            return false;
        const bool back = key->key() == Qt::Key_Backtab || (key->modifiers() & Qt::ShiftModifier);
        // The window takes a plain Tab as "next control", whatever has the focus.
        QKeyEvent plain(QEvent::KeyPress, back ? Qt::Key_Backtab : Qt::Key_Tab, Qt::NoModifier);
        QCoreApplication::sendEvent(static_cast<QWidget*>(watched)->window(), &plain);
        return true;
    }
};
} // namespace

void keepPagesFromKeys(QTabWidget* pages)
{
    // Its only focusable part is the hidden tab bar.
    pages->setFocusPolicy(Qt::NoFocus);
    pages->installEventFilter(new PageKeys(pages));
}
