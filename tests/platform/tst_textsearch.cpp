// Finding a text in a long one, against Qt's own search as the reference.
#include "platform/TextSearch.h"

#include <QRandomGenerator>
#include <QTest>

using namespace selectframe;

class TestTextSearch : public QObject
{
    Q_OBJECT

private slots:
    void search_data()
    {
        QTest::addColumn<QString>("haystack");
        QTest::addColumn<QString>("needle");
        QTest::addColumn<int>("from");
        const auto row = [](const char *name, const QString &haystack, const QString &needle, int from = 0) {
            QTest::newRow(name) << haystack << needle << from;
        };
        const QString letters = QStringLiteral("abcdefghijklmnopqrstuvwxyz");
        row("at the start", letters, "abc");
        row("at the very end", letters, "xyz");
        row("one unit, last", letters, "z");
        row("after a near miss", QString(25, u'a') + u'b', "aab");
        row("first and last alike, middle not", "axbxxaybxxxxxxxxxxxxxxxxazb", "azb");
        row("from skips a hit", "abc--------------------abc", "abc", 1);
        row("from past the end", "abc", "c", 5);
        row("longer than the haystack", "abc", "abcd");
        row("empty needle", "abc", "", 2);
        row("none", letters, "zy");
        row("beyond Latin-1", QStringLiteral("поиск по сети, поисковик"), QStringLiteral("исков"));
        row("units sharing a byte", QString(9, QChar(0x161)) + u'a', "a");
        // Every block boundary and tail length: random texts of few
        // letters, so that partial matches are everywhere.
        QRandomGenerator random(7);
        const auto randomText = [&](int from, int to) {
            QString text;
            for (int n = random.bounded(from, to); n > 0; --n)
                text += QChar(u'a' + random.bounded(3));
            return text;
        };
        for (int round = 0; round < 3000; ++round)
            QTest::addRow("random %d", round) << randomText(0, 70) << randomText(1, 6) << random.bounded(0, 10);
    }
    void search()
    {
        QFETCH(QString, haystack);
        QFETCH(QString, needle);
        QFETCH(int, from);
        // The byte search is asked too when both texts are Latin-1.
        const qsizetype expected = from > haystack.size() ? -1 : QStringView(haystack).indexOf(needle, from);
        QCOMPARE(FindText(QStringView(haystack), from, QStringView(needle)), expected);
        const QByteArray h = haystack.toLatin1(), n = needle.toLatin1();
        if (QString::fromLatin1(h) == haystack && QString::fromLatin1(n) == needle)
            QCOMPARE(FindText(QByteArrayView(h), from, QByteArrayView(n)), expected);
    }
};

QTEST_APPLESS_MAIN(TestTextSearch)
#include "tst_textsearch.moc"
