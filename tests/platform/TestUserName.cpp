#include "platform/UserName.h"

#include <QTest>

class TestUserName : public QObject
{
    Q_OBJECT
private slots:
    void fromGecos_data();
    void fromGecos();
    void fullNameIsNeverEmptyForThisAccount();
};

void TestUserName::fromGecos_data()
{
    QTest::addColumn<QString>("gecos");
    QTest::addColumn<QString>("name");
    QTest::newRow("full name") << "Ada Lovelace"
                               << "Ada Lovelace";
    QTest::newRow("office and phones follow") << "Ada Lovelace,Room 1,555-1,555-2"
                                              << "Ada Lovelace";
    QTest::newRow("blanks around") << "  Ada  ,,"
                                   << "Ada";
    QTest::newRow("empty: the login") << ""
                                      << "ada";
    QTest::newRow("only commas: the login") << ",,,"
                                            << "ada";
    QTest::newRow("& is the login, capitalised") << "& Byron"
                                                 << "Ada Byron";
}

void TestUserName::fromGecos()
{
    QFETCH(QString, gecos);
    QTEST(UserName::fromGecos(gecos, "ada"), "name");
}

void TestUserName::fullNameIsNeverEmptyForThisAccount()
{
    QVERIFY(!UserName::fullName().isEmpty());
}

QTEST_GUILESS_MAIN(TestUserName)
#include "TestUserName.moc"
