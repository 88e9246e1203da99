#include "hub/FrameItem.h"
#include "hub/FrameItemRow.h"
#include "hub/StringValueList.h"

#include <QTest>

#include <map>
#include <vector>

using namespace selectframe;

namespace {

/// Stands in for the tree: knows two nodes, keeps their check states and
/// counts what items asked of it.
struct TFakeRowOps final : IFrameItemRowOps
{
    char rows[2] = {};
    std::map<TSelectFrameNode *, bool> checked;
    QList<TSelectFrameNode *> refreshed;
    QList<TSelectFrameNode *> textChanged;
    QStringList changedNames;
    int calls = 0;

    TSelectFrameNode *node(int i) { return reinterpret_cast<TSelectFrameNode *>(&rows[i]); }

    bool rowChecked(TSelectFrameNode *n) override
    {
        ++calls;
        return checked[n];
    }
    void setRowChecked(TSelectFrameNode *n, bool value) override
    {
        ++calls;
        checked[n] = value;
    }
    void refreshRow(TSelectFrameNode *n) override
    {
        ++calls;
        refreshed.append(n);
    }
    void rowTextChanged(TSelectFrameNode *n, QStringView name) override
    {
        textChanged.append(n);
        changedNames.append(name.toString());
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

    void valuesMatchNamesWithoutCase()
    {
        const IPtr<IStringValueList> values(new TStringValueList);
        values->SetValue("image", "-1");
        values->SetValue("hint", "tip");
        values->SetValue("IMAGE", "3");
        values->SetValue(QString::fromUtf8("Größe"), "big");
        QCOMPARE(valueOf(values, "image"), QStringLiteral("3"));
        QCOMPARE(valueOf(values, QString::fromUtf8("GRÖßE")), QStringLiteral("big"));
        QCOMPARE(valueOf(values, "imag"), QString());
        QCOMPARE(valueOf(values, "images"), QString());

        // One line per name: a single empty write removes it for good.
        values->SetValue("Image", QString());
        QCOMPARE(valueOf(values, "image"), QString());
        QCOMPARE(valueOf(values, "hint"), QStringLiteral("tip"));
        values->SetValue("image", "7");
        QCOMPARE(valueOf(values, "image"), QStringLiteral("7"));

        // A name holding '=' splits there.
        values->SetValue("a=b", "c");
        QCOMPARE(valueOf(values, "a"), QStringLiteral("b=c"));
        QCOMPARE(valueOf(values, "a=b"), QString());
        values->SetValue("A", "d");
        QCOMPARE(valueOf(values, "a"), QStringLiteral("d"));
    }

    void valueListsKeepEveryLineInOrder_data()
    {
        QTest::addColumn<bool>("ofItem");
        QTest::newRow("list of its own") << false;
        QTest::newRow("list of an item") << true;
    }
    void valueListsKeepEveryLineInOrder()
    {
        QFETCH(bool, ofItem);
        IPtr<IStringValueList> values;
        if (ofItem)
            values = valuesOf(IPtr<IFrameItemEx>(new TFrameItem));
        else
            values = IPtr<IStringValueList>(new TStringValueList);

        // More lines than an item usually carries, then removals on either
        // side of the first few and new lines after them.
        for (int i = 0; i < 12; ++i)
            values->SetValue(QStringLiteral("column%1_data").arg(i), QString::number(i));
        for (int i : {0, 5, 6, 11})
            values->SetValue(QStringLiteral("COLUMN%1_DATA").arg(i), QString());
        values->SetValue("column0_data", "again");
        values->SetValue("column3_data", "changed");
        QStringList read;
        for (int i = 0; i < 12; ++i)
            read.append(valueOf(values, QStringLiteral("Column%1_Data").arg(i)));
        QCOMPARE(read, QStringList({"again", "1", "2", "changed", "4", "", "", "7", "8", "9", "10", ""}));

        // Names that differ in a non-letter that folding would map alike.
        values->SetValue("a@", "at");
        values->SetValue("a`", "grave");
        QCOMPARE(valueOf(values, "A@"), QStringLiteral("at"));
        QCOMPARE(valueOf(values, "a`"), QStringLiteral("grave"));

        // The first of two lines a split name made still wins, also after
        // lines before it went.
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

    void itemValuesAreAnObjectOfTheirOwnThatKeepsTheItem()
    {
        IPtr<IFrameItemEx> item(new TFrameItem);
        const IPtr<IStringValueList> values = valuesOf(item);
        QVERIFY(values.query<IFrameItem>().get() == nullptr);
        QCOMPARE(values.query<IStringValueList>(), values);
        QVERIFY(values.query<IInterface>() != item.query<IInterface>());
        item->SetID("kept");
        IFrameItemEx *raw = item.get();
        item.reset();
        // The list holds the item: it answers as before, still knowing its ID.
        QCOMPARE(idOf(IPtr<IFrameItemEx>(raw)), QStringLiteral("kept"));
        values->SetValue("hint", "tip");
        QCOMPARE(valueOf(values, "hint"), QStringLiteral("tip"));
    }

    void itemsComeAndGoInAnyOrder()
    {
        // Enough items to fill several chunks of item memory; items freed in
        // between and made anew must leave every other item as it was.
        constexpr int count = 20000;
        std::vector<IPtr<IFrameItemEx>> items(count);
        const auto make = [&items](int i, const QString &prefix) {
            items[size_t(i)] = IPtr<IFrameItemEx>(new TFrameItem);
            items[size_t(i)]->SetID(prefix + QString::number(i));
            valuesOf(items[size_t(i)])->SetValue("hint", prefix);
        };
        for (int i = 0; i < count; ++i)
            make(i, "first ");
        for (int i = 1; i < count; i += 2)
            items[size_t(i)].reset();
        for (int i = 1; i < count; i += 2)
            make(i, "second ");
        for (int i = 0; i < count / 2; ++i)
            items[size_t(i)].reset();
        for (int i = 0; i < count / 4; ++i)
            make(i, "third ");
        int intact = 0;
        for (int i = 0; i < count; ++i) {
            if (!items[size_t(i)])
                continue;
            const QString prefix = i < count / 4 ? "third " : i % 2 ? "second " : "first ";
            intact += idOf(items[size_t(i)]) == prefix + QString::number(i)
                && valueOf(valuesOf(items[size_t(i)]), "hint") == prefix;
        }
        QCOMPARE(intact, count / 4 + count / 2);
    }

    void setIdIgnoresChangeOfLetterCaseOnly()
    {
        const IPtr<IFrameItemEx> item(new TFrameItem);
        const QStringList steps{"abc", "ABC", "abd", "", QString::fromUtf8("äbc"), QString::fromUtf8("ÄBC")};
        const QStringList expected{"abc", "abc", "abd", "", QString::fromUtf8("äbc"), QString::fromUtf8("äbc")};
        for (int i = 0; i < steps.size(); ++i) {
            item->SetID(steps[i]);
            QCOMPARE(idOf(item), expected[i]);
        }
    }

    void itemWithoutRowIsUncheckedAndKeepsItsValues()
    {
        IPtr<IFrameItemEx> item(new TFrameItem);
        QCOMPARE(item.query<IFrameItem>().query<IFrameItemEx>(), item);
        QVERIFY(!item->GetChecked());
        item->SetChecked(true);
        item->Refresh();
        QVERIFY(!item->GetChecked());

        // A node nobody answers for acts as none; so does any node without a resolver.
        char foreign = 0;
        item->SetNode(reinterpret_cast<TSelectFrameNode *>(&foreign));
        item->SetChecked(true);
        item->Refresh();
        QVERIFY(!item->GetChecked());
        setFrameItemRowOpsResolver(nullptr);
        item->SetNode(fakeOps->node(0));
        item->SetChecked(true);
        QVERIFY(!item->GetChecked());
        QCOMPARE(fakeOps->calls, 0);

        const IPtr<IStringValueList> values = valuesOf(item);
        QCOMPARE(valuesOf(item), values);
        values->SetValue("hint", "kept");
        item.reset();
        QCOMPARE(valueOf(values, "hint"), QStringLiteral("kept"));
    }

    void checkStateGoesThroughTheNodesRow()
    {
        const IPtr<IFrameItemEx> item(new TFrameItem);
        TSelectFrameNode *first = fakeOps->node(0);
        TSelectFrameNode *second = fakeOps->node(1);

        item->SetNode(first);
        QCOMPARE(item->GetNode(), first);
        QVERIFY(!item->GetChecked());
        item->SetChecked(true);
        QVERIFY(item->GetChecked());
        QVERIFY(fakeOps->checked[first]);
        item->Refresh();
        QCOMPARE(fakeOps->refreshed, QList<TSelectFrameNode *>{first});

        // The row built last wins.
        item->SetNode(second);
        QVERIFY(!item->GetChecked());
        item->SetChecked(true);
        item->SetChecked(false);
        QVERIFY(fakeOps->checked[first]);
        QVERIFY(!fakeOps->checked[second]);
        item->Refresh();
        QCOMPARE(fakeOps->refreshed, (QList<TSelectFrameNode *>{first, second}));
        // Texts the rows keep go stale with the caption and with any value.
        item->SetCaption("renamed");
        valuesOf(item)->SetValue("column1_data", "x");
        QCOMPARE(fakeOps->textChanged, (QList<TSelectFrameNode *>{second, second}));
        QCOMPARE(fakeOps->changedNames, (QStringList{"", "column1_data"}));

        item->SetNode(nullptr);
        const int calls = fakeOps->calls;
        item->SetChecked(true);
        item->Refresh();
        QVERIFY(!item->GetChecked());
        QCOMPARE(fakeOps->calls, calls);
    }
};

QTEST_GUILESS_MAIN(TestFrameItem)
#include "tst_frameitem.moc"
