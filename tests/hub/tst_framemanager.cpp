// SPDX-License-Identifier: MIT
#include "hub/FrameManager.h"
#include "hub/NamedParams.h"
#include "intf/FrameConsts.h"
#include "platform/FoldedText.h"

#include <selectframe/EFrameException.h>

#include "EngineList.h"

#include <QRandomGenerator>
#include <QTest>

using namespace selectframe;

namespace {

QVariant valueOf(INamedParams *params, const char *key)
{
    QVariant v;
    params->GetValue(key, &v);
    return v;
}

/// Adds an item the way the frame does, with its values given as
/// name/value pairs.
IPtr<IFrameItem> addItem(TFrameManager &manager, const QString &id, const QString &group = {},
                         const QList<QPair<QString, QString>> &values = {})
{
    IPtr<IFrameItem> item;
    manager.NewItem(item.put());
    item->SetID(id);
    item->SetCaption(id.toUpper());
    IPtr<IStringValueList> list;
    item->GetValues(list.put());
    list->SetValue(QStringLiteral("group"), group);
    for (const auto &[name, value] : values)
        list->SetValue(name, value);
    manager.AddItem(item.get());
    return item;
}

QStringList checkedIDs(TFrameManager &manager)
{
    QStringList ids;
    manager.State()->Save(&ids);
    return ids;
}

TFrameCheckState groupState(TFrameManager &manager, const QString &name)
{
    TFrameGroupObject *group = manager.Model()->FindGroup(name);
    return group ? group->State : TFrameCheckState(0xff);
}

} // namespace

class TestFrameManager : public QObject
{
    Q_OBJECT

private slots:
    // The defaults reach a host watching the bag through its write hook in
    // table order, each with the variant type hosts may inspect.
    void optionDefaults()
    {
        IPtr<INamedParams> params(new TNamedParams);
        QList<QByteArray> seen;
        params.query<INamedParamsNotify>()->SetHook(makeMethod<void(void *, const QByteArray &, QVariant *, bool *)>(
            [](void *data, const QByteArray &name, QVariant *, bool *) {
                static_cast<QList<QByteArray> *>(data)->append(name);
            },
            &seen));
        WriteOptionDefaults(params.get());
        QCOMPARE(seen.size(), 31);
        QCOMPARE(seen.first(), QByteArray("option://select.mode"));
        QCOMPARE(seen.last(), QByteArray("option://fav.showhelp"));
        QVERIFY(!params->Exists("option://ui"));
        // One key of every type the table uses.
        const struct
        {
            const char *key;
            QVariant value;
            int type;
        } samples[] = {
            {"option://select.mode", 1, QMetaType::Int},
            {"option://row.limit", 30, QMetaType::UChar},
            {"option://fav.formwidth", 650, QMetaType::UShort},
            {"option://imagelist", 0, QMetaType::UInt},
            {"option://show.nodeline", true, QMetaType::Bool},
            {"option://more.caption", QByteArray("More..."), QMetaType::QByteArray},
        };
        for (const auto &sample : samples) {
            const QVariant stored = valueOf(params.get(), sample.key);
            QCOMPARE(stored.metaType().id(), sample.type);
            if (sample.type == QMetaType::QByteArray)
                QCOMPARE(stored.toByteArray(), sample.value.toByteArray());
            else
                QCOMPARE(stored.toLongLong(), sample.value.toLongLong());
        }
    }

    // Without column names the model refuses and nothing is published; an
    // empty frame still has its default column and group.
    void rebuildPublishesTotalCount()
    {
        TFrameManager manager;
        QVERIFY_THROWS_EXCEPTION(EFrameException, manager.Rebuild());
        QVERIFY(!manager.Params()->Exists("property://total.count"));
        WriteOptionDefaults(manager.Params());
        manager.Rebuild();
        QCOMPARE(manager.Model()->ColumnCount(), 1);
        QCOMPARE(int(manager.Model()->Groups().size()), 1);
        QVERIFY(manager.Model()->Groups().front()->Name.isEmpty());
        manager.Params()->SetValue("option://column.names", QByteArray("Name,Domain"));
        addItem(manager, "a", "g");
        addItem(manager, "b");
        manager.Rebuild();
        QCOMPARE(valueOf(manager.Params(), "property://total.count"), QVariant(int32_t(2)));
        QCOMPARE(manager.Model()->ColumnCount(), 2);
        QCOMPARE(int(manager.Model()->Groups().size()), 2);
    }

