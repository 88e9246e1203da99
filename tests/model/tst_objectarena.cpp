// SPDX-License-Identifier: MIT
#include "model/ObjectArena.h"

#include <QTest>

using namespace selectframe;

namespace {

/// Records how many of it are alive.
struct TCounted
{
    static inline int alive = 0;
    explicit TCounted(int v) : value(v) { ++alive; }
    ~TCounted() { --alive; }
    TCounted(const TCounted &) = delete;
    int value;
    char padding[20];
};

} // namespace

class TestObjectArena : public QObject
{
    Q_OBJECT

private slots:
    // Enough objects to fill the small first chunk and several large ones;
    // a clear destroys them all and fills the kept chunks from the start.
    void indexesIteratesAndRefills()
    {
        const int count = 300000;
        {
            TObjectArena<TCounted> arena;
            QVERIFY(arena.empty());
            QCOMPARE(arena.begin(), arena.end());
            for (int i = 0; i < count; ++i)
                arena.create(i);
            QCOMPARE(TCounted::alive, count);
            QCOMPARE(arena.size(), size_t(count));
            QCOMPARE(arena.back()->value, count - 1);
            int expected = 0;
            bool inOrder = true;
            for (TCounted *object : arena)
                inOrder = inOrder && object->value == expected++ && arena[object->value] == object;
            QVERIFY(inOrder);
            QCOMPARE(expected, count);

            TCounted *first = arena.front();
            arena.clear();
            QCOMPARE(TCounted::alive, 0);
            QVERIFY(arena.empty());
            QCOMPARE(arena.create(7), first);
            QCOMPARE(arena.size(), size_t(1));
            QCOMPARE(arena[0]->value, 7);
        }
        QCOMPARE(TCounted::alive, 0);
    }
};

QTEST_GUILESS_MAIN(TestObjectArena)
#include "tst_objectarena.moc"
