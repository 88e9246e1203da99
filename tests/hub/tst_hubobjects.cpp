// SPDX-License-Identifier: MIT
// What the hub hands a host: the frame's value bag and handler registry,
// their hooks and their locks; items and their value lists, with and
// without the tree row that shows them; the favorites, their lines and
// their enumerators (random lines are replayed by fuzz_favorites).
#include "hub/Enumerators.h"
#include "hub/FavoritesManager.h"
#include "hub/FrameItem.h"
#include "hub/FrameItemRow.h"
#include "hub/NamedMethods.h"
#include "hub/NamedParams.h"
#include "hub/SelectFavorite.h"
#include "hub/StringValueList.h"

#include <selectframe/EFrameException.h>

#include "platform/DataTable.h"

#include <QScopeGuard>
#include <QSemaphore>
#include <QTest>
#include <QThread>

#include <atomic>
#include <map>
#include <memory>
#include <typeinfo>
#include <vector>

using namespace selectframe;
using namespace selectframe::test;

namespace {

using TManager = IPtr<IFavoritesManager>;
using TEnumerator = IPtr<IFavoritesEnumerator>;

/// What `get` of `object` hands out through its last argument, after `args`.
template <class I, class O, class M, class... A>
IPtr<I> out(const IPtr<O> &object, M get, const A &...args)
{
    IPtr<I> result;
    (object.get()->*get)(args..., result.put());
    return result;
}

/// A write hook over `bag`: counts its calls and any two at once, vetoes
/// the names in `vetoed` and integers above the bag's own "option://limit",
/// scales integers by `factor` and, with `write`, writes to the bag.
struct THook
{
    INamedParams *bag;
    QByteArrayList vetoed;
    int factor = 1;
    bool write = false;
    std::atomic<int> inside{0}, overlaps{0}, calls{0};

    static void call(void *data, const QByteArray &name, QVariant *value, bool *accept)
    {
        auto &hook = *static_cast<THook *>(data);
        hook.overlaps += hook.inside++ != 0;
        ++hook.calls;
        QVariant limit;
        hook.bag->GetValue("option://limit", &limit);
        const bool isInt = value->typeId() == QMetaType::Int;
        *accept = !hook.vetoed.contains(name) && !(isInt && limit.isValid() && value->toInt() > limit.toInt());
        if (isInt)
            *value = value->toInt() * hook.factor;
        --hook.inside;
        if (hook.write)
            hook.bag->SetValue("option://other", 1);
    }
};

void methodsHook(void *data, const QByteArray &name, TMethod *method, bool *accept)
{
    // Vetoes all while the log is empty, else swaps in the method there.
    auto *swaps = static_cast<std::vector<TMethod> *>(data);
    if ((*accept = !swaps->empty()))
        *method = swaps->back();
}

/// Stands in for the tree: knows two nodes, keeps their check states and
/// logs what items asked of it as "check 0", "set 1 true", "refresh 0",
/// "text 1".
struct TFakeRowOps final : IFrameItemRowOps
{
    char rows[2] = {};
    std::map<TSelectFrameNode *, bool> checked;
    QStringList log;

    TSelectFrameNode *node(int i) { return reinterpret_cast<TSelectFrameNode *>(&rows[i]); }
    QString name(TSelectFrameNode *n) { return QString::number(n == node(1)); }
    bool rowChecked(TSelectFrameNode *n) override { return log << "check " + name(n), checked[n]; }
    void setRowChecked(TSelectFrameNode *n, bool value) override
    {
        log << QStringLiteral("set %1 %2").arg(name(n), QLatin1String(value ? "true" : "false"));
        checked[n] = value;
    }
    void refreshRow(TSelectFrameNode *n) override { log << "refresh " + name(n); }
    void rowTextChanged(TSelectFrameNode *n, QStringView value) override
    {
        log << "text " + name(n) + (value.isEmpty() ? QString() : u' ' + value.toString());
    }
};

TFakeRowOps fakeOps;

} // namespace

class TestHubObjects : public QObject
{
    Q_OBJECT

    IPtr<INamedParams> params;
    INamedParamsList *list = nullptr;

    QVariant valueOf(const QByteArray &name) const
    {
        QVariant value = QStringLiteral("unchanged");
        params->GetValue(name, &value);
        return value;
    }
    QByteArray nameAt(int32_t index) const
    {
        QByteArray name = "unchanged";
        list->GetName(index, &name);
        return name;
    }

