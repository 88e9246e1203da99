// The item tree's manager and adapters in a tree control: layout of rows
// and cells, what each slice shows, flags, options, header, tool tips,
// clicks and drawing.
#include "SelectTreeFixture.h"

#include "platform/ShownCaptions.h"
#include "platform/SlicePoint.h"

#include "platform/tree/TCheckSlice.h"
#include "platform/tree/TCustomHeader.h"
#include "platform/tree/TImageSlice.h"
#include "platform/tree/TStringSlice.h"
#include "platform/tree/TTree.h"
#include "platform/tree/TTreeModel.h"
#include "platform/tree/TTreeUpdate.h"

#include <QAbstractItemModelTester>
#include <QApplication>
#include <QDir>
#include <QPainter>
#include <QTest>

using namespace selectframe;
using namespace selectframe::test;

namespace {

/// A 16 x 16 icon: a coloured disc on a transparent ground.
QIcon disc(QColor color)
{
    QPixmap p(16, 16);
    p.fill(Qt::transparent);
    QPainter painter(&p);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setBrush(color);
    painter.setPen(color.darker());
    painter.drawEllipse(QRectF(1.5, 1.5, 13, 13));
    return QIcon(p);
}

/// What a column cell or the text slices of a row show.
QString textOf(TSlices *slices, int index)
{
    return sliceAs<TStringSlice>(slices->GetSlice(index))->Text;
}

} // namespace

class TestSelectVirtualTree : public QObject
{
    Q_OBJECT

    std::unique_ptr<TFrameFixture> frame;
    std::unique_ptr<TTree> tree;
    std::unique_ptr<QAbstractItemModelTester> tester;
    TImageList images;

    TFrameManager &fm() { return frame->Manager; }
    TSelectVirtualManager *vm() const { return static_cast<TSelectVirtualManager *>(tree->getVM()); }
    TSelectVirtualTree &rows() const { return *vm()->Tree; }
    void show()
    {
        fm().Rebuild();
        tree->setVM(std::make_unique<TSelectVirtualManager>(&fm()));
    }
    TVirtualNode top(int i) const
    {
        TVirtualNode n = rows().store().firstChild(rows().Root());
        while (i-- > 0)
            n = rows().store().nextSibling(n);
        return n;
    }
    TSlices *filled(TVirtualNode node) { return rows().filledSlicesOf(node); }
    template <class T>
    T *slice(TVirtualNode node, int index)
    {
        return sliceAs<T>(filled(node)->GetSlice(index));
    }
    uint32_t stateInfo(TBaseVirtualTree &adapter, TVirtualNode node, uint32_t state, int32_t *first = nullptr,
                       int32_t *second = nullptr, int32_t *third = nullptr)
    {
        int32_t f = -7, s = -9, t = -5;
        adapter.FillStateInfo(node, &state, &f, &s, &t);
        if (first)
            *first = f;
        if (second)
            *second = s;
        if (third)
            *third = t;
        return state;
    }

private slots:
    void init()
    {
        images.Icons = {disc(QColor(0xd0, 0x30, 0x30)), disc(QColor(0x20, 0x90, 0x40)), disc(QColor(0x30, 0x60, 0xd0))};
        frame = std::make_unique<TFrameFixture>();
        fm().Images = quintptr(&images);
        tree = std::make_unique<TTree>();
        tree->resize(560, 300);
        // Attached before the first install, so builds, sorts, hiding and
        // rebuilds are all checked.
        tester = std::make_unique<QAbstractItemModelTester>(tree->model(),
                                                            QAbstractItemModelTester::FailureReportingMode::QtTest);
    }
    void cleanup()
    {
        tester.reset();
        tree.reset();
        frame.reset();
    }

