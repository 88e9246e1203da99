// SPDX-License-Identifier: MIT
// The object model a frame loads from the host: items, groups and their
// states, columns with their remembered widths, and the arena holding the
// objects. Random and hostile remembered text is replayed by fuzz_layout.
#include "model/FrameObjectManager.h"
#include "model/ObjectArena.h"
#include "model/RememberedLayout.h"

#include "hub/Enumerators.h"
#include "hub/FrameItem.h"
#include "hub/NamedParams.h"
#include "platform/DataTable.h"
#include "platform/InterfaceList.h"
#include "platform/TestSettingsScope.h"
#include "platform/UserSettingsStore.h"

#include <selectframe/EFrameException.h>
#include <selectframe/FrameKeys.h>

#include <QTest>

using namespace selectframe;
using namespace selectframe::test;

namespace {

/// A host item with an ID and, when given, a "group" value.
IPtr<IFrameItem> makeItem(const QString &id, const QString &group = QString())
{
    IPtr<IFrameItem> item(new TFrameItem);
    item->SetID(id);
    IPtr<IStringValueList> values;
    item->GetValues(values.put());
    values->SetValue(QString::fromLatin1(keys::ValueGroup), group);
    return item;
}

/// The host's items of one test, the options the model reads, and the
/// model loaded from them.
struct THost
{
    IPtr<TInterfaceList> list{new TInterfaceList};
    IPtr<INamedParams> options{new TNamedParams};
    TFrameObjectManager model;

    /// Items with these IDs, in the default group, and one column.
    explicit THost(const QStringList &ids = {})
    {
        options->SetValue(keys::OptionColumnNames, QByteArray("column"));
        for (const QString &id : ids)
            add(id);
    }
    IPtr<IFrameItem> add(const QString &id, const QString &group = QString())
    {
        IPtr<IFrameItem> item = makeItem(id, group);
        list->add(item.get());
        return item;
    }
    void load()
    {
        IPtr<IFrameItemEnumerator> enumerator(new TFrameItemEnumerator(list.get()));
        model.Load(enumerator.get(), options.get());
    }
};

template <class List>
QStringList idsOf(const List &items)
{
    QStringList ids;
    for (const TFrameItemObject *item : items)
        item->Item->GetID(&ids.emplace_back());
    return ids;
}

/// Records how many of it are alive.
struct TCounted
{
    static inline int alive = 0;
    explicit TCounted(int v) : value(v) { ++alive; }
    ~TCounted() { --alive; }
    TCounted(const TCounted &) = delete;
    int value;
    char padding[20];
};

} // namespace

class TestFrameObjectManager : public QObject
{
    Q_OBJECT

    TTestSettingsScope m_scope{QStringLiteral("tst_frameobjectmanager")};

private slots:
    void init() { m_scope.removeFile(); }

    // Groups come in order of first appearance; names differing in case
    // make separate groups. A reload starts over, unchecked; Clear lets go
    // of every item. Enumerators start before the first object and see
    // later additions.
    void loadFilesItemsAndGroupsInOrder()
    {
        THost host;
        IPtr<IFrameItem> first = host.add("1", "x");
        for (const auto &[id, group] : {std::pair{"2", ""}, {"3", "y"}, {"4", "x"}, {"5", "X"}})
            host.add(id, group);
        TFrameObjectManager &model = host.model;
        QVERIFY(!model.GetItems()->MoveNext());
        host.load();
        QCOMPARE(idsOf(model.Items()), (QStringList{"1", "2", "3", "4", "5"}));
        QCOMPARE(model.Groups()[3]->Name, QStringLiteral("X"));
        QCOMPARE(idsOf(model.FindGroup("x")->Items()), (QStringList{"1", "4"}));
        QVERIFY(model.Items()[3]->Group() == model.FindGroup("x") && !model.FindGroup("z"));
        QCOMPARE(model.Groups().back().get(), model.GetGroup("z"));

        IPtr<IObjectEnumerator<TFrameItemObject>> items = model.GetItems();
        QCOMPARE(items->GetCurrent(), nullptr);
        while (items->MoveNext())
            ;
        QCOMPARE(items->GetCurrent(), model.Items().back()); // stays at the end
        items->Reset();
        QVERIFY(items->MoveNext());
        QCOMPARE(items->GetCurrent(), model.Items()[0]);
        IPtr<IObjectEnumerator<TFrameItemObject>> inGroup = model.FindGroup("x")->GetItems();
        QVERIFY(inGroup->MoveNext() && inGroup->MoveNext() && !inGroup->MoveNext());
        TFrameItemObject *added = model.AddItem(makeItem("6", "x").get());
        QVERIFY(inGroup->MoveNext());
        QCOMPARE(inGroup->GetCurrent(), added);

        model.Items().front()->SetState(fcsChecked);
        host.load();
        QCOMPARE(model.Items().size(), std::size_t(5));
        QCOMPARE(model.CheckedCount(), 0);
        QCOMPARE(model.Items().front()->State, fcsUnchecked);
        model.Clear();
        QVERIFY(model.Items().empty() && model.Groups().empty() && model.Columns().empty());
        first->AddRef(); // held by the list and `first` only
        QCOMPARE(first->Release(), 2u);
    }

