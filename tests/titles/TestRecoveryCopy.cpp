#include "TempDataFolder.h"
#include "titles/RecoveryCopy.h"

#include <QDir>
#include <QFile>
#include <QTest>

// Which recovery copies a start offers back, and what it leaves alone.
class TestRecoveryCopy : public QObject
{
    Q_OBJECT
private slots:
    void offers_data();
    void offers();
    void keptAsideIsNeverOfferedAgain();
};

void TestRecoveryCopy::offers_data()
{
    QTest::addColumn<QString>("copyData");   // the data folder the copy names ("" = this one)
    QTest::addColumn<QByteArray>("title");   // the title on disk; "-" = none
    QTest::addColumn<int>("copyAgeSeconds"); // the copy's age against the title's
    QTest::addColumn<bool>("offered");
    QTest::addColumn<bool>("copyLeft");
    QTest::newRow("newer, different") << "" << QByteArray("a\r\n") << -60 << true << true;
    QTest::newRow("older than title") << "" << QByteArray("a\r\n") << 60 << false << true;
    QTest::newRow("same lines") << "" << QByteArray("a\r\nb\r\n") << -60 << false << false;
    QTest::newRow("title gone") << "" << QByteArray("-") << -60 << false << true;
    QTest::newRow("other data folder")
        << "/elsewhere/Morvane/" << QByteArray("a\r\n") << -60 << false << true;
}

void TestRecoveryCopy::offers()
{
    QFETCH(QString, copyData);
    QFETCH(QByteArray, title);
    QFETCH(int, copyAgeSeconds);
    TempDataFolder data, state;
    const QString titlePath = QStringLiteral("g\\t.txt");
    const QDateTime now = QDateTime::currentDateTime();
    if (title != "-") {
        QFile file(data.writeFile("g/t.txt", title));
        QVERIFY(file.open(QIODevice::ReadWrite));
        QVERIFY(file.setFileTime(now, QFileDevice::FileModificationTime));
    }
    const QString named = copyData.isEmpty() ? data.path() : copyData;
    const QString copyFile = RecoveryCopy::filePath(state.path(), named, titlePath);
    QFile copy(copyFile);
    QVERIFY(copy.open(QIODevice::WriteOnly));
    copy.write(RecoveryCopy::encode(named, titlePath, {u"a", u"b"}));
    copy.flush();
    QVERIFY(copy.setFileTime(now.addSecs(-copyAgeSeconds), QFileDevice::FileModificationTime));
    copy.close();

    const std::vector<RecoveryCopy::Copy> offers = RecoveryCopy::toOffer(state.path(), data.path());
    QTEST(!offers.empty(), "offered");
    if (!offers.empty()) {
        QCOMPARE(offers[0].titlePath, titlePath);
        QCOMPARE(offers[0].lines, QStringList({"a", "b"}));
    }
    QTEST(QFile::exists(copyFile), "copyLeft");
}

void TestRecoveryCopy::keptAsideIsNeverOfferedAgain()
{
    TempDataFolder data, state;
    data.writeFile("t.txt", "");
    const QString file = RecoveryCopy::filePath(state.path(), data.path(), "\\t.txt");
    QVERIFY(file != RecoveryCopy::filePath(state.path(), "/other/", "\\t.txt"));
    for (int i = 0; i < 2; ++i) {
        state.writeFile(QFileInfo(file).fileName(),
                        RecoveryCopy::encode(data.path(), "\\t.txt", {u"x"}));
        QCOMPARE(RecoveryCopy::toOffer(state.path(), data.path()).size(), size_t(1));
        QVERIFY(RecoveryCopy::keepAside(file, QDateTime(QDate(2024, 3, 3), QTime(1, 2, 3))));
    }
    QVERIFY(RecoveryCopy::toOffer(state.path(), data.path()).empty());
    // Two copies set aside in the same second are both kept.
    QCOMPARE(QDir(state.path()).entryList(QDir::Files).size(), 2);
}

QTEST_MAIN(TestRecoveryCopy)
#include "TestRecoveryCopy.moc"
