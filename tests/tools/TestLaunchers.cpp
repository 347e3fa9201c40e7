#include "TempDataFolder.h"
#include "tools/Launchers.h"

#include <QFileInfo>
#include <QProcess>
#include <QTest>

// The keys of a launcher's [Desktop Entry] group, values as written.
static QMap<QString, QString> entryKeys(const QByteArray& text)
{
    QMap<QString, QString> keys;
    const QList<QByteArray> lines = text.split('\n');
    if (lines.value(0) != "[Desktop Entry]")
        return keys;
    for (const QByteArray& line : lines.mid(1)) {
        const int eq = line.indexOf('=');
        if (eq > 0)
            keys.insert(QString::fromUtf8(line.left(eq)), QString::fromUtf8(line.mid(eq + 1)));
    }
    return keys;
}

// desktop-file-validate's verdict: empty when the file passes without a word.
static QString validate(const QString& path)
{
    QProcess p;
    p.start(QStringLiteral("desktop-file-validate"), {path});
    if (!p.waitForFinished(30000))
        return QStringLiteral("desktop-file-validate did not run (desktop-file-utils installed?)");
    const QString out = QString::fromUtf8(p.readAllStandardOutput() + p.readAllStandardError());
    return p.exitCode() == 0 ? out.trimmed() : QStringLiteral("failed: ") + out;
}

class TestLaunchers : public QObject
{
    Q_OBJECT
private slots:
    void entry_data();
    void entry();
    void folderRules();
};

void TestLaunchers::entry_data()
{
    QTest::addColumn<QString>("program");
    QTest::addColumn<QString>("exec");
    QTest::newRow("plain") << "/opt/morvane/morvane"
                           << R"(/opt/morvane/morvane /paramstr)";
    QTest::newRow("blank") << "/home/a b/morvane"
                           << R"("/home/a b/morvane" /paramstr)";
    QTest::newRow("reserved") << "/x/$a`b\"c%d/morvane"
                              << R"("/x/\\$a\\`b\\"c%%d/morvane" /paramstr)";
    QTest::newRow("backslash") << "/x/a\\b/morvane"
                               << R"("/x/a\\\\b/morvane" /paramstr)";
    QTest::newRow("percent") << "/x/100%/morvane"
                             << R"(/x/100%%/morvane /paramstr)";
}

void TestLaunchers::entry()
{
    QFETCH(QString, program);
    QFETCH(QString, exec);
    TempDataFolder home;
    qputenv("HOME", home.path().toUtf8());
    qunsetenv("XDG_DATA_HOME");
    const Launchers::LauncherFields fields =
        Launchers::programLauncher(program, Shell::LauncherPlace::Programs);
    const QString file = home.path() + "Morvane.desktop";
    QVERIFY(Launchers::CreateShellLink(fields, file, false));
    const QMap<QString, QString> keys = entryKeys(home.readFile("Morvane.desktop"));
    QCOMPARE(keys.value("Type"), QString("Application"));
    QCOMPARE(keys.value("Name"), QString("Morvane"));
    QCOMPARE(keys.value("Exec"), exec);
    QCOMPARE(keys.value("Path"), QFileInfo(program).absolutePath().replace("\\", "\\\\"));
    QCOMPARE(keys.value("Terminal"), QString("false"));
    QCOMPARE(keys.value("Categories"), QString("Utility;"));
    QVERIFY(!keys.value("Comment").isEmpty());
    // The icon is the program's own, kept in the user's icon theme.
    QCOMPARE(keys.value("Icon"), home.path() + ".local/share/icons/hicolor/64x64/apps/morvane.png");
    QVERIFY(!QImage(keys.value("Icon")).isNull());
    QVERIFY(QFileInfo(file).permissions() & QFile::ExeOwner);
    QCOMPARE(validate(file), QString());
}

void TestLaunchers::folderRules()
{
    TempDataFolder home;
    qputenv("HOME", home.path().toUtf8());
    qunsetenv("XDG_DATA_HOME");
    qunsetenv("XDG_CONFIG_HOME");
    using P = Shell::LauncherPlace;
    // Missing desktop and autostart folders are not made; the menu folder is.
    QVERIFY(!Launchers::write(P::Desktop, "/opt/m/morvane"));
    QVERIFY(!Launchers::write(P::QuickStart, "/opt/m/morvane"));
    QVERIFY(!home.exists("Desktop") && !home.exists(".config/autostart"));
    QVERIFY(Launchers::write(P::StartMenu, "/opt/m/morvane"));
    QVERIFY(Launchers::write(P::Programs, "/opt/m/morvane"));
    QVERIFY(home.exists(".local/share/applications/Morvane.desktop"));
    QVERIFY(home.exists(".local/share/applications/Morvane-programs.desktop"));
    home.writeFile(".config/autostart/keep", "");
    QVERIFY(Launchers::write(P::QuickStart, "/opt/m/morvane"));
    QCOMPARE(Shell::launcherPath(P::QuickStart), home.path() + ".config/autostart/Morvane.desktop");
    Launchers::remove(P::Programs);
    QVERIFY(!Launchers::exists(P::Programs) && Launchers::exists(P::StartMenu));
}

QTEST_GUILESS_MAIN(TestLaunchers)
#include "TestLaunchers.moc"