    void defaultGroupOnlyGivesTopLevelRows()
    {
        for (const char *id : {"a", "b", "c"})
            frame->add(id);
        show();
        QAbstractItemModel *m = tree->model();
        QCOMPARE(shownCaptions(m), (QStringList{"Item a", "Item b", "Item c"}));
        for (int i = 0; i < 3; ++i)
            QCOMPARE(m->rowCount(m->index(i, 0)), 0);
        QCOMPARE(allRows(rows()).size(), 3);
    }

    void namedGroupsFollowTheDefaultGroupsItems()
    {
        frame->add("x", "G2");
        frame->add("a");
        frame->add("y", "G1");
        frame->add("b");
        frame->add("z", "G2");
        show();
        QAbstractItemModel *m = tree->model();
        QCOMPARE(shownCaptions(m), (QStringList{"Item a", "Item b", "G2", "G1"}));
        QCOMPARE(shownCaptions(m, m->index(2, 0)), (QStringList{"Item x", "Item z"}));
        QCOMPARE(shownCaptions(m, m->index(3, 0)), QStringList{"Item y"});
        QCOMPARE(rows().recordOf(top(2))->FrameObject->Kind, fokGroup);
    }

    void everyRowHasACellPerFurtherColumn()
    {
        frame->add("a");
        frame->add("b", "G");
        show();
        QAbstractItemModel *m = tree->model();
        QCOMPARE(m->columnCount(), 3);
        for (TVirtualNode row : allRows(rows()))
            QCOMPARE(rows().store().cellCount(row), 2);
        QCOMPARE(m->index(0, 1).data().toString(), QStringLiteral("a c1"));
        QCOMPARE(m->index(0, 2).data().toString(), QStringLiteral("a c2"));
        QCOMPARE(m->index(1, 0).data().toString(), QStringLiteral("G"));
        QCOMPARE(m->index(1, 1).data().toString(), QString());
        QCOMPARE(m->index(1, 2).data().toString(), QString());
        QCOMPARE(m->index(0, 1, m->index(1, 0)).data().toString(), QStringLiteral("b c1"));

        TStringSlice *cell = slice<TStringSlice>(rows().store().cell(top(0), 2), 0);
        QCOMPARE(filled(rows().store().cell(top(0), 2))->Count(), 1);
        QCOMPARE(cell->Layout1, uint32_t(slFill));
        QCOMPARE(cell->Layout2, 0u);
        QCOMPARE(cell->Style, getStyle("text"));
    }

    void firstColumnOfAnItemRow()
    {
        frame->add("a", {}, {{"image", "1"}, {"c_action_link", "Open"}});
        show();
        const TVirtualNode row = top(0);
        TSlices *slices = filled(rows().recordOf(row)->Node);
        QCOMPARE(rows().recordOf(row)->Slices, slices);
        QCOMPARE(slices->Count(), 4);
        rows().recordOf(row)->FrameObject->SetState(fcsChecked);

        auto *check = slice<TCheckSlice>(row, 0);
        QVERIFY(check->Shown);
        QCOMPARE(check->Value, uint8_t(1));
        auto *image = slice<TImageSlice>(row, 1);
        QCOMPARE(image->Images, &images);
        QCOMPARE(image->ImageIndex, 1);
        auto *caption = slice<TStringSlice>(row, 2);
        QCOMPARE(caption->Text, QStringLiteral("Item a"));
        QCOMPARE(caption->Style, getStyle("text"));
        QCOMPARE(caption->Layout1, uint32_t(slFill));
        QCOMPARE(caption->Flag1, uint8_t(0));
        auto *link = slice<TStringSlice>(row, 3);
        QCOMPARE(link->Text, QStringLiteral("Open"));
        QCOMPARE(link->Flag1, uint8_t(1));
        QCOMPARE(link->Flag2, uint8_t(2));
        for (int i : {0, 1, 3}) {
            QCOMPARE(slices->GetSlice(i)->Layout1, uint32_t(slAutoSize));
            QCOMPARE(slices->GetSlice(i)->Layout2, 0u);
        }
        // The link keeps the style it was given; only the frame restyles it.
        link->Style = getStyle("red");
        QCOMPARE(slice<TStringSlice>(row, 3)->Style, getStyle("red"));
    }

