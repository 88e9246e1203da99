#include "hub/Enumerators.h"
#include "hub/FavoritesManager.h"
#include "hub/FrameItem.h"
#include "hub/SelectFavorite.h"

#include <QRandomGenerator>
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

QString nameOf(const IPtr<ISelectFavorite> &favorite)
{
    QString name;
    favorite->GetName(&name);
    return name;
}

IPtr<ISelectFavorite> add(const IPtr<IFavoritesManager> &manager, const QString &name, const QStringList &ids = {})
{
    IPtr<ISelectFavorite> favorite;
    manager->Add(name, favorite.put());
    *favorite->GetItems() += ids;
    return favorite;
}

IPtr<ISelectFavorite> find(const IPtr<IFavoritesManager> &manager, const QString &name)
{
    IPtr<ISelectFavorite> favorite;
    manager->Find(name, favorite.put());
    return favorite;
}

IPtr<IFavoritesEnumerator> enumerate(const IPtr<IFavoritesManager> &manager)
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

TFavorites contents(const IPtr<IFavoritesManager> &manager)
{
    TFavorites result;
    const IPtr<IFavoritesEnumerator> enumerator = enumerate(manager);
    while (enumerator->MoveNext()) {
        const IPtr<ISelectFavorite> favorite = currentOf(enumerator);
        result.append({nameOf(favorite), *favorite->GetItems()});
    }
    return result;
}

QStringList saved(const IPtr<IFavoritesManager> &manager)
{
    QStringList lines{"left over"};
    manager.query<IDataStorage>()->Save(&lines);
    return lines;
}

void load(const IPtr<IFavoritesManager> &manager, const QStringList &lines)
{
    manager.query<IDataStorage>()->Load(lines);
}

/// A text of `length` characters drawn mostly from what comma text and
/// favorites lines treat specially.
QString adversarialText(QRandomGenerator &random, int length)
{
    static const QString special = QString::fromUtf8("=,\" \t\r\n\x01\x1f\x7f" "aZ9_-äß日") + QChar(0) + QChar(0xD83D) + QChar(0xDE00) + QChar(0xDC00);
    QString text;
    for (int i = 0; i < length; ++i)
        text += random.bounded(4) ? special[random.bounded(int(special.size()))] : QChar(char16_t(random.bounded(1, 0xFFFF)));
    return text;
}

} // namespace

class TestFavorites : public QObject
{
    Q_OBJECT

private slots:
    void addFindAndRemoveByExactName()
    {
        const IPtr<IFavoritesManager> manager(new TFavoritesManager);
        QVERIFY(!find(manager, "fav"));
        const IPtr<ISelectFavorite> first = add(manager, "fav", {"1"});
        QCOMPARE(add(manager, "fav"), first);
        QCOMPARE(*first->GetItems(), QStringList{"1"});
        const IPtr<ISelectFavorite> other = add(manager, "Fav");
        QVERIFY(other != first);
        QCOMPARE(find(manager, "Fav"), other);
        QVERIFY(!find(manager, "FAV"));

        manager->Remove("FAV");
        manager->Remove("unknown");
        QCOMPARE(contents(manager), (TFavorites{{"fav", {"1"}}, {"Fav", {}}}));
        manager->Remove("fav");
        QCOMPARE(contents(manager), (TFavorites{{"Fav", {}}}));
        // What the host still holds lives on after removal.
        QCOMPARE(nameOf(first), QStringLiteral("fav"));

        // Duplicates from a load are kept; the first one answers.
        load(manager, {"d=1", "d=2", "e="});
        QCOMPARE(*find(manager, "d")->GetItems(), QStringList{"1"});
        QCOMPARE(*add(manager, "d")->GetItems(), QStringList{"1"});
        manager->Remove("d");
        QCOMPARE(contents(manager), (TFavorites{{"d", {"2"}}, {"e", {}}}));
        manager->Clear();
        QCOMPARE(contents(manager), TFavorites());
    }

