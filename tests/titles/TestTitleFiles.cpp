#include "TempDataFolder.h"
#include "platform/SafeFile.h"
#include "platform/Shell.h"
#include "titles/TitleFiles.h"

#include <QTest>

using TitleText::Encoding;

class TestTitleFiles : public QObject
{
    Q_OBJECT
private slots:
    void cleanup() { SafeFile::setFailAfterBytesForTesting(-1); }
    void decode_data();
    void decode();
    void roundTripIsByteExact_data();
    void roundTripIsByteExact();
    void legacyCharactersBeyondLatin1();
    void utf8Bytes();
    void editorText();
    void loadFailures();
    void saveOverReadOnlyFile();
    void failedSaveKeepsFile();
};

void TestTitleFiles::decode_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QStringList>("lines");
    QTest::addColumn<int>("encoding");
    QTest::newRow("empty") << QByteArray() << QStringList() << int(Encoding::Utf8);
    QTest::newRow("crlf") << QByteArray("a\r\nb\r\n") << QStringList{"a", "b"}
                          << int(Encoding::Utf8);
    QTest::newRow("no final break")
        << QByteArray("a\r\nb") << QStringList{"a", "b"} << int(Encoding::Utf8);
    QTest::newRow("lf and cr") << QByteArray("a\nb\rc\n") << QStringList{"a", "b", "c"}
                               << int(Encoding::Utf8);
    QTest::newRow("trailing empty line")
        << QByteArray("a\r\n\r\n") << QStringList{"a", ""} << int(Encoding::Utf8);
    QTest::newRow("utf8") << QByteArray("\xc3\xa4pfel\r\n") << QStringList{"äpfel"}
                          << int(Encoding::Utf8);
    QTest::newRow("bom dropped") << QByteArray("\xef\xbb\xbfx\r\n") << QStringList{"x"}
                                 << int(Encoding::Utf8Bom);
    QTest::newRow("utf16 le") << QByteArray("\xff\xfex\0\r\0\n\0\xac\x20", 10)
                              << QStringList{"x", "€"} << int(Encoding::Utf16LE);
    QTest::newRow("utf16 be") << QByteArray("\xfe\xff\0x\0\r\0\n\x20\xac", 10)
                              << QStringList{"x", "€"} << int(Encoding::Utf16BE);
    QTest::newRow("cp1252") << QByteArray("caf\xe9\r\n") << QStringList{"café"}
                            << int(Encoding::Legacy);
}

void TestTitleFiles::decode()
{
    QFETCH(QByteArray, bytes);
    const TitleText::Decoded d = TitleText::decode(bytes);
    QTEST(d.lines, "lines");
    QTEST(int(d.encoding.encoding), "encoding");
}

void TestTitleFiles::roundTripIsByteExact_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::newRow("plain") << QByteArray("//2024-3-1\r\napple\r\n\r\npear\r\n");
    QTest::newRow("utf8") << QByteArray("\xe4\xb8\xad\xe6\x96\x87\r\n");
    QTest::newRow("gb2312 bytes") << QByteArray("\xd6\xd0\xce\xc4\r\napple\r\n");
    QTest::newRow("cp1252 with nbsp") << QByteArray("a\xa0z\r\n\x80\x81\xff\r\n");
}

void TestTitleFiles::roundTripIsByteExact()
{
    QFETCH(QByteArray, bytes);
    TempDataFolder f;
    const QString path = f.writeFile("t.txt", bytes);
    const TitleFiles::Loaded loaded = TitleFiles::load(path);
    QVERIFY(loaded.ok);
    // Through the editor's text form and back, as opening and saving do.
    const QStringList lines = TitleText::fromEditorText(TitleText::toEditorText(loaded.text.lines));
    QString error;
    QVERIFY(TitleFiles::save(path, lines, loaded.text.encoding, &error));
    QCOMPARE(f.readFile("t.txt"), bytes);
}

void TestTitleFiles::legacyCharactersBeyondLatin1()
{
    // Within the code page byte for byte; beyond it the whole title turns
    // UTF-8, never a mix of the two.
    const TitleText::Format cp1252(Encoding::Legacy, "windows-1252");
    QCOMPARE(TitleText::encode(QStringList{QString::fromLatin1("caf\xe9"), "Zoë €"}, cp1252),
             QByteArray("caf\xe9\r\nZo\xeb \x80\r\n"));
    QCOMPARE(TitleText::encode(QStringList{QString::fromLatin1("caf\xe9"), "Ω"}, cp1252),
             QByteArray("caf\xc3\xa9\r\n\xce\xa9\r\n"));
}

void TestTitleFiles::utf8Bytes()
{
    // One to four bytes a character; a lone surrogate is written as '?', as
    // titles have always been written.
    const QString lone = QStringLiteral("a") + QChar(0xD83D) + QStringLiteral("b") + QChar(0xDC00);
    const QStringList lines{"x\u00e9\u20ac\U0001F600", lone, "", QString(QChar(0xD83D))};
    QCOMPARE(TitleText::encode(lines, Encoding::Utf8),
             QByteArray("x\xc3\xa9\xe2\x82\xac\xf0\x9f\x98\x80\r\na?b?\r\n\r\n?\r\n"));
    QCOMPARE(TitleText::encode(QStringList{"\u00e9"}, Encoding::Utf8Bom),
             QByteArray("\xef\xbb\xbf\xc3\xa9\r\n"));
}

void TestTitleFiles::editorText()
{
    QCOMPARE(TitleText::fromEditorText(""), QStringList());
    QCOMPARE(TitleText::fromEditorText("a\nb\n"), QStringList({"a", "b", ""}));
    QCOMPARE(TitleText::toEditorText({"//d", ""}), QString("//d\n"));
}

void TestTitleFiles::loadFailures()
{
    TempDataFolder f;
    const TitleFiles::Loaded missing = TitleFiles::load(f.path() + "gone.txt");
    QVERIFY(!missing.ok);
    QVERIFY(missing.error.contains("gone.txt"));
    QDir().mkpath(f.path() + "folder.txt");
    QVERIFY(!TitleFiles::load(f.path() + "folder.txt").ok);
}

void TestTitleFiles::saveOverReadOnlyFile()
{
    TempDataFolder f;
    const QString path = f.writeFile("t.txt", "old\r\n");
    Shell::sweepAttributes(f.path(), Shell::ReadOnly);
    QString error;
    QVERIFY2(TitleFiles::save(path, QStringList{"new"}, Encoding::Utf8, &error), qPrintable(error));
    QCOMPARE(f.readFile("t.txt"), QByteArray("new\r\n"));
}

void TestTitleFiles::failedSaveKeepsFile()
{
    TempDataFolder f;
    const QString path = f.writeFile("t.txt", "old\r\n");
    SafeFile::setFailAfterBytesForTesting(2);
    QString error;
    QVERIFY(!TitleFiles::save(path, QStringList{"new", "lines"}, Encoding::Utf8, &error));
    QVERIFY(!error.isEmpty());
    QCOMPARE(f.readFile("t.txt"), QByteArray("old\r\n"));
}

QTEST_GUILESS_MAIN(TestTitleFiles)
#include "TestTitleFiles.moc"