    void firstColumnOfAGroupRow()
    {
        frame->add("a", "G");
        frame->add("b", "G");
        show();
        const TVirtualNode group = top(0);
        rows().recordOf(group)->FrameObject->SetState(fcsMixed);
        auto *check = slice<TCheckSlice>(group, 0);
        QVERIFY(check->Shown);
        QCOMPARE(check->Value, uint8_t(2));
        QCOMPARE(slice<TImageSlice>(group, 1)->Images, nullptr);
        QCOMPARE(slice<TImageSlice>(group, 1)->ImageIndex, -1);
        QCOMPARE(slice<TStringSlice>(group, 2)->Text, QStringLiteral("G"));
        QCOMPARE(slice<TStringSlice>(group, 3)->Text, QString());
        QCOMPARE(slice<TStringSlice>(group, 3)->Flag1, uint8_t(1));

        // The group style is read at every fill.
        frame->set(keys::OptionGroupsStyle, QByteArray("bold"));
        QCOMPARE(slice<TStringSlice>(group, 2)->Style, getStyle("bold"));
        frame->set(keys::OptionGroupsStyle, QByteArray("gray_text"));
        QCOMPARE(slice<TStringSlice>(group, 2)->Style, getStyle("gray_text"));
    }

    void valuesAreReadAtEveryFill()
    {
        const IPtr<IFrameItem> a = frame->add("a", {}, {{"image", "0"}});
        show();
        const TVirtualNode row = top(0);
        QCOMPARE(textOf(filled(row), 2), QStringLiteral("Item a"));
        a->SetCaption(QStringLiteral("Renamed"));
        IPtr<IStringValueList> values;
        a->GetValues(values.put());
        values->SetValue(QStringLiteral("column1_data"), QStringLiteral("changed"));
        values->SetValue(QStringLiteral("c_action_link"), QStringLiteral("Go"));
        values->SetValue(QStringLiteral("image"), QString());
        ex(a)->SetChecked(true);
        QCOMPARE(textOf(filled(row), 2), QStringLiteral("Renamed"));
        QCOMPARE(textOf(filled(row), 3), QStringLiteral("Go"));
        QCOMPARE(slice<TImageSlice>(row, 1)->ImageIndex, -1);
        QCOMPARE(slice<TCheckSlice>(row, 0)->Value, uint8_t(1));
        QCOMPARE(textOf(filled(rows().store().cell(row, 1)), 0), QStringLiteral("changed"));
        QCOMPARE(tree->model()->index(0, 0).data(Qt::CheckStateRole).value<Qt::CheckState>(), Qt::Checked);
    }

    void imageIndexOfTheImageValue_data()
    {
        QTest::addColumn<QString>("value");
        QTest::addColumn<int>("index");
        QTest::newRow("empty") << QString() << -1;
        QTest::newRow("not a number") << "abc" << -1;
        QTest::newRow("number and text") << "2x" << -1;
        QTest::newRow("none") << "-1" << -1;
        QTest::newRow("index") << "2" << 2;
        QTest::newRow("past the list") << "9" << 9;
    }
    void imageIndexOfTheImageValue()
    {
        QFETCH(QString, value);
        QFETCH(int, index);
        frame->add("a", {}, {{"image", value}});
        show();
        QCOMPARE(slice<TImageSlice>(top(0), 1)->ImageIndex, index);
    }

