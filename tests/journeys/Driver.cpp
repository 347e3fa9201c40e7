#include "Driver.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QClipboard>
#include <QJsonDocument>
#include <QTest>
#include <utility>

namespace {
QString withoutMnemonic(QString s)
{
    return s.remove('&');
}
} // namespace

QRect Widget::rect() const
{
    return {data["x"].toInt(), data["y"].toInt(), data["w"].toInt(), data["h"].toInt()};
}

QPoint Widget::clickPoint() const
{
    // A check box or radio button takes clicks on its box and text only.
    const QString c = data["class"].toString();
    if (c == "QCheckBox" || c == "QRadioButton")
        return {rect().left() + 8, rect().center().y()};
    return center();
}

QStringList Widget::rowTexts() const
{
    QStringList texts;
    for (const QJsonValue& r : data["rows"].toArray())
        texts << r.toObject()["text"].toString();
    return texts;
}

QJsonObject Widget::row(const QString& text) const
{
    for (const QJsonValue& r : data["rows"].toArray()) {
        const QJsonObject o = r.toObject();
        if (withoutMnemonic(o["text"].toString()) == text || o["path"].toString() == text)
            return o;
    }
    return {};
}

Home::Home()
{
    QDir(dir.path()).mkpath("home");
}

QByteArray Home::read(const QString& relative) const
{
    QFile f(data() + relative);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

bool Home::write(const QString& relative, const QByteArray& bytes) const
{
    QFile f(data() + relative);
    QDir().mkpath(QFileInfo(f).absolutePath());
    return f.open(QIODevice::WriteOnly | QIODevice::Truncate) && f.write(bytes) == bytes.size();
}

bool Home::append(const QString& relative, const QByteArray& bytes) const
{
    QFile f(data() + relative);
    f.setPermissions(f.permissions() | QFile::WriteOwner);
    return f.open(QIODevice::Append) && f.write(bytes) == bytes.size();
}

void Home::setClock(const QDateTime& now) const
{
    QFile f(path() + "now");
    if (f.open(QIODevice::WriteOnly | QIODevice::Truncate))
        f.write(now.toString(Qt::ISODate).toUtf8());
}

Driver::Driver(const Home& home) : m_home(home)
{
    static int drivers = 0;
    m_mapFile = home.path() + QString("map-%1.json").arg(++drivers);
    m_process.setProcessChannelMode(QProcess::ForwardedChannels);
}

Driver::~Driver()
{
    if (running()) {
        m_process.kill();
        m_process.waitForFinished(10000);
    }
}

bool Driver::fail(const QString& why)
{
    m_failure = why;
    return false;
}

bool Driver::start()
{
    const QString home = m_home.path() + "home";
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("HOME", home);
    for (const char* v : {"XDG_CONFIG_HOME", "XDG_DATA_HOME", "XDG_STATE_HOME", "XDG_CACHE_HOME",
                          "XDG_CONFIG_DIRS", "XDG_DATA_DIRS"})
        env.remove(v);
    env.insert("MORVANE_SCREEN_MAP", m_mapFile);
    env.insert("MORVANE_CLOCK_FILE", m_home.path() + "now");
    // Leaks are another test's business; a journey wants the program's faults.
    env.insert("ASAN_OPTIONS", "detect_leaks=0:abort_on_error=1");
    m_process.setProcessEnvironment(env);
    m_process.setWorkingDirectory(home);
    QFile::remove(m_mapFile);
    m_process.start(MORVANE_BIN, {});
    if (!m_process.waitForStarted(10000))
        return fail("the program did not start");
    return waitFor([this] { return caption().startsWith("Morvane---") || messageBox().valid(); },
                   "the main window", 30000);
}

QString Driver::howItEnded() const
{
    return m_process.exitStatus() == QProcess::CrashExit
               ? QString("crashed (%1)").arg(m_process.errorString())
               : QString("ended with status %1").arg(m_process.exitCode());
}

void Driver::kill()
{
    m_process.kill();
    m_process.waitForFinished(20000);
}

bool Driver::quit()
{
    if (!menu("File", "Exit"))
        return false;
    if (!waitFor([this] { return !running(); }, "the program to end", 30000))
        return false;
    return m_process.exitStatus() == QProcess::NormalExit && m_process.exitCode() == 0;
}

QJsonObject Driver::map()
{
    const QString& path = m_mapFile;
    const int sequence = ++m_sequence;
    {
        QFile request(path + ".request.part");
        if (!request.open(QIODevice::WriteOnly | QIODevice::Truncate))
            return {};
        request.write(QByteArray::number(sequence));
    }
    QFile::rename(path + ".request.part", path + ".request");
    QDeadlineTimer deadline(20000);
    while (!deadline.hasExpired() && running()) {
        QFile f(path);
        if (f.open(QIODevice::ReadOnly)) {
            const QJsonObject map = QJsonDocument::fromJson(f.readAll()).object();
            if (map["seq"].toInt() == sequence)
                return map;
        }
        QTest::qWait(10); // serves the clipboard meanwhile
    }
    return {};
}

Widget Driver::find(const QString& name, const QString& window, QJsonObject map)
{
    if (map.isEmpty())
        map = this->map();
    for (const QJsonValue& v : map["widgets"].toArray()) {
        const QJsonObject w = v.toObject();
        if (w["name"].toString() == name && w["window"].toString().startsWith(window))
            return {w};
    }
    return {};
}

Widget Driver::findText(const QString& text, const QString& window)
{
    for (const QJsonValue& v : map()["widgets"].toArray()) {
        const QJsonObject w = v.toObject();
        if (withoutMnemonic(w["text"].toString()) == text &&
            w["window"].toString().startsWith(window))
            return {w};
    }
    return {};
}

Widget Driver::messageBox(QJsonObject map)
{
    if (map.isEmpty())
        map = this->map();
    QJsonObject box;
    QJsonArray buttons;
    for (const QJsonValue& v : map["widgets"].toArray()) {
        const QJsonObject w = v.toObject();
        if (w["class"].toString() == "QMessageBox")
            box = w;
        else if (!box.isEmpty() && w["window"] == box["window"] &&
                 w["class"].toString() == "QPushButton")
            buttons.append(w);
        else if (!box.isEmpty() && w["name"].toString() == "qt_msgbox_label")
            box.insert("text", w["text"]);
    }
    if (!box.isEmpty())
        box.insert("rows", buttons);
    return {box};
}

QString Driver::messageText()
{
    return messageBox().text();
}

bool Driver::waitFor(const std::function<bool()>& condition, const QString& what,
                     int milliseconds)
{
    QDeadlineTimer deadline(milliseconds);
    do {
        if (condition())
            return true;
        if (!running())
            return fail("the program ended while waiting for " + what);
        QTest::qWait(20);
    } while (!deadline.hasExpired());
    return fail("timed out waiting for " + what);
}

bool Driver::waitForCaption(const QString& caption)
{
    return waitFor([&] { return this->caption() == caption; }, "the caption " + caption);
}

bool Driver::waitForMessage(const QString& containing)
{
    return waitFor([&] { return messageText().contains(containing); },
                   "a message with " + containing);
}

bool Driver::clickStill(const std::function<Widget()>& found, const QString& what)
{
    // Where it stood in two maps in a row: a window just shown may still be
    // moved by the window manager.
    Widget w;
    QRect before;
    if (!waitFor(
            [&] {
                w = found();
                return w.valid() && w.enabled() && std::exchange(before, w.rect()) == w.rect();
            },
            "an enabled " + what))
        return false;
    m_x.click(w.clickPoint());
    return true;
}

bool Driver::click(const QString& name, const QString& window)
{
    return clickStill([&] { return find(name, window); }, name);
}

bool Driver::clickText(const QString& text, const QString& window)
{
    return clickStill([&] { return findText(text, window); }, "control showing " + text);
}

bool Driver::clickRow(const QString& name, const QString& row, int button)
{
    QJsonObject r;
    if (!waitFor([&] { return !(r = find(name).row(row)).isEmpty() && r["w"].toInt() > 0; },
                 "the row " + row + " of " + name))
        return false;
    // Left of the text's middle: wide rows reach past what the text covers.
    const QRect rect(r["x"].toInt(), r["y"].toInt(), r["w"].toInt(), r["h"].toInt());
    m_x.click(QPoint(rect.left() + qMin(rect.width() / 2, 20), rect.center().y()), button);
    return true;
}

bool Driver::menu(const QString& top, const QString& item)
{
    if (!clickRow("MainMenu1", top))
        return false;
    QJsonObject r;
    const auto open = [&] {
        for (const QJsonValue& v : map()["widgets"].toArray()) {
            const QJsonObject w = v.toObject();
            if (w["class"].toString() != "QMenu")
                continue;
            r = Widget{w}.row(item);
            if (!r.isEmpty())
                return true;
        }
        return false;
    };
    if (!waitFor(open, "the menu item " + item))
        return false;
    if (!r["enabled"].toBool())
        return fail("the menu item " + item + " is disabled");
    m_x.click(QPoint(r["x"].toInt() + 20, r["y"].toInt() + r["h"].toInt() / 2));
    return true;
}

bool Driver::answer(const QString& button)
{
    // Clicked once the box has the focus and stands still: the window manager
    // may still be placing it when it first shows, and a click then misses.
    QJsonObject r;
    QRect last;
    if (!waitFor(
            [&] {
                const QJsonObject m = map();
                const Widget box = messageBox(m);
                r = box.row(button);
                const QRect now =
                    r.isEmpty() || m["active"] != box.data["window"] ? QRect() : Widget{r}.rect();
                const bool still = now.isValid() && now == last;
                last = now;
                return still;
            },
            "a message box with " + button))
        return false;
    m_x.click(Widget{r}.center());
    return true;
}

bool Driver::raise(const QString& window)
{
    QJsonObject top;
    const auto found = [&] {
        for (const QJsonValue& v : map()["widgets"].toArray())
            if (v.toObject()["window"].toString().startsWith(window))
                return !(top = v.toObject()).isEmpty(); // a window comes before its children
        return false;
    };
    if (!waitFor(found, "the window " + window))
        return false;
    const QRect r = Widget{top}.rect();
    m_x.click(QPoint(r.center().x(), r.top() - 8));
    return waitFor([&] { return map()["active"].toString().startsWith(window); },
                   "the window " + window + " in front");
}

bool Driver::keyOnMessage(const char* keysym)
{
    if (!waitFor(
            [&] {
                const QJsonObject m = map();
                for (const QJsonValue& v : m["widgets"].toArray())
                    if (v.toObject()["class"].toString() == "QMessageBox")
                        return m["active"] == v.toObject()["window"];
                return false;
            },
            "a message box with the focus"))
        return false;
    m_x.key(keysym);
    return true;
}

void Driver::setClipboard(const QString& text)
{
    QGuiApplication::clipboard()->setText(text);
}

QString Driver::caption(QJsonObject map)
{
    if (map.isEmpty())
        map = this->map();
    for (const QJsonValue& v : map["widgets"].toArray())
        if (v.toObject()["name"].toString() == "Form1")
            return v.toObject()["window"].toString();
    return {};
}

QString Driver::editorText(QJsonObject map)
{
    return find("RichEditNeed", QString(), map).text();
}

QStringList Driver::clickList(QJsonObject map)
{
    return find("ListBoxListNow", QString(), map).rowTexts();
}

QStringList Driver::hotkeys(QJsonObject map)
{
    return find("ListBoxHotkey", QString(), map).rowTexts();
}