    const TManager manager{new TFavoritesManager};

    static auto add(TManager m, QString name, QStringList ids = {})
    {
        const auto favorite = out<ISelectFavorite>(m, &IFavoritesManager::Add, name);
        *favorite->GetItems() += ids;
        return favorite;
    }
    static auto find(TManager m, QString name) { return out<ISelectFavorite>(m, &IFavoritesManager::Find, name); }
    static auto enumerate(TManager m) { return out<IFavoritesEnumerator>(m, &IFavoritesManager::GetEnumerator); }
    static auto current(TEnumerator e) { return out<ISelectFavorite>(e, &IFavoritesEnumerator::GetCurrent); }
    static QStringList saved(TManager m)
    {
        QStringList lines{"left over"};
        m.query<IDataStorage>()->Save(&lines);
        return lines;
    }
    /// The favorites as "name=[id|id]", in the manager's order.
    static QStringList contents(TManager m)
    {
        QStringList result;
        for (const TEnumerator enumerator = enumerate(m); enumerator->MoveNext();) {
            QString name;
            current(enumerator)->GetName(&name);
            result << name + "=[" + current(enumerator)->GetItems()->join(u'|') + ']';
        }
        return result;
    }

    static QString idOf(const IPtr<IFrameItemEx> &item)
    {
        QString id;
        item->GetID(&id);
        return id;
    }
    static auto valuesOf(const IPtr<IFrameItemEx> &item) { return out<IStringValueList>(item, &IFrameItem::GetValues); }
    static QString valueOf(const IPtr<IStringValueList> &values, const QString &name)
    {
        QString value = QStringLiteral("unchanged");
        values->GetValue(name, &value);
        return value;
    }

private slots:
    void init()
    {
        params = IPtr<INamedParams>(new TNamedParams);
        list = params.query<INamedParamsList>().get();
        manager->Clear();
        fakeOps = TFakeRowOps();
        // Answers only for the fake tree's own nodes.
        setFrameItemRowOpsResolver([](TSelectFrameNode *node) -> IFrameItemRowOps * {
            return node == fakeOps.node(0) || node == fakeOps.node(1) ? &fakeOps : nullptr;
        });
    }

    // Names are exact and listed in key order; an invalid variant is a
    // value like any other; an index out of range names nothing.
    void storesExactKeysInKeyOrder()
    {
        QByteArrayList inserted{"property://total.count", "option://b", "Option://z", "option://a", "option://a.b"};
        for (int i = 0; i < inserted.size(); ++i)
            params->SetValue(inserted[i], i + 100);
        params->SetValue("option://b", 1);
        params->SetValue("option://a", QVariant());
        std::sort(inserted.begin(), inserted.end());
        QByteArrayList listed;
        QVariantList values;
        for (int32_t i = 0; i < list->GetCount() + 2; ++i) {
            listed << nameAt(i);
            list->GetValueAt(i, &values.emplace_back(1));
        }
        QCOMPARE(listed, (inserted + QByteArrayList{"", ""}));
        QCOMPARE(values, (QVariantList{102, QVariant(), 104, 1, 100, QVariant(), QVariant()}));
        QCOMPARE(valueOf("OPTION://A"), valueOf("option://a"));
        QVERIFY(params->Exists("option://a") && !params->Exists("OPTION://A"));
        QCOMPARE(nameAt(INT32_MAX) + nameAt(-1), QByteArray());
    }

