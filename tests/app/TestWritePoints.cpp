#include "ProgramFixture.h"
#include "app/Dialogs.h"
#include "app/TForm1.h"
#include "app/TFormOpt.h"
#include "app/TFormhlp.h"
#include "app/TFormpic.h"
#include "platform/SafeFile.h"
#include "platform/Shell.h"

#include <QAction>
#include <QCheckBox>
#include <QDir>
#include <QDirIterator>
#include <QPushButton>
#include <QTest>
#include <functional>
#include <map>
#include <unistd.h>

using Purpose = SafeFile::Purpose;
using Fault = SafeFile::Fault;
Q_DECLARE_METATYPE(Purpose)
Q_DECLARE_METATYPE(Fault)

namespace {
// One way to make the program write a file of each purpose, as the user does.
struct WritePoint
{
    // Below HOME, or below the documents folder for "docs/"; a folder (ending
    // in "/") is watched by its listing.
    QString target;
    QByteArray old; // put there first; null: none
    std::function<void(ProgramFixture&, const QString& target)> trigger;
    QString label = {}; // the rows' name when the target is not enough
};

QPushButton* helpButton(ProgramFixture& f, const QString& caption)
{
    for (QPushButton* b : f.program->formhlp()->findChildren<QPushButton*>())
        if (b->text() == caption)
            return b;
    return nullptr;
}

const std::map<Purpose, WritePoint>& writePoints()
{
    static const std::map<Purpose, WritePoint> points = {
        {Purpose::Title,
         {"docs/Morvane/t.txt",
          {},
          [](ProgramFixture& f, const QString&) {
              f.type("pear\n");
              f.form1()->action("Post1")->trigger();
          }}},
        {Purpose::LinkedTitle,
         {"docs/Morvane/t.txt",
          {},
          [](ProgramFixture& f, const QString& target) {
              // A second name, outside the data folder: the title is written in place.
              QVERIFY(::link(QFile::encodeName(target).constData(),
                             QFile::encodeName(f.docs.path() + "t-also.txt").constData()) == 0);
              f.type("pear\n");
              f.form1()->action("Post1")->trigger();
          },
          "docs/Morvane/t.txt with a second name"}},
        {Purpose::Total,
         {"docs/Morvane/Total.tol", "old\r\n",
          [](ProgramFixture& f, const QString&) { f.form1()->action("TextReport")->trigger(); }}},
        {Purpose::DefaultFile,
         {"docs/Morvane/defaultfile.cnt", "old\r\n\r\n",
          [](ProgramFixture& f, const QString&) {
              f.form1()->action("ToolButtonStartOpen")->trigger();
          }}},
        {Purpose::StartupTip,
         {"docs/Morvane/tip.cnt",
          {},
          [](ProgramFixture& f, const QString&) {
              f.form1()->action("help2")->trigger();
              QTest::mouseClick(helpButton(f, "I See ,do not display at startup"), Qt::LeftButton);
          }}},
        {Purpose::Export,
         {"docs/out.txt", "old\r\n",
          [](ProgramFixture& f, const QString& target) {
              f.form1()->action("Export1")->trigger();
              Dialogs::setNextFileName(target);
              f.program->formpic()->button("BitBtn12")->click();
          }}},
        {Purpose::Chart,
         {"docs/Morvane/BarChart.bmp", "old",
          [](ProgramFixture& f, const QString&) {
              f.form1()->action("MSWordReport1")->trigger();
          }}},
        {Purpose::Picture,
         {"docs/picture.bmp", "old",
          [](ProgramFixture& f, const QString& target) {
              f.form1()->action("BarChart1")->trigger();
              Dialogs::setNextFileName(target);
              f.program->formpic()->button("BitBtn7")->click();
          }}},
        {Purpose::WordReport,
         {"docs/Morvane/t report.docx",
          {},
          [](ProgramFixture& f, const QString&) {
              f.form1()->action("MSWordReport1")->trigger();
          }}},
        {Purpose::Launcher,
         {".local/share/applications/Morvane.desktop",
          {},
          [](ProgramFixture& f, const QString&) {
              f.form1()->action("Short1")->trigger();
              auto* box = f.program->formOpt()->findChild<QCheckBox*>("CheckBox2");
              QTest::mouseClick(box, Qt::LeftButton, {}, QPoint(8, box->height() / 2));
              QVERIFY(!box->isChecked());
          }}},
        {Purpose::RecoveryCopy,
         {".local/state/morvane/",
          {},
          [](ProgramFixture& f, const QString&) {
              f.type("pear\n");
              QTRY_VERIFY_WITH_TIMEOUT(SafeFile::faultsMetForTesting() > 0, 10000);
          }}},
    };
    return points;
}

// What the user sees of the target: its bytes, or a folder's visible files.
QByteArray snapshot(const QString& path)
{
    if (path.endsWith('/'))
        return QDir(path).entryList(QDir::Files).join('\n').toUtf8();
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("(none)");
}

QStringList leftovers(const QString& folder)
{
    QStringList found;
    QDirIterator it(folder, QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
    while (it.hasNext())
        if (it.next().endsWith(".morvane-partial") || it.filePath().endsWith(".morvane-old"))
            found << it.filePath();
    return found;
}
} // namespace

// Every kind of file the program writes, on a full disk, in a folder it may
// not write (injected: the tests run as root, where permission bits stop no
// write), in a folder that vanished, and cut short by a crash before the new
// file replaced the old.
class TestWritePoints : public QObject
{
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void everyWriteFails_data();
    void everyWriteFails();

private:
    QStringList m_opened;
};

void TestWritePoints::init()
{
    m_opened.clear();
    Shell::setOpenHandlerForTesting([this](const QString& path) {
        m_opened << path;
        return true;
    });
}

void TestWritePoints::cleanup()
{
    Shell::setOpenHandlerForTesting({});
    SafeFile::setFaultForTesting(Purpose::Count, Fault::None);
}

void TestWritePoints::everyWriteFails_data()
{
    QTest::addColumn<Purpose>("purpose");
    QTest::addColumn<Fault>("fault");
    QTest::addColumn<QString>("reason"); // what the user is told; empty: a crash tells nobody
    const struct
    {
        Fault fault;
        const char* name;
        const char* reason;
    } faults[] = {{Fault::DiskFull, "disk full", "No space left on device"},
                  {Fault::AccessDenied, "access denied", "Permission denied"},
                  {Fault::FolderGone, "folder gone", "No such file or directory"},
                  {Fault::CrashBeforeRename, "crash before rename", ""}};
    // Every purpose there is, so a new kind of write cannot stay out.
    for (int p = 0; p < int(Purpose::Count); ++p) {
        const auto point = writePoints().find(Purpose(p));
        const QString name = point == writePoints().end()    ? QString::number(p)
                             : point->second.label.isEmpty() ? point->second.target
                                                             : point->second.label;
        for (const auto& f : faults)
            QTest::addRow("%s, %s", qPrintable(name), f.name)
                << Purpose(p) << f.fault << QString(f.reason);
    }
}

void TestWritePoints::everyWriteFails()
{
    QFETCH(Purpose, purpose);
    QFETCH(Fault, fault);
    QFETCH(QString, reason);
    const auto point = writePoints().find(purpose);
    QVERIFY2(point != writePoints().end(), "a kind of write without a way to bring it about");
    ProgramFixture f;
    f.writeData("t.txt", "//2024-3-3\r\napple\r\n");
    const QString& target = point->second.target;
    const QString file =
        target.startsWith("docs/") ? f.docs.path() + target.mid(5) : f.home.path() + target;
    QDir().mkpath(QFileInfo(file).absolutePath());
    QFile old(file);
    if (!point->second.old.isNull())
        QVERIFY(old.open(QIODevice::WriteOnly) && old.write(point->second.old) > 0);
    old.close();
    f.start();
    f.click("t");
    const QByteArray before = snapshot(file);
    Dialogs::clearShownMessages();
    SafeFile::setFaultForTesting(purpose, fault);
    point->second.trigger(f, file);
    QVERIFY(SafeFile::faultsMetForTesting() > 0);
    SafeFile::setFaultForTesting(Purpose::Count, Fault::None);

    QCOMPARE(snapshot(file), before);
    QVERIFY2(m_opened.isEmpty(), "a file that was not written is shown");
    if (!reason.isEmpty()) {
        QVERIFY2(Dialogs::shownMessages().join('\n').contains(reason),
                 qPrintable(Dialogs::shownMessages().join('\n')));
        return;
    }
    f.stop();
    f.start();
    QCOMPARE(leftovers(f.dataFolder()) + leftovers(QFileInfo(file).absolutePath()), QStringList());
}

QTEST_MAIN(TestWritePoints)
#include "TestWritePoints.moc"