    void saveAndLoadLines()
    {
        const IPtr<IFavoritesManager> manager(new TFavoritesManager);
        QCOMPARE(saved(manager), QStringList());
        add(manager, "A", {"1", "2"});
        add(manager, "B");
        add(manager, "C", {"a b", "x\"y", "p,q", ""});
        add(manager, "D", {""});
        add(manager, "x=y", {"1", "2"});
        QCOMPARE(saved(manager), (QStringList{"A=1,2", "B=", R"(C="a b","x""y","p,q",)", R"(D="")", "x=y=1,2"}));

        // The name ends at the first '=', so a name holding one does not survive.
        load(manager, {"A=1,2", "B=", "plain", "", "=x", "x=y=1,2"});
        QCOMPARE(contents(manager), (TFavorites{{"A", {"1", "2"}}, {"B", {}}, {"plain", {}}, {"", {}}, {"", {"x"}}, {"x", {"y=1", "2"}}}));
        load(manager, {});
        QCOMPARE(contents(manager), TFavorites());
    }

    /// A copy keeps what lines would not: duplicates, '=' in names, empty
    /// IDs; later edits on either side stay on that side.
    void assignCopiesEverything()
    {
        const IPtr<IFavoritesManager> source(new TFavoritesManager);
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

    void enumeratorSteps()
    {
        IPtr<IFavoritesManager> manager(new TFavoritesManager);
        QVERIFY(!enumerate(manager)->MoveNext());
        const IPtr<ISelectFavorite> a = add(manager, "a");
        const IPtr<IFavoritesEnumerator> enumerator = enumerate(manager);
        QVERIFY(!currentOf(enumerator));
        QVERIFY(enumerator->MoveNext());
        QCOMPARE(currentOf(enumerator), a);
        // The enumerating thread may still change the list, and the list
        // outlives its manager.
        const IPtr<ISelectFavorite> b = add(manager, "b");
        manager.reset();
        QVERIFY(enumerator->MoveNext());
        QCOMPARE(currentOf(enumerator), b);
        // At the end it stays on the last element.
        QVERIFY(!enumerator->MoveNext());
        QVERIFY(!enumerator->MoveNext());
        QCOMPARE(currentOf(enumerator), b);
        enumerator->Reset();
        QVERIFY(!currentOf(enumerator));
        QVERIFY(enumerator->MoveNext());
        QCOMPARE(currentOf(enumerator), a);
    }

    void enumeratorLocksOutOtherThreads()
    {
        const IPtr<IFavoritesManager> manager(new TFavoritesManager);
        IPtr<IFavoritesEnumerator> enumerator = enumerate(manager);
        QSemaphore started;
        QSemaphore added;
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

    // Favorites with awkward names and IDs come back from their lines; the
    // lines of random and hostile text load one favorite each and survive
    // a second save and load unchanged.
    void savedLinesRoundTrip()
    {
        const TFavorites favorites{
            {QString::fromUtf8("Поиск «быстрый»"), {QString::fromUtf8("日本語"), "with blank", "a,b", "say \"hi\"", "", "tab\there"}},
            {"", {"x"}},
            {"empty", {}},
            {QString::fromUtf8("emoji 😀"), {QString::fromUtf8("😀"), " lead", "trail "}},
            {" blank name ", {"1", "1"}},
        };
        const IPtr<IFavoritesManager> source(new TFavoritesManager);
        for (const TFavoriteData &f : favorites)
            add(source, f.name, f.ids);
        QStringList lines = saved(source);
        lines += {"", "=", "==", ",,,=,,,", "\"", "a=\"", "a=\"\"\"", "a=\"unterminated, with, commas", "a=,",
                  QString(200000, u'x') + u'=' + QString(200000, u','), "n=" + QString(50000, u'"'),
                  QString("c=\x01\x02\x03,\x1f x"), QString::fromUtf16(u"nul\0name=1\0,2", 13)};
        QRandomGenerator random(20240611);
        for (int i = 0; i < 400; ++i)
            lines.append(adversarialText(random, int(random.bounded(i % 50 == 0 ? 5000 : 40))));

        const IPtr<IFavoritesManager> manager(new TFavoritesManager);
        load(manager, lines);
        const TFavorites loaded = contents(manager);
        QCOMPARE(loaded.size(), lines.size());
        QCOMPARE(loaded.mid(0, favorites.size()), favorites);
        const QStringList first = saved(manager);
        QCOMPARE(first.mid(0, favorites.size()), saved(source));

        const IPtr<IFavoritesManager> again(new TFavoritesManager);
        load(again, first);
        QCOMPARE(contents(again), loaded);
        QCOMPARE(saved(again), first);
    }
};

QTEST_GUILESS_MAIN(TestFavorites)
#include "tst_favorites.moc"