    // Given widths, overridden by the remembered ones under "option://ui".
    // Without a key named there the store is not touched; a named key that
    // is missing is read without being created.
    void columnWidths_data()
    {
        addColumns<QString, QString, QString, QList<int>>("widths", "ui", "remembered", "expected");
        addRow("given widths", "100", QString(), QString(), QList<int>{100, -1, -1});
        addRow("no key name", "100", "\\", QString(), QList<int>{100, -1, -1});
        addRow("missing key", "100", "Dialogs\\Nowhere", QString(), QList<int>{100, -1, -1});
        addRow("remembered win", "100", "Tests\\Win", "1=250,2=-90", QList<int>{100, 250, 90});
        addRow("remembered zero ignored", "100", "Tests\\Zero", "0=0", QList<int>{100, -1, -1});
        addRow("remembered garbage", "10,20", "Tests\\Garbage", "x,0=y,7=70", QList<int>{10, 20, -1});
    }
    void columnWidths()
    {
        QFETCH(QString, widths);
        QFETCH(QString, ui);
        QFETCH(QString, remembered);
        THost host;
        host.options->SetValue(keys::OptionColumnNames, QStringLiteral("A,B,Caption"));
        host.options->SetValue(keys::OptionColumnsWidth, widths.toUtf8());
        if (!ui.isNull())
            host.options->SetValue(keys::OptionUi, ui);
        if (!remembered.isNull()) {
            TUserSettingsStore store;
            QVERIFY(store.openKey(ui, true) && store.writeString(QString::fromLatin1(LayoutWidthValue), remembered));
        }
        host.load();
        QList<int> gotWidths;
        for (const auto &column : host.model.Columns())
            gotWidths.append(column->Width);
        QTEST(gotWidths, "expected");
        QCOMPARE(QFile::exists(m_scope.fileName()), !remembered.isNull());
        QCOMPARE(host.model.ColumnByName(QStringLiteral("CAPTION")), host.model.ColumnByIndex(2));
        QCOMPARE(host.model.ColumnByName(QStringLiteral("Links")), nullptr);
    }

    // A remembered width value by index; no index beyond 10000 is stored.
    void parseRememberedWidths_data()
    {
        addColumns<QString, QList<int>>("text", "widths");
        addRow("by index, capped, grown", "1=250,2=-90,0=5000,5=10", QList<int>{800, 250, 90, 0, 0, 10});
        addRow("blanks split, quotes join", "0 = 5,\"1=7\"", QList<int>{0, 7, 0, 0});
        addRow("past the index bound", "10001=5", QList<int>{0});
    }
    void parseRememberedWidths()
    {
        QFETCH(QString, text);
        QTEST(parseColumnWidths(text), "widths");
    }

    void noColumnsFailsAndLeavesModelEmpty_data()
    {
        addColumns<QVariant>("names");
        addRow("blanks", QVariant(QStringLiteral("  \t ")));
        addRow("unset", QVariant());
    }
    void noColumnsFailsAndLeavesModelEmpty()
    {
        QFETCH(QVariant, names);
        THost host({"a"});
        host.load();
        host.model.Items().front()->SetState(fcsChecked);
        host.options = IPtr<INamedParams>(new TNamedParams);
        if (names.isValid())
            host.options->SetValue(keys::OptionColumnNames, names);
        QVERIFY_THROWS_EXCEPTION(EFrameException, host.load());
        QVERIFY(host.model.Columns().empty() && host.model.Groups().empty() && host.model.Items().empty());
        QCOMPARE(host.model.CheckedCount(), 0);
    }

    // Equal IDs are separate items; the checked list keeps every check and
    // an uncheck takes out the first entry equal ignoring case; a state set
    // again or to mixed changes nothing. A group is mixed until all its items agree.
    void checkedIdsAndGroupStatesFollowItems()
    {
        THost host({"a", "dup", "dup", "Other", "other"});
        for (int i = 0; i < 12; ++i)
            host.add(QString::number(i), QString::number(i % 4));
        host.load();
        TFrameObjectManager &model = host.model;
        for (int i = 0; i < 5; ++i)
            model.Items()[i]->SetState(fcsChecked);
        model.Items()[0]->SetState(fcsChecked);
        for (int i : {0, 0, 2, 4})
            model.Items()[i]->SetState(fcsUnchecked);
        model.Items()[0]->SetState(fcsMixed);
        QCOMPARE(model.GetCheckedIDs(), (QStringList{"dup", "other"}));
        QCOMPARE(model.CheckedCount(), 2);

        UpdateGroupState(nullptr, fcsChecked);
        TFrameGroupObject *group = model.FindGroup("0");
        const int size = int(group->Items().size());
        for (int i = 0; i < size; ++i) {
            group->Items()[i]->SetState(fcsChecked);
            UpdateGroupState(group, fcsChecked);
            QCOMPARE(group->State, i + 1 == size ? fcsChecked : fcsMixed);
        }
        group->Items()[0]->SetState(fcsUnchecked);
        UpdateGroupState(group, fcsUnchecked);
        QCOMPARE(group->State, fcsMixed);
    }

    // Enough objects to fill the small first chunk and several large ones;
    // a clear destroys them all and fills the kept chunks from the start.
    void arenaIndexesIteratesAndRefills()
    {
        const int count = 300000;
        {
            TObjectArena<TCounted> arena;
            QVERIFY(arena.empty() && arena.begin() == arena.end());
            for (int i = 0; i < count; ++i)
                arena.create(i);
            QCOMPARE((QList<qsizetype>{TCounted::alive, qsizetype(arena.size()), arena.back()->value}),
                     (QList<qsizetype>{count, count, count - 1}));
            int expected = 0;
            for (TCounted *object : arena)
                if (object->value != expected++ || arena[object->value] != object)
                    QFAIL("out of order");
            QCOMPARE(expected, count);
            TCounted *first = arena.front();
            arena.clear();
            QVERIFY(TCounted::alive == 0 && arena.empty());
            QCOMPARE(arena.create(7), first);
            QVERIFY(arena.size() == 1 && arena[0]->value == 7);
        }
        QCOMPARE(TCounted::alive, 0);
    }
};

QTEST_GUILESS_MAIN(TestFrameObjectManager)
#include "tst_frameobjectmanager.moc"
