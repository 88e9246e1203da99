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

/// A favorite as plain data, for comparisons.
struct TFavoriteData
{
    QString name;
    QStringList ids;
    bool operator==(const TFavoriteData &o) const { return name == o.name && ids == o.ids; }
};

char *toString(const TFavoriteData &f)
{
    return QTest::toString(f.name + u'=' + u'[' + f.ids.join(u'|') + u']');
}

using TFavorites = QList<TFavoriteData>;
using TManager = IPtr<IFavoritesManager>;

QString nameOf(const IPtr<ISelectFavorite> &favorite)
{
    QString name;
    favorite->GetName(&name);
    return name;
}

IPtr<ISelectFavorite> add(const TManager &manager, const QString &name, const QStringList &ids = {})
{
    IPtr<ISelectFavorite> favorite;
    manager->Add(name, favorite.put());
    *favorite->GetItems() += ids;
    return favorite;
}

IPtr<ISelectFavorite> find(const TManager &manager, const QString &name)
{
    IPtr<ISelectFavorite> favorite;
    manager->Find(name, favorite.put());
    return favorite;
}

IPtr<IFavoritesEnumerator> enumerate(const TManager &manager)
{
    IPtr<IFavoritesEnumerator> enumerator;
    manager->GetEnumerator(enumerator.put());
    return enumerator;
}

IPtr<ISelectFavorite> currentOf(const IPtr<IFavoritesEnumerator> &enumerator)
{
    IPtr<ISelectFavorite> favorite;
    enumerator->GetCurrent(favorite.put());
    return favorite;
}

TFavorites contents(const TManager &manager)
{
    TFavorites result;
    const IPtr<IFavoritesEnumerator> enumerator = enumerate(manager);
    while (enumerator->MoveNext())
        result.append({nameOf(currentOf(enumerator)), *currentOf(enumerator)->GetItems()});
    return result;
}

QStringList saved(const TManager &manager)
{
    QStringList lines{"left over"};
    manager.query<IDataStorage>()->Save(&lines);
    return lines;
}

void load(const TManager &manager, const QStringList &lines)
{
    manager.query<IDataStorage>()->Load(lines);
}

} // namespace

class TestFavorites : public QObject
{
    Q_OBJECT

private slots:
    // Names are exact; adding an existing name gives the favorite there;
    // what the host holds lives on after removal; duplicates from a load
    // are kept and the first one answers.
    void addFindAndRemoveByExactName()
    {
        const TManager manager(new TFavoritesManager);
        QVERIFY(!find(manager, "fav"));
        const IPtr<ISelectFavorite> first = add(manager, "fav", {"1"});
        QCOMPARE(add(manager, "fav"), first);
        const IPtr<ISelectFavorite> other = add(manager, "Fav");
        QVERIFY(other != first);
        QCOMPARE(find(manager, "Fav"), other);
        QVERIFY(!find(manager, "FAV"));
        manager->Remove("FAV");
        manager->Remove("unknown");
        QCOMPARE(contents(manager), (TFavorites{{"fav", {"1"}}, {"Fav", {}}}));
        manager->Remove("fav");
        QCOMPARE(contents(manager), (TFavorites{{"Fav", {}}}));
        QCOMPARE(nameOf(first), QStringLiteral("fav"));

        load(manager, {"d=1", "d=2", "e="});
        QCOMPARE(*find(manager, "d")->GetItems(), QStringList{"1"});
        QCOMPARE(*add(manager, "d")->GetItems(), QStringList{"1"});
        manager->Remove("d");
        QCOMPARE(contents(manager), (TFavorites{{"d", {"2"}}, {"e", {}}}));
        manager->Clear();
        QCOMPARE(contents(manager), TFavorites());
    }

