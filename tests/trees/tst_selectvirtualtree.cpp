// SPDX-License-Identifier: MIT
// The item tree's manager and adapters in a tree control: layout of rows
// and cells, what each slice shows, flags, options, header, tool tips,
// clicks and drawing. Sorting and hiding rows are the tree control's own
// (tst_customtree); the frame sorts this tree in tst_sorting.
#include "SelectTreeFixture.h"

#include "platform/ShownCaptions.h"
#include "platform/SlicePoint.h"

#include "platform/tree/TCheckSlice.h"
#include "platform/tree/TCustomHeader.h"
#include "platform/tree/TImageSlice.h"
#include "platform/tree/TStringSlice.h"
#include "platform/tree/TTree.h"
#include "platform/tree/TTreeModel.h"

#include <QAbstractItemModelTester>
#include <QApplication>
#include <QDir>
#include <QPainter>
#include <QStringEncoder>
#include <QTest>
#include <QToolTip>

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

/// The texts of the shown row `index` in every column.
QStringList cellTexts(const QModelIndex &index)
{
    return {index.data().toString(), index.siblingAtColumn(1).data().toString(),
            index.siblingAtColumn(2).data().toString()};
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
    TNodeStore &store() const { return rows().store(); }
    void show()
    {
        fm().Rebuild();
        tree->setVM(std::make_unique<TSelectVirtualManager>(&fm()));
    }
    TVirtualNode top(int i) const
    {
        TVirtualNode n = store().firstChild(rows().Root());
        while (i-- > 0)
            n = store().nextSibling(n);
        return n;
    }
    TSlices *filled(TVirtualNode node) { return rows().filledSlicesOf(node); }
    template <class T>
    T *slice(TVirtualNode node, int index)
    {
        return sliceAs<T>(filled(node)->GetSlice(index));
    }
    /// The first column of `row` as it is filled: check box, image, caption
    /// (filling the room) and action link, one line each.
    QStringList firstColumn(TVirtualNode row)
    {
        const auto *check = slice<TCheckSlice>(row, 0);
        const auto *image = slice<TImageSlice>(row, 1);
        const auto *caption = slice<TStringSlice>(row, 2);
        return {QStringLiteral("check %1 %2").arg(QLatin1String(check->Shown ? "shown" : "hidden")).arg(check->Value),
                QStringLiteral("image %1 %2")
                    .arg(QLatin1String(image->Images == &images ? "ours"
                                       : image->Images          ? "other"
                                                                : "none"))
                    .arg(image->ImageIndex),
                QStringLiteral("caption %1 '%2' %3")
                    .arg(caption->Layout1 == slFill ? "fill" : "?", caption->Text,
                         QString::fromLatin1(caption->Style->name())),
                QStringLiteral("link '%1'").arg(slice<TStringSlice>(row, 3)->Text)};
    }
    /// State and the three integers `adapter` reports for `node`, from
    /// `state` and -7, -9, -5.
    QList<int> stateInfo(TBaseVirtualTree &adapter, TVirtualNode node, uint32_t state)
    {
        int32_t first = -7, second = -9, third = -5;
        adapter.FillStateInfo(node, &state, &first, &second, &third);
        return {int(state), first, second, third};
    }
    void showInWindow()
    {
        tree->show();
        QVERIFY(QTest::qWaitForWindowExposed(tree.get()));
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

    // The default group's items come first at the top level, named groups
    // follow in order of appearance; every row has a cell per further column.
    void rowsGroupsAndCells()
    {
        frame->add("x", "G2");
        frame->add("a");
        frame->add("y", "G1");
        frame->add("b");
        frame->add("z", "G2");
        show();
        QAbstractItemModel *m = tree->model();
        QCOMPARE(shownCaptions(m), (QStringList{"Item a", "Item b", "G2", "G1"}));
        QCOMPARE(m->rowCount(m->index(0, 0)), 0);
        QCOMPARE(shownCaptions(m, m->index(2, 0)) + shownCaptions(m, m->index(3, 0)),
                 (QStringList{"Item x", "Item z", "Item y"}));
        QCOMPARE(rows().recordOf(top(2))->FrameObject->Kind, fokGroup);
        const QList<TVirtualNode> all = allRows(rows());
        QCOMPARE(all.size(), 7);
        QVERIFY(std::all_of(all.begin(), all.end(), [this](TVirtualNode row) { return store().cellCount(row) == 2; }));
        QCOMPARE(cellTexts(m->index(0, 0)), (QStringList{"Item a", "a c1", "a c2"}));
        QCOMPARE(cellTexts(m->index(2, 0)), (QStringList{"G2", "", ""}));
        QCOMPARE(cellTexts(m->index(1, 0, m->index(2, 0))), (QStringList{"Item z", "z c1", "z c2"}));

        TSlices *cell = filled(store().cell(top(0), 2));
        QCOMPARE(cell->Count(), 1);
        QCOMPARE(cell->GetSlice(0)->Layout1, uint32_t(slFill));
        QCOMPARE(cell->GetSlice(0)->Style, getStyle("text"));
    }

    // Item and group rows, and every value read again at each fill.
    void firstColumnOfItemsAndGroups()
    {
        const IPtr<IFrameItem> a = frame->add("a", {}, {{"image", "1"}, {"c_action_link", "Open"}});
        frame->add("b", "G");
        show();
        const TVirtualNode row = top(0);
        const TVirtualNode group = top(1);
        QCOMPARE(firstColumn(row),
                 (QStringList{"check shown 0", "image ours 1", "caption fill 'Item a' text", "link 'Open'"}));
        QCOMPARE(rows().recordOf(row)->Slices, filled(row));
        rows().recordOf(group)->FrameObject->SetState(fcsMixed);
        frame->set(keys::OptionGroupsStyle, QByteArray("gray_text"));
        QCOMPARE(firstColumn(group),
                 (QStringList{"check shown 2", "image none -1", "caption fill 'G' gray_text", "link ''"}));

        a->SetCaption(QStringLiteral("Renamed"));
        IPtr<IStringValueList> values;
        a->GetValues(values.put());
        values->SetValue(QStringLiteral("column1_data"), QStringLiteral("changed"));
        values->SetValue(QStringLiteral("c_action_link"), QStringLiteral("Go"));
        values->SetValue(QStringLiteral("image"), QString());
        ex(a)->SetChecked(true);
        // The link keeps the style it was given; only the frame restyles it.
        slice<TStringSlice>(row, 3)->Style = getStyle("red");
        frame->set(keys::OptionGroupsStyle, QByteArray("bold"));
        QCOMPARE(firstColumn(row),
                 (QStringList{"check shown 1", "image ours -1", "caption fill 'Renamed' text", "link 'Go'"}));
        QCOMPARE(slice<TStringSlice>(row, 3)->Style, getStyle("red"));
        QCOMPARE(slice<TStringSlice>(group, 2)->Style, getStyle("bold"));
        QCOMPARE(textOf(filled(store().cell(row, 1)), 0), QStringLiteral("changed"));
        QCOMPARE(tree->model()->index(0, 0).data(Qt::CheckStateRole).value<Qt::CheckState>(), Qt::Checked);
    }

    // The image index is the "image" value when it is a number. The action
    // link goes through the system encoding and back: a text that encoding
    // holds is shown unchanged.
    void imageAndLinkValues_data()
    {
        QTest::addColumn<QString>("image");
        QTest::addColumn<int>("index");
        QTest::addColumn<QString>("link");
        QTest::newRow("empty") << QString() << -1 << "Open site";
        QTest::newRow("not a number") << "abc" << -1 << QString();
        QTest::newRow("number and text") << "2x" << -1 << QString::fromUtf8("Über straße");
        QTest::newRow("none") << "-1" << -1 << QString::fromUtf8("Открыть 链接 ok");
        QTest::newRow("index") << "2" << 2 << QString();
        QTest::newRow("past the list") << "9" << 9 << QString();
    }
    void imageAndLinkValues()
    {
        QFETCH(QString, image);
        QFETCH(int, index);
        QFETCH(QString, link);
        frame->add("a", {}, {{"image", image}, {"c_action_link", link}});
        show();
        QCOMPARE(slice<TImageSlice>(top(0), 1)->ImageIndex, index);
        // Under a system encoding that lacks some of its characters (an ANSI
        // code page), the link must not come back whole.
        QStringEncoder encoder(QStringConverter::System);
        const QByteArray encoded = encoder(link);
        if (encoder.hasError())
            QVERIFY(textOf(filled(top(0)), 3) != link);
        else
            QCOMPARE(textOf(filled(top(0)), 3), link);
    }

    // No encoding holds a lone surrogate: the link shows a replacement for
    // it instead of passing it on.
    void linkLosesWhatTheSystemEncodingLacks()
    {
        frame->add("a", {}, {{"c_action_link", u'a' + QString(QChar(0xD800)) + u'b'}});
        show();
        const QString shown = textOf(filled(top(0)), 3);
        QVERIFY(shown.size() == 3 && shown.front() == u'a' && shown.back() == u'b' && !shown.at(1).isSurrogate());
    }

    void selectModeOnlyOne()
    {
        frame->add("a", "G");
        fm().GroupsCheckable = false;
        fm().RadioItems = true;
        show();
        const TVirtualNode group = top(0);
        const TVirtualNode item = store().firstChild(group);
        const auto skinOf = [this](TVirtualNode node) {
            QByteArray skin;
            rows().FillSkinName(node, &skin);
            return skin;
        };
        QVERIFY(!slice<TCheckSlice>(group, 0)->Shown);
        QVERIFY(slice<TCheckSlice>(item, 0)->Shown);
        for (TVirtualNode node : {group, item, store().cell(item, 2), store().cell(group, 1)})
            QCOMPARE(skinOf(node), QByteArray("radio"));
        fm().RadioItems = false;
        fm().ItemsCheckable = false;
        QCOMPARE(skinOf(item), QByteArray("default"));
        QVERIFY(!slice<TCheckSlice>(item, 0)->Shown);
    }

    // The option is read at every build, and adds to the state it is given.
    void groupsExpanded()
    {
        frame->add("a");
        frame->add("b", "G");
        frame->set(keys::OptionGroupsExpanded, true);
        show();
        QVERIFY(tree->isExpanded(tree->model()->index(1, 0)));
        QCOMPARE(stateInfo(rows(), top(1), nsHidden), (QList<int>{nsHidden | nsExpanded, -7, -9, -5}));
        frame->set(keys::OptionGroupsExpanded, false);
        show();
        QVERIFY(!tree->isExpanded(tree->model()->index(1, 0)));
    }

    void headerWidths_data()
    {
        QTest::addColumn<QString>("widths");
        QTest::addColumn<QList<QList<int>>>("expected"); // state, first, second, third per column
        QTest::newRow("-1,150,-1") << "-1,150,-1"
                                   << QList<QList<int>>{{0, -7, -9, 0x10000}, {0, 150, -9, 0}, {8, -7, -9, -5}};
        QTest::newRow("80,-1,60") << "80,-1,60" << QList<QList<int>>{{0, 80, -9, 0}, {8, -7, -9, -5}, {0, 60, -9, 0}};
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
            QCOMPARE(stateInfo(header, column, 0), expected[c]);
            QCOMPARE(textOf(header.filledSlicesOf(column), 0), (QStringList{"Name", "Address", "Kind"}).at(c));
            if (expected[c][3] == 0)
                QCOMPARE(tree->Header()->getWidth(tree->Header()->ItemByOrder(c)), expected[c][1]);
        }
    }

    // Hovered as a user would: an item's hint shows over every cell of its
    // row and an item without one shows none; a group shows the text under
    // the mouse; with tool tips off nothing shows. Empty answers first: a
    // tip shown stays up a while.
    void toolTips()
    {
        frame->add("a", "G", {{"hint", "About a"}});
        frame->add("b");
        frame->set(keys::OptionGroupsExpanded, true);
        show();
        showInWindow();
        const TVirtualNode item = store().firstChild(top(1));
        const auto tipAt = [this](TVirtualNode row, int column) {
            const QPoint at = tree->nodeRect(row, column).center();
            QHelpEvent event(QEvent::ToolTip, at, tree->viewport()->mapToGlobal(at));
            QApplication::sendEvent(tree->viewport(), &event);
            return QToolTip::text();
        };
        QString ofRoot = QStringLiteral("x"); // a node of no object has none
        rows().FillToolTip(rows().Root(), &ofRoot);
        tree->setToolTips(false);
        const QString off = tipAt(item, 0);
        tree->setToolTips(true);
        QCOMPARE((QStringList{ofRoot, off, tipAt(top(0), 0), tipAt(item, 0), tipAt(item, 2), tipAt(top(1), 0)}),
                 (QStringList{"", "", "", "About a", "About a", "G"}));
    }

    // A click on the check box activates it with the row's own slice; a group
    // that shows no check box takes no check where it would be.
    void clicksReachTheTreeEvents()
    {
        frame->add("a", "G", {{"c_action_link", "Open"}});
        fm().GroupsCheckable = false;
        show();
        showInWindow();
        const TVirtualNode group = top(0);
        tree->SetNodeState(group, nsExpanded);
        const TVirtualNode item = store().firstChild(group);
        QList<std::pair<TVirtualNode, TSlice *>> active;
        int clickedSlice = -1;
        tree->OnNodeActive = [&](TCustomTree *, TVirtualNode n, TSlice *s) { active.append({n, s}); };
        tree->OnNodeClick = [&](TCustomTree *, const THitInfo &hit) { clickedSlice = hit.SliceIndex; };
        QTest::mouseClick(tree->viewport(), Qt::LeftButton, {}, slicePoint(*tree, item, 0, 0));
        QTest::mouseClick(tree->viewport(), Qt::LeftButton, {}, slicePoint(*tree, group, 0, 2));
        QCOMPARE(clickedSlice, 2);
        QCOMPARE(active,
                 (QList<std::pair<TVirtualNode, TSlice *>>{{item, rows().recordOf(item)->Slices->GetSlice(0)}}));
    }

    // Checks, images, links and columns drawn; the image list's colours show.
    void rendersGroupsChecksImagesLinksAndColumns()
    {
        frame->add("1", {}, {{"image", "2"}, {"c_action_link", "Configure"}});
        for (int i = 0; i < 6; ++i)
            frame->add(QString::number(10 + i), i < 4 ? "Web" : "Images",
                       {{"image", QString::number(i % 3)}, {"c_action_link", i % 2 ? "Open" : ""}});
        frame->set(keys::OptionGroupsExpanded, true);
        frame->set(keys::OptionGroupsStyle, QByteArray("bold"));
        show();
        const QList<TVirtualNode> all = allRows(rows());
        for (int i : {0, 2, 3})
            rows().recordOf(all[i])->FrameObject->SetState(fcsChecked);
        rows().recordOf(all[1])->FrameObject->SetState(fcsMixed);
        filled(all[2])->GetSlice(3)->Style = getStyle("link");
        showInWindow();
        tree->SetNodeFocused(all[3]);
        QApplication::processEvents();

        const QImage shot = tree->grab().toImage().convertToFormat(QImage::Format_RGB32);
        const QSet<QRgb> colors(reinterpret_cast<const QRgb *>(shot.constBits()),
                                reinterpret_cast<const QRgb *>(shot.constBits()) + shot.width() * shot.height());
        QVERIFY2(colors.size() > 40, "the tree drew next to nothing");
        QVERIFY(colors.contains(qRgb(0xd0, 0x30, 0x30)) && colors.contains(qRgb(0x20, 0x90, 0x40)) &&
                colors.contains(qRgb(0x30, 0x60, 0xd0)));
        QVERIFY(shot.save(QDir::current().filePath("tst_selectvirtualtree.png")));
    }
};

QTEST_MAIN(TestSelectVirtualTree)
#include "tst_selectvirtualtree.moc"
