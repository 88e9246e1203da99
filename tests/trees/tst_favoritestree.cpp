// SPDX-License-Identifier: MIT
// The favorites list in a tree control: its header, its rows from the
// favorites, and a sort that keeps the rows' order. Adding, renaming and
// deleting are driven through the favorites dialog (tst_organizefavorites).
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

private slots:
    void emptyListKeepsItsColumn()
    {
        load({});
        QVERIFY(allRows(*rows).isEmpty());
        TBaseVirtualTree *header = tree.getVM()->Columns();
        QCOMPARE(header->store().cellCount(header->Root()), 1);
        const TVirtualNode column = header->store().cell(header->Root(), 0);
        QCOMPARE(header->filledSlicesOf(column)->first<TStringSlice>()->Text, QStringLiteral("1"));
        int32_t unused = 0, third = 0;
        uint32_t flags = 0;
        header->FillStateInfo(column, &flags, &unused, &unused, &third);
        QCOMPARE(third, 0x10000);
    }

    /// The embedded favorite is kept but not listed.
    void sortKeepsEnumerationOrder()
    {
        load({QStringLiteral("z="), QStringLiteral("%EmbeddedFavorites%=q"), QStringLiteral("a="),
              QStringLiteral("m=")});
        QCOMPARE(rows->compare(allRows(*rows)[0], allRows(*rows)[1], 0, stNatural), 0);
        for (TSortType type : {stNatural, stReversed}) {
            tree.Sort(tree.getVM()->getRoot(), 0, type, true);
            QCOMPARE(state(), QStringLiteral("z,a,m|z=;%EmbeddedFavorites%=q;a=;m="));
        }
    }
};

QTEST_MAIN(TstFavoritesTree)
#include "tst_favoritestree.moc"
