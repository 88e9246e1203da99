#include "host/FrameItem.h"
#include "host/FrameItemRow.h"
#include "host/StringValueList.h"

#include <QTest>

#include <map>

using namespace selectframe;

namespace {

/// Stands in for the tree: knows two nodes, keeps their check states and
/// counts what items asked of it.
struct TFakeRowOps final : IFrameItemRowOps
{
    char rows[2] = {};
    std::map<TSelectFrameNode *, bool> checked;
    QList<TSelectFrameNode *> refreshed;
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
};

TFakeRowOps *fakeOps = nullptr;

/// Answers only for the fake tree's own nodes.
IFrameItemRowOps *resolveFake(TSelectFrameNode *node)
{
    return node == fakeOps->node(0) || node == fakeOps->node(1) ? fakeOps : nullptr;
}

IPtr<IFrameItemEx> newItem()
{
    return IPtr<IFrameItemEx>(new TFrameItem);
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

    void valuesLookUpNamesWithoutCase_data()
    {
        QTest::addColumn<QString>("stored");
        QTest::addColumn<QString>("asked");
        QTest::addColumn<bool>("found");
        QTest::newRow("same") << "image" << "image" << true;
        QTest::newRow("upper") << "image" << "IMAGE" << true;
        QTest::newRow("mixed stored") << "Column1_Data" << "column1_data" << true;
        QTest::newRow("non-latin") << QString::fromUtf8("Größe") << QString::fromUtf8("GRÖßE") << true;
        QTest::newRow("prefix") << "image" << "imag" << false;
        QTest::newRow("longer") << "image" << "images" << false;
        QTest::newRow("other") << "hint" << "group" << false;
    }
    void valuesLookUpNamesWithoutCase()
    {
        QFETCH(QString, stored);
        QFETCH(QString, asked);
        QFETCH(bool, found);
        const IPtr<IStringValueList> values(new TStringValueList);
        values->SetValue(QStringLiteral("c_action_link"), QStringLiteral("link"));
        values->SetValue(stored, QStringLiteral("v"));
        QCOMPARE(valueOf(values, asked), found ? QStringLiteral("v") : QString());
    }

    void valuesReplaceRemoveAndAppend()
    {
        const IPtr<IStringValueList> values(new TStringValueList);
        QCOMPARE(valueOf(values, "image"), QString());

        values->SetValue("image", "-1");
        values->SetValue("hint", "tip");
        values->SetValue("IMAGE", "3");
        QCOMPARE(valueOf(values, "image"), QStringLiteral("3"));
        QCOMPARE(valueOf(values, "hint"), QStringLiteral("tip"));

        // One line per name: a single empty write removes it for good.
        values->SetValue("Image", QString());
        QCOMPARE(valueOf(values, "image"), QString());
        QCOMPARE(valueOf(values, "hint"), QStringLiteral("tip"));
        values->SetValue("absent", "");
        values->SetValue("image", "7");
        QCOMPARE(valueOf(values, "image"), QStringLiteral("7"));
    }

    void nameWithEqualsSignSplitsAtIt()
    {
        const IPtr<IStringValueList> values(new TStringValueList);
        values->SetValue("a=b", "c");
        QCOMPARE(valueOf(values, "a"), QStringLiteral("b=c"));
        QCOMPARE(valueOf(values, "a=b"), QString());
        values->SetValue("A", "d");
        QCOMPARE(valueOf(values, "a"), QStringLiteral("d"));
    }

    void newItemIsEmptyAndDetached()
    {
        const IPtr<IFrameItemEx> item = newItem();
        QString caption = "x";
        item->GetCaption(&caption);
        QCOMPARE(idOf(item), QString());
        QCOMPARE(caption, QString());
        QVERIFY(!item->GetNode());
        const IPtr<IStringValueList> values = valuesOf(item);
        QVERIFY(values);
        QCOMPARE(valueOf(values, "group"), QString());

        QVERIFY(!item->GetChecked());
        item->SetChecked(true);
        QVERIFY(!item->GetChecked());
        item->Refresh();
        QCOMPARE(fakeOps->calls, 0);
    }

    void itemAnswersBothInterfacesThroughOneTable()
    {
        const IPtr<IFrameItemEx> item = newItem();
        const IPtr<IFrameItem> plain = item.query<IFrameItem>();
        QCOMPARE(plain.get(), static_cast<IFrameItem *>(item.get()));
        QCOMPARE(plain.query<IFrameItemEx>(), item);
        QVERIFY(!item.query<IStringValueList>());
    }

    void setIdIgnoresChangeOfLetterCaseOnly_data()
    {
        QTest::addColumn<QString>("current");
        QTest::addColumn<QString>("next");
        QTest::addColumn<QString>("expected");
        QTest::newRow("case only") << "abc" << "ABC" << "abc";
        QTest::newRow("other letter") << "abc" << "abd" << "abd";
        QTest::newRow("non-latin case only") << QString::fromUtf8("äbc") << QString::fromUtf8("ÄBC") << QString::fromUtf8("äbc");
        QTest::newRow("to empty") << "abc" << "" << "";
        QTest::newRow("longer") << "abc" << "abcd" << "abcd";
    }
    void setIdIgnoresChangeOfLetterCaseOnly()
    {
        QFETCH(QString, current);
        QFETCH(QString, next);
        QFETCH(QString, expected);
        const IPtr<IFrameItemEx> item = newItem();
        item->SetID(current);
        QCOMPARE(idOf(item), current);
        item->SetID(next);
        QCOMPARE(idOf(item), expected);
    }

    void captionAndValuesAreStoredAndValuesOutliveTheItem()
    {
        IPtr<IFrameItemEx> item = newItem();
        item->SetCaption("Caption");
        item->SetCaption("caption");
        QString caption;
        item->GetCaption(&caption);
        QCOMPARE(caption, QStringLiteral("caption"));

        const IPtr<IStringValueList> values = valuesOf(item);
        QCOMPARE(valuesOf(item), values);
        values->SetValue("hint", "kept");
        item.reset();
        QCOMPARE(valueOf(values, "hint"), QStringLiteral("kept"));
    }

    void checkStateGoesThroughTheNodesRow()
    {
        const IPtr<IFrameItemEx> item = newItem();
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

        item->SetNode(nullptr);
        const int calls = fakeOps->calls;
        item->SetChecked(true);
        item->Refresh();
        QVERIFY(!item->GetChecked());
        QCOMPARE(fakeOps->calls, calls);
    }

    void nodeNobodyAnswersForActsAsNone()
    {
        const IPtr<IFrameItemEx> item = newItem();
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
    }
};

QTEST_GUILESS_MAIN(TestFrameItem)
#include "tst_frameitem.moc"