    void selectModeOnlyOne()
    {
        frame->add("a", "G");
        fm().GroupsCheckable = false;
        fm().RadioItems = true;
        show();
        const TVirtualNode group = top(0);
        const TVirtualNode item = rows().store().firstChild(group);
        QVERIFY(!slice<TCheckSlice>(group, 0)->Shown);
        QVERIFY(slice<TCheckSlice>(item, 0)->Shown);
        for (TVirtualNode node : {group, item, rows().store().cell(item, 2), rows().store().cell(group, 1)}) {
            QByteArray skin;
            rows().FillSkinName(node, &skin);
            QCOMPARE(skin, QByteArray("radio"));
        }
        fm().RadioItems = false;
        fm().ItemsCheckable = false;
        QByteArray skin;
        rows().FillSkinName(item, &skin);
        QCOMPARE(skin, QByteArray("default"));
        QVERIFY(!slice<TCheckSlice>(item, 0)->Shown);
    }

    void groupsExpandedMarksEveryNode()
    {
        frame->add("a");
        frame->add("b", "G");
        frame->set(keys::OptionGroupsExpanded, true);
        show();
        QVERIFY(tree->isExpanded(tree->model()->index(1, 0)));
        const TVirtualNode group = top(1);
        for (TVirtualNode node : {top(0), group, rows().store().firstChild(group), rows().store().cell(group, 1),
                                  rows().store().cell(top(0), 2)})
            QCOMPARE(stateInfo(rows(), node, nsHidden), uint32_t(nsHidden | nsExpanded));
        int32_t first, second, third;
        stateInfo(rows(), group, 0, &first, &second, &third);
        QCOMPARE(QList<int32_t>({first, second, third}), QList<int32_t>({-7, -9, -5}));
        // Read at every call.
        frame->set(keys::OptionGroupsExpanded, false);
        QCOMPARE(stateInfo(rows(), group, nsHidden), uint32_t(nsHidden));
        show();
        QVERIFY(!tree->isExpanded(tree->model()->index(1, 0)));
    }

    void headerWidths_data()
    {
        QTest::addColumn<QString>("widths");
        QTest::addColumn<QList<QList<int>>>("expected"); // state, first, second, third per column
        QTest::newRow("-1,150,-1") << "-1,150,-1"
                                   << QList<QList<int>>{{0, -7, -9, 0x10000}, {0, 150, -9, 0}, {8, -7, -9, -5}};
        QTest::newRow("80,-1,60") << "80,-1,60"
                                  << QList<QList<int>>{{0, 80, -9, 0}, {8, -7, -9, -5}, {0, 60, -9, 0}};
    }
    void headerWidths()
    {
        QFETCH(QString, widths);
        QFETCH(QList<QList<int>>, expected);
        frame->set(keys::OptionColumnsWidth, widths);
        frame->add("a");
        show();
        TSelectVirtualColumns &header = *vm()->Header;
        QCOMPARE(header.store().cellCount(header.Root()), 3);
        for (int c = 0; c < 3; ++c) {
            const TVirtualNode column = header.store().cell(header.Root(), c);
            int32_t first, second, third;
            const uint32_t state = stateInfo(header, column, 0, &first, &second, &third);
            QCOMPARE((QList<int>{int(state), first, second, third}), expected[c]);
            QCOMPARE(textOf(header.filledSlicesOf(column), 0),
                     (QStringList{"Name", "Address", "Kind"}).at(c));
        }
        QCOMPARE(tree->model()->headerData(1, Qt::Horizontal).toString(), QStringLiteral("Address"));
        for (int c = 0; c < 3; ++c)
            if (expected[c][3] == 0)
                QCOMPARE(tree->Header()->getWidth(tree->Header()->ItemByOrder(c)), expected[c][1]);
    }

    void toolTips()
    {
        frame->add("a", "G", {{"hint", "About a"}});
        frame->add("b");
        show();
        const TVirtualNode group = top(1);
        const TVirtualNode item = rows().store().firstChild(group);
        for (TVirtualNode node : {item, rows().store().cell(item, 2)}) {
            QString hint = QStringLiteral("under the mouse");
            rows().FillToolTip(node, &hint);
            QCOMPARE(hint, QStringLiteral("About a"));
        }
        QString hint = QStringLiteral("under the mouse");
        rows().FillToolTip(top(0), &hint);
        QCOMPARE(hint, QString()); // b has no hint
        hint = QStringLiteral("under the mouse");
        rows().FillToolTip(group, &hint);
        QCOMPARE(hint, QStringLiteral("under the mouse"));
        rows().FillToolTip(rows().Root(), &hint);
        QCOMPARE(hint, QString());
    }

