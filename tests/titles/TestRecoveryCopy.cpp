#include "TempDataFolder.h"
#include "titles/RecoveryCopy.h"
#include "titles/TitleFiles.h"

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

using Title = RecoveryCopy::Copy::Title;
Q_DECLARE_METATYPE(Title)

void TestRecoveryCopy::offers_data()
{
    QTest::addColumn<QString>("copyData"); // the data folder the copy names ("" = this one)
    QTest::addColumn<QByteArray>("base");  // the title the copy was made over; null: not said
    QTest::addColumn<QByteArray>("title"); // the title on disk now; "-" = none
    QTest::addColumn<bool>("offered");
    QTest::addColumn<Title>("said"); // what the offer says of the title
    QTest::addColumn<bool>("copyLeft");
    const QByteArray a = "a\r\n";
    // Every copy is older than its title, as after a sync tool touched it.
    QTest::newRow("title unchanged") << "" << a << a << true << Title::Unchanged << true;
    QTest::newRow("title changed since")
        << "" << a << QByteArray("a\r\nx\r\n") << true << Title::Changed << true;
    QTest::newRow("same lines") << "" << a << QByteArray("a\r\nb\r\n") << false << Title::Unchanged
                                << false;
    QTest::newRow("title gone") << "" << a << QByteArray("-") << true << Title::Gone << true;
    QTest::newRow("copy of the first kind, without the title's hash")
        << "" << QByteArray() << a << true << Title::Changed << true;
    QTest::newRow("other data folder")
        << "/elsewhere/Morvane/" << a << a << false << Title::Unchanged << true;
}

void TestRecoveryCopy::offers()
{
    QFETCH(QString, copyData);
    QFETCH(QByteArray, base);
    QFETCH(QByteArray, title);
    TempDataFolder data, state;
    const QString titlePath = QStringLiteral("g\\t.txt");
    const QDateTime now = QDateTime::currentDateTime();
    const QString titleFile = data.writeFile("g/t.txt", base);
    const QByteArray baseHash = TitleFiles::stampOf(titleFile).hash;
    QFile::remove(titleFile);
    if (title != "-") {
        QFile file(data.writeFile("g/t.txt", title));
        QVERIFY(file.open(QIODevice::ReadWrite));
        QVERIFY(file.setFileTime(now, QFileDevice::FileModificationTime));
    }
    const QString named = copyData.isEmpty() ? data.path() : copyData;
    const QString copyFile = RecoveryCopy::filePath(state.path(), named, titlePath);
    QFile copy(copyFile);
    QVERIFY(copy.open(QIODevice::WriteOnly));
    if (base.isNull())
        copy.write("Morvane recovery copy\n" + named.toUtf8() + "\ng\\t.txt\na\nb\n");
    else
        copy.write(RecoveryCopy::encode(named, titlePath, baseHash, {u"a", u"b"}));
    copy.flush();
    QVERIFY(copy.setFileTime(now.addSecs(-60), QFileDevice::FileModificationTime));
    copy.close();

    const std::vector<RecoveryCopy::Copy> offers = RecoveryCopy::toOffer(state.path(), data.path());
    QTEST(!offers.empty(), "offered");
    if (!offers.empty()) {
        QCOMPARE(offers[0].titlePath, titlePath);
        QCOMPARE(offers[0].lines, QStringList({"a", "b"}));
        QTEST(offers[0].title, "said");
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
                        RecoveryCopy::encode(data.path(), "\\t.txt", {}, {u"x"}));
        QCOMPARE(RecoveryCopy::toOffer(state.path(), data.path()).size(), size_t(1));
        QVERIFY(
            !RecoveryCopy::keepAside(file, QDateTime(QDate(2024, 3, 3), QTime(1, 2, 3))).isEmpty());
    }
    QVERIFY(RecoveryCopy::toOffer(state.path(), data.path()).empty());
    // Two copies set aside in the same second are both kept.
    QCOMPARE(QDir(state.path()).entryList(QDir::Files).size(), 2);
}

QTEST_MAIN(TestRecoveryCopy)
#include "TestRecoveryCopy.moc"
