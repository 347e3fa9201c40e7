#include "Walk.h"

#include "Driver.h"

#include <QDir>
#include <QDirIterator>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QJsonDocument>
#include <QProcess>
#include <QRandomGenerator>
#include <QRegularExpression>
#include <QSet>
#include <QTest>
#include <memory>

namespace {

const QString kNoTitle = "Morvane---Please click a title to start.";

class Walker
{
public:
    explicit Walker(quint32 seed) : m_rng(seed) {}
    WalkResult run(int actions, qint64 deadlineMs, int stopAt);

private:
    int pick(int n) { return n > 0 ? int(m_rng.bounded(quint32(n))) : 0; }
    QString token() { return "k" + QString::number(++m_tokens); }
    void log(const QString& step) { m_result.steps << step; }
    bool fault(const QString& why);

    bool start();
    bool settle();
    bool answer(const Widget& box);
    // withCopies false: the recovery copies of the open title do not count.
    QSet<QString> present(bool withEditor, const QString& except = QString(),
                          bool withCopies = true);
    bool check(const QString& captionBefore, bool mayLeaveTitle);
    QString openTitle();
    bool editable();
    bool toEmptyLastLine();

    bool act(int kind);
    bool type(bool shiftEnter);
    bool paste();
    bool cut();
    bool undoRedo();
    bool clickList();
    bool hotkey();
    bool switchTitle();
    bool newTitle();
    bool rename();
    bool remove();
    bool report();
    bool changeOutside();
    void appendOutside(const QString& title);
    bool reach(const QString& widget);
    bool throughFileDialog(const QString& file);
    bool append();
    bool replace();
    bool exportTitle();
    bool kill();
    bool restart();

