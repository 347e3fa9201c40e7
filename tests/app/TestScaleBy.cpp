#include "app/ScaleBy.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QSplitter>
#include <QTest>

class TestScaleBy : public QObject
{
    Q_OBJECT
private slots:
    void windowSize_data();
    void windowSize();
    void scalesChildren();
};

void TestScaleBy::windowSize_data()
{
    QTest::addColumn<QSize>("design");
    QTest::addColumn<QSize>("screen");
    QTest::addColumn<QSize>("expected");
    QTest::newRow("main window 1024x768")
        << QSize(798, 568) << QSize(1024, 768) << QSize(1021, 727);
    QTest::newRow("picture window 1024x768")
        << QSize(790, 468) << QSize(1024, 768) << QSize(1011, 599);
    QTest::newRow("design screen") << QSize(798, 568) << QSize(800, 600) << QSize(798, 568);
    QTest::newRow("1280x1024") << QSize(798, 568) << QSize(1280, 1024) << QSize(1276, 969);
}

void TestScaleBy::windowSize()
{
    QFETCH(QSize, design);
    QFETCH(QSize, screen);
    QTEST(scaledWindowSize(design, screen), "expected");
}

void TestScaleBy::scalesChildren()
{
    QWidget window;
    QFont windowFont;
    windowFont.setPixelSize(16);
    window.setFont(windowFont);
    auto* placed = new QLabel("placed", &window); // no layout: position and size scale
    placed->setGeometry(10, 20, 100, 25);
    QFont own;
    own.setPixelSize(13);
    placed->setFont(own);
    auto* panel = new QWidget(&window);
    panel->setGeometry(0, 100, 400, 200);
    auto* layout = new QHBoxLayout(panel);
    auto* fixed = new QLabel("fixed");
    fixed->setFixedWidth(28);
    auto* splitter = new QSplitter;
    splitter->addWidget(new QLabel("a"));
    splitter->addWidget(new QLabel("b"));
    splitter->setSizes({100, 200});
    layout->addWidget(fixed);
    layout->addWidget(splitter);

    window.resize(800, 600);
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    const QList<int> before = splitter->sizes();
    ScaleBy(&window, 1024, 800);
    QCOMPARE(placed->geometry(), QRect(12, 25, 128, 32));
    QCOMPARE(panel->geometry(), QRect(0, 128, 512, 256));
    QCOMPARE(placed->font().pixelSize(), 16); // 13 * 1.28, its own font
    QCOMPARE(window.font().pixelSize(), 20);  // 16 * 1.28
    QCOMPARE(fixed->minimumWidth(), 35);
    QCOMPARE(fixed->maximumWidth(), 35);
    // The splitter's own layout may shift a pane by a few pixels as the panel grows.
    QVERIFY(qAbs(splitter->sizes().value(0) - before.value(0) * 1024 / 800) <= 8);
}

QTEST_MAIN(TestScaleBy)
#include "TestScaleBy.moc"
