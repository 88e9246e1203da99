// SPDX-License-Identifier: MIT
// The order of the frame control's rows: the row comparison, asked the way
// the tree asks it while sorting, a sort of the whole tree by keys and by
// pairs; and the remembered layout, a frame's sort keys and column widths
// saved when it goes and brought back when the next frame of the same ui
// comes up, through the settings store of a test.
#include "FrameFixture.h"

#include "platform/TestSettingsScope.h"
#include "platform/tree/TCustomHeader.h"

#include <QScopeGuard>

#include <memory>
#include <random>

using namespace selectframe;
using namespace selectframe::test;

namespace {

TValues image(const QString &value)
{
    return {{QString::fromLatin1(keys::ValueImage), value}};
}

/// A frame remembering its layout under `ui`, over six items whose third
/// column reads a, b or c.
struct TLayoutFrame : TFrameFixture
{
    explicit TLayoutFrame(const QString &ui = "Tests\\Layout", const QString &options = {})
    {
        run("opt column.names=Name,Address,Kind;opt columns.width=-1,150,-1;opt ui=" + ui + options);
        for (const char *id : {"5", "3", "6", "1", "4", "2"})
            add(id, {}, {{"column2_data", QString(QChar(u'a' + QString(id).toInt() % 3))}});
    }
};

} // namespace

class TestSorting : public QObject
{
    Q_OBJECT

    std::unique_ptr<TTestSettingsScope> m_scope;

private slots:
    void init() { m_scope = std::make_unique<TTestSettingsScope>(QStringLiteral("tst_sorting")); }
    void cleanup() { m_scope.reset(); }

    // Rows with images come first (an image that is no number is none)
    // and groups last in either direction; only the captions turn round.
    // No row has values in a column out of range: every row ties there and
    // keeps its place, by keys and by pairs alike.
    void sortingTheTree()
    {
        TFrameFixture f;
        f.add("c");
        f.add("a", "", image("1"));
        f.add("b", "", image("x"));
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

    // A remembered sort text and the rows it gives; one that sorts nothing
    // leaves the initial sort in force, the option's low byte (1: captions
    // Z to A, 2: A to Z). Two keys sort by the third column first (a: 3 6,
    // b: 1 4, c: 5 2), then by caption.
    void rememberedAndInitialSorts()
    {
        const std::tuple<const char *, int, const char *> cases[] = {
            {"", 1, "6 5 4 3 2 1"},    {"", 258, "1 2 3 4 5 6"},      {"", 256, "5 3 6 1 4 2"},
            {"0=0", 1, "6 5 4 3 2 1"}, {"9=2", 1, "6 5 4 3 2 1"},     {"x=2,0=y,=,==", 1, "6 5 4 3 2 1"},
            {"0=2", 1, "1 2 3 4 5 6"}, {"2=2,0=2", 1, "3 6 1 4 2 5"}, {"junk, 2=2 ,0=2", 1, "3 6 1 4 2 5"}};
        for (const auto &[text, initial, order] : cases) {
            QSettings().setValue(QStringLiteral("Tests/Layout/SelectTree_Sort"), QString::fromLatin1(text));
            TLayoutFrame f("Tests\\Layout", QStringLiteral(";opt init.sort=%1").arg(initial));
            QCOMPARE(f.run("?"), QString::fromLatin1(order));
        }
    }

    // Without a ui nothing is remembered: the initial sort, then the
    // user's; without items the remembered sort is applied to no rows.
    void nothingRemembered()
    {
        QCOMPARE(TLayoutFrame("", ";opt init.sort=1").run("?;sort;?"), "6 5 4 3 2 1; 1 2 3 4 5 6");
        QSettings().setValue(QStringLiteral("Tests/Layout/SelectTree_Sort"), QStringLiteral("1=2"));
        TFrameFixture f;
        QCOMPARE(f.run("opt column.names=Name,Address,Kind;opt ui=Tests\\Layout;?"), "(none)");
        QCOMPARE(f.tree->Header()->getSortIndexs(), QList<int>{1});
    }
};

QTEST_MAIN(TestSorting)
#include "tst_sorting.moc"
