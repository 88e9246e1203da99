#include "model/FrameObjectManager.h"
#include "model/RememberedLayout.h"

#include "host/Enumerators.h"
#include "host/FrameItem.h"
#include "host/NamedParams.h"
#include "platform/InterfaceList.h"
#include "platform/TestSettingsScope.h"
#include "platform/UserSettingsStore.h"

#include <selectframe/EFrameException.h>
#include <selectframe/FrameKeys.h>

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QRandomGenerator>
#include <QTest>

#include <algorithm>
#include <functional>
#include <memory>

using namespace selectframe;

namespace {

/// A host item with an ID and, when given, a "group" value.
IPtr<IFrameItem> makeItem(const QString &id, const QString &group = QString())
{
    IPtr<IFrameItem> item(new TFrameItem);
    item->SetID(id);
    if (!group.isEmpty()) {
        IPtr<IStringValueList> values;
        item->GetValues(values.put());
        values->SetValue(QString::fromLatin1(keys::ValueGroup), group);
    }
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
    void setOption(const char *key, const QVariant &value) { options->SetValue(key, value); }
    void loadInto(TFrameObjectManager &model)
    {
        IPtr<IFrameItemEnumerator> enumerator(new TFrameItemEnumerator(list.get()));
        model.Load(enumerator.get(), options.get());
    }
};

QStringList groupNames(const TFrameObjectManager &model)
{
    QStringList names;
    for (const auto &group : model.Groups())
        names.append(group->Name);
    return names;
}

template <class List>
QStringList idsOf(const List &items)
{
    QStringList ids;
    for (const TFrameItemObject *item : items) {
        ids.append(QString());
        item->Item->GetID(&ids.last());
    }
    return ids;
}

/// Counts change notifications of objects bound to it.
struct TChangeCounter
{
    int calls = 0;
    TBaseFrameObject *lastSender = nullptr;

    static void handler(void *data, TBaseFrameObject *sender)
    {
        auto *self = static_cast<TChangeCounter *>(data);
        ++self->calls;
        self->lastSender = sender;
    }
    TMethod method() { return makeMethod(&handler, this); }
};

/// What a bulk check pass does per item.
void checkWhere(TFrameObjectManager &model, const std::function<bool(TFrameItemObject *)> &matches)
{
    for (TFrameItemObject *item : model.Items()) {
        const TFrameCheckState state = matches(item) ? fcsChecked : fcsUnchecked;
        item->SetState(state);
        UpdateGroupState(item->Group(), state);
    }
}

} // namespace

class TestFrameObjectManager : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<TTestSettingsScope> m_scope;

