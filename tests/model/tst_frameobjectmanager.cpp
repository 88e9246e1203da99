// SPDX-License-Identifier: MIT
#include "model/FrameObjectManager.h"
#include "model/RememberedLayout.h"

#include "hub/Enumerators.h"
#include "hub/FrameItem.h"
#include "hub/NamedParams.h"
#include "platform/InterfaceList.h"
#include "platform/TestSettingsScope.h"
#include "platform/UserSettingsStore.h"

#include <selectframe/EFrameException.h>
#include <selectframe/FrameKeys.h>

#include <QRandomGenerator>
#include <QTest>

#include <memory>

using namespace selectframe;

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

/// The host's items of one test and the options the model reads.
struct THostItems
{
    IPtr<TInterfaceList> list{new TInterfaceList};
    IPtr<INamedParams> options{new TNamedParams};

    /// Items with these IDs, in the default group, and one column.
    explicit THostItems(const QStringList &ids = {})
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
    void loadInto(TFrameObjectManager &model)
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

} // namespace

class TestFrameObjectManager : public QObject
{
    Q_OBJECT

    std::unique_ptr<TTestSettingsScope> m_scope;

private slots:
    void initTestCase()
    {
        m_scope = std::make_unique<TTestSettingsScope>(QStringLiteral("tst_frameobjectmanager"));
        QVERIFY(m_scope->inTestLocation());
    }
    void cleanupTestCase() { m_scope.reset(); }

    // Groups come in order of first appearance; names differing in case
    // make separate groups. A reload starts over, unchecked; Clear lets go
    // of every item.
    void loadFilesItemsAndGroupsInOrder()
    {
        THostItems host;
        IPtr<IFrameItem> first = host.add("1", "x");
        host.add("2");
        host.add("3", "y");
        host.add("4", "x");
        host.add("5", "X");
        TFrameObjectManager model;
        host.loadInto(model);
        QCOMPARE(idsOf(model.Items()), (QStringList{"1", "2", "3", "4", "5"}));
        QStringList groups;
        for (const auto &group : model.Groups())
            groups.append(group->Name);
        QCOMPARE(groups, (QStringList{"", "x", "y", "X"}));
        QCOMPARE(idsOf(model.FindGroup("x")->Items()), (QStringList{"1", "4"}));
        QCOMPARE(model.Items()[3]->Group(), model.FindGroup("x"));
        QCOMPARE(model.FindGroup("z"), nullptr);
        QCOMPARE(model.Groups().back().get(), model.GetGroup("z"));

        model.Items().front()->SetState(fcsChecked);
        host.add("6");
        host.loadInto(model);
        QCOMPARE(model.Items().size(), std::size_t(6));
        QCOMPARE(model.CheckedCount(), 0);
        QCOMPARE(model.Items().front()->State, fcsUnchecked);
        model.Clear();
        QVERIFY(model.Items().empty() && model.Groups().empty() && model.Columns().empty());
        first->AddRef(); // held by the list and `first` only
        QCOMPARE(first->Release(), 2u);
    }

    void columnWidths_data()
    {
        QTest::addColumn<QString>("widths");
        QTest::addColumn<QString>("remembered"); // null: no "option://ui"
        QTest::addColumn<QList<int>>("expected");
        QTest::newRow("given widths") << "100" << QString() << QList<int>{100, -1, -1};
        QTest::newRow("non-integer widths") << "120,,wide" << QString() << QList<int>{120, -1, -1};
        QTest::newRow("remembered win") << "100"
                                        << "1=250,2=-90" << QList<int>{100, 250, 90};
        QTest::newRow("remembered zero ignored") << "100"
                                                 << "0=0" << QList<int>{100, -1, -1};
        QTest::newRow("remembered garbage") << "10,20"
                                            << "x,0=y,7=70" << QList<int>{10, 20, -1};
    }
    void columnWidths()
    {
        QFETCH(QString, widths);
        QFETCH(QString, remembered);
        QFETCH(QList<int>, expected);
        THostItems host;
        host.options->SetValue(keys::OptionColumnNames, QStringLiteral("A,B,Caption"));
        host.options->SetValue(keys::OptionColumnsWidth, widths.toUtf8());
        if (!remembered.isNull()) {
            const QString key = QStringLiteral("Tests\\") + QTest::currentDataTag();
            TUserSettingsStore store;
            QVERIFY(store.openKey(key, true) && store.writeString(QString::fromLatin1(LayoutWidthValue), remembered));
            host.options->SetValue(keys::OptionUi, key);
        }
        TFrameObjectManager model;
        host.loadInto(model);
        QList<int> gotWidths;
        for (const auto &column : model.Columns())
            gotWidths.append(column->Width);
        QCOMPARE(gotWidths, expected);
        QCOMPARE(model.ColumnByName(QStringLiteral("CAPTION")), model.ColumnByIndex(2));
        QCOMPARE(model.ColumnByIndex(2)->Caption, QStringLiteral("Caption"));
        QCOMPARE(model.ColumnByName(QStringLiteral("Links")), nullptr);
    }

