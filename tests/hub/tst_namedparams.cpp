#include "hub/NamedMethods.h"
#include "hub/NamedParams.h"

#include <selectframe/EFrameException.h>

#include <QTest>
#include <QThread>

#include <atomic>
#include <memory>
#include <vector>

using namespace selectframe;

namespace {

/// What a write hook saw, and what it does: veto names in `vetoed`, scale
/// integer values by `factor`.
struct TParamsHookProbe
{
    QByteArrayList vetoed;
    int factor = 1;
    std::atomic<int> inside{0};
    std::atomic<int> overlaps{0};
    std::atomic<int> calls{0};
};

void paramsHook(void *data, const QByteArray &name, QVariant *value, bool *accept)
{
    auto *probe = static_cast<TParamsHookProbe *>(data);
    if (probe->inside.fetch_add(1) != 0)
        ++probe->overlaps;
    ++probe->calls;
    if (probe->vetoed.contains(name))
        *accept = false;
    else if (probe->factor != 1 && value->typeId() == QMetaType::Int)
        *value = value->toInt() * probe->factor;
    probe->inside.fetch_sub(1);
}

/// What a registration hook saw; it vetoes or swaps in `replacement`.
struct TMethodsHookProbe
{
    QByteArrayList names;
    bool accept = true;
    bool replace = false;
    TMethod replacement;
};

void methodsHook(void *data, const QByteArray &name, TMethod *method, bool *accept)
{
    auto *probe = static_cast<TMethodsHookProbe *>(data);
    probe->names.append(name);
    if (probe->replace)
        *method = probe->replacement;
    *accept = probe->accept;
}

void handlerA(void *) {}
void handlerB(void *) {}

QVariant valueOf(const IPtr<INamedParams> &params, const QByteArray &name)
{
    QVariant value;
    params->GetValue(name, &value);
    return value;
}

QByteArray nameAt(const IPtr<INamedParamsList> &list, int32_t index)
{
    QByteArray name = "unchanged";
    list->GetName(index, &name);
    return name;
}

} // namespace

class TestNamedParams : public QObject
{
    Q_OBJECT

private slots:
    void storesExactKeysInKeyOrder()
    {
        const IPtr<INamedParams> params(new TNamedParams);
        const auto list = params.query<INamedParamsList>();
        const QByteArrayList inserted{"property://total.count", "option://b", "Option://z", "option://a", "option://a.b"};
        for (int i = 0; i < inserted.size(); ++i)
            params->SetValue(inserted[i], i + 100);
        params->SetValue("option://b", 1);
        QByteArrayList sorted = inserted;
        std::sort(sorted.begin(), sorted.end());
        QCOMPARE(list->GetCount(), int32_t(sorted.size()));
        for (int i = 0; i < sorted.size(); ++i)
            QCOMPARE(nameAt(list, i), sorted[i]);
        QVariant value;
        list->GetValueAt(2, &value);
        QCOMPARE(value, QVariant(104)); // "option://a.b"
        QCOMPARE(valueOf(params, "option://b"), QVariant(1));
        QVERIFY(!params->Exists("OPTION://A"));
        QVERIFY(!valueOf(params, "option://x").isValid());
        // An invalid variant is a value like any other.
        params->SetValue("option://a", QVariant());
        QVERIFY(params->Exists("option://a"));
        QCOMPARE(list->GetCount(), int32_t(sorted.size()));
        for (const int32_t index : {int32_t(sorted.size()), int32_t(sorted.size() + 1), INT32_MAX, int32_t(-1)}) {
            value = QStringLiteral("unchanged");
            list->GetValueAt(index, &value);
            QCOMPARE(nameAt(list, index), QByteArray());
            QVERIFY(!value.isValid());
        }
    }

    void hookVetoesAndChangesWrites()
    {
        const IPtr<INamedParams> params(new TNamedParams);
        params->SetValue("option://kept", 5);
        TParamsHookProbe probe;
        probe.vetoed = {"option://kept", "option://new"};
        probe.factor = 10;
        const auto notify = params.query<INamedParamsNotify>();
        notify->SetHook(makeMethod(&paramsHook, &probe));

        params->SetValue("option://kept", 6);
        params->SetValue("option://new", 7);
        params->SetValue("option://scaled", 3);
        params->SetValue("option://text", QStringLiteral("3"));
        // An empty name is dropped before the hook sees it.
        params->SetValue(QByteArray(), 1);
        params->SetValue("", 1);

        QCOMPARE(probe.calls.load(), 4);
        QCOMPARE(valueOf(params, "option://kept"), QVariant(5));
        QVERIFY(!params->Exists("option://new"));
        QVERIFY(!params->Exists(""));
        QCOMPARE(valueOf(params, "option://scaled"), QVariant(30));
        QCOMPARE(valueOf(params, "option://text"), QVariant(QStringLiteral("3")));

        notify->SetHook(TMethod());
        params->SetValue("option://new", 7);
        QCOMPARE(probe.calls.load(), 4);
        QCOMPARE(valueOf(params, "option://new"), QVariant(7));
    }