    QRandomGenerator m_rng;
    std::unique_ptr<Home> m_home;
    std::unique_ptr<Driver> p;
    QSet<QString> m_must;
    QStringList m_titles{"a", "b"};
    QDateTime m_now{QDate(2024, 3, 4), QTime(9, 0)};
    int m_tokens = 0;
    int m_outside = 0;
    bool m_cancelled = false; // a question of this action was cancelled
    WalkResult m_result;
};

bool Walker::fault(const QString& why)
{
    if (!m_result.fault.isEmpty())
        return false;
    m_result.fault = why;
    // What the screen showed, for the one who reads the fault.
    const QString base = QDir::tempPath() + "/morvane-journeys/walk-fault";
    QDir().mkpath(QFileInfo(base).absolutePath());
    p->grab().save(base + ".png");
    QFile map(base + ".json");
    if (p->running() && map.open(QIODevice::WriteOnly))
        map.write(QJsonDocument(p->map()).toJson());
    QDir(base + "-home").removeRecursively();
    QProcess::execute("cp", {"-a", m_home->path() + "home", base + "-home"});
    return false;
}

bool Walker::start()
{
    if (!p->start())
        return fault("the program did not start: " + p->failure());
    return settle();
}

// Until nothing asks and the window stands still; every question on the way
// is answered as a user might.
bool Walker::settle()
{
    QString last;
    for (int round = 0; round < 60; ++round) {
        const QJsonObject map = p->map();
        if (map.isEmpty())
            return fault(p->running() ? "the program stopped answering"
                                      : "the program " + p->howItEnded());
        const Widget box = p->messageBox(map);
        if (box.valid()) {
            if (!answer(box))
                return false;
            last.clear();
            continue;
        }
        const QString now = p->caption(map) + '\n' + p->editorText(map);
        if (now == last)
            return true;
        last = now;
        QTest::qWait(30);
    }
    return fault("the window never stood still");
}

bool Walker::answer(const Widget& box)
{
    const QString text = box.text();
    QString button = "OK";
    if (text.contains("was changed on disk")) {
        const QStringList answers = text.contains("can no longer be read")
                                        ? QStringList{"Keep both", "Escape"}
                                        : QStringList{"Keep both", "Overwrite", "Reload",
                                                      "Return", "Escape"};
        button = answers[pick(answers.size())];
        // Reload throws the typing away by the user's own choice.
        if (button == "Reload") {
            const QSet<QString> kept = present(false, QString(), false);
            for (auto it = m_must.begin(); it != m_must.end();)
                it = kept.contains(*it) ? std::next(it) : m_must.erase(it);
        }
    } else if (text.contains("Close anyway")) {
        button = pick(2) ? "Yes" : "No";
        m_cancelled = m_cancelled || button == "No";
    } else if (text.contains("restore the unsaved lines")) {
        button = pick(2) ? "Yes" : "No";
    } else if (text.contains("All title") || text.contains("all documents")) {
        button = "No"; // the walk deletes one title at a time
    } else if (text.contains("Really must you delete") || text.contains("permanently delete")) {
        button = "Yes";
    } else if (text.contains("Cannot open file")) {
        const QString file = text.section('"', 1, 1);
        if (QFile::exists(file))
            return fault("a title that is there could not be opened: " + text);
    }
    m_cancelled = m_cancelled || button == "Escape";
    log("  asked \"" + text.section('\n', 0, 0) + "\": " + button);
    const bool sent = button == "Return" || button == "Escape"
                          ? p->keyOnMessage(button.toLatin1().constData())
                          : p->answer(button);
    if (!sent)
        return fault("could not answer \"" + text + "\": " + p->failure());
    return p->waitFor([&] { return p->messageText() != text; }, "the question to go", 10000) ||
           fault("the question stayed: " + text);
}

// Every line there is: the editor's, every file's below the data folder and
// in the state folder (recovery copies and copies kept aside).
QSet<QString> Walker::present(bool withEditor, const QString& except, bool withCopies)
{
    QSet<QString> lines;
    const auto add = [&](const QString& text) {
        for (QString line : text.split('\n')) {
            if (line.endsWith('\r'))
                line.chop(1);
            lines.insert(line);
        }
    };
    if (withEditor)
        add(p->editorText());
    for (const QString& root : {m_home->data(), m_home->state()}) {
        // Hidden files are writes under way: what they hold is not kept yet.
        QDirIterator it(root, QDir::Files, QDirIterator::Subdirectories);
        while (it.hasNext()) {
            const QString file = it.next();
            QFile f(file);
            if (file != except && (withCopies || !file.endsWith(".recovery")) &&
                f.open(QIODevice::ReadOnly))
                add(QString::fromUtf8(f.readAll()));
        }
    }
    return lines;
}

bool Walker::check(const QString& captionBefore, bool mayLeaveTitle)
{
    if (!settle())
        return false;
    const QSet<QString> lines = present(true);
    for (const QString& t : std::as_const(m_must))
        if (!lines.contains(t))
            return fault("the typed line " + t + " is in no editor, file or copy");
    // A "Keep both" title is one more to walk to.
    const QString open = openTitle();
    if (!open.isEmpty() && !m_titles.contains(open))
        m_titles << open;
    // Only the user may bring the window back to its no-title state.
    if (!mayLeaveTitle && captionBefore.startsWith("Morvane---") && captionBefore != kNoTitle &&
        p->caption() == kNoTitle)
        return fault("the window left the open title by itself");
    return true;
}

QString Walker::openTitle()
{
    const QString caption = p->caption();
    return caption.startsWith("Morvane---") && caption != kNoTitle ? caption.mid(10) : QString();
}

bool Walker::editable()
{
    const QJsonObject map = p->map();
    const Widget e = p->find("RichEditNeed", QString(), map);
    const QString caption = p->caption(map);
    return caption.startsWith("Morvane---") && caption != kNoTitle && e.valid() &&
           !e.data["readOnly"].toBool();
}

// The caret on an empty last line, where a new item goes.
bool Walker::toEmptyLastLine()
{
    const Widget e = p->find("RichEditNeed");
    if (!e.data["focus"].toBool())
        p->x().click(QPoint(e.rect().left() + 40, e.rect().bottom() - 40));
    p->key("End", "ctrl");
    if (!settle())
        return false;
    if (!p->editorText().isEmpty() && !p->editorText().endsWith('\n')) {
        p->key("Return");
        return settle();
    }
    return true;
}

bool Walker::type(bool shiftEnter)
{
    if (!editable() || !toEmptyLastLine())
        return true;
    QStringList typed;
    for (int n = 1 + pick(3); n > 0; --n) {
        const QString t = token();
        p->type(t);
        p->key("Return", shiftEnter ? "shift" : QString());
        m_must.insert(t);
        typed << t;
    }
    m_result.linesTyped += typed.size();
    log((shiftEnter ? "type with Shift+Enter " : "type ") + typed.join(' '));
    return true;
}

bool Walker::paste()
{
    if (!editable() || !toEmptyLastLine())
        return true;
    const QStringList lines{token(), token()};
    p->setClipboard(lines.join('\n') + '\n');
    // With V taken by a hotkey, Ctrl+V puts in that item: paste from the menu then.
    const bool byMenu = p->hotkeys().contains("V");
    if (byMenu)
        p->menu("Edit", "Paste");
    else
        p->quickCtrl("v");
    for (const QString& t : lines)
        m_must.insert(t);
    m_result.linesTyped += lines.size();
    log(QString(byMenu ? "paste from the menu " : "paste with a quick Ctrl+V ") + lines.join(' '));
    return true;
}

bool Walker::cut()
{
    if (!editable() || !toEmptyLastLine())
        return true;
    const QStringList lines = p->editorText().split('\n');
    const QString line = lines.value(lines.size() - 2);
    if (line.isEmpty() || line.startsWith("//"))
        return true;
    p->key("Up");
    p->key("Home");
    p->key("End", "shift");
    if (!settle() || !p->menu("Edit", "Cut"))
        return fault("Edit → Cut: " + p->failure());
    m_must.remove(line);
    log("cut " + line);
    return true;
}

bool Walker::undoRedo()
{
    const QStringList keys = p->hotkeys();
    if (!editable() || keys.contains("Z"))
        return true;
    p->key("z", "ctrl");
    p->key("z", "ctrl+shift");
    log("undo, redo");
    return true;
}

bool Walker::clickList()
{
    // The rows in view: a user scrolls before clicking one further down.
    QStringList rows;
    for (const QJsonValue& r : p->find("ListBoxListNow").data["rows"].toArray())
        if (r.toObject()["w"].toInt() > 0)
            rows << r.toObject()["text"].toString();
    if (!editable() || rows.isEmpty() || rows == QStringList{"click window"} ||
        !toEmptyLastLine())
        return true;
    const QString row = rows[pick(rows.size())];
    log("click list " + row);
    return p->clickRow("ListBoxListNow", row) || fault(p->failure());
}

bool Walker::hotkey()
{
    QStringList keys = p->hotkeys();
    keys.removeAll("NO-");
    keys.removeAll("Hotkey");
    keys.removeAll("[Ctrl]+");
    if (!editable() || keys.isEmpty() || !toEmptyLastLine())
        return true;
    const QString key = keys[pick(keys.size())];
    log("Ctrl+" + key);
    p->key(key.toLower().toLatin1().constData(), "ctrl");
    return true;
}

bool Walker::switchTitle()
{
    const QString before = openTitle();
    const QString name = m_titles.value(pick(m_titles.size()));
    const QJsonObject row = p->find("TreeView1").row(name);
    // A click on the selected node starts renaming it.
    if (name.isEmpty() || row.isEmpty() || row["selected"].toBool())
        return true;
    log("open " + name);
    if (!p->clickRow("TreeView1", name))
        return fault(p->failure());
    if (!settle())
        return false;
    // Cancelling the question about the title before keeps that one open.
    const QString caption = p->caption();
    return caption == "Morvane---" + name || (m_cancelled && caption == "Morvane---" + before) ||
           fault("clicking " + name + " shows " + caption);
}

bool Walker::newTitle()
{
    const QString name = "n" + QString::number(++m_outside);
    log("new title " + name);
    if (!p->click("ToolButton2") ||
        !p->waitFor([&] { return p->find("Edit1").data["focus"].toBool(); }, "the name box"))
        return fault(p->failure());
    p->type(name + "\n");
    if (!settle())
        return false;
    if (!p->find("TreeView1").row(name).isEmpty())
        m_titles << name;
    p->raise("Morvane---"); // the page may have stayed over the tree
    return true;
}

bool Walker::rename()
{
    const QString old = openTitle();
    if (old.isEmpty() || !p->find("TreeView1").row(old)["selected"].toBool())
        return true;
    const QString name = "r" + QString::number(++m_outside);
    log("rename " + old + " to " + name);
    if (!p->menu("File", "Rename..."))
        return fault(p->failure());
    QTest::qWait(100);
    p->type(name + "\n");
    if (!settle())
        return false;
    if (QFile::exists(m_home->data() + name + ".txt")) {
        m_titles.removeAll(old);
        m_titles << name;
    }
    return true;
}

bool Walker::remove()
{
    const QString name = openTitle();
    if (name.isEmpty() || m_titles.size() < 2 || !m_titles.contains(name))
        return true;
    log("delete " + name);
    // What the title alone holds goes with it, as the user asked.
    const QSet<QString> elsewhere = present(false, m_home->data() + name + ".txt", false);
    if (!p->menu("File", "Delete"))
        return fault(p->failure());
    if (!p->waitForMessage("Really must you delete"))
        return fault(p->failure());
    if (!p->messageText().contains("delete " + name + "?"))
        return true; // it asks about something else: answered No
    for (auto it = m_must.begin(); it != m_must.end();)
        it = elsewhere.contains(*it) ? std::next(it) : m_must.erase(it);
    m_titles.removeAll(name);
    return true;
}

bool Walker::report()
{
    static const char* const buttons[] = {"ToolButtonBar", "ToolButtonPie", "ToolButtonbar2",
                                          "ToolButtonText"};
    const char* button = buttons[pick(4)];
    if (!p->find(button).enabled())
        return true;
    log(QString("report ") + button);
    if (!p->click(button) || !settle())
        return fault(p->failure());
    if (QByteArray(button) == "ToolButtonText") {
        if (p->waitFor([&] { return p->x().windowTitles().contains("Total.tol"); }, "the viewer",
                       5000) &&
            p->raise("Total.tol"))
            p->key("F4", "alt");
    } else if (p->find("BitBtn8").valid()) {
        p->click("BitBtn8"); // back home
    }
    return p->raise("Morvane---") || fault(p->failure());
}

bool Walker::changeOutside()
{
    appendOutside(openTitle());
    return true;
}

void Walker::appendOutside(const QString& title)
{
    if (title.isEmpty() || !QFile::exists(m_home->data() + title + ".txt"))
        return;
    const QString line = "o" + QString::number(++m_outside);
    log("another program appends " + line + " to " + title);
    m_home->append(title + ".txt", line.toUtf8() + "\r\n");
}

// The page or dialog a command opens, once the questions on the way are
// answered; false when one was cancelled (or a fault came).
bool Walker::reach(const QString& widget)
{
    for (int round = 0; round < 3; ++round) {
        p->waitFor(
            [&] {
                const QJsonObject map = p->map();
                return p->messageBox(map).valid() || p->find(widget, QString(), map).valid();
            },
            widget, 10000);
        if (p->find(widget).valid())
            return true;
        if (!settle())
            return false;
    }
    return false;
}

bool Walker::throughFileDialog(const QString& file)
{
    if (!p->waitFor([&] { return p->find("fileNameEdit").data["focus"].toBool(); },
                    "the file dialog"))
        return fault(p->failure());
    p->key("a", "ctrl");
    p->type(file + "\n");
    return true;
}

bool Walker::append()
{
    if (!editable())
        return true;
    const QStringList lines{token(), token()};
    const QString file = m_home->path() + "append.txt";
    QFile f(file);
    if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return fault("append.txt could not be written");
    f.write((lines.join("\r\n") + "\r\n").toUtf8());
    f.close();
    log("append text " + lines.join(' '));
    if (!p->menu("File", "Append Text..."))
        return fault(p->failure());
    if (!reach("fileNameEdit"))
        return m_result.fault.isEmpty();
    if (!throughFileDialog(file))
        return fault(p->failure());
    // The command saves before it appends: a question cancelled there appends nothing.
    if (!settle())
        return false;
    if (!m_cancelled)
        for (const QString& t : lines)
            m_must.insert(t);
    return true;
}

bool Walker::replace()
{
    const QStringList lines = p->editorText().split('\n');
    QStringList items;
    for (const QString& l : lines)
        if (l.startsWith('k'))
            items << l;
    if (!editable() || items.isEmpty())
        return true;
    const QString old = items[pick(items.size())], now = token();
    log("replace " + old + " with " + now);
    // The command saves first, which may ask about a change made outside.
    if (!p->menu("Edit", "Replace Item..."))
        return fault(p->failure());
    if (!reach("ComboBox1"))
        return m_result.fault.isEmpty(); // the question was cancelled
    if (!p->click("ComboBox1"))
        return fault(p->failure());
    p->key("a", "ctrl");
    p->type(old);
    if (!p->click("Edit2"))
        return fault(p->failure());
    p->key("a", "ctrl");
    p->type(now);
    if (!p->click("BitBtn3") || !p->waitForMessage("be replaced"))
        return fault(p->failure());
    // The user replaced every such line: the old item may go, the new must stay.
    if (!p->messageText().startsWith("0 "))
        m_must.insert(now);
    m_must.remove(old);
    return true;
}

bool Walker::exportTitle()
{
    if (openTitle().isEmpty())
        return true;
    static const char* const choices[] = {"Export all", "Don't export date lines ",
                                          "Don't export all note lins"};
    const QString file = m_home->path() + "export.txt";
    QFile::remove(file);
    const QString choice = choices[pick(3)];
    log("export, " + choice);
    if (!p->menu("File", "Export..."))
        return fault(p->failure());
    if (!reach("BitBtn12"))
        return m_result.fault.isEmpty();
    if (!p->clickText(choice) || !p->click("BitBtn12") || !throughFileDialog(file))
        return fault("export: " + p->failure());
    // The export saves the title too, which may ask first.
    p->waitFor([&] { return p->messageBox().valid() || QFile::exists(file); }, "the export");
    if (!settle())
        return false;
    return QFile::exists(file) || m_cancelled || fault("the export wrote nothing");
}

bool Walker::kill()
{
    // A crash can come any time; the recovery copy follows the typing a
    // moment later, so the kill comes once it has caught up.
    if (!p->waitFor(
            [&] {
                const QSet<QString> safe = present(false);
                for (const QString& t : std::as_const(m_must))
                    if (!safe.contains(t))
                        return false;
                return true;
            },
            "the typed lines in a file or the recovery copy", 10000))
        return fault("typed lines never reached a file or the recovery copy");
    log("SIGKILL, start again");
    const QString title = openTitle();
    p->kill();
    // A sync tool or a backup may touch the title before the next start,
    // while its recovery copy waits.
    if (pick(2))
        appendOutside(title);
    return start();
}

bool Walker::restart()
{
    log("exit, start again");
    m_cancelled = false;
    if (!p->menu("File", "Exit"))
        return fault(p->failure());
    for (int round = 0; round < 100 && p->running(); ++round) {
        const Widget box = p->messageBox();
        if (box.valid() && !answer(box))
            return false;
        QTest::qWait(50);
    }
    if (p->running())
        return m_cancelled ? settle() : fault("Exit did not end the program");
    return start();
}

bool Walker::act(int kind)
{
    switch (kind) {
    case 0: return type(false);
    case 1: return type(true);
    case 2: return paste();
    case 3: return cut();
    case 4: return undoRedo();
    case 5: return clickList();
    case 6: return hotkey();
    case 7: return switchTitle();
    case 8:
        if (!p->find("ToolButtonSave").enabled()) // greyed while nothing changed
            return true;
        log("save");
        return p->click("ToolButtonSave") || fault(p->failure());
    case 9: return newTitle();
    case 10: return rename();
    case 11: return remove();
    case 12: return report();
    case 13: return changeOutside();
    case 14:
        m_now = m_now.addDays(1);
        m_home->setClock(m_now);
        log("the next day");
        return true;
    case 15: return kill();
    case 16: return restart();
    case 17: return append();
    case 18: return replace();
    default: return exportTitle();
    }
}

WalkResult Walker::run(int actions, qint64 deadlineMs, int stopAt)
{
    // How often each action comes, in the order act() numbers them.
    static const int weights[] = {24, 5, 8, 4, 3, 8, 6, 10, 8, 3, 3, 2, 3, 5, 2, 2, 2, 2, 2, 2};
    int total = 0;
    for (int w : weights)
        total += w;
    m_home = std::make_unique<Home>();
    m_home->setClock(m_now);
    for (const QString& t : std::as_const(m_titles))
        m_home->write(t + ".txt", "//4 Mar 2024\r\n");
    m_home->write("defaultfile.cnt", "a\r\n\r\n");
    m_home->write("tip.cnt", "No\r\n");
    p = std::make_unique<Driver>(*m_home);
    QElapsedTimer clock;
    clock.start();
    if (!start())
        return m_result;
    for (int i = 0; i < actions && (stopAt <= 0 || i < stopAt); ++i) {
        if (deadlineMs >= 0 && clock.elapsed() > deadlineMs)
            break;
        int r = pick(total), kind = 0;
        while (r >= weights[kind])
            r -= weights[kind++];
        const QString before = p->caption();
        ++m_result.actions;
        m_cancelled = false;
        if (!act(kind) || !check(before, kind == 11 || kind == 15 || kind == 16))
            break;
    }
    if (!m_result.fault.isEmpty())
        m_result.steps << "FAULT: " + m_result.fault;
    return m_result;
}

} // namespace

WalkResult runWalk(quint32 seed, int actions, qint64 deadlineMs, int stopAt)
{
    return Walker(seed).run(actions, deadlineMs, stopAt);
}
