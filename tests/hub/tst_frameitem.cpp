// SPDX-License-Identifier: MIT
// Host items and their value lists, with and without the tree row that
// shows them.
#include "hub/FrameItem.h"
#include "hub/FrameItemRow.h"
#include "hub/StringValueList.h"

#include <QTest>

#include <map>

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

TFakeRowOps fakeOps;

/// Answers only for the fake tree's own nodes.
IFrameItemRowOps *resolveFake(TSelectFrameNode *node)
{
    return node == fakeOps.node(0) || node == fakeOps.node(1) ? &fakeOps : nullptr;
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

    static void row(const char *name, const QString &steps, const QString &log) { QTest::newRow(name) << steps << log; }

private slots:
    void init()
    {
        fakeOps = TFakeRowOps();
        setFrameItemRowOpsResolver(&resolveFake);
    }

    // Names match without regard to case; one line per name, which a
    // single empty write removes for good; a name holding '=' splits there,
    // and the first of two lines a split name made wins, also after lines
    // before it went; a name is matched by its text, never by where it is
    // kept. The same for a list of its own and an item's.
    void valueLists_data()
    {
        QTest::addColumn<bool>("ofItem");
        QTest::newRow("list of its own") << false;
        QTest::newRow("list of an item") << true;
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
        QTest::addColumn<QString>("steps");
        QTest::addColumn<QString>("log");
        row("no row", "check;refresh;read", "read false");
        row("foreign node", "node foreign;check;refresh;read", "read false");
        row("no resolver", "unresolved;node 0;check;refresh;read", "read false");
        row("rows",
            "node 0;check;read;refresh;node 1;read;check;uncheck;refresh;caption;value;node none;check;refresh;read",
            "set 0 true;check 0;read true;refresh 0;check 1;read false;set 1 true;set 1 false;refresh 1;text 1;"
            "text 1 column1_data;read false");
        row("ids", "id abc;id ABC;id abd;id ;id äbc;id ÄBC", "id abc;id abc;id abd;id ;id äbc;id äbc");
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
};

QTEST_GUILESS_MAIN(TestFrameItem)
#include "tst_frameitem.moc"
