// SPDX-License-Identifier: MIT
// The item tree's manager and adapters in a tree control: layout of rows
// and cells, what each slice shows, flags, options, header, tool tips,
// clicks and drawing. How the tree control handles these rows is
// tst_customtree's; the frame sorts this tree in tst_sorting.
#include "SelectTreeFixture.h"

#include "platform/SlicePoint.h"

#include "platform/tree/TCheckSlice.h"
#include "platform/tree/TCustomHeader.h"
#include "platform/tree/TStringSlice.h"

#include <QApplication>
#include <QDir>
#include <QStringEncoder>
#include <QToolTip>

using namespace selectframe;
using namespace selectframe::test;

namespace {

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

    std::unique_ptr<TShownTree> t;
    TFrameFixture *frame = nullptr;
    TTree *tree = nullptr;

    TFrameManager &fm() { return t->Manager; }
    TSelectVirtualTree &rows() const { return t->rows(); }
    TNodeStore &store() const { return t->store(); }
    void show() { t->build(); }
    TVirtualNode top(int i) const { return t->child(i); }
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
                    .arg(QLatin1String(image->Images == &t->Images ? "ours"
                                       : image->Images             ? "other"
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

private slots:
    void init()
    {
        t = std::make_unique<TShownTree>();
        frame = t.get();
        tree = &t->Tree;
        tree->resize(560, 300);
    }
    void cleanup() { t.reset(); }

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
    // holds is shown unchanged, one it lacks (an ANSI code page, or a lone
    // surrogate, which no encoding holds) shows replacements instead.
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
        QTest::newRow("past the list") << "9" << 9 << u'a' + QString(QChar(0xD800)) + u'b';
    }
    void imageAndLinkValues()
    {
        QFETCH(QString, image);
        QFETCH(int, index);
        QFETCH(QString, link);
        frame->add("a", {}, {{"image", image}, {"c_action_link", link}});
        show();
        QCOMPARE(slice<TImageSlice>(top(0), 1)->ImageIndex, index);
        QStringEncoder encoder(QStringConverter::System);
        const QByteArray encoded = encoder(link);
        const QString shown = textOf(filled(top(0)), 3);
        if (!encoder.hasError())
            QCOMPARE(shown, link);
        else
            QVERIFY(shown != link && shown.size() == link.size() &&
                    std::none_of(shown.begin(), shown.end(), [](QChar c) { return c.isSurrogate(); }));
    }

    // Groups without check boxes and radio items: the skin of every node
    // of their rows. A click where a group's check box would be reaches its
    // caption and checks nothing.
    void selectModeOnlyOne()
    {
        frame->add("a", "G", {{"c_action_link", "Open"}});
        fm().GroupsCheckable = false;
        fm().RadioItems = true;
        show();
        t->showWindow();
        const TVirtualNode group = top(0);
        tree->SetNodeState(group, nsExpanded);
        const TVirtualNode item = store().firstChild(group);
        const auto skinOf = [this](TVirtualNode node) {
            QByteArray skin;
            rows().FillSkinName(node, &skin);
            return skin;
        };
        QVERIFY(!slice<TCheckSlice>(group, 0)->Shown && slice<TCheckSlice>(item, 0)->Shown);
        for (TVirtualNode node : {group, item, store().cell(item, 2), store().cell(group, 1)})
            QCOMPARE(skinOf(node), QByteArray("radio"));
        QList<std::pair<TVirtualNode, TSlice *>> active;
        int clickedSlice = -1;
        tree->OnNodeActive = [&](TCustomTree *, TVirtualNode n, TSlice *s) { active.append({n, s}); };
        tree->OnNodeClick = [&](TCustomTree *, const THitInfo &hit) { clickedSlice = hit.SliceIndex; };
        QTest::mouseClick(tree->viewport(), Qt::LeftButton, {}, slicePoint(*tree, item, 0, 0));
        QTest::mouseClick(tree->viewport(), Qt::LeftButton, {}, slicePoint(*tree, group, 0, 2));
        QCOMPARE(clickedSlice, 2);
        QCOMPARE(active,
                 (QList<std::pair<TVirtualNode, TSlice *>>{{item, rows().recordOf(item)->Slices->GetSlice(0)}}));

        fm().RadioItems = false;
        fm().ItemsCheckable = false;
        QCOMPARE(skinOf(item), QByteArray("default"));
        QVERIFY(!slice<TCheckSlice>(item, 0)->Shown);
    }

    // Header columns as the widths say; a group row's state gets the
    // groups-expanded option added.
    void stateInfoOfRowsAndColumns_data()
    {
        QTest::addColumn<QString>("widths");
        QTest::addColumn<QList<QList<int>>>("expected"); // state, first, second, third per column
        QTest::addColumn<bool>("expanded");
        QTest::newRow("-1,150,-1") << "-1,150,-1"
                                   << QList<QList<int>>{{0, -7, -9, 0x10000}, {0, 150, -9, 0}, {8, -7, -9, -5}} << true;
        QTest::newRow("80,-1,60") << "80,-1,60" << QList<QList<int>>{{0, 80, -9, 0}, {8, -7, -9, -5}, {0, 60, -9, 0}}
                                  << false;
    }
    void stateInfoOfRowsAndColumns()
    {
        QFETCH(QString, widths);
        QFETCH(QList<QList<int>>, expected);
        QFETCH(bool, expanded);
        frame->set(keys::OptionColumnsWidth, widths);
        frame->set(keys::OptionGroupsExpanded, expanded);
        frame->add("a", "G");
        show();
        QCOMPARE(stateInfo(rows(), top(0), nsHidden),
                 (QList<int>{int(nsHidden | (expanded ? nsExpanded : 0u)), -7, -9, -5}));
        TSelectVirtualColumns &header = *t->vm()->Header;
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
        t->showWindow();
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
        t->showWindow();
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