    void checkByList()
    {
        TFrameManager manager;
        WriteOptionDefaults(manager.Params());
        addItem(manager, "a", "g1");
        addItem(manager, "B", "g1");
        addItem(manager, "c", "g2");
        addItem(manager, "d");
        manager.Rebuild();
        int notified = 0;
        manager.OnItemsChecked = [&] { ++notified; };

        // IDs match ignoring case; entries that name no item are ignored.
        manager.CheckByList({"b", "C", "nope"});
        QCOMPARE(notified, 1);
        QCOMPARE(checkedIDs(manager), (QStringList{"B", "c"}));
        QCOMPARE(groupState(manager, "g1"), fcsMixed);
        QCOMPARE(groupState(manager, "g2"), fcsChecked);
        QCOMPARE(groupState(manager, ""), fcsUnchecked);

        // The pass makes the checked set equal to the list.
        manager.CheckByList({"a", "b"});
        // B stays where it was; a joins after it.
        QCOMPARE(checkedIDs(manager), (QStringList{"B", "a"}));
        QCOMPARE(groupState(manager, "g1"), fcsChecked);
        QCOMPARE(groupState(manager, "g2"), fcsUnchecked);

        manager.CheckByList({});
        QCOMPARE(notified, 3);
        QVERIFY(checkedIDs(manager).isEmpty());
        QCOMPARE(groupState(manager, "g1"), fcsUnchecked);
    }

    // Whatever mix of single checks, batched unchecks, passes by list and by
    // value and ID changes, the checked IDs are what a plain list gives
    // that appends an item's ID when it is checked and takes out the first
    // entry equal to it ignoring case when it is unchecked: with IDs shared
    // in different spellings, and with distinct IDs (where each unchecked
    // item takes out its own entry) in numbers that make the list compact.
    void checkedIdsAgreeWithPlainList_data()
    {
        QTest::addColumn<int>("items");
        QTest::addColumn<int>("stems");
        QTest::newRow("shared IDs") << 14 << 4;
        QTest::newRow("distinct IDs") << 300 << 0;
    }
    void checkedIdsAgreeWithPlainList()
    {
        QFETCH(int, items);
        QFETCH(int, stems);
        const QStringList spellings{"a", "A", "\u00e4", "\u00c4", "b", "B", "\U00010400", "\U00010428"};
        const QStringList values{"x", "X", "y"};
        QRandomGenerator rng(items);
        const auto randomId = [&](int i) {
            return stems ? spellings[rng.bounded(2 * stems)] : QStringLiteral("id%1-%2").arg(i).arg(rng.generate());
        };
        TFrameManager manager;
        WriteOptionDefaults(manager.Params());
        QList<IPtr<IFrameItem>> added;
        QStringList ids, plain;
        std::vector<bool> state(size_t(items), false);
        for (int i = 0; i < items; ++i) {
            ids.append(randomId(i));
            added.append(addItem(manager, ids.last(), QString(), {{"column1_data", values[i % 3]}}));
        }
        manager.Rebuild();
        TFrameObjectManager &model = *manager.Model();
        const auto follow = [&](int i, bool checked) {
            if (state[size_t(i)] == checked)
                return;
            state[size_t(i)] = checked;
            if (checked)
                plain.append(ids[i]);
            else if (const auto at = std::find_if(plain.begin(), plain.end(),
                                                  [&](const QString &e) { return foldedEqual(e, ids[i]); });
                     at != plain.end())
                plain.erase(at);
        };
        const auto set = [&](int i, bool checked) {
            model.Items()[i]->SetState(checked ? fcsChecked : fcsUnchecked);
            follow(i, checked);
        };
        for (int step = 0; step < 1500; ++step) {
            const int i = int(rng.bounded(items));
            switch (rng.bounded(6)) {
            case 0:
            case 1:
                set(i, !state[size_t(i)]);
                break;
            case 2: { // unchecks taken out together, then a check
                {
                    const TFrameObjectManager::TPass batch(model, TFrameObjectManager::pkUncheckBatch);
                    for (int k = 0; k < items; ++k)
                        if (rng.bounded(3) == 0)
                            set(k, false);
                }
                set(i, true);
                break;
            }
            case 3: { // a pass sets every item in order
                QStringList listed;
                for (int k = 0; k < items; ++k)
                    if (rng.bounded(2))
                        listed.append(rng.bounded(2) ? ids[k].toUpper() : ids[k]);
                manager.CheckByList(listed);
                for (int k = 0; k < items; ++k)
                    follow(k, std::any_of(listed.begin(), listed.end(),
                                          [&](const QString &l) { return foldedEqual(l, ids[k]); }));
                break;
            }
            case 4: {
                const QString value = rng.bounded(2) ? QStringLiteral("x") : QStringLiteral("Y");
                manager.CheckByValue(1, value);
                for (int k = 0; k < items; ++k)
                    follow(k, foldedEqual(values[k % 3], value));
                break;
            }
            default: { // a new ID, also for a checked item; letter case alone changes none
                const QString id = randomId(i);
                added[i]->SetID(id);
                if (id.compare(ids[i], Qt::CaseInsensitive) != 0)
                    ids[i] = id;
            }
            }
            QCOMPARE(checkedIDs(manager), plain);
            QCOMPARE(model.CheckedCount(), plain.size());
            for (int k = 0; k < items; ++k)
                QCOMPARE(model.Items()[k]->State == fcsChecked, state[size_t(k)]);
        }
    }

