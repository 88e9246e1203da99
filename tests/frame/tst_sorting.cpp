// SPDX-License-Identifier: MIT
// Row comparison of the frame control, asked the way the tree asks it while
// sorting, and a sort of the whole tree.
#include "FrameFixture.h"

#include <QScopeGuard>

#include <random>

using namespace selectframe;
using namespace selectframe::test;

class TestSorting : public QObject
{
    Q_OBJECT

    static TValues image(const QString &value) { return {{QString::fromLatin1(keys::ValueImage), value}}; }

private slots:
    // Rules as "first second column sort-type sign": the comparison's sign,
    // "!" for any but a tie (letter case counts, in the locale's order);
    // "?" after it when the host's group handler was asked. Items are named
    // by caption: "i" has image 0, "n" an image that is no number; G and H
    // are groups; in data column 1 a holds "z", b "y". Then the host's
    // handlers, which see the frame's own answer and may replace it.
    void compareRules()
    {
        TFrameFixture f;
        const QString data = QString::fromLatin1(keys::ValueColumnData).arg(1);
        f.add("a", "", {{data, "z"}});
        f.add("b", "", {{data, "y"}});
        f.add("A");
        f.add("i", "", image("0"));
        f.add("n", "", image("x"));
        f.add("g", "G");
        f.add("h", "H");
        int asked = 0;
        f.control.SetOnGroupCompare(
            [&](QObject *, const QString &, const QString &, int32_t, int32_t, int32_t &) { ++asked; });
        f.show();
        const QStringList rules{"a b 0 1 +", "b a 0 1 -", "a b 0 2 +",  "a a 0 1 0",  "a A 0 1 !", "i a 0 1 -",
                                "i a 0 2 +", "a i 0 1 +", "a i 0 2 -",  "a n 0 1 +",  "G a 0 1 +", "G a 0 2 -",
                                "a G 1 1 -", "a G 1 2 +", "G H 0 1 +?", "G H 1 1 0?", "a b 1 1 -", "a n 1 1 -"};
        QStringList results;
        for (const QString &rule : rules) {
            const QStringList r = rule.split(u' ');
            asked = 0;
            const int result =
                f.tree->OnNodeCompare(f.tree, f.at(r[0]), f.at(r[1]), r[2].toInt(), TSortType(r[3].toInt()));
            const QString sign = result > 0 ? "+" : result < 0 ? "-" : "0";
            results << QStringList(r.mid(0, 4)).join(u' ') + ' ' + (r[4][0] == u'!' && result ? "!" : sign) +
                           (asked ? "?" : "");
        }
        QCOMPARE(results, rules);

        // The host's handlers see the frame's own answer and may replace it.
        QStringList seen;
        f.control.SetOnItemCompare(
            [&](QObject *sender, IFrameItem *item1, IFrameItem *, int32_t column, int32_t sortType, int32_t &result) {
                seen << QStringLiteral("%1 %2 %3 %4")
                            .arg(TFrameFixture::id(item1))
                            .arg(column)
                            .arg(sortType)
                            .arg(result > 0);
                QCOMPARE(sender, &f.control);
            });
        f.control.SetOnGroupCompare(
            [&](QObject *, const QString &caption1, const QString &caption2, int32_t column, int32_t, int32_t &result) {
                seen << QStringLiteral("%1 %2 %3 %4").arg(caption1, caption2).arg(column).arg(result);
                result = 7;
            });
        QVERIFY(f.tree->OnNodeCompare(f.tree, f.at("a"), f.at("b"), 0, 1) > 0);
        QCOMPARE(f.tree->OnNodeCompare(f.tree, f.at("G"), f.at("H"), 2, 1), 7);
        QCOMPARE(seen, (QStringList{"a 0 1 1", "G H 2 0"}));
    }

    // Rows with images come first and groups last in either direction;
    // only the captions turn round. No row has values in a column out of
    // range: every row ties there and keeps its place, by keys and by
    // pairs alike.
    void sortingTheTree()
    {
        TFrameFixture f;
        f.add("c");
        f.add("a", "", image("1"));
        f.add("b");
        f.add("g", "G");
        f.show();
        QStringList orders;
        for (const auto &[column, type] : {std::pair{0, stNatural}, std::pair{0, stReversed}, std::pair{-1, stNatural},
                                           std::pair{1000, stNatural}}) {
            f.tree->Sort(f.vm()->getRoot(), column, type, true);
            orders << f.view();
        }
        QCOMPARE(orders, (QStringList{"a b c G g", "a c b G g", "a c b G g", "a c b G g"}));
        QCOMPARE(f.tree->OnNodeCompare(f.tree, f.at("c"), f.at("b"), 1000, stNatural), 0);
    }

    // Without host handlers the tree sorts by keys read once per row; with
    // one it asks per pair. Both must give the same order, where every text
    // has a key (the keys' leading bytes decide most pairs) and where the
    // keys fall back to the collator (letters beyond ASCII, Czech "ch").
    void keysOrderAsPairsDo_data()
    {
        QTest::addColumn<QString>("locale");
        QTest::addColumn<QString>("alphabet");
        QTest::newRow("English, ASCII") << "en_US"
                                        << "aAbBcChH zZ-9.";
        QTest::newRow("English") << "en_US"
                                 << "aAbBcChH zZ-9\u00E4\u00C4";
        QTest::newRow("Czech") << "cs_CZ"
                               << "aAbBcChH zZ-9\u00E4\u00C4";
    }
    void keysOrderAsPairsDo()
    {
        QFETCH(QString, locale);
        QFETCH(QString, alphabet);
        const QLocale saved;
        QLocale::setDefault(QLocale(locale));
        const auto restore = qScopeGuard([&] { QLocale::setDefault(saved); });

        const auto build = [&alphabet](TFrameFixture &f) {
            std::mt19937 random(5);
            const auto text = [&] {
                QString t;
                for (int n = int(random() % 12); n > 0; --n)
                    t.append(alphabet[int(random() % alphabet.size())]);
                return t;
            };
            const QString data = QString::fromLatin1(keys::ValueColumnData).arg(1);
            for (int i = 0; i < 300; ++i) {
                TValues values{{data, text()}};
                if (random() % 4 == 0)
                    values[QString::fromLatin1(keys::ValueImage)] = QString::number(random() % 3);
                const QString group = random() % 3 ? QStringLiteral("G%1").arg(random() % 6) : QString();
                f.add(QStringLiteral("%1#%2").arg(text()).arg(i), group, values);
            }
            f.show();
        };
        TFrameFixture keyed;
        build(keyed);
        TFrameFixture paired;
        build(paired);
        paired.control.SetOnItemCompare([](QObject *, IFrameItem *, IFrameItem *, int32_t, int32_t, int32_t &) {});
        paired.control.SetOnGroupCompare(
            [](QObject *, const QString &, const QString &, int32_t, int32_t, int32_t &) {});

        const auto sortBoth = [&](const QList<int> &orders, const QList<TSortType> &types) {
            for (TFrameFixture *f : {&keyed, &paired})
                f->tree->Sort(f->vm()->getRoot(), orders, types, true);
            QCOMPARE(keyed.view(), paired.view());
        };
        sortBoth({0}, {stNatural});
        sortBoth({0}, {stReversed});
        sortBoth({1}, {stNatural});
        sortBoth({1, 0}, {stReversed, stNatural});
    }
};

QTEST_MAIN(TestSorting)
#include "tst_sorting.moc"
