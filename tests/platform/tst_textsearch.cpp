// SPDX-License-Identifier: MIT
// Finding a text in a long one, against Qt's own search as the reference,
// and preparing it: lower-casing ASCII, narrowing to Latin-1.
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

    // Every length up to two blocks and more, with a unit that stops the
    // fast way at every place: what is written when it says yes is Qt's own
    // lower-casing and Latin-1.
    void preparesTexts()
    {
        QRandomGenerator random(11);
        const char16_t stoppers[] = {0, 0x7f, 0x80, 0xe9, 0xff, 0x100, 0x42f, 0xffff};
        for (int round = 0; round < 2000; ++round) {
            QString text(random.bounded(0, 40), Qt::Uninitialized);
            for (QChar &c : text)
                c = QChar(char16_t(random.bounded(0x20, 0x7f)));
            if (!text.isEmpty() && random.bounded(2))
                text[random.bounded(text.size())] = QChar(stoppers[random.bounded(int(std::size(stoppers)))]);
            const auto *units = reinterpret_cast<const char16_t *>(text.constData());
            QString lowered(text.size(), Qt::Uninitialized);
            const bool ascii = std::all_of(text.begin(), text.end(), [](QChar c) { return c.unicode() - 1u < 0x7fu; });
            QCOMPARE(LowerAscii(units, text.size(), reinterpret_cast<char16_t *>(lowered.data())), ascii);
            if (ascii)
                QCOMPARE(lowered, text.toLower());
            QByteArray narrow(text.size(), Qt::Uninitialized);
            const bool latin1 = std::all_of(text.begin(), text.end(), [](QChar c) { return c.unicode() < 0x100; });
            QCOMPARE(NarrowLatin1(units, text.size(), narrow.data()), latin1);
            if (latin1)
                QCOMPARE(narrow, text.toLatin1());
        }
    }
};

QTEST_APPLESS_MAIN(TestTextSearch)
#include "tst_textsearch.moc"
