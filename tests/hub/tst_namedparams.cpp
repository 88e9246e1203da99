// SPDX-License-Identifier: MIT
// The frame's value bag and handler registry, their hooks and their locks.
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
    std::atomic<int> inside{0}, overlaps{0}, calls{0};
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
    bool accept = true, replace = false;
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

void handlerA(void *)
{}
void handlerB(void *)
{}

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
    // Names are exact and listed in key order; an invalid variant is a
    // value like any other; an index out of range names nothing.
    void storesExactKeysInKeyOrder()
    {
        const IPtr<INamedParams> params(new TNamedParams);
        const auto list = params.query<INamedParamsList>();
        const QByteArrayList inserted{"property://total.count", "option://b", "Option://z", "option://a",
                                      "option://a.b"};
        for (int i = 0; i < inserted.size(); ++i)
            params->SetValue(inserted[i], i + 100);
        params->SetValue("option://b", 1);
        QByteArrayList sorted = inserted, listed;
        std::sort(sorted.begin(), sorted.end());
        for (int32_t i = 0; i < list->GetCount(); ++i)
            listed << nameAt(list, i);
        QCOMPARE(listed, sorted);
        QVariant value;
        list->GetValueAt(2, &value);
        QCOMPARE(value, QVariant(104)); // "option://a.b"
        QCOMPARE(valueOf(params, "option://b"), QVariant(1));
        QVERIFY(!params->Exists("OPTION://A"));
        QVERIFY(!valueOf(params, "option://x").isValid());
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

    // The hook vetoes and changes writes; an empty name is dropped before
    // it sees it; a hook taken away sees nothing more.
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
        params->SetValue(QByteArray(), 1);
        params->SetValue("", 1);
        QCOMPARE(probe.calls.load(), 4);
        QCOMPARE((QVariantList{valueOf(params, "option://kept"), valueOf(params, "option://scaled"),
                               valueOf(params, "option://text")}),
                 (QVariantList{5, 30, QStringLiteral("3")}));
        QVERIFY(!params->Exists("option://new") && !params->Exists(""));
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
        QVERIFY(params->Exists("option://n") && !params->Exists("option://m"));
        guard.write = true;
        QVERIFY_THROWS_EXCEPTION(EFrameException, params->SetValue("option://n", 1));
        QCOMPARE(valueOf(params, "option://n"), QVariant(2));
        QVERIFY(!params->Exists("option://other"));
        guard.write = false;
        params->SetValue("option://n", 1);
        QCOMPARE(valueOf(params, "option://n"), QVariant(1));
    }

    // Two writers and two readers at once: reads see whole values, the hook
    // never runs twice at a time, and every write lands.
    void concurrentReadersAndWriters()
    {
        const IPtr<INamedParams> params(new TNamedParams);
        const auto list = params.query<INamedParamsList>();
        TParamsHookProbe probe;
        params.query<INamedParamsNotify>()->SetHook(makeMethod(&paramsHook, &probe));
        constexpr int writers = 2, keysPerWriter = 1500;
        std::atomic<bool> writing{true};
        std::atomic<int> badReads{0};
        const auto key = [](int writer, int i) {
            return "w" + QByteArray::number(writer) + '/' + QByteArray::number(i);
        };
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
                    const int32_t count = list->GetCount();
                    badReads += (value.isValid() && value.toInt() != i % keysPerWriter) ||
                                (count > 0 && nameAt(list, (i * 7) % count).isEmpty());
                }
            }));
        for (auto &thread : threads)
            thread->start();
        for (int w = 0; w < writers; ++w)
            QVERIFY(threads[w]->wait(60000));
        writing = false;
        for (auto &thread : threads)
            QVERIFY(thread->wait(60000));
        QCOMPARE((QList<int>{badReads.load(), probe.overlaps.load(), probe.calls.load(), list->GetCount()}),
                 (QList<int>{0, 0, writers * keysPerWriter, writers * keysPerWriter}));
        for (int w = 0; w < writers; ++w)
            for (int i = 0; i < keysPerWriter; i += 97)
                QCOMPARE(valueOf(params, key(w, i)), QVariant(i));
    }

    // Names are exact; unassigned means no code, whatever the data word
    // holds, and removes; a hook may veto a registration or a removal, or
    // swap the method, and a swap to unassigned removes.
    void methodsStoreRemoveAndObeyTheHook()
    {
        const IPtr<INamedMethods> methods(new TNamedMethods);
        int bound = 0;
        const TMethod a = makeMethod(&handlerA, &bound), b = makeMethod(&handlerB, &bound), unassigned{nullptr, &bound};
        const struct
        {
            const char *set;
            TMethod method;
            const char *get;
            TMethod expected;
        } steps[] = {{"events://onchange", a, "events://OnChange", {}},
                     {"events://onchange", b, "events://onchange", b},
                     {"events://absent", unassigned, "events://absent", {}},
                     {"events://onchange", unassigned, "events://onchange", {}},
                     {"events://onchange", a, "events://onchange", a}};
        for (const auto &step : steps) {
            methods->SetMethod(step.set, step.method);
            QCOMPARE(methods->GetMethod(step.get), step.expected);
        }

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
        probe.accept = probe.replace = true;
        probe.replacement = makeMethod(&handlerB);
        methods->SetMethod("events://x", a);
        QCOMPARE(methods->GetMethod("events://x"), makeMethod(&handlerB));
        probe.replacement = TMethod();
        methods->SetMethod("events://x", a);
        QCOMPARE(methods->GetMethod("events://x"), TMethod());
    }
};

QTEST_GUILESS_MAIN(TestNamedParams)
#include "tst_namedparams.moc"
