// SPDX-License-Identifier: MIT
#include "hub/FrameManager.h"
#include "hub/NamedParams.h"
#include "intf/FrameConsts.h"

#include <selectframe/EFrameException.h>

#include "platform/DataTable.h"

#include <QTest>

using namespace selectframe;
using namespace selectframe::test;

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
        QCOMPARE(seen.first() + ' ' + seen.last(), QByteArray("option://select.mode option://fav.showhelp"));
        QVERIFY(!params->Exists("option://ui"));
        // One key of every type the table uses.
        QStringList samples;
        for (const char *key : {"option://select.mode", "option://row.limit", "option://fav.formwidth",
                                "option://imagelist", "option://show.nodeline", "option://more.caption"}) {
            const QVariant stored = valueOf(params.get(), key);
            samples << QStringLiteral("%1 %2").arg(stored.typeName(), stored.toString());
        }
        QCOMPARE(samples,
                 (QStringList{"int 1", "uchar \x1e", "ushort 650", "uint 0", "bool true", "QByteArray More..."}));
    }

    // Without column names the model refuses and nothing is published; an
    // empty frame still has its default column and group.
    void rebuildPublishesTotalCount()
    {
        TFrameManager manager;
        QVERIFY_THROWS_EXCEPTION(EFrameException, manager.Rebuild());
        QVERIFY(!manager.Params()->Exists("property://total.count"));
        WriteOptionDefaults(manager.Params());
        const auto counts = [&] {
            manager.Rebuild();
            TFrameObjectManager *model = manager.Model();
            return QList<qsizetype>{model->ColumnCount(), qsizetype(model->Groups().size()),
                                    model->Groups().front()->Name.size(),
                                    valueOf(manager.Params(), "property://total.count").toInt()};
        };
        QCOMPARE(counts(), (QList<qsizetype>{1, 1, 0, 0}));
        manager.Params()->SetValue("option://column.names", QByteArray("Name,Domain"));
        addItem(manager, "a", "g");
        addItem(manager, "b");
        QCOMPARE(counts(), (QList<qsizetype>{2, 2, 0, 2}));
        QCOMPARE(valueOf(manager.Params(), "property://total.count"), QVariant(int32_t(2)));
    }

    // Items given as "id:group:column 1:column 2;..." get the steps: "build"
    // (the model), "list IDs" and "value C TEXT" (check passes), "set ID
    // NAME VALUE" (an item's value), "id OLD NEW", "check ID 1|0" (one item
    // by itself), "load IDs" (the checked set loaded), "apply" (pending
    // checks), "publish" (the checked count).
    // After each: the checked IDs as saved | the items' and the groups'
    // states in model order | the passes the host heard of | the published
    // count.
    void checkPasses_data()
    {
        addColumns({"items", "steps", "probes"});
        // IDs match ignoring case; entries that name no item are ignored;
        // the pass makes the checked set equal to the list, an item checked
        // before staying where it was.
        addRow("by list", "a:g1;B:g1;c:g2;d", "build;list b,C,nope;list a,b;list ",
               "|0000/000|0|-;B,c|0110/021|1|-;B,a|1100/010|2|-;|0000/000|3|-");
        // Matching goes through the checked list's per-ID chains once items
        // were checked; IDs that change or first get checked in the same
        // pass must match exactly as the list says ("dup" gets its chain
        // from the first item during the pass). The list keeps the ID an
        // item had when checked: unchecking it under a new ID finds no entry.
        addRow("across chains", "old;dup;DUP;other",
               "build;list old,other;id old new;list Dup,NEW;list Other;list new,dup",
               "|0000/0|0|-;old,other|1001/2|1|-;old,other|1001/2|1|-;old,dup,DUP|1110/2|2|-;old,other|0001/2|3|-;"
               "old,new,dup,DUP|1110/2|4|-");
        // A value pass ignores case, touches only the holders of the value
        // and the items checked before, and ends as setting every item in
        // model order would; a value changed behind the index it keeps
        // counts at the next pass; a group left empty ("") is passed over.
        addRow("by value", "a:g1:v;b:g1:w;c:g2:V;d:g2:v;e:g2;x:h:alpha:Alpha;y:h:Alphabet",
               "build;list e,b;value 1 v;set b column1_data V;value 1 v;value 1 ;value 1 Alpha;value 2 ALPHA",
               "|0000000/0000|0|-;b,e|0100100/0220|1|-;a,c,d|1011000/0220|2|-;a,c,d|1011000/0220|2|-;"
               "a,c,d,b|1111000/0120|3|-;e|0000100/0020|4|-;x|0000010/0002|5|-;x|0000010/0002|6|-");
        // An uncheck takes out the first entry equal to the item's ID
        // ignoring case, though another item was checked under it: that
        // item keeps the entry the unchecked one made, in its spelling.
        addRow("shared ID", "a;A;b", "build;check a 1;check A 1;check b 1;check A 0;check a 0",
               "|000/0|0|-;a|100/0|0|-;a,A|110/0|0|-;a,A,b|111/0|0|-;A,b|101/0|0|-;b|001/0|0|-");
        // The same ID twice: two rows, counted twice.
        addRow("published count", "a;a", "build;list A;publish", "|00/0|0|-;a,a|11/1|1|-;a,a|11/1|1|int 2");
        addRow("stored and cleared", "one;two;three;with blank", "build;load with blank,one;load ",
               "|0000/0|0|-;one,with blank|1001/2|1|-;|0000/0|2|-");
        // A set loaded before the model waits for it, kept as it was loaded
        // until the model's own list answers, and is applied once only: a
        // later rebuild starts unchecked, as any does. A pass once the model
        // exists replaces a kept list never applied.
        addRow("loaded before the model", "one;two", "load TWO,gone;build;apply;build;apply",
               "TWO,gone|/|0|-;|00/0|0|-;two|01/2|1|-;|00/0|1|-;|00/0|1|-");
        addRow("replaced before applied", "one", "load one;build;load ;apply", "one|/|0|-;|0/0|0|-;|0/0|1|-;|0/0|1|-");
    }
    void checkPasses()
    {
        QFETCH(QString, items);
        QFETCH(QString, steps);
        TFrameManager manager;
        WriteOptionDefaults(manager.Params());
        QMap<QString, IPtr<IFrameItem>> byId;
        for (const QString &spec : items.split(u';')) {
            const QStringList f = spec.split(u':');
            byId[f[0]] =
                addItem(manager, f[0], f.value(1), {{"column1_data", f.value(2)}, {"column2_data", f.value(3)}});
        }
        int passes = 0;
        manager.OnItemsChecked = [&] { ++passes; };
        IPtr<IDataStorage> state;
        manager.GetState(state.put());
        QStringList probes;
        for (const QString &step : steps.split(u';')) {
            const QString verb = step.section(u' ', 0, 0), rest = step.section(u' ', 1);
            const QStringList ids = rest.isEmpty() ? QStringList() : rest.split(u',');
            if (verb == u"build")
                manager.Rebuild();
            else if (verb == u"list")
                manager.CheckByList(ids);
            else if (verb == u"value")
                manager.CheckByValue(rest.section(u' ', 0, 0).toInt(), rest.section(u' ', 1));
            else if (verb == u"set") {
                IPtr<IStringValueList> values;
                byId[rest.section(u' ', 0, 0)]->GetValues(values.put());
                values->SetValue(rest.section(u' ', 1, 1), rest.section(u' ', 2));
            } else if (verb == u"check") {
                for (TFrameItemObject *item : manager.Model()->Items())
                    if (item->Item == byId[rest.section(u' ', 0, 0)])
                        item->SetState(rest.endsWith(u'1') ? fcsChecked : fcsUnchecked);
            } else if (verb == u"id")
                byId[rest.section(u' ', 0, 0)]->SetID(rest.section(u' ', 1));
            else if (verb == u"load")
                state->Load(ids);
            else if (verb == u"apply")
                manager.ApplyPendingChecks();
            else
                manager.PublishCheckedCount();
            QStringList saved{"stale line"};
            state->Save(&saved);
            QString groups;
            for (const TFrameItemObject *item : manager.Model()->Items())
                groups += QString::number(item->State);
            groups += u'/';
            for (const auto &group : manager.Model()->Groups())
                groups += QString::number(group->State);
            const QVariant published = valueOf(manager.Params(), "property://checked.count");
            probes << QStringLiteral("%1|%2|%3|%4")
                          .arg(saved.join(u','), groups)
                          .arg(passes)
                          .arg(published.isValid() ? published.typeName() + QStringLiteral(" ") + published.toString()
                                                   : "-");
        }
        QTEST(probes.join(u';'), "probes");
    }
};

QTEST_GUILESS_MAIN(TestFrameManager)
#include "tst_framemanager.moc"
