// SPDX-License-Identifier: MIT
// Host items and their value lists, with and without the tree row that
// shows them.
#include "hub/FrameItem.h"
#include "hub/FrameItemRow.h"
#include "hub/StringValueList.h"

#include <QTest>

#include <map>
#include <vector>

using namespace selectframe;

namespace {

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

TFakeRowOps *fakeOps = nullptr;

/// Answers only for the fake tree's own nodes.
IFrameItemRowOps *resolveFake(TSelectFrameNode *node)
{
    return node == fakeOps->node(0) || node == fakeOps->node(1) ? fakeOps : nullptr;
}

QString idOf(const IPtr<IFrameItemEx> &item)
{
    QString id;
    item->GetID(&id);
    return id;
}

IPtr<IStringValueList> valuesOf(const IPtr<IFrameItemEx> &item)
{
    IPtr<IStringValueList> values;
    item->GetValues(values.put());
    return values;
}

QString valueOf(const IPtr<IStringValueList> &values, const QString &name)
{
    QString value = QStringLiteral("unchanged");
    values->GetValue(name, &value);
    return value;
}

} // namespace

class TestFrameItem : public QObject
{
    Q_OBJECT

private slots:
    void init()
    {
        fakeOps = new TFakeRowOps;
        setFrameItemRowOpsResolver(&resolveFake);
    }
    void cleanup()
    {
        setFrameItemRowOpsResolver(nullptr);
        delete fakeOps;
        fakeOps = nullptr;
    }

    // Names match without regard to case; one line per name, which a
    // single empty write removes for good; a name holding '=' splits there,
    // and the first of two lines a split name made wins, also after lines
    // before it went. The same for a list of its own and an item's.
    void valueLists_data()
    {
        QTest::addColumn<bool>("ofItem");
        QTest::newRow("list of its own") << false;
        QTest::newRow("list of an item") << true;
    }
    void valueLists()
    {
        QFETCH(bool, ofItem);
        const IPtr<IStringValueList> values =
            ofItem ? valuesOf(IPtr<IFrameItemEx>(new TFrameItem)) : IPtr<IStringValueList>(new TStringValueList);
        const auto read = [&](const QStringList &names) {
            QStringList r;
            for (const QString &name : names)
                r << valueOf(values, name);
            return r;
        };
        values->SetValue("image", "-1");
        values->SetValue("hint", "tip");
        values->SetValue("IMAGE", "3");
        values->SetValue(QString::fromUtf8("Größe"), "big");
        values->SetValue("a@", "at");
        values->SetValue("a`", "grave");
        QCOMPARE(read({"image", QString::fromUtf8("GRÖßE"), "imag", "images", "A@", "a`"}),
                 (QStringList{"3", "big", "", "", "at", "grave"}));
        values->SetValue("Image", QString());
        QCOMPARE(read({"image", "hint"}), (QStringList{"", "tip"}));
        values->SetValue("image", "7");
        values->SetValue("a=b", "c");
        QCOMPARE(read({"image", "a", "a=b"}), (QStringList{"7", "b=c", ""}));
        values->SetValue("A", "d");
        QCOMPARE(valueOf(values, "a"), QStringLiteral("d"));

        // More lines than an item usually carries, then removals on either
        // side of the first few and new lines after them.
        for (int i = 0; i < 12; ++i)
            values->SetValue(QStringLiteral("column%1_data").arg(i), QString::number(i));
        for (int i : {0, 5, 6, 11})
            values->SetValue(QStringLiteral("COLUMN%1_DATA").arg(i), QString());
        values->SetValue("column0_data", "again");
        values->SetValue("column3_data", "changed");
        QStringList names;
        for (int i = 0; i < 12; ++i)
            names << QStringLiteral("Column%1_Data").arg(i);
        QCOMPARE(read(names), QStringList({"again", "1", "2", "changed", "4", "", "", "7", "8", "9", "10", ""}));
        values->SetValue("k", "first");
        values->SetValue("k=v", "second");
        values->SetValue("column1_data", QString());
        QCOMPARE(valueOf(values, "K"), QStringLiteral("first"));
        values->SetValue("k", QString());
        QCOMPARE(valueOf(values, "k"), QStringLiteral("v=second"));
    }

    void namesAreMatchedByTheirTextAlone()
    {
        const IPtr<IStringValueList> values(new TStringValueList);
        // A name changed in place keeps its buffer: it must not pass for
        // the name it was before.
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
        constexpr int count = 600;
        for (int i = 0; i < count; ++i)
            values->SetValue(QStringLiteral("name %1").arg(i), QString::number(i));
        for (int i = 0; i < count; i += 2)
            values->SetValue(QStringLiteral("NAME %1").arg(i), QString());
        int kept = 0;
        for (int i = 0; i < count; ++i)
            kept += valueOf(values, QStringLiteral("name %1").arg(i)) == (i % 2 ? QString::number(i) : QString());
        QCOMPARE(kept, count);
    }