    // One line a favorite, its IDs as comma text; the name ends at the first
    // '=', so a name holding one does not survive. Awkward names and IDs
    // come back from a save and a load into another manager unchanged
    // (hostile lines are replayed by fuzz_favorites).
    void saveAndLoadLines()
    {
        const TManager manager(new TFavoritesManager);
        QCOMPARE(saved(manager), QStringList());
        add(manager, "A", {"1", "2"});
        add(manager, "B");
        add(manager, "C", {"a b", "x\"y", "p,q", ""});
        add(manager, "D", {""});
        add(manager, "x=y", {"1", "2"});
        QCOMPARE(saved(manager), (QStringList{"A=1,2", "B=", R"(C="a b","x""y","p,q",)", R"(D="")", "x=y=1,2"}));
        load(manager, {"A=1,2", "B=", "plain", "", "=x", "x=y=1,2"});
        QCOMPARE(contents(manager),
                 (TFavorites{{"A", {"1", "2"}}, {"B", {}}, {"plain", {}}, {"", {}}, {"", {"x"}}, {"x", {"y=1", "2"}}}));
        load(manager, {});
        QCOMPARE(contents(manager), TFavorites());

        const TFavorites favorites{{QString::fromUtf8("Поиск «быстрый»"),
                                    {QString::fromUtf8("日本語"), "with blank", "a,b", "say \"hi\"", "", "tab\there"}},
                                   {"", {"x"}},
                                   {QString::fromUtf8("emoji 😀"), {QString::fromUtf8("😀"), " lead", "trail "}},
                                   {" blank name ", {"1", "1"}}};
        for (const TFavoriteData &f : favorites)
            add(manager, f.name, f.ids);
        const TManager again(new TFavoritesManager);
        load(again, saved(manager));
        QCOMPARE(contents(again), favorites);
    }

    /// A copy keeps what lines would not: duplicates, '=' in names, empty
    /// IDs; later edits on either side stay on that side.
    void assignCopiesEverything()
    {
        const TManager source(new TFavoritesManager);
        load(source, {"d=1", "d=2"});
        add(source, "a=b", {"", " x ", "y,\"z\""});
        auto *copy = new TFavoritesManager;
        const IPtr<IFavoritesManager> target(copy);
        add(target, "gone");
        copy->Assign(source.get());
        const TFavorites copied{{"d", {"1"}}, {"d", {"2"}}, {"a=b", {"", " x ", "y,\"z\""}}};
        QCOMPARE(contents(target), copied);
        find(target, "d")->GetItems()->append("3");
        add(source, "new");
        TFavorites edited = copied;
        edited[0].ids.append("3");
        QCOMPARE(contents(target), edited);
        copy->Assign(target.get());
        QCOMPARE(contents(target).size(), 3);
    }

    // An enumerator starts before the first favorite, sees later additions,
    // outlives its manager and stays on the last element at the end.
    void enumeratorSteps()
    {
        TManager manager(new TFavoritesManager);
        QVERIFY(!enumerate(manager)->MoveNext());
        const IPtr<ISelectFavorite> a = add(manager, "a");
        const IPtr<IFavoritesEnumerator> enumerator = enumerate(manager);
        QVERIFY(!currentOf(enumerator));
        QVERIFY(enumerator->MoveNext());
        QCOMPARE(currentOf(enumerator), a);
        const IPtr<ISelectFavorite> b = add(manager, "b");
        manager.reset();
        QVERIFY(enumerator->MoveNext());
        QVERIFY(!enumerator->MoveNext() && !enumerator->MoveNext());
        QCOMPARE(currentOf(enumerator), b);
        enumerator->Reset();
        QVERIFY(!currentOf(enumerator));
        QVERIFY(enumerator->MoveNext());
        QCOMPARE(currentOf(enumerator), a);
    }

    void enumeratorLocksOutOtherThreads()
    {
        const TManager manager(new TFavoritesManager);
        IPtr<IFavoritesEnumerator> enumerator = enumerate(manager);
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
        QCOMPARE(contents(manager), (TFavorites{{"from thread", {}}}));
    }

    // Items only: a null entry yields none, any other object fails the cast.
    void itemEnumeratorYieldsItems()
    {
        const IPtr<TInterfaceList> list(new TInterfaceList);
        const IPtr<IFrameItem> item(new TFrameItem);
        list->add(item.get());
        list->add(nullptr);
        list->add(IPtr<ISelectFavorite>(new TSelectFavorite("not an item")).get());
        const IPtr<IFrameItemEnumerator> enumerator(new TFrameItemEnumerator(list.get()));
        const auto current = [&] {
            IPtr<IFrameItem> result;
            enumerator->GetCurrent(result.put());
            return result;
        };
        QVERIFY(!current());
        QVERIFY(enumerator->MoveNext());
        QCOMPARE(current(), item);
        QVERIFY(enumerator->MoveNext());
        QVERIFY(!current());
        QVERIFY(enumerator->MoveNext());
        QVERIFY_THROWS_EXCEPTION(std::bad_cast, current());
        QVERIFY(!enumerator->MoveNext());
    }
};

QTEST_GUILESS_MAIN(TestFavorites)
#include "tst_favorites.moc"
