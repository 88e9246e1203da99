// SPDX-License-Identifier: MIT
// Finding a text in a long one, against Qt's own search as the reference.
#include "platform/TextSearch.h"

#include <QRandomGenerator>
#include <QTest>

using namespace selectframe;

class TestTextSearch : public QObject
{
    Q_OBJECT

private slots:
    void findsWhatQtFinds_data()
    {
        QTest::addColumn<QString>("haystack");
        QTest::addColumn<QString>("needle");
        QTest::addColumn<int>("from");
        QTest::newRow("at the start") << "abcdefghijklmnopqrstuvwxyz"
                                      << "abc" << 0;
        QTest::newRow("at the very end") << "abcdefghijklmnopqrstuvwxyz"
                                         << "xyz" << 0;
        QTest::newRow("one unit, last") << "abcdefghijklmnopqrstuvwxyz"
                                        << "z" << 0;
        QTest::newRow("after a near miss") << "aaaaaaaaaaaaaaaaaaaaaaaaab"
                                           << "aab" << 0;
        QTest::newRow("first and last alike, middle not") << "axbxxaybxxxxxxxxxxxxxxxxazb"
                                                          << "azb" << 0;
        QTest::newRow("from skips a hit") << "abc--------------------abc"
                                          << "abc" << 1;
        QTest::newRow("from past the end") << "abc"
                                           << "c" << 5;
        QTest::newRow("longer than the haystack") << "abc"
                                                  << "abcd" << 0;
        QTest::newRow("empty needle") << "abc"
                                      << "" << 2;
        QTest::newRow("none") << "abcdefghijklmnopqrstuvwxyz"
                              << "zy" << 0;
        QTest::newRow("beyond Latin-1") << QStringLiteral("поиск по сети, поисковик") << QStringLiteral("исков") << 0;
        QTest::newRow("units sharing a byte")
            << QStringLiteral("\u0161\u0161\u0161\u0161\u0161\u0161\u0161\u0161\u0161a") << QStringLiteral("\u0061")
            << 0;
    }
    void findsWhatQtFinds()
    {
        QFETCH(QString, haystack);
        QFETCH(QString, needle);
        QFETCH(int, from);
        const qsizetype expected = from > haystack.size() ? -1 : QStringView(haystack).indexOf(needle, from);
        QCOMPARE(FindText(QStringView(haystack), from, QStringView(needle)), expected);
        if (haystack.toLatin1() == haystack.toUtf8() && needle.toLatin1() == needle.toUtf8()) {
            const QByteArray h = haystack.toLatin1(), n = needle.toLatin1();
            QCOMPARE(FindText(QByteArrayView(h), from, QByteArrayView(n)), expected);
        }
    }

    // Every block boundary and tail length: random texts of few letters, so
    // that partial matches are everywhere.
    void randomTexts()
    {
        QRandomGenerator random(7);
        for (int round = 0; round < 3000; ++round) {
            QString haystack(random.bounded(0, 70), Qt::Uninitialized);
            for (QChar &c : haystack)
                c = QChar(u'a' + random.bounded(3));
            QString needle(random.bounded(1, 6), Qt::Uninitialized);
            for (QChar &c : needle)
                c = QChar(u'a' + random.bounded(3));
            const int from = random.bounded(0, 10);
            const qsizetype expected = from > haystack.size() ? -1 : QStringView(haystack).indexOf(needle, from);
            QCOMPARE(FindText(QStringView(haystack), from, QStringView(needle)), expected);
            const QByteArray h = haystack.toLatin1(), n = needle.toLatin1();
            QCOMPARE(FindText(QByteArrayView(h), from, QByteArrayView(n)), expected);
        }
    }
};

QTEST_APPLESS_MAIN(TestTextSearch)
#include "tst_textsearch.moc"
