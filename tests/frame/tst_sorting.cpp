// SPDX-License-Identifier: MIT
// Row comparison of the frame control, asked the way the tree asks it while
// sorting, and a sort of the whole tree.
#include "FrameFixture.h"

#include "platform/ShownCaptions.h"
#include "platform/tree/TTreeModel.h"

#include <QScopeGuard>

#include <random>

using namespace selectframe;
using selectframe::test::TFrameFixture;
using selectframe::test::TValues;

class TestSorting : public QObject
{
    Q_OBJECT

    static TValues image(const QString &value) { return {{QString::fromLatin1(keys::ValueImage), value}}; }

private slots:
    void compareRules_data()
    {
        QTest::addColumn<QString>("first");
        QTest::addColumn<QString>("second");
        QTest::addColumn<int>("column");
        QTest::addColumn<int>("sortType");
        QTest::addColumn<int>("sign");
        // Items named by caption; "i" has image 0, "n" an image that is no
        // number; G is a group.
        QTest::newRow("a b") << "a"
                             << "b" << 0 << 1 << 1;
        QTest::newRow("b a") << "b"
                             << "a" << 0 << 1 << -1;
        QTest::newRow("a b type 2") << "a"
                                    << "b" << 0 << 2 << 1;
        QTest::newRow("same") << "a"
                              << "a" << 0 << 1 << 0;
        QTest::newRow("letter case counts") << "a"
                                            << "A" << 0 << 1 << 2;
        QTest::newRow("image first") << "i"
                                     << "a" << 0 << 1 << -1;
        QTest::newRow("image first type 2") << "i"
                                            << "a" << 0 << 2 << 1;
        QTest::newRow("image second") << "a"
                                      << "i" << 0 << 1 << 1;
        QTest::newRow("image second type 2") << "a"
                                             << "i" << 0 << 2 << -1;
        QTest::newRow("no number is no image") << "a"
                                               << "n" << 0 << 1 << 1;
        QTest::newRow("group item") << "G"
                                    << "a" << 0 << 1 << 1;
        QTest::newRow("group item type 2") << "G"
                                           << "a" << 0 << 2 << -1;
        QTest::newRow("item group") << "a"
                                    << "G" << 1 << 1 << -1;
        QTest::newRow("item group type 2") << "a"
                                           << "G" << 1 << 2 << 1;
        QTest::newRow("groups") << "G"
                                << "H" << 0 << 1 << 1;
        QTest::newRow("groups in a data column") << "G"
                                                 << "H" << 1 << 1 << 0;
        // Data column 1: a holds "z", b holds "y".
        QTest::newRow("data column") << "a"
                                     << "b" << 1 << 1 << -1;
        QTest::newRow("data column missing") << "a"
                                             << "n" << 1 << 1 << -1;
    }
    void compareRules()
    {
        QFETCH(QString, first);
        QFETCH(QString, second);
        QFETCH(int, column);
        QFETCH(int, sortType);
        QFETCH(int, sign);
        TFrameFixture f;
        const QString data = QString::fromLatin1(keys::ValueColumnData).arg(1);
        f.add("a", "", {{data, "z"}});
        f.add("b", "", {{data, "y"}});
        f.add("A");
        f.add("B");
        f.add("i", "", image("0"));
        f.add("n", "", image("x"));
        f.add("g", "G");
        f.add("h", "H");
        int asked = 0;
        f.control.SetOnGroupCompare(
            [&](QObject *, const QString &, const QString &, int32_t, int32_t, int32_t &) { ++asked; });
        f.show();
        const int result = f.tree->OnNodeCompare(f.tree, f.at(first), f.at(second), column, TSortType(sortType));
        if (sign == 2)
            QVERIFY(result != 0);
        else
            QCOMPARE(result > 0 ? 1 : result < 0 ? -1 : 0, sign);
        const bool twoGroups = first.front().isUpper() && second.front().isUpper() && first != "A" && first != "B";
        QCOMPARE(asked, twoGroups ? 1 : 0);
    }

    void handlersSeeTheDefaultAndMayReplaceIt()
    {
        TFrameFixture f;
        f.add("a");
        f.add("b");
        f.add("g", "G");
        f.add("h", "H");
        QStringList seen;
        f.control.SetOnItemCompare(
            [&](QObject *sender, IFrameItem *item1, IFrameItem *, int32_t column, int32_t sortType, int32_t &result) {
                QString caption;
                item1->GetCaption(&caption);
                seen.append(QStringLiteral("%1 %2 %3 %4").arg(caption).arg(column).arg(sortType).arg(result > 0));
                QCOMPARE(sender, &f.control);
            });
        f.control.SetOnGroupCompare(
            [&](QObject *, const QString &caption1, const QString &caption2, int32_t column, int32_t, int32_t &result) {
                seen.append(QStringLiteral("%1 %2 %3 %4").arg(caption1, caption2).arg(column).arg(result));
                result = 7;
            });
        f.show();
        QVERIFY(f.tree->OnNodeCompare(f.tree, f.at("a"), f.at("b"), 0, 1) > 0);
        QCOMPARE(f.tree->OnNodeCompare(f.tree, f.at("G"), f.at("H"), 2, 1), 7);
        QCOMPARE(seen, (QStringList{"a 0 1 1", "G H 2 0"}));
    }

    void sortingTheTreeUsesTheComparison()
    {
        TFrameFixture f;
        f.add("c");
        f.add("a", "", image("1"));
        f.add("b");
        f.add("g", "G");
        f.show();
        f.tree->Sort(f.vm()->getRoot(), 0, stNatural, true);
        // Rows with images come first and groups last in either direction;
        // only the captions turn round.
        QCOMPARE(test::shownCaptions(f.tree->model()), (QStringList{"a", "b", "c", "G"}));
        f.tree->Sort(f.vm()->getRoot(), 0, stReversed, true);
        QCOMPARE(test::shownCaptions(f.tree->model()), (QStringList{"a", "c", "b", "G"}));
    }

    // No row has values in a column out of range: every row ties there and
    // keeps its place, by keys and by pairs alike.
    void columnsOutOfRangeKeepTheOrder()
    {
        TFrameFixture f;
        f.add("c");
        f.add("a");
        f.add("b");
        f.show();
        for (const int column : {-1, 1000}) {
            f.tree->Sort(f.vm()->getRoot(), column, stNatural, true);
            QCOMPARE(test::shownCaptions(f.tree->model()), (QStringList{"c", "a", "b"}));
            QCOMPARE(f.tree->OnNodeCompare(f.tree, f.at("c"), f.at("a"), column, stNatural), 0);
        }
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
            QCOMPARE(allCaptions(keyed.tree->model()), allCaptions(paired.tree->model()));
        };
        sortBoth({0}, {stNatural});
        sortBoth({0}, {stReversed});
        sortBoth({1}, {stNatural});
        sortBoth({1, 0}, {stReversed, stNatural});
    }

private:
    /// Every row's caption, depth first.
    static QStringList allCaptions(const QAbstractItemModel *model, const QModelIndex &parent = {})
    {
        QStringList r;
        for (int i = 0; i < model->rowCount(parent); ++i) {
            const QModelIndex index = model->index(i, 0, parent);
            r.append(index.data().toString());
            r.append(allCaptions(model, index));
        }
        return r;
    }
};

QTEST_MAIN(TestSorting)
#include "tst_sorting.moc"
