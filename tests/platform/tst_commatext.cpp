#include "platform/CommaText.h"

#include <QRandomGenerator>
#include <QTest>

using namespace selectframe;

class TestCommaText : public QObject
{
    Q_OBJECT

private slots:
    void split_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QStringList>("entries");
        QTest::newRow("empty") << "" << QStringList();
        QTest::newRow("only blanks") << " \t\r\n" << QStringList();
        QTest::newRow("blanks around entries") << "Name, Rank,Links" << QStringList{"Name", "Rank", "Links"};
        QTest::newRow("unquoted blank ends entry") << "Search engine" << QStringList{"Search", "engine"};
        QTest::newRow("empty middle") << "120,,80" << QStringList{"120", "", "80"};
        QTest::newRow("trailing comma") << "a," << QStringList{"a", ""};
        QTest::newRow("comma then blank adds nothing") << "a, " << QStringList{"a"};
        QTest::newRow("leading comma") << ",a" << QStringList{"", "a"};
        QTest::newRow("lone comma") << "," << QStringList{"", ""};
        QTest::newRow("quoted with blank") << "\"Search engine\",x" << QStringList{"Search engine", "x"};
        QTest::newRow("doubled quote") << "\"say \"\"hi\"\"\"" << QStringList{"say \"hi\""};
        QTest::newRow("quoted comma") << "\"a,b\",c" << QStringList{"a,b", "c"};
        QTest::newRow("empty quoted") << "\"\"" << QStringList{""};
        QTest::newRow("unterminated quote takes rest") << "a,\"b, c" << QStringList{"a", "b, c"};
        QTest::newRow("text after closing quote is a new entry") << "\"ab\"cd,e" << QStringList{"ab", "cd", "e"};
        QTest::newRow("control chars separate") << QString("a\x01" "b") << QStringList{"a", "b"};
        QTest::newRow("NUL ends the text") << QString::fromUtf16(u"a,b\0,c", 6) << QStringList{"a", "b"};
        QTest::newRow("unicode") << QString::fromUtf8("Größe,日本") << QStringList{QString::fromUtf8("Größe"), QString::fromUtf8("日本")};
        QTest::newRow("pairs") << "0=150,2=80,1=60" << QStringList{"0=150", "2=80", "1=60"};
    }
    void split()
    {
        QFETCH(QString, text);
        QFETCH(QStringList, entries);
        QCOMPARE(splitCommaText(text), entries);
    }

    void join_data()
    {
        QTest::addColumn<QStringList>("entries");
        QTest::addColumn<QString>("text");
        QTest::newRow("none") << QStringList() << "";
        QTest::newRow("plain") << QStringList{"1", "2"} << "1,2";
        QTest::newRow("blank quoted") << QStringList{"a b", "c"} << "\"a b\",c";
        QTest::newRow("quote doubled") << QStringList{"x\"y"} << "\"x\"\"y\"";
        QTest::newRow("comma quoted") << QStringList{"a,b"} << "\"a,b\"";
        QTest::newRow("lone empty") << QStringList{""} << "\"\"";
        QTest::newRow("trailing empty") << QStringList{"a", ""} << "a,";
    }
    void join()
    {
        QFETCH(QStringList, entries);
        QFETCH(QString, text);
        QCOMPARE(joinCommaText(entries), text);
    }

    // Whatever a list holds (apart from NUL), writing and reading it gives it back.
    void roundTrip_data()
    {
        QTest::addColumn<QStringList>("entries");
        QTest::newRow("awkward ids") << QStringList{"with blank", "with,comma", "with\"quote", "", "\"", ",", "  lead", "tail "};
        QTest::newRow("empty first") << QStringList{"", "x"};
        QTest::newRow("two empties") << QStringList{"", ""};
        QTest::newRow("tabs and newlines") << QStringList{"a\tb", "c\nd"};
        QTest::newRow("unicode") << QStringList{QString::fromUtf8("Ünïcødé name"), QString::fromUtf8("中文,逗号")};
    }
    void roundTrip()
    {
        QFETCH(QStringList, entries);
        QCOMPARE(splitCommaText(joinCommaText(entries)), entries);
    }

    // Random and adversarial text never crashes, hangs or loses a round trip.
    void fuzz()
    {
        QRandomGenerator rng(20261205);
        const char16_t alphabet[] = u"ab ,\"\t\x01=-0\xe9\x4e2d";
        for (int round = 0; round < 20000; ++round) {
            QString text;
            const int len = int(rng.bounded(40));
            for (int i = 0; i < len; ++i)
                text += QChar(alphabet[rng.bounded(int(std::size(alphabet) - 1))]);
            const QStringList entries = splitCommaText(text);
            // Reading is idempotent on what writing produces.
            QCOMPARE(splitCommaText(joinCommaText(entries)), entries);
        }
        const QString huge = QString(200000, u'"') + QString(200000, u',');
        QVERIFY(splitCommaText(huge).size() > 0);
    }
};

QTEST_GUILESS_MAIN(TestCommaText)
#include "tst_commatext.moc"