    // The hook vetoes and changes writes and may read the bag it guards;
    // an empty name is dropped before it sees it; writing to the bag from
    // the hook fails clearly and leaves the bag usable, where a lock held
    // twice would hang; a hook taken away sees nothing more.
    void hookVetoesChangesAndReads()
    {
        params->SetValue("option://kept", 5);
        params->SetValue("option://limit", 40);
        THook hook{params.get(), {"option://kept", "option://new"}, 10};
        const IPtr<INamedParamsNotify> notify = params.query<INamedParamsNotify>();
        notify->SetHook(makeMethod(&THook::call, &hook));
        const QVariantMap writes{{"option://kept", 6}, {"option://new", 7},    {"option://scaled", 3},
                                 {"option://big", 41}, {"option://text", "3"}, {"", 1}};
        for (auto it = writes.begin(); it != writes.end(); ++it)
            params->SetValue(it.key().toUtf8(), *it);
        QCOMPARE(hook.calls.load(), 5);
        QCOMPARE((QVariantList{valueOf("option://kept"), valueOf("option://scaled"), valueOf("option://text")}),
                 (QVariantList{5, 30, "3"}));
        QVERIFY(!params->Exists("option://new") && !params->Exists("option://big") && !params->Exists(""));
        hook.write = true;
        QVERIFY_THROWS_EXCEPTION(EFrameException, params->SetValue("option://scaled", 1));
        QCOMPARE(valueOf("option://scaled"), QVariant(30));
        QVERIFY(!params->Exists("option://other"));
        notify->SetHook(TMethod());
        params->SetValue("option://new", 7);
        QCOMPARE(valueOf("option://new"), QVariant(7));
    }

    // Two writers and two readers at once: reads see whole values, the hook
    // never runs twice at a time, and every write lands.
    void concurrentReadersAndWriters()
    {
        THook hook{params.get(), {}};
        params.query<INamedParamsNotify>()->SetHook(makeMethod(&THook::call, &hook));
        constexpr int writers = 2, keys = 1500;
        std::atomic<bool> writing{true};
        std::atomic<int> badReads{0};
        const auto key = [](int writer, int i) { return QStringLiteral("w%1/%2").arg(writer).arg(i).toUtf8(); };
        std::vector<std::unique_ptr<QThread>> threads;
        for (int w = 0; w < writers; ++w)
            threads.emplace_back(QThread::create([&, w] {
                for (int i = 0; i < keys; ++i)
                    params->SetValue(key(w, i), i);
            }));
        for (int r = 0; r < 2; ++r)
            threads.emplace_back(QThread::create([&, r] {
                for (int i = 0; writing.load(); ++i) {
                    const QVariant value = valueOf(key(r, i % keys));
                    const int32_t count = list->GetCount();
                    badReads += (value.typeId() == QMetaType::Int && value.toInt() != i % keys) ||
                                (count > 0 && nameAt((i * 7) % count).isEmpty());
                }
            }));
        for (auto &thread : threads)
            thread->start();
        for (int w = 0; w < writers; ++w)
            QVERIFY(threads[w]->wait(60000));
        writing = false;
        for (auto &thread : threads)
            QVERIFY(thread->wait(60000));
        QCOMPARE((QList<int>{badReads.load(), hook.overlaps.load(), hook.calls.load(), list->GetCount()}),
                 (QList<int>{0, 0, writers * keys, writers * keys}));
        for (int i = 0; i < keys; i += 97)
            QCOMPARE(valueOf(key(1, i)), QVariant(i));
    }

    // Names are exact; unassigned means no code, whatever the data word
    // holds, and removes; a hook may veto a registration or a removal, or
    // swap the method, and a swap to unassigned removes.
    void methodsStoreRemoveAndObeyTheHook()
    {
        const IPtr<INamedMethods> methods(new TNamedMethods);
        int bound = 0;
        const TMethod a = makeMethod(&THook::call, &bound), b = makeMethod(&methodsHook), unassigned{nullptr, &bound};
        const auto set = [&](const char *name, const TMethod &method) {
            methods->SetMethod(name, method);
            return methods->GetMethod(name);
        };
        methods->SetMethod("events://onchange", a);
        QCOMPARE(methods->GetMethod("events://OnChange"), TMethod());
        QCOMPARE(set("events://onchange", b), b);
        QCOMPARE(set("events://absent", unassigned), TMethod());
        QCOMPARE(set("events://onchange", unassigned), TMethod());
        QCOMPARE(set("events://onchange", a), a);
        std::vector<TMethod> swaps;
        methods.query<INamedMethodsNotify>()->SetHook(makeMethod(&methodsHook, &swaps));
        QCOMPARE(set("events://new", a), TMethod());
        QCOMPARE(set("events://onchange", TMethod()), a);
        swaps = {TMethod(), b};
        QCOMPARE(set("events://x", a), b);
        swaps.pop_back();
        QCOMPARE(set("events://x", a), TMethod());
    }