private slots:
    void initTestCase()
    {
        m_scope = std::make_unique<TTestSettingsScope>(QStringLiteral("tst_frameobjectmanager"));
        QVERIFY(m_scope->inTestLocation());
    }
    void cleanupTestCase() { m_scope.reset(); }

    void loadFilesItemsInEnumeratorOrder()
    {
        THostItems host({"a", "b", "c"});
        TFrameObjectManager model;
        host.loadInto(model);

        QCOMPARE(idsOf(model.Items()), (QStringList{"a", "b", "c"}));
        QCOMPARE(groupNames(model), QStringList{QString()});
        TFrameGroupObject *group = model.Groups().front().get();
        QCOMPARE(group->Kind, fokGroup);
        QVERIFY(std::equal(group->Items().begin(), group->Items().end(), model.Items().begin(), model.Items().end()));
        for (TFrameItemObject *item : model.Items()) {
            QCOMPARE(item->Kind, fokItem);
            QCOMPARE(item->State, fcsUnchecked);
            QCOMPARE(item->Group(), group);
            QVERIFY(item->OnChange.assigned());
        }
        QCOMPARE(model.CheckedCount(), 0);
    }

    void groupsInOrderOfFirstAppearance()
    {
        THostItems host;
        host.add("1", "x");
        host.add("2");
        host.add("3", "y");
        host.add("4", "x");
        host.add("5", "X");
        TFrameObjectManager model;
        host.loadInto(model);

        // Names differing in case make separate groups.
        QCOMPARE(groupNames(model), (QStringList{"", "x", "y", "X"}));
        QCOMPARE(idsOf(model.FindGroup("x")->Items()), (QStringList{"1", "4"}));
        QCOMPARE(idsOf(model.FindGroup("")->Items()), QStringList{"2"});
        QCOMPARE(model.FindGroup("z"), nullptr);
        QCOMPARE(model.GetGroup("x"), model.FindGroup("x"));
        TFrameGroupObject *created = model.GetGroup("z");
        QCOMPARE(created->Name, QStringLiteral("z"));
        QCOMPARE(model.Groups().back().get(), created);
    }

    void reloadReplacesAndReleasesItems()
    {
        THostItems host;
        IPtr<IFrameItem> first = host.add("a", "g");
        TFrameObjectManager model;
        host.loadInto(model);
        model.Items().front()->SetState(fcsChecked);
        host.add("b");
        host.loadInto(model);
        QCOMPARE(idsOf(model.Items()), (QStringList{"a", "b"}));
        QCOMPARE(model.CheckedCount(), 0);
        QCOMPARE(model.Items().front()->State, fcsUnchecked);

        // The list, the model and `first` hold it; after Clear the model no longer does.
        model.Clear();
        QVERIFY(model.Items().empty() && model.Groups().empty() && model.Columns().empty());
        first->AddRef();
        QCOMPARE(first->Release(), 2u);
    }

    void columns_data()
    {
        QTest::addColumn<QString>("names");
        QTest::addColumn<QString>("widths");
        QTest::addColumn<QString>("remembered"); // null: no "option://ui"
        QTest::addColumn<QStringList>("captions");
        QTest::addColumn<QList<int>>("expected");
        const QStringList abc{"A", "B", "C"};
        QTest::newRow("given widths") << "A,B,C" << "100" << QString() << abc << QList<int>{100, -1, -1};
        QTest::newRow("remembered win") << "A,B,C" << "100" << "1=250,2=-90" << abc << QList<int>{100, 250, 90};
        QTest::newRow("remembered capped") << "A,B,C" << "100" << "0=5000" << abc << QList<int>{800, -1, -1};
        QTest::newRow("remembered zero ignored") << "A,B,C" << "100" << "0=0" << abc << QList<int>{100, -1, -1};
        QTest::newRow("remembered garbage") << "A,B" << "10,20" << "x,0=y,7=70" << QStringList{"A", "B"}
                                            << QList<int>{10, 20};
        QTest::newRow("non-integer widths") << "A,B,C" << "120,,wide" << QString() << abc << QList<int>{120, -1, -1};
        QTest::newRow("quoted caption") << "\"Search engine\",Rank" << "" << QString()
                                        << QStringList{"Search engine", "Rank"} << QList<int>{-1, -1};
        QTest::newRow("blank splits caption") << "Search engine" << "" << QString()
                                              << QStringList{"Search", "engine"} << QList<int>{-1, -1};
    }
    void columns()
    {
        QFETCH(QString, names);
        QFETCH(QString, widths);
        QFETCH(QString, remembered);
        QFETCH(QStringList, captions);
        QFETCH(QList<int>, expected);
        THostItems host;
        host.setOption(keys::OptionColumnNames, names);
        host.setOption(keys::OptionColumnsWidth, widths.toUtf8());
        if (!remembered.isNull()) {
            const QString key = QStringLiteral("Tests\\") + QTest::currentDataTag();
            TUserSettingsStore store;
            QVERIFY(store.openKey(key, true));
            QVERIFY(store.writeString(QString::fromLatin1(LayoutWidthValue), remembered));
            host.setOption(keys::OptionUi, key);
        }
        TFrameObjectManager model;
        host.loadInto(model);

        QStringList gotCaptions;
        QList<int> gotWidths;
        for (int i = 0; i < model.ColumnCount(); ++i) {
            const TFrameColumnObject *column = model.Columns()[i].get();
            QCOMPARE(column->Index, i);
            gotCaptions.append(column->Caption);
            gotWidths.append(column->Width);
        }
        QCOMPARE(gotCaptions, captions);
        QCOMPARE(gotWidths, expected);
        QCOMPARE(model.ColumnByIndex(1), model.ColumnCount() > 1 ? model.Columns()[1].get() : nullptr);
        QCOMPARE(model.ColumnByName(captions.last().toUpper()), model.Columns().back().get());
        QCOMPARE(model.ColumnByName(QStringLiteral("Links")), nullptr);
    }

    void noColumnsFailsAndLeavesModelEmpty_data()
    {
        QTest::addColumn<QVariant>("names");
        QTest::newRow("empty") << QVariant(QByteArray());
        QTest::newRow("blanks only") << QVariant(QStringLiteral("  \t "));
        QTest::newRow("unset") << QVariant();
    }
    void noColumnsFailsAndLeavesModelEmpty()
    {
        QFETCH(QVariant, names);
        THostItems host;
        host.add("a", "g");
        TFrameObjectManager model;
        host.loadInto(model);
        model.Items().front()->SetState(fcsChecked);

        host.options = IPtr<INamedParams>(new TNamedParams);
        if (names.isValid())
            host.setOption(keys::OptionColumnNames, names);
        try {
            host.loadInto(model);
            QFAIL("Load without columns must throw");
        } catch (const EFrameException &e) {
            QCOMPARE(e.message(), QStringLiteral("At least one column should be present"));
        }
        QVERIFY(model.Columns().empty() && model.Groups().empty() && model.Items().empty());
        QCOMPARE(model.CheckedCount(), 0);
    }

    void itemNotifiesOnlyOnChange()
    {
        IPtr<IFrameItem> host = makeItem("a");
        TChangeCounter counter;
        TFrameItemObject item(host.get(), counter.method());
        item.SetState(fcsUnchecked);
        QCOMPARE(counter.calls, 0);
        item.SetState(fcsChecked);
        QCOMPARE(counter.calls, 1);
        QCOMPARE(counter.lastSender, &item);
        item.SetState(fcsChecked);
        QCOMPARE(counter.calls, 1);
        item.SetState(fcsUnchecked);
        QCOMPARE(counter.calls, 2);
    }

    // Equal IDs are separate items; the checked list keeps every check and
    // an uncheck takes out the first entry equal ignoring case.
    void checkedIdsFollowStates()
    {
        THostItems host({"a", "dup", "dup", "Other", "other"});
        TFrameObjectManager model;
        host.loadInto(model);
        for (TFrameItemObject *item : model.Items())
            item->SetState(fcsChecked);
        model.Items()[0]->SetState(fcsChecked);
        QCOMPARE(model.GetCheckedIDs(), (QStringList{"a", "dup", "dup", "Other", "other"}));
        model.Items()[0]->SetState(fcsUnchecked);
        model.Items()[0]->SetState(fcsUnchecked);
        model.Items()[2]->SetState(fcsUnchecked);
        model.Items()[4]->SetState(fcsUnchecked);
        QCOMPARE(model.GetCheckedIDs(), (QStringList{"dup", "other"}));
        QCOMPARE(model.CheckedCount(), 2);
    }

    void updateGroupState()
    {
        TFrameGroupObject empty("e");
        QVERIFY(!empty.OnChange.assigned());
        UpdateGroupState(&empty, fcsChecked);
        QCOMPARE(empty.State, fcsChecked);
        UpdateGroupState(nullptr, fcsChecked);
        empty.SetState(fcsMixed);
        QCOMPARE(empty.State, fcsMixed);

        THostItems host;
        host.add("1", "g");
        host.add("2", "g");
        TFrameObjectManager model;
        host.loadInto(model);
        TFrameGroupObject *group = model.FindGroup("g");
        group->Items()[0]->SetState(fcsChecked);
        UpdateGroupState(group, fcsChecked);
        QCOMPARE(group->State, fcsMixed);
        UpdateGroupState(group, fcsUnchecked);
        QCOMPARE(group->State, fcsMixed);
        group->Items()[1]->SetState(fcsChecked);
        UpdateGroupState(group, fcsChecked);
        QCOMPARE(group->State, fcsChecked);
    }

    // Random state changes, also through fcsMixed: HasOtherState always
    // agrees with a scan of the group's items.
    void hasOtherStateAgreesWithScan()
    {
        THostItems host;
        for (int i = 0; i < 120; ++i)
            host.add(QString::number(i), QString::number(i % 4));
        TFrameObjectManager model;
        host.loadInto(model);
        QRandomGenerator rng(77);
        for (int step = 0; step < 3000; ++step) {
            TFrameItemObject *item = model.Items()[rng.bounded(int(model.Items().size()))];
            item->SetState(TFrameCheckState(rng.bounded(3)));
            const TFrameGroupObject *group = item->Group();
            for (int s = 0; s < 3; ++s) {
                bool other = false;
                for (const TFrameItemObject *member : group->Items())
                    other = other || member->State != s;
                QCOMPARE(group->HasOtherState(TFrameCheckState(s)), other);
            }
        }
    }

    void enumerators()
    {
        TFrameObjectManager model;
        IPtr<IObjectEnumerator<TFrameItemObject>> none = model.GetItems();
        QVERIFY(!none->MoveNext());
        QCOMPARE(none->GetCurrent(), nullptr);

        THostItems host;
        host.add("1", "x");
        host.add("2");
        host.loadInto(model);
        IPtr<IObjectEnumerator<TFrameItemObject>> items = model.GetItems();
        QCOMPARE(items->GetCurrent(), nullptr);
        QVERIFY(items->MoveNext());
        QVERIFY(items->MoveNext());
        QCOMPARE(items->GetCurrent(), model.Items()[1]);
        QVERIFY(!items->MoveNext());
        QCOMPARE(items->GetCurrent(), model.Items()[1]);
        items->Reset();
        QVERIFY(items->MoveNext());
        QCOMPARE(items->GetCurrent(), model.Items()[0]);

        QStringList names;
        for (IPtr<IObjectEnumerator<TFrameGroupObject>> groups = model.GetGroups(); groups->MoveNext();)
            names.append(groups->GetCurrent()->Name);
        QCOMPARE(names, (QStringList{"", "x"}));
        IPtr<IObjectEnumerator<TFrameColumnObject>> columns = model.GetColumns();
        QVERIFY(columns->MoveNext());
        QCOMPARE(columns->GetCurrent(), model.Columns().front().get());

        // The list is enumerated in place: later additions show through.
        IPtr<IObjectEnumerator<TFrameItemObject>> inGroup = model.FindGroup("x")->GetItems();
        QVERIFY(inGroup->MoveNext());
        QVERIFY(!inGroup->MoveNext());
        TFrameItemObject *added = model.AddItem(makeItem("3", "x").get());
        QVERIFY(inGroup->MoveNext());
        QCOMPARE(inGroup->GetCurrent(), added);
        QCOMPARE(model.Items().back(), added);
    }

    // The bundled engine list, grouped by category, matches what the JSON
    // itself says.
    void bundledEngineList()
    {
        QFile file(QStringLiteral(SF_DATA_DIR "/bangs.json"));
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QJsonArray engines = QJsonDocument::fromJson(file.readAll()).array();
        QCOMPARE(engines.size(), 10892);

        THostItems host;
        host.setOption(keys::OptionColumnNames, QStringLiteral("Name,Domain,Trigger"));
        QStringList categoryOrder{QString()};
        QHash<QString, QStringList> triggersByCategory;
        for (const QJsonValue &value : engines) {
            const QJsonObject engine = value.toObject();
            const QString category = engine.value(u"c").toString();
            const QString trigger = engine.value(u"t").toString();
            if (!category.isEmpty() && !triggersByCategory.contains(category))
                categoryOrder.append(category);
            triggersByCategory[category].append(trigger);
            host.add(trigger, category)->SetCaption(engine.value(u"s").toString());
        }
        TFrameObjectManager model;
        host.loadInto(model);

        QCOMPARE(qsizetype(model.Items().size()), engines.size());
        QCOMPARE(groupNames(model), categoryOrder);
        for (const auto &group : model.Groups())
            QCOMPARE(idsOf(group->Items()), triggersByCategory.value(group->Name));

        // A pass like checking by a category's value.
        const QString tech = QStringLiteral("Tech");
        QVERIFY(triggersByCategory.value(tech).size() > 0);
        checkWhere(model, [&](TFrameItemObject *item) { return item->Group()->Name == tech; });
        QCOMPARE(model.GetCheckedIDs(), triggersByCategory.value(tech));
        for (const auto &group : model.Groups())
            if (!group->Items().empty())
                QCOMPARE(group->State, group->Name == tech ? fcsChecked : fcsUnchecked);

        // Checking everything, then every other item of each group.
        checkWhere(model, [](TFrameItemObject *) { return true; });
        QCOMPARE(model.CheckedCount(), engines.size());
        QHash<const TFrameGroupObject *, int> seen;
        checkWhere(model, [&](TFrameItemObject *item) { return seen[item->Group()]++ % 2 == 0; });
        qsizetype expected = 0;
        for (const auto &group : model.Groups()) {
            expected += (qsizetype(group->Items().size()) + 1) / 2;
            if (group->Items().size() > 1)
                QCOMPARE(group->State, fcsMixed);
        }
        QCOMPARE(model.CheckedCount(), expected);
    }
};

QTEST_GUILESS_MAIN(TestFrameObjectManager)
#include "tst_frameobjectmanager.moc"