    // A hook may read the bag it guards; writing to it fails clearly and
    // leaves the bag usable, where a lock held twice would hang.
    void hookReadsTheBagButMayNotWriteIt()
    {
        struct TGuard
        {
            INamedParams *bag;
            QVariant seenLimit;
            bool write = false;
        };
        const IPtr<INamedParams> params(new TNamedParams);
        params->SetValue("option://limit", 3);
        TGuard guard{params.get(), {}};
        const auto hook = [](void *data, const QByteArray &, QVariant *value, bool *accept) {
            auto *g = static_cast<TGuard *>(data);
            g->bag->GetValue("option://limit", &g->seenLimit);
            *accept = value->toInt() <= g->seenLimit.toInt() && g->bag->Exists("option://limit");
            if (g->write)
                g->bag->SetValue("option://other", 1);
        };
        params.query<INamedParamsNotify>()->SetHook(makeMethod(static_cast<TParamsWriteHook>(hook), &guard));
        params->SetValue("option://n", 2);
        params->SetValue("option://m", 4);
        QCOMPARE(guard.seenLimit, QVariant(3));
        QVERIFY(params->Exists("option://n"));
        QVERIFY(!params->Exists("option://m"));

        guard.write = true;
        QVERIFY_THROWS_EXCEPTION(EFrameException, params->SetValue("option://n", 1));
        QCOMPARE(valueOf(params, "option://n"), QVariant(2));
        QVERIFY(!params->Exists("option://other"));
        guard.write = false;
        params->SetValue("option://n", 1);
        QCOMPARE(valueOf(params, "option://n"), QVariant(1));
    }

    void concurrentReadersAndWriters()
    {
        const IPtr<INamedParams> params(new TNamedParams);
        const auto list = params.query<INamedParamsList>();
        TParamsHookProbe probe;
        params.query<INamedParamsNotify>()->SetHook(makeMethod(&paramsHook, &probe));

        constexpr int writers = 2;
        constexpr int keysPerWriter = 1500;
        std::atomic<bool> writing{true};
        std::atomic<int> badReads{0};
        const auto key = [](int writer, int i) { return QByteArray("w") + QByteArray::number(writer) + '/' + QByteArray::number(i); };

        std::vector<std::unique_ptr<QThread>> threads;
        for (int w = 0; w < writers; ++w)
            threads.emplace_back(QThread::create([&, w] {
                for (int i = 0; i < keysPerWriter; ++i)
                    params->SetValue(key(w, i), i);
            }));
        for (int r = 0; r < 2; ++r)
            threads.emplace_back(QThread::create([&, r] {
                for (int i = 0; writing.load(); ++i) {
                    const QVariant value = valueOf(params, key(r, i % keysPerWriter));
                    if (value.isValid() && value.toInt() != i % keysPerWriter)
                        ++badReads;
                    const int32_t count = list->GetCount();
                    if (count > 0 && nameAt(list, (i * 7) % count).isEmpty())
                        ++badReads;
                }
            }));
        for (auto &thread : threads)
            thread->start();
        for (int w = 0; w < writers; ++w)
            QVERIFY(threads[w]->wait(60000));
        writing = false;
        for (auto &thread : threads)
            QVERIFY(thread->wait(60000));

        QCOMPARE(badReads.load(), 0);
        QCOMPARE(probe.overlaps.load(), 0);
        QCOMPARE(probe.calls.load(), writers * keysPerWriter);
        QCOMPARE(list->GetCount(), int32_t(writers * keysPerWriter));
        for (int w = 0; w < writers; ++w)
            for (int i = 0; i < keysPerWriter; i += 97)
                QCOMPARE(valueOf(params, key(w, i)), QVariant(i));
    }

    void methodsStoreRemoveAndObeyTheHook()
    {
        const IPtr<INamedMethods> methods(new TNamedMethods);
        int bound = 0;
        const TMethod a = makeMethod(&handlerA, &bound);
        const TMethod b = makeMethod(&handlerB, &bound);
        methods->SetMethod("events://onchange", a);
        QCOMPARE(methods->GetMethod("events://OnChange"), TMethod());
        methods->SetMethod("events://onchange", b);
        QCOMPARE(methods->GetMethod("events://onchange"), b);

        // Unassigned means no code, whatever the data word holds.
        const TMethod unassigned{nullptr, &bound};
        methods->SetMethod("events://absent", unassigned);
        QCOMPARE(methods->GetMethod("events://absent"), TMethod());
        methods->SetMethod("events://onchange", unassigned);
        QCOMPARE(methods->GetMethod("events://onchange"), TMethod());
        methods->SetMethod("events://onchange", a);
        QCOMPARE(methods->GetMethod("events://onchange"), a);

        // A hook may veto a registration or a removal.
        methods->SetMethod("events://kept", a);
        TMethodsHookProbe probe;
        probe.accept = false;
        methods.query<INamedMethodsNotify>()->SetHook(makeMethod(&methodsHook, &probe));

        methods->SetMethod("events://new", a);
        methods->SetMethod("events://kept", TMethod());
        methods->SetMethod("events://kept", makeMethod(&handlerB));
        QCOMPARE(probe.names, (QByteArrayList{"events://new", "events://kept", "events://kept"}));
        QCOMPARE(methods->GetMethod("events://new"), TMethod());
        QCOMPARE(methods->GetMethod("events://kept"), a);

        probe.accept = true;
        probe.replace = true;
        probe.replacement = makeMethod(&handlerB);
        methods->SetMethod("events://x", a);
        QCOMPARE(methods->GetMethod("events://x"), makeMethod(&handlerB));
        // Turned into an unassigned method, a registration removes instead.
        probe.replacement = TMethod();
        methods->SetMethod("events://x", a);
        QCOMPARE(methods->GetMethod("events://x"), TMethod());
    }
};

QTEST_GUILESS_MAIN(TestNamedParams)
#include "tst_namedparams.moc"