    void actionLinkKeepsOnlyWhatTheCodePageHolds_data()
    {
        QTest::addColumn<QString>("link");
        QTest::addColumn<QString>("shown");
        QTest::newRow("ASCII") << "Open site" << "Open site";
        QTest::newRow("Western") << QString::fromUtf8("Über straße") << QString::fromUtf8("Über straße");
        QTest::newRow("outside") << QString::fromUtf8("链接 ok") << "?? ok";
    }
    void actionLinkKeepsOnlyWhatTheCodePageHolds()
    {
        QFETCH(QString, link);
        QFETCH(QString, shown);
        frame->add("a", {}, {{"c_action_link", link}});
        show();
        QCOMPARE(textOf(filled(top(0)), 3), shown);
    }

    void sortHideAndRebuildKeepTheModelSound()
    {
        for (const char *id : {"c", "a", "b"})
            frame->add(id);
        for (const char *id : {"z", "x", "y"})
            frame->add(id, "G");
        show();
        QAbstractItemModel *m = tree->model();
        // Text results are cmp(second, first), as the frame compares.
        tree->OnNodeCompare = [this](TCustomTree *, TVirtualNode a, TVirtualNode b, int column, TSortType) {
            const int text = column ? 0 : 2;
            return textOf(filled(rows().store().cell(b, column)), text)
                .compare(textOf(filled(rows().store().cell(a, column)), text));
        };
        tree->Sort(vm()->getRoot(), 0, stNatural, true);
        QCOMPARE(shownCaptions(m), (QStringList{"G", "Item a", "Item b", "Item c"}));
        QCOMPARE(shownCaptions(m, m->index(0, 0)), (QStringList{"Item x", "Item y", "Item z"}));

        tree->SetNodeState(top(0), nsExpanded);
        {
            TTreeUpdate update(*tree);
            tree->SetNodeState(top(1), nsHidden);
            tree->SetNodeState(rows().store().firstChild(top(0)), nsHidden);
        }
        QCOMPARE(shownCaptions(m), (QStringList{"G", "Item b", "Item c"}));
        QCOMPARE(shownCaptions(m, m->index(0, 0)), (QStringList{"Item y", "Item z"}));
        {
            TTreeUpdate update(*tree);
            for (TVirtualNode row : allRows(rows()))
                tree->SetNodeState(row, tree->GetNodeState(row) & ~uint32_t(nsHidden));
        }
        QCOMPARE(m->rowCount(), 4);

        vm()->Initialize();
        QCOMPARE(shownCaptions(m), (QStringList{"Item c", "Item a", "Item b", "G"}));
        show();
        QCOMPARE(m->rowCount(), 4);
    }