    // The values are an object of their own that holds the item: with the
    // host's last reference to the item gone, both still answer.
    void itemValuesKeepTheItem()
    {
        IPtr<IFrameItemEx> item(new TFrameItem);
        QCOMPARE(item.query<IFrameItem>().query<IFrameItemEx>(), item);
        const IPtr<IStringValueList> values = valuesOf(item);
        QCOMPARE(valuesOf(item), values);
        QVERIFY(values.query<IFrameItem>().get() == nullptr);
        QCOMPARE(values.query<IStringValueList>(), values);
        QVERIFY(values.query<IInterface>() != item.query<IInterface>());
        item->SetID("kept");
        IFrameItemEx *raw = item.get();
        item.reset();
        QCOMPARE(idOf(IPtr<IFrameItemEx>(raw)), QStringLiteral("kept"));
        values->SetValue("hint", "tip");
        QCOMPARE(valueOf(values, "hint"), QStringLiteral("tip"));
    }

    // Enough items to fill several chunks of item memory; items freed in
    // between and made anew must leave every other item as it was.
    void itemsComeAndGoInAnyOrder()
    {
        constexpr int count = 20000;
        std::vector<IPtr<IFrameItemEx>> items(count);
        const auto make = [&items](int from, int to, int step, const QString &prefix) {
            for (int i = from; i < to; i += step) {
                items[size_t(i)] = IPtr<IFrameItemEx>(new TFrameItem);
                items[size_t(i)]->SetID(prefix + QString::number(i));
                valuesOf(items[size_t(i)])->SetValue("hint", prefix);
            }
        };
        make(0, count, 1, "first ");
        for (int i = 1; i < count; i += 2)
            items[size_t(i)].reset();
        make(1, count, 2, "second ");
        for (int i = 0; i < count / 2; ++i)
            items[size_t(i)].reset();
        make(0, count / 4, 1, "third ");
        int intact = 0;
        for (int i = 0; i < count; ++i) {
            const QString prefix = i < count / 4 ? "third " : i % 2 ? "second " : "first ";
            intact += items[size_t(i)] && idOf(items[size_t(i)]) == prefix + QString::number(i) &&
                      valueOf(valuesOf(items[size_t(i)]), "hint") == prefix;
        }
        QCOMPARE(intact, count / 4 + count / 2);
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
        QTest::addColumn<QStringList>("steps");
        QTest::addColumn<QStringList>("log");
        QTest::newRow("no row") << QStringList{"check", "refresh", "read"} << QStringList{"read false"};
        QTest::newRow("foreign node") << QStringList{"node foreign", "check", "refresh", "read"}
                                      << QStringList{"read false"};
        QTest::newRow("no resolver") << QStringList{"unresolved", "node 0", "check", "refresh", "read"}
                                     << QStringList{"read false"};
        QTest::newRow("rows") << QStringList{"node 0", "check",     "read",    "refresh", "node 1",
                                             "read",   "check",     "uncheck", "refresh", "caption",
                                             "value",  "node none", "check",   "refresh", "read"}
                              << QStringList{"set 0 true", "check 0",    "read true",           "refresh 0",
                                             "check 1",    "read false", "set 1 true",          "set 1 false",
                                             "refresh 1",  "text 1",     "text 1 column1_data", "read false"};
        QTest::newRow("ids") << QStringList{"id abc", "id ABC", "id abd", "id ", "id äbc", "id ÄBC"}
                             << QStringList{"id abc", "id abc", "id abd", "id ", "id äbc", "id äbc"};
    }
    void itemSteps()
    {
        QFETCH(QStringList, steps);
        const IPtr<IFrameItemEx> item(new TFrameItem);
        char foreign = 0;
        for (const QString &step : steps) {
            const QString verb = step.section(u' ', 0, 0), arg = step.section(u' ', 1);
            if (verb == u"node")
                item->SetNode(arg == u"foreign" ? reinterpret_cast<TSelectFrameNode *>(&foreign)
                              : arg == u"none"  ? nullptr
                                                : fakeOps->node(arg.toInt()));
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
                fakeOps->log << QStringLiteral("read ") + (item->GetChecked() ? "true" : "false");
            else
                item->SetID(arg), fakeOps->log << "id " + idOf(item);
        }
        QTEST(fakeOps->log, "log");
    }
};

QTEST_GUILESS_MAIN(TestFrameItem)
#include "tst_frameitem.moc"
