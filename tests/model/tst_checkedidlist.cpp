#include "model/CheckedIdList.h"

#include <QRandomGenerator>
#include <QTest>

using namespace selectframe;

class TestCheckedIdList : public QObject
{
    Q_OBJECT

private slots:
    void removesFirstMatchIgnoringCase_data()
    {
        QTest::addColumn<QStringList>("added");
        QTest::addColumn<QString>("removed");
        QTest::addColumn<QStringList>("left");
        QTest::newRow("ascii") << QStringList{"Foo", "foo", "FOO"} << "fOO" << QStringList{"foo", "FOO"};
        QTest::newRow("latin-1") << QStringList{"x", QString::fromUtf8("Ärger")} << QString::fromUtf8("äRGER") << QStringList{"x"};
        QTest::newRow("outside the BMP") << QStringList{QString::fromUtf8("\xf0\x90\x90\x80" "1")}
                                         << QString::fromUtf8("\xf0\x90\x90\xa8" "1") << QStringList();
        QTest::newRow("empty id") << QStringList{"", "a", ""} << "" << QStringList{"a", ""};
        QTest::newRow("prefix is not a match") << QStringList{"ab"} << "a" << QStringList{"ab"};
    }
    void removesFirstMatchIgnoringCase()
    {
        QFETCH(QStringList, added);
        QFETCH(QString, removed);
        QFETCH(QStringList, left);
        TCheckedIdList ids;
        for (const QString &id : added)
            ids.append(id);
        QCOMPARE(ids.removeOne(removed), left.size() < added.size());
        QCOMPARE(ids.list(), left);
        QCOMPARE(ids.count(), left.size());
    }

    // Random appends and removals, in phases that grow and shrink the list
    // so removed entries pile up and get compacted, always agree with a
    // plain list: with few IDs (long chains of duplicates) and with many
    // (the index grows and entries shift on removal). A clear halfway
    // through must leave no chain behind.
    void agreesWithPlainList_data()
    {
        QTest::addColumn<int>("distinct");
        QTest::newRow("long chains") << 3;
        QTest::newRow("mixed") << 60;
        QTest::newRow("mostly unique") << 5000;
    }
    void agreesWithPlainList()
    {
        QFETCH(int, distinct);
        QRandomGenerator rng(4242 + distinct);
        const QStringList stems{"alpha", "Alpha", "ALPHA", "beta", "", QString::fromUtf8("\xc3\x9f"),
                                QString::fromUtf8("\xc3\x84x"), QString::fromUtf8("\xc3\xa4X"), QString::fromUtf8("\xf0\x90\x90\x80")};
        TCheckedIdList ids;
        QStringList reference;
        const auto removeFromReference = [&reference](const QString &id) {
            const auto at = std::find_if(reference.begin(), reference.end(), [&](const QString &e) { return e.compare(id, Qt::CaseInsensitive) == 0; });
            return at != reference.end() && (reference.erase(at), true);
        };
        for (int phase = 0; phase < 30; ++phase) {
            for (int step = 0; step < 1000; ++step) {
                const int n = int(rng.bounded(distinct));
                const QString id = stems[n % stems.size()] + QString::number(n / stems.size());
                if (int(rng.bounded(100)) < (phase % 2 ? 25 : 75))
                    ids.append(id), reference.append(id);
                else
                    QCOMPARE(ids.removeOne(id), removeFromReference(id));
                QCOMPARE(ids.count(), reference.size());
                if (step % 100 == 0)
                    QCOMPARE(ids.list(), reference);
            }
            QCOMPARE(ids.list(), reference);
            if (phase == 15) {
                ids.clear();
                reference.clear();
                ids.reserve(size_t(distinct)); // as a bulk pass does; changes nothing seen
                QVERIFY(!ids.removeOne(stems[0] + QStringLiteral("0")));
            }
        }
        while (!reference.isEmpty()) {
            QString id = reference[rng.bounded(int(reference.size()))];
            for (QChar &c : id)
                c = c.toUpper(); // one character for one, unlike QString::toUpper
            QVERIFY(ids.removeOne(id) && removeFromReference(id));
        }
        QVERIFY(ids.isEmpty());
        QCOMPARE(ids.list(), QStringList());
        ids.append(QStringLiteral("again"));
        QCOMPARE(ids.list(), QStringList{"again"});
    }
};

QTEST_GUILESS_MAIN(TestCheckedIdList)
#include "tst_checkedidlist.moc"