    void noColumnsFailsAndLeavesModelEmpty_data()
    {
        QTest::addColumn<QVariant>("names");
        QTest::newRow("empty") << QVariant(QByteArray());
        QTest::newRow("blanks") << QVariant(QStringLiteral("  \t "));
        QTest::newRow("unset") << QVariant();
    }
    void noColumnsFailsAndLeavesModelEmpty()
    {
        QFETCH(QVariant, names);
        THostItems host({"a"});
        TFrameObjectManager model;
        host.loadInto(model);
        model.Items().front()->SetState(fcsChecked);
        host.options = IPtr<INamedParams>(new TNamedParams);
        if (names.isValid())
            host.options->SetValue(keys::OptionColumnNames, names);
        try {
            host.loadInto(model);
            QFAIL("Load without columns must throw");
        } catch (const EFrameException &e) {
            QCOMPARE(e.message(), QStringLiteral("At least one column should be present"));
        }
        QVERIFY(model.Columns().empty() && model.Groups().empty() && model.Items().empty());
        QCOMPARE(model.CheckedCount(), 0);
    }

    // Equal IDs are separate items; the checked list keeps every check and
    // an uncheck takes out the first entry equal ignoring case; a state set
    // again changes nothing.
    void checkedIdsFollowStates()
    {
        THostItems host({"a", "dup", "dup", "Other", "other"});
        TFrameObjectManager model;
        host.loadInto(model);
        for (TFrameItemObject *item : model.Items())
            item->SetState(fcsChecked);
        model.Items()[0]->SetState(fcsChecked);
        QCOMPARE(model.GetCheckedIDs(), (QStringList{"a", "dup", "dup", "Other", "other"}));
        for (int i : {0, 0, 2, 4})
            model.Items()[i]->SetState(fcsUnchecked);
        QCOMPARE(model.GetCheckedIDs(), (QStringList{"dup", "other"}));
        QCOMPARE(model.CheckedCount(), 2);
    }

    // HasOtherState must agree with a scan of the group's items through
    // random changes, also through fcsMixed.
    void groupStateFollowsItems()
    {
        THostItems host;
        for (int i = 0; i < 120; ++i)
            host.add(QString::number(i), QString::number(i % 4));
        TFrameObjectManager model;
        host.loadInto(model);
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

        QRandomGenerator rng(77);
        for (int step = 0; step < 3000; ++step) {
            TFrameItemObject *item = model.Items()[rng.bounded(int(model.Items().size()))];
            item->SetState(TFrameCheckState(rng.bounded(3)));
            const TFrameGroupObject *changed = item->Group();
            for (int s = 0; s < 3; ++s) {
                const auto &members = changed->Items();
                const bool other = std::any_of(members.begin(), members.end(),
                                               [s](const TFrameItemObject *m) { return m->State != s; });
                QCOMPARE(changed->HasOtherState(TFrameCheckState(s)), other);
            }
        }
    }

    // Enumerators start before the first object, stay at the end and
    // enumerate the list in place: later additions show through.
    void enumerators()
    {
        TFrameObjectManager model;
        QVERIFY(!model.GetItems()->MoveNext());
        THostItems host;
        host.add("1", "x");
        host.add("2");
        host.loadInto(model);
        IPtr<IObjectEnumerator<TFrameItemObject>> items = model.GetItems();
        QCOMPARE(items->GetCurrent(), nullptr);
        QVERIFY(items->MoveNext() && items->MoveNext() && !items->MoveNext());
        QCOMPARE(items->GetCurrent(), model.Items()[1]);
        items->Reset();
        QVERIFY(items->MoveNext());
        QCOMPARE(items->GetCurrent(), model.Items()[0]);

        IPtr<IObjectEnumerator<TFrameItemObject>> inGroup = model.FindGroup("x")->GetItems();
        QVERIFY(inGroup->MoveNext() && !inGroup->MoveNext());
        TFrameItemObject *added = model.AddItem(makeItem("3", "x").get());
        QVERIFY(inGroup->MoveNext());
        QCOMPARE(inGroup->GetCurrent(), added);
        QCOMPARE(model.Items().back(), added);
    }
};

QTEST_GUILESS_MAIN(TestFrameObjectManager)
#include "tst_frameobjectmanager.moc"
