#include "ScreenMap.h"

#include <functional>

#include <QAbstractButton>
#include <QApplication>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QTimer>
#include <QTreeWidget>

namespace ScreenMap {

namespace {
QJsonObject rect(const QWidget* w, const QRect& local)
{
    const QPoint at = w->mapToGlobal(local.topLeft());
    return {{"x", at.x()}, {"y", at.y()}, {"w", local.width()}, {"h", local.height()}};
}

QJsonObject row(const QString& text, const QJsonObject& r, bool selected)
{
    QJsonObject o = r;
    o.insert("text", text);
    o.insert("selected", selected);
    return o;
}

QJsonArray actionRows(const QWidget* w, const QList<QAction*>& actions,
                      const std::function<QRect(QAction*)>& geometry)
{
    QJsonArray rows;
    for (QAction* a : actions) {
        if (!a->isVisible() || a->isSeparator())
            continue;
        QJsonObject o = row(a->text(), rect(w, geometry(a)), a->isChecked());
        o.insert("name", a->objectName());
        o.insert("enabled", a->isEnabled());
        rows.append(o);
    }
    return rows;
}

QJsonArray treeRows(const QTreeWidget* tree)
{
    QJsonArray rows;
    const QWidget* port = tree->viewport();
    for (QTreeWidgetItemIterator it(const_cast<QTreeWidget*>(tree)); *it; ++it) {
        const QRect r = tree->visualItemRect(*it);
        if (r.isEmpty() || !port->rect().intersects(r))
            continue;
        QString path = (*it)->text(0);
        for (QTreeWidgetItem* p = (*it)->parent(); p; p = p->parent())
            path = p->text(0) + QLatin1Char('\\') + path;
        QJsonObject o = row((*it)->text(0), rect(port, r), (*it)->isSelected());
        o.insert("path", path);
        o.insert("current", tree->currentItem() == *it);
        rows.append(o);
    }
    return rows;
}

QJsonArray listRows(const QListWidget* list)
{
    QJsonArray rows;
    for (int i = 0; i < list->count(); ++i) {
        const QRect r = list->visualItemRect(list->item(i));
        rows.append(row(list->item(i)->text(),
                        list->viewport()->rect().intersects(r) ? rect(list->viewport(), r)
                                                               : QJsonObject(),
                        list->item(i)->isSelected()));
    }
    return rows;
}

void add(QJsonArray& out, QWidget* w, const QString& window)
{
    if (!w->isVisible())
        return;
    QJsonObject o = rect(w, w->rect());
    o.insert("class", QString::fromLatin1(w->metaObject()->className()));
    o.insert("name", w->objectName());
    o.insert("accessible", w->accessibleName());
    o.insert("window", window);
    o.insert("enabled", w->isEnabled());
    o.insert("focus", w->hasFocus());
    if (auto* b = qobject_cast<QAbstractButton*>(w)) {
        o.insert("text", b->text());
        o.insert("checked", b->isChecked());
    } else if (auto* l = qobject_cast<QLabel*>(w)) {
        o.insert("text", l->text());
    } else if (auto* e = qobject_cast<QLineEdit*>(w)) {
        o.insert("text", e->text());
    } else if (auto* e = qobject_cast<QPlainTextEdit*>(w)) {
        o.insert("text", e->toPlainText());
        o.insert("readOnly", e->isReadOnly());
    } else if (auto* t = qobject_cast<QTreeWidget*>(w)) {
        o.insert("rows", treeRows(t));
    } else if (auto* l = qobject_cast<QListWidget*>(w)) {
        o.insert("rows", listRows(l));
    } else if (auto* bar = qobject_cast<QMenuBar*>(w)) {
        o.insert("rows", actionRows(w, bar->actions(), [bar](QAction* a) {
                     return bar->actionGeometry(a);
                 }));
    } else if (auto* menu = qobject_cast<QMenu*>(w)) {
        o.insert("rows", actionRows(w, menu->actions(), [menu](QAction* a) {
                     return menu->actionGeometry(a);
                 }));
    }
    out.append(o);
    for (QObject* child : w->children())
        if (auto* cw = qobject_cast<QWidget*>(child); cw && !cw->isWindow())
            add(out, cw, window);
}
} // namespace

QByteArray describe(int sequence)
{
    QJsonArray widgets;
    for (QWidget* top : QApplication::topLevelWidgets())
        add(widgets, top, top->windowTitle());
    QJsonObject map{{"seq", sequence}, {"widgets", widgets}};
    if (QWidget* active = QApplication::activeWindow())
        map.insert("active", active->windowTitle());
    if (QWidget* modal = QApplication::activeModalWidget())
        map.insert("modal", modal->windowTitle());
    return QJsonDocument(map).toJson(QJsonDocument::Compact);
}

void startFromEnvironment()
{
    const QString path = qEnvironmentVariable("MORVANE_SCREEN_MAP");
    if (path.isEmpty())
        return;
    auto* timer = new QTimer(QCoreApplication::instance());
    QObject::connect(timer, &QTimer::timeout, timer, [path] {
        QFile request(path + QStringLiteral(".request"));
        if (!request.open(QIODevice::ReadOnly))
            return;
        const int sequence = request.readAll().trimmed().toInt();
        request.close();
        // The request goes before the map comes: the next one may follow at once.
        request.remove();
        // Written whole, then renamed: a reader never sees half a map.
        QFile out(path + QStringLiteral(".part"));
        if (out.open(QIODevice::WriteOnly | QIODevice::Truncate)) {
            out.write(describe(sequence));
            out.close();
            QFile::remove(path);
            QFile::rename(out.fileName(), path);
        }
    });
    timer->start(10);
}

} // namespace ScreenMap