    void clicksAndSpaceReachTheTreeEvents()
    {
        frame->add("a", "G", {{"c_action_link", "Open"}});
        fm().GroupsCheckable = false;
        show();
        tree->show();
        QVERIFY(QTest::qWaitForWindowExposed(tree.get()));
        const TVirtualNode group = top(0);
        tree->SetNodeState(group, nsExpanded);
        const TVirtualNode item = rows().store().firstChild(group);
        QList<std::pair<TVirtualNode, TSlice *>> active;
        QList<THitInfo> clicks;
        tree->OnNodeActive = [&](TCustomTree *, TVirtualNode n, TSlice *s) { active.append({n, s}); };
        tree->OnNodeClick = [&](TCustomTree *, const THitInfo &hit) { clicks.append(hit); };

        QTest::mouseClick(tree->viewport(), Qt::LeftButton, {}, slicePoint(*tree, item, 0, 0));
        QCOMPARE(active.size(), 1);
        QCOMPARE(active[0].first, item);
        QCOMPARE(active[0].second, rows().recordOf(item)->Slices->GetSlice(0));

        const QPoint link = slicePoint(*tree, item, 0, 3);
        QVERIFY(!link.isNull());
        QTest::mouseClick(tree->viewport(), Qt::LeftButton, {}, link);
        QCOMPARE(active.size(), 1);
        QCOMPARE(clicks.last().Node, item);
        QCOMPARE(clicks.last().SliceIndex, 3);
        QCOMPARE(rows().recordOf(clicks.last().Node)->Slices->GetSlice(3), clicks.last().Slice);

        // The group shows no check box: a click where it would be is no check.
        QTest::mouseClick(tree->viewport(), Qt::LeftButton, {}, slicePoint(*tree, group, 0, 2));
        QCOMPARE(clicks.last().SliceIndex, 2);
        QCOMPARE(active.size(), 1);

        tree->setFocus();
        tree->SetNodeFocused(item);
        QTest::keyClick(tree->viewport(), Qt::Key_Space);
        QCOMPARE(active.size(), 2);
        QCOMPARE(active[1].first, item);
        QCOMPARE(active[1].second, rows().recordOf(item)->Slices->GetSlice(0));
    }

    void rendersGroupsChecksImagesLinksAndColumns()
    {
        tree->resize(620, 330);
        frame->add("1", {}, {{"image", "2"}, {"c_action_link", "Configure"}});
        frame->add("2", {}, {{"image", "x"}});
        const QString links[] = {"Open", "Open", "Retry", "", "Details", "Open"};
        for (int i = 0; i < 6; ++i)
            frame->add(QStringLiteral("%1").arg(10 + i), i < 4 ? "Web" : "Images",
                       {{"image", QString::number(i % 3)}, {"c_action_link", links[i]}});
        frame->set(keys::OptionGroupsExpanded, true);
        frame->set(keys::OptionGroupsStyle, QByteArray("bold"));
        show();
        // Checks and link styles as the frame sets them.
        const QList<TVirtualNode> all = allRows(rows());
        const QList<int> checked{0, 3, 4, 8};
        for (int i = 0; i < all.size(); ++i) {
            TSelectFrameNode *record = rows().recordOf(all[i]);
            if (record->FrameObject->Kind != fokItem)
                continue;
            if (checked.contains(i))
                record->FrameObject->SetState(fcsChecked);
            TSlices *slices = filled(all[i]);
            slices->GetSlice(3)->Style =
                getStyle(record->FrameObject->State != fcsChecked ? "gray_text" : i == 4 ? "red" : "link");
        }
        rows().recordOf(all[2])->FrameObject->SetState(fcsMixed);
        rows().recordOf(all[7])->FrameObject->SetState(fcsChecked);
        tree->show();
        QVERIFY(QTest::qWaitForWindowExposed(tree.get()));
        tree->SetNodeFocused(all[5]);
        QApplication::processEvents();

        const QImage shot = tree->grab().toImage();
        QCOMPARE(shot.size(), tree->size());
        QSet<QRgb> colors;
        for (int y = 0; y < shot.height(); ++y)
            for (int x = 0; x < shot.width(); ++x)
                colors.insert(shot.pixel(x, y));
        QVERIFY2(colors.size() > 40, "the tree drew next to nothing");
        // The images are drawn: their colours show up.
        for (QRgb disc : {qRgb(0xd0, 0x30, 0x30), qRgb(0x20, 0x90, 0x40), qRgb(0x30, 0x60, 0xd0)})
            QVERIFY(colors.contains(disc));
        const QString path = QDir::current().filePath("tst_selectvirtualtree.png");
        QVERIFY(shot.save(path));
        qInfo("rendered tree: %s", qPrintable(path));
    }
};

QTEST_MAIN(TestSelectVirtualTree)
#include "tst_selectvirtualtree.moc"
