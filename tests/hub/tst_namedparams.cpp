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

} // namespace

class TestNamedParams : public QObject
{
    Q_OBJECT

    IPtr<INamedParams> params;
    INamedParamsList *list = nullptr;

    static void handlerA(void *) {}
    static void handlerB(void *) {}

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

private slots:
    void init()
    {
        params = IPtr<INamedParams>(new TNamedParams);
        list = params.query<INamedParamsList>().get();
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
        QCOMPARE(hook.calls.load(), 6);
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
        const auto key = [](int writer, int i) {
            return "w" + QByteArray::number(writer) + '/' + QByteArray::number(i);
        };
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
        const TMethod a = makeMethod(&handlerA, &bound), b = makeMethod(&handlerB), unassigned{nullptr, &bound};
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
};

QTEST_GUILESS_MAIN(TestNamedParams)
#include "tst_namedparams.moc"