    // Names match without regard to case; one line per name, which a
    // single empty write removes for good; a name holding '=' splits there,
    // and the first of two lines a split name made wins, also after lines
    // before it went; a name is matched by its text, never by where it is
    // kept. The same for a list of its own and an item's.
    void valueLists_data()
    {
        addColumns<bool>("ofItem");
        addRow("list of its own", false);
        addRow("list of an item", true);
    }
    void valueLists()
    {
        QFETCH(bool, ofItem);
        IPtr<IStringValueList> values =
            ofItem ? valuesOf(IPtr<IFrameItemEx>(new TFrameItem)) : IPtr<IStringValueList>(new TStringValueList);
        const auto set = [&](const QList<std::pair<QString, QString>> &lines) {
            for (const auto &[name, value] : lines)
                values->SetValue(name, value);
        };
        const auto read = [&](const QStringList &names) {
            QStringList r;
            for (const QString &name : names)
                r << valueOf(values, name);
            return r;
        };
        set({{"image", "-1"}, {"hint", "tip"}, {"IMAGE", "3"}, {"Größe", "big"}, {"a@", "at"}, {"a`", "grave"}});
        QCOMPARE(read({"image", "GRÖßE", "imag", "images", "A@", "a`"}),
                 (QStringList{"3", "big", "", "", "at", "grave"}));
        set({{"Image", ""}});
        QCOMPARE(read({"image", "hint"}), (QStringList{"", "tip"}));
        set({{"image", "7"}, {"a=b", "c"}});
        QCOMPARE(read({"image", "a", "a=b"}), (QStringList{"7", "b=c", ""}));
        set({{"A", "d"}});
        QCOMPARE(read({"a"}), QStringList{"d"});

        // More lines than an item usually carries, then removals on either
        // side of the first few and new lines after them.
        QStringList names;
        for (int i = 0; i < 12; ++i)
            set({{names.emplace_back(QStringLiteral("Column%1_Data").arg(i)), QString::number(i)}});
        set({{"COLUMN0_DATA", ""}, {"column5_data", ""}, {"column6_data", ""}, {"column11_data", ""}});
        set({{"column0_data", "again"}, {"column3_data", "changed"}});
        QCOMPARE(read(names), QStringList({"again", "1", "2", "changed", "4", "", "", "7", "8", "9", "10", ""}));
        set({{"k", "first"}, {"k=v", "second"}, {"column1_data", ""}});
        QCOMPARE(read({"K"}), QStringList{"first"});
        set({{"k", ""}});
        QCOMPARE(read({"k"}), QStringList{"v=second"});

        // A name changed in place keeps its buffer: it must not pass for
        // the name it was before. On a list of its own.
        values = IPtr<IStringValueList>(new TStringValueList);
        QString name = QStringLiteral("ima") + QStringLiteral("ge");
        values->SetValue(name, "1");
        const QChar *buffer = name.constData();
        name[4] = u'f';
        QCOMPARE(name.constData(), buffer);
        values->SetValue(name, "2");
        QCOMPARE(valueOf(values, "image"), QStringLiteral("1"));
        QCOMPARE(valueOf(values, "imagf"), QStringLiteral("2"));

        // Far more distinct names than items share: every one keeps its line,
        // and lines come and go whether their name is shared or their own.
        int kept = 0;
        for (int i = 0; i < 600; ++i)
            values->SetValue(QStringLiteral("name %1").arg(i), QString::number(i));
        for (int i = 0; i < 600; i += 2)
            values->SetValue(QStringLiteral("NAME %1").arg(i), QString());
        for (int i = 0; i < 600; ++i)
            kept += valueOf(values, QStringLiteral("name %1").arg(i)) == (i % 2 ? QString::number(i) : QString());
        QCOMPARE(kept, 600);
    }

    // The values are an object of their own that holds the item: with the
    // host's last reference to the item gone, both still answer.
    void itemValuesKeepTheItem()
    {
        IPtr<IFrameItemEx> item(new TFrameItem);
        const IPtr<IStringValueList> values = valuesOf(item);
        QCOMPARE(item.query<IFrameItem>().query<IFrameItemEx>(), item);
        QVERIFY(valuesOf(item) == values && values.query<IStringValueList>() == values && !values.query<IFrameItem>());
        QVERIFY(values.query<IInterface>() != item.query<IInterface>());
        item->SetID("kept");
        IFrameItemEx *raw = item.get();
        item.reset();
        QCOMPARE(idOf(IPtr<IFrameItemEx>(raw)), QStringLiteral("kept"));
        values->SetValue("hint", "tip");
        QCOMPARE(valueOf(values, "hint"), QStringLiteral("tip"));
    }