    void checkByValueIgnoresCase()
    {
        TFrameManager manager;
        WriteOptionDefaults(manager.Params());
        addItem(manager, "x", "", {{"column1_data", "alpha"}});
        addItem(manager, "y", "", {{"column1_data", "Alphabet"}});
        addItem(manager, "z", "", {{"column2_data", "Alpha"}});
        manager.Rebuild();
        int notified = 0;
        manager.OnItemsChecked = [&] { ++notified; };
        manager.CheckByValue(1, "Alpha");
        QCOMPARE(checkedIDs(manager), QStringList{"x"});
        QCOMPARE(notified, 1);
        manager.CheckByValue(2, "ALPHA");
        QCOMPARE(checkedIDs(manager), QStringList{"z"});
        QCOMPARE(groupState(manager, ""), fcsMixed);
    }

    // The pass touches only the holders of the value and the items checked
    // before, and ends as setting every item in model order would; a value
    // changed behind the index it keeps counts at the next pass.
    void checkByValueFollowsChangedValues()
    {
        TFrameManager manager;
        WriteOptionDefaults(manager.Params());
        addItem(manager, "a", "g1", {{"column1_data", "v"}});
        const IPtr<IFrameItem> b = addItem(manager, "b", "g1", {{"column1_data", "w"}});
        addItem(manager, "c", "g2", {{"column1_data", "V"}});
        addItem(manager, "d", "g2", {{"column1_data", "v"}});
        addItem(manager, "e", "g2");
        manager.Rebuild();
        QCOMPARE(manager.ValueIndex(1).values(), (QStringList{"v", "w"}));
        manager.CheckByList({"e", "b"});
        manager.CheckByValue(1, "v");
        QCOMPARE(checkedIDs(manager), (QStringList{"a", "c", "d"}));
        QCOMPARE(groupState(manager, "g1"), fcsMixed);
        QCOMPARE(groupState(manager, "g2"), fcsMixed);
        IPtr<IStringValueList> values;
        b->GetValues(values.put());
        values->SetValue(QStringLiteral("column1_data"), QStringLiteral("V"));
        manager.CheckByValue(1, "v");
        QCOMPARE(checkedIDs(manager), (QStringList{"a", "c", "d", "b"}));
        QCOMPARE(groupState(manager, "g1"), fcsChecked);
        manager.CheckByValue(1, "");
        QCOMPARE(checkedIDs(manager), QStringList{"e"});
        QCOMPARE(groupState(manager, "g1"), fcsUnchecked);
    }

