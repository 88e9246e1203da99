// The favorites list in a tree control: rows from the favorites, the
// namesake rules of adding and renaming, deleting, and a sort that keeps
// the rows' order.
#include "SelectTreeFixture.h"

#include "platform/tree/TStringSlice.h"
#include "platform/tree/TTree.h"
#include "trees/FavoritesTreeManager.h"

#include <QApplication>
#include <QTest>

using namespace selectframe;
using namespace selectframe::test;

class TstFavoritesTree : public QObject
{
    Q_OBJECT

    TFrameFixture f;
    TTree tree;
    TFavoritesVirtualTree *rows = nullptr;

    void load(const QStringList &lines)
    {
        queryInterface<IDataStorage>(f.Manager.Favorites())->Load(lines);
        auto vm = std::make_unique<TFavoritesTreeManager>(&f.Manager);
        rows = vm->Tree.get();
        tree.setVM(std::move(vm));
    }
    QString nameOf(TVirtualNode node) { return rows->filledSlicesOf(node)->first<TStringSlice>()->Text; }
    /// The rows' names as shown, then "|", then the favorites manager's lines.
    QString state()
    {
        QStringList out;
        for (TVirtualNode n : allRows(*rows))
            out << nameOf(n);
        QStringList lines;
        queryInterface<IDataStorage>(f.Manager.Favorites())->Save(&lines);
        return out.join(u',') + u'|' + lines.join(u';');
    }
    TVirtualNode row(int i) { return allRows(*rows).value(i); }

private slots:
    void emptyListKeepsItsColumn()
    {
        load({});
        QVERIFY(allRows(*rows).isEmpty());
        IVmManager *vm = tree.getVM();
        TBaseVirtualTree *header = vm->Columns();
        QCOMPARE(header->store().cellCount(header->Root()), 1);
        const TVirtualNode column = header->store().cell(header->Root(), 0);
        QCOMPARE(header->filledSlicesOf(column)->first<TStringSlice>()->Text, QStringLiteral("1"));
        int32_t first = 0, second = 0, third = 0;
        uint32_t flags = 0;
        header->FillStateInfo(column, &flags, &first, &second, &third);
        QCOMPARE(third, 0x10000);
    }

    void edits_data()
    {
        QTest::addColumn<QString>("op");
        QTest::addColumn<int>("row");
        QTest::addColumn<QString>("name");
        QTest::addColumn<int>("resultRow");
        QTest::addColumn<QString>("expected");
        const QString start = QStringLiteral("a,b|a=1,2;b=");
        QTest::newRow("add namesake") << "add" << -1 << "A" << 0 << start;
        QTest::newRow("add new") << "add" << -1 << "c" << 2 << "a,b,c|a=1,2;b=;c=";
        QTest::newRow("rename to other") << "rename" << 0 << "B" << 1 << start;
        QTest::newRow("rename case only") << "rename" << 0 << "A" << 0 << "A,b|A=1,2;b=";
        QTest::newRow("rename") << "rename" << 1 << "x y" << 1 << "a,x y|a=1,2;x y=";
        QTest::newRow("delete") << "delete" << 0 << "" << -1 << "b|b=";
    }
    void edits()
    {
        QFETCH(QString, op);
        QFETCH(int, row);
        QFETCH(QString, name);
        QFETCH(int, resultRow);
        load({QStringLiteral("a=1,2"), QStringLiteral("b=")});
        TVirtualNode node = this->row(row);
        tree.BeginUpdate();
        if (op == u"add")
            rows->AddFavorite(name, node);
        else if (op == u"rename")
            rows->RenameFavorite(name, node);
        else
            rows->DeleteFavorite(node);
        tree.EndUpdate();
        QTEST(state(), "expected");
        if (resultRow >= 0)
            QCOMPARE(node, this->row(resultRow));
    }

    void deletedThenReAddedRowIsFound()
    {
        load({QStringLiteral("a="), QStringLiteral("b=")});
        for (int round = 0; round < 3; ++round) {
            TVirtualNode old;
            rows->AddFavorite(QStringLiteral("a"), old);
            rows->DeleteFavorite(old);
            TVirtualNode node;
            rows->AddFavorite(QStringLiteral("a"), node);
            TVirtualNode again;
            rows->AddFavorite(QStringLiteral("A"), again);
            QCOMPARE(again, node);
            QCOMPARE(nameOf(again), QStringLiteral("a"));
        }
        QCOMPARE(state(), QStringLiteral("b,a|b=;a="));
        rows->Rebuild();
        QCOMPARE(state(), QStringLiteral("b,a|b=;a="));
    }

    /// The embedded favorite is kept but not listed.
    void sortKeepsEnumerationOrder()
    {
        load({QStringLiteral("z="), QStringLiteral("%EmbeddedFavorites%=q"), QStringLiteral("a="), QStringLiteral("m=")});
        QCOMPARE(rows->compare(row(0), row(1), 0, stNatural), 0);
        for (TSortType type : {stNatural, stReversed}) {
            tree.Sort(tree.getVM()->getRoot(), 0, type, true);
            QCOMPARE(state(), QStringLiteral("z,a,m|z=;%EmbeddedFavorites%=q;a=;m="));
        }
    }
};

QTEST_MAIN(TstFavoritesTree)
#include "tst_favoritestree.moc"
