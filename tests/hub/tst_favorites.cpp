// SPDX-License-Identifier: MIT
// Favorites the host keeps, their lines and their enumerators. Random
// lines are replayed by fuzz_favorites.
#include "hub/Enumerators.h"
#include "hub/FavoritesManager.h"
#include "hub/FrameItem.h"
#include "hub/SelectFavorite.h"

#include <QScopeGuard>
#include <QSemaphore>
#include <QTest>
#include <QThread>

#include <memory>
#include <typeinfo>

using namespace selectframe;

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

} // namespace

class TestFavorites : public QObject
{
    Q_OBJECT

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
    static void load(TManager m, QStringList lines) { m.query<IDataStorage>()->Load(lines); }
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

private slots:
    void init() { manager->Clear(); }

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

        load(manager, {"d=1", "d=2", "e="});
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
        load(manager, {"A=1,2", "plain", "", "=x", "x=y=1,2"});
        QCOMPARE(contents(manager), (QStringList{"A=[1|2]", "plain=[]", "=[]", "=[x]", "x=[y=1|2]"}));

        load(manager, {});
        add(manager, "Поиск «быстрый»", {"日本語", "with blank", "a,b", "say \"hi\"", "", "tab\there"});
        add(manager, " emoji 😀 ", {"😀", " lead", "trail "});
        const TManager again(new TFavoritesManager);
        load(again, saved(manager));
        QCOMPARE(contents(again), contents(manager));
        QCOMPARE(contents(again).size(), 2);
    }

    /// A copy keeps what lines would not: duplicates, '=' in names, empty
    /// IDs; later edits on either side stay on that side.
    void assignCopiesEverything()
    {
        load(manager, {"d=1", "d=2"});
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

QTEST_GUILESS_MAIN(TestFavorites)
#include "tst_favorites.moc"