    // Steps on one item: "node 0", "node 1" (the fake tree's nodes),
    // "node foreign" (one nobody answers for), "node none", "unresolved"
    // (no resolver installed), "check", "uncheck", "refresh", "caption",
    // "value", "read" (logs "read" and the check state), "id X" (logs
    // "id" and the ID kept). Check state, refreshes and stale texts go to
    // the row of the node built last, and to none without a row, with a
    // node nobody answers for, or without a resolver; an ID that changes
    // in letter case only is not stored.
    void itemSteps_data()
    {
        addColumns({"steps", "log"});
        addRow("no row", "check;refresh;read", "read false");
        addRow("foreign node", "node foreign;check;refresh;read", "read false");
        addRow("no resolver", "unresolved;node 0;check;refresh;read", "read false");
        addRow("rows",
               "node 0;check;read;refresh;node 1;read;check;uncheck;refresh;caption;value;node none;check;refresh;read",
               "set 0 true;check 0;read true;refresh 0;check 1;read false;set 1 true;set 1 false;refresh 1;text 1;"
               "text 1 column1_data;read false");
        addRow("ids", "id abc;id ABC;id abd;id ;id äbc;id ÄBC", "id abc;id abc;id abd;id ;id äbc;id äbc");
    }
    void itemSteps()
    {
        QFETCH(QString, steps);
        QFETCH(QString, log);
        const IPtr<IFrameItemEx> item(new TFrameItem);
        char foreign = 0;
        for (const QString &step : steps.split(u';')) {
            const QString verb = step.section(u' ', 0, 0), arg = step.section(u' ', 1);
            if (verb == u"node")
                item->SetNode(arg == u"foreign" ? reinterpret_cast<TSelectFrameNode *>(&foreign)
                              : arg == u"none"  ? nullptr
                                                : fakeOps.node(arg.toInt()));
            else if (verb == u"unresolved")
                setFrameItemRowOpsResolver(nullptr);
            else if (verb == u"check" || verb == u"uncheck")
                item->SetChecked(verb == u"check");
            else if (verb == u"refresh")
                item->Refresh();
            else if (verb == u"caption")
                item->SetCaption("renamed");
            else if (verb == u"value")
                valuesOf(item)->SetValue("column1_data", "x");
            else if (verb == u"read")
                fakeOps.log << QStringLiteral("read ") + (item->GetChecked() ? "true" : "false");
            else
                item->SetID(arg), fakeOps.log << "id " + idOf(item);
        }
        QCOMPARE(fakeOps.log, log.split(u';'));
    }

    // Names are exact; adding an existing name gives the favorite there;
    // what the host holds lives on after removal; duplicates from a load
    // are kept and the first one answers.
    void addFindAndRemoveByExactName()
    {
        QVERIFY(!find(manager, "fav"));
        const IPtr<ISelectFavorite> first = add(manager, "fav", {"1"});
        QCOMPARE(add(manager, "fav"), first);
        const IPtr<ISelectFavorite> other = add(manager, "Fav");
        QVERIFY(other != first && find(manager, "Fav") == other && !find(manager, "FAV"));
        manager->Remove("FAV");
        manager->Remove("fav");
        QCOMPARE(contents(manager), QStringList{"Fav=[]"});
        QCOMPARE(*first->GetItems(), QStringList{"1"});

        manager.query<IDataStorage>()->Load({"d=1", "d=2", "e="});
        QCOMPARE(*find(manager, "d")->GetItems(), QStringList{"1"});
        QCOMPARE(*add(manager, "d")->GetItems(), QStringList{"1"});
        manager->Remove("d");
        QCOMPARE(contents(manager), (QStringList{"d=[2]", "e=[]"}));
    }