    void publishCheckedCount()
    {
        TFrameManager manager;
        WriteOptionDefaults(manager.Params());
        addItem(manager, "a");
        addItem(manager, "a"); // same ID twice: two rows, counted twice
        manager.Rebuild();
        manager.CheckByList({"A"});
        manager.PublishCheckedCount();
        QCOMPARE(valueOf(manager.Params(), "property://checked.count"), QVariant(int32_t(2)));
    }

    void stateStorageRoundTrip()
    {
        TFrameManager manager;
        WriteOptionDefaults(manager.Params());
        for (const char *id : {"one", "two", "three", "with blank"})
            addItem(manager, id);
        manager.Rebuild();
        IPtr<IDataStorage> state;
        manager.GetState(state.put());
        state->Load({"with blank", "one"});
        QStringList saved{"stale line"};
        state->Save(&saved);
        QCOMPARE(saved, (QStringList{"one", "with blank"}));
        state->Load({});
        state->Save(&saved);
        QVERIFY(saved.isEmpty());
    }

    void checkedSetLoadedBeforeTheModelWaitsForIt()
    {
        TFrameManager manager;
        WriteOptionDefaults(manager.Params());
        int passes = 0;
        manager.OnItemsChecked = [&] { ++passes; };
        addItem(manager, "one");
        addItem(manager, "two");
        manager.State()->Load({"TWO", "gone"});
        QCOMPARE(passes, 0);
        QCOMPARE(checkedIDs(manager), (QStringList{"TWO", "gone"}));
        manager.Rebuild();
        manager.ApplyPendingChecks();
        QCOMPARE(passes, 1);
        QCOMPARE(checkedIDs(manager), QStringList{"two"});
        // Kept once only: a later rebuild starts unchecked, as any does.
        manager.Rebuild();
        manager.ApplyPendingChecks();
        QCOMPARE(passes, 1);
        QVERIFY(checkedIDs(manager).isEmpty());

        // A pass once the model exists replaces a kept list never applied.
        TFrameManager other;
        WriteOptionDefaults(other.Params());
        addItem(other, "one");
        other.State()->Load({"one"});
        other.Rebuild();
        QVERIFY(checkedIDs(other).isEmpty()); // the model's, not the kept list
        other.State()->Load({});
        other.ApplyPendingChecks();
        QVERIFY(checkedIDs(other).isEmpty());
    }

    // The bundled engine list, grouped by category, as the demo host loads it.
    void loadsTheEngineList()
    {
        QString error;
        const QList<demo::TEngine> engines = demo::loadEngines(SF_DATA_DIR "/bangs.json", &error);
        QVERIFY2(!engines.isEmpty(), qPrintable(error));
        TFrameManager manager;
        WriteOptionDefaults(manager.Params());
        manager.Params()->SetValue("option://column.names", QByteArray("Name,Domain,Category"));
        QSet<QString> categories;
        for (const demo::TEngine &e : engines) {
            addItem(manager, e.Trigger, e.Category, {{"column1_data", e.Domain}, {"column2_data", e.Category}});
            categories.insert(e.Category);
        }
        manager.Rebuild();
        QCOMPARE(valueOf(manager.Params(), "property://total.count").toInt(), engines.size());
        // The default group comes first even when no engine lacks a category.
        const bool someWithout = categories.contains(QString());
        QCOMPARE(qsizetype(manager.Model()->Groups().size()), categories.size() + (someWithout ? 0 : 1));

        const QString category = engines.front().Category;
        const auto inCategory = std::count_if(engines.begin(), engines.end(),
                                              [&](const demo::TEngine &e) { return e.Category == category; });
        manager.CheckByValue(2, category.toUpper());
        QCOMPARE(manager.Model()->CheckedCount(), qsizetype(inCategory));
        QCOMPARE(groupState(manager, category), fcsChecked);
    }
};

QTEST_GUILESS_MAIN(TestFrameManager)
#include "tst_framemanager.moc"
