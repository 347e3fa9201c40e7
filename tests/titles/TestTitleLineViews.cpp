#include "titles/TitleLineViews.h"
#include "titles/TitleText.h"

#include <QTest>

// The report tool reads titles through these views; they must give exactly
// the lines the program itself reads from the same bytes.
class TestTitleLineViews : public QObject
{
    Q_OBJECT
private slots:
    void sameLinesAsTitleText_data();
    void sameLinesAsTitleText();
    void editorTextSplitsAsBefore();
};

void TestTitleLineViews::sameLinesAsTitleText_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QStringList>("lines");
    QTest::newRow("empty file") << QByteArray() << QStringList{};
    QTest::newRow("one line, no break") << QByteArray("apple") << QStringList{"apple"};
    QTest::newRow("CR LF after every line")
        << QByteArray("apple\r\n\r\npear\r\n") << QStringList{"apple", "", "pear"};
    QTest::newRow("LF and lone CR")
        << QByteArray("a\nb\rc\r\r\nd") << QStringList{"a", "b", "c", "", "d"};
    QTest::newRow("only breaks") << QByteArray("\r\n\n\r") << QStringList{"", "", ""};
    QTest::newRow("UTF-8 with a byte-order mark") << QByteArray("\xef\xbb\xbf"
                                                                "caf\xc3\xa9\r\n")
                                                  << QStringList{"caf\u00e9"};
    QTest::newRow("legacy single-byte text") << QByteArray("caf\xe9\r\n\xef\xbb\xbfx\r\n")
                                             << QStringList{"caf\u00e9", "\u00ef\u00bb\u00bfx"};
    QTest::newRow("blanks and tabs kept") << QByteArray(" a \t\r\n") << QStringList{" a \t"};
}

void TestTitleLineViews::sameLinesAsTitleText()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QStringList, lines);
    QCOMPARE(TitleText::decode(bytes).lines, lines); // the rows describe the title format
    const TitleLineViews views(bytes);
    QStringList got;
    for (QStringView line : views.lines())
        got << line.toString();
    QCOMPARE(got, lines);
}

void TestTitleLineViews::editorTextSplitsAsBefore()
{
    // Saving and counting read the editor's text through these views; an empty
    // last line is a line there, and an empty editor holds none.
    for (const QString text : {"", "a", "a\n", "\n\n", "a\nb", " \n"}) {
        const TitleLineViews views(text, QLatin1Char('\n'));
        QStringList got;
        for (QStringView line : views.lines())
            got << line.toString();
        QCOMPARE(got, TitleText::fromEditorText(text));
    }
}

QTEST_GUILESS_MAIN(TestTitleLineViews)
#include "TestTitleLineViews.moc"