    // One line a favorite, its IDs as comma text; the name ends at the first
    // '=', so a name holding one does not survive. Awkward names and IDs
    // come back from a save and a load into another manager unchanged.
    void saveAndLoadLines()
    {
        QCOMPARE(saved(manager), QStringList());
        add(manager, "A", {"1", "2"});
        add(manager, "B");
        add(manager, "C", {"a b", "x\"y", "p,q", ""});
        add(manager, "D", {""});
        add(manager, "x=y", {"1", "2"});
        QCOMPARE(saved(manager), (QStringList{"A=1,2", "B=", R"(C="a b","x""y","p,q",)", R"(D="")", "x=y=1,2"}));
        manager.query<IDataStorage>()->Load({"A=1,2", "plain", "", "=x", "x=y=1,2"});
        QCOMPARE(contents(manager), (QStringList{"A=[1|2]", "plain=[]", "=[]", "=[x]", "x=[y=1|2]"}));

        const TManager again(new TFavoritesManager);
        add(again, " Поиск «быстрый» 😀 ", {"日本語", " lead", "trail ", "tab\there", "say \"hi\", \"a,b\""});
        add(again, "");
        manager.query<IDataStorage>()->Load(saved(again));
        QCOMPARE(contents(manager), contents(again));
    }

    /// A copy keeps what lines would not: duplicates, '=' in names, empty
    /// IDs; later edits on either side stay on that side.
    void assignCopiesEverything()
    {
        manager.query<IDataStorage>()->Load({"d=1", "d=2"});
        add(manager, "a=b", {"", " x ", "y,\"z\""});
        auto *copy = new TFavoritesManager;
        const TManager target(copy);
        add(target, "gone");
        copy->Assign(manager.get());
        const QStringList copied{"d=[1]", "d=[2]", "a=b=[| x |y,\"z\"]"};
        QCOMPARE(contents(target), copied);
        find(target, "d")->GetItems()->append("3");
        add(manager, "new");
        QCOMPARE(contents(target), (QStringList{"d=[1|3]", copied[1], copied[2]}));
        copy->Assign(target.get());
        QCOMPARE(contents(target).size(), 3);
    }

    // An enumerator starts before the first favorite, sees later additions,
    // outlives its manager and stays on the last element at the end; an
    // item enumerator over the same kind of list yields items only.
    void enumerators()
    {
        TManager own(new TFavoritesManager);
        QVERIFY(!enumerate(own)->MoveNext());
        const IPtr<ISelectFavorite> a = add(own, "a");
        const TEnumerator enumerator = enumerate(own);
        QVERIFY(!current(enumerator) && enumerator->MoveNext() && current(enumerator) == a);
        const IPtr<ISelectFavorite> b = add(own, "b");
        own.reset();
        QVERIFY(enumerator->MoveNext() && !enumerator->MoveNext() && !enumerator->MoveNext());
        QCOMPARE(current(enumerator), b);
        enumerator->Reset();
        QVERIFY(!current(enumerator) && enumerator->MoveNext() && current(enumerator) == a);

        // A null entry yields no item, any other object fails the cast.
        const IPtr<TInterfaceList> list(new TInterfaceList);
        const IPtr<IFrameItem> item(new TFrameItem);
        list->add(item.get());
        list->add(nullptr);
        list->add(IPtr<ISelectFavorite>(new TSelectFavorite("not an item")).get());
        const IPtr<IFrameItemEnumerator> items(new TFrameItemEnumerator(list.get()));
        const auto currentItem = [&] { return out<IFrameItem>(items, &IFrameItemEnumerator::GetCurrent); };
        QVERIFY(!currentItem() && items->MoveNext() && currentItem() == item && items->MoveNext() && !currentItem());
        QVERIFY(items->MoveNext());
        QVERIFY_THROWS_EXCEPTION(std::bad_cast, currentItem());
        QVERIFY(!items->MoveNext());
    }

    void enumeratorLocksOutOtherThreads()
    {
        TEnumerator enumerator = enumerate(manager);
        QSemaphore started, added;
        std::unique_ptr<QThread> thread(QThread::create([&] {
            started.release();
            add(manager, "from thread");
            added.release();
        }));
        thread->start();
        const auto finish = qScopeGuard([&] {
            enumerator.reset();
            thread->wait();
        });
        QVERIFY(started.tryAcquire(1, 10000));
        QVERIFY2(!added.tryAcquire(1, 300), "Add went through while an enumerator held the list");
        enumerator.reset();
        QVERIFY(added.tryAcquire(1, 10000));
        QCOMPARE(contents(manager), QStringList{"from thread=[]"});
    }
};

QTEST_GUILESS_MAIN(TestHubObjects)
#include "tst_hubobjects.moc"
