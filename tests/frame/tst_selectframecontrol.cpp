// SPDX-License-Identifier: MIT
// The frame control as its form builds it, as its options configure it and
// as Initialize brings it up; its settings and what they tell it.
#include "FrameFixture.h"

#include "frame/ItemValues.h"
#include "platform/ActionButton.h"
#include "platform/Conversion.h"
#include "platform/DropDownButton.h"

using namespace selectframe;
using namespace selectframe::test;

namespace {

/// The settings' messages a control is sent, as offsets from the first,
/// a filter message with the filter in force as it arrives.
struct TMessages : QObject
{
    QStringList Received;

    explicit TMessages(TSelectFrameControl &control) { control.installEventFilter(this); }
    bool eventFilter(QObject *control, QEvent *e) override
    {
        const int type = e->type();
        if (type >= SFM_SHOWONLYCHECKED && type <= SFM_SHOWGROUPBY)
            Received << QString::number(type - SFM_SHOWONLYCHECKED) +
                            (type == SFM_FILTER
                                 ? ':' + static_cast<TSelectFrameControl *>(control)->Settings()->Filter()
                                 : QString());
        return false;
    }
};

/// The parts of `names` not hidden.
QString shown(const TFrameFixture &f, const QStringList &names)
{
    QStringList out;
    for (const QString &name : names)
        if (!f.part(qPrintable(name))->isHidden())
            out << name;
    return out.join(u' ');
}

} // namespace

class TestSelectFrameControl : public QObject
{
    Q_OBJECT

private slots:
    // The form: a right click selects before the menu shows, focus events
    // wait for the focus to rest, the filter button applies; the bottom bar
    // shows once Initialize ran, the drop-down check button in the plain
    // one's place and the counts after it. A bulk pass before then has no
    // rows to show it, but is published. New items have no group and no
    // image.
    void form()
    {
        TFrameFixture f;
        QVERIFY(f.tree->rightClickSelect() && f.tree->focusDelay() == 510);
        QCOMPARE(f.part<TActionButton>("btnFilter")->action(), f.part<QAction>("acFilterApply"));
        QCOMPARE(shown(f, {"btnCheckAll", "pnButtons", "pnlBottom"}), "");
        for (const char *id : {"a", "b", "c"})
            f.add(id);
        f.control.SetOnChange(nullptr);
        f.control.GetManager()->Rebuild();
        f.control.GetManager()->CheckByList({"a", "c"});
        QCOMPARE(f.checkedCaption() + ' ' + f.option(keys::PropertyCheckedCount).toString(), "Checked: 2 2");
        QVERIFY(!f.control.IsInitialized());
        f.control.Initialize();
        QCOMPARE(f.part<QLabel>("lbTotalCount")->text() + ' ' + f.option(keys::PropertyTotalCount).toString(),
                 "Total: 3 3");
        QCOMPARE(shown(f, {"btnCheckAll", "pnButtons", "pnlBottom"}), "pnlBottom");
        QCOMPARE((QList<int>{f.part("btnCheck")->x(), f.part("btnUncheckAll")->x(), f.part("lbTotalCount")->x(),
                             f.part("lbCheckedCount")->x()}),
                 (QList<int>{0, 100, 203, 263}));
        QCOMPARE(itemValue(f.item("a"), "image") + '|' + itemValue(f.item("a"), "group"), "-1|");
    }

    // The options reach the tree, the settings and the side panel; the row
    // selection option can only switch it on. The favorites mode picks the
    // favorites button's menu; without one a click shows none. Without
    // columns Initialize fails and the control stays uninitialised.
    void options()
    {
        TFrameFixture f;
        f.run("opt header.height=25;opt row.height=30;opt filter.show=1;opt filter.text=type here;"
              "opt groupby.columns=g=Group;opt groupby.index=4;opt select.mode=2;opt favorites.mode=1");
        f.tree->setRowSelect(false);
        QList<bool> selected;
        for (const bool option : {false, true, false}) {
            f.setOption(keys::OptionRowSelect, option);
            f.control.ApplyOptions();
            selected << f.tree->rowSelect();
        }
        QCOMPARE(selected, (QList<bool>{false, true, true}));
        QCOMPARE(f.tree->headerHeight() + f.tree->uniformRowHeight() * 100, 3025);
        TFrameSettings *settings = f.control.Settings();
        QCOMPARE(settings->FilterHint() + ' ' + QString::number(settings->GroupByIndex()), "type here 4");
        QCOMPARE(settings->SelectMode(), fsmOnlyAll);
        QCOMPARE(shown(f, {"pnFilter", "pnGroupBy", "pnFavorites"}), "pnFilter pnGroupBy");
        settings->SetShowFavorites(true);
        auto *button = f.part<TDropDownButton>("btnFavorites");
        const std::pair<int, const char *> modes[] = {
            {ffmEmbedded, "pmEmbeddedFavorites"}, {5, ""}, {ffmExternal, "FCheckMenu"}, {5, ""}};
        for (const auto &[mode, menu] : modes) {
            settings->SetFavoritesMode(TFrameFavoritesMode(mode));
            QCOMPARE(button->dropdownMenu(), *menu ? f.part<QMenu>(menu) : nullptr);
        }
        QTest::mouseClick(button, Qt::LeftButton);
        QVERIFY(!QApplication::activePopupWidget());
        TFrameFixture g;
        g.setOption(keys::OptionColumnNames, QByteArray(""));
        QVERIFY_THROWS_EXCEPTION(std::exception, g.control.Initialize());
        QVERIFY(!g.control.IsInitialized());
    }

    // Each setter writes a first value twice, then a second one twice: the
    // control hears of each change once, of the select mode, the group-by
    // index and the hint never, of a filter differing in letter case only
    // never. It handles a message before the setter returns, and a setting
    // it writes in turn (the checked-only view clears the filter) inside
    // it. Settings given to it are copied silently: the select mode, the
    // checked-only view, the favorites and their mode; nothing else.
    void settings()
    {
        TFrameFixture f;
        TMessages messages(f.control);
        TFrameSettings *s = f.control.Settings();
        for (const bool second : {false, false, true, true}) {
            s->SetShowOnlyChecked(!second);
            s->SetShowFavorites(!second);
            s->SetFavoritesMode(second ? TFrameFavoritesMode(7) : ffmEmbedded);
            s->SetShowFilter(!second);
            s->SetShowGroupBy(!second);
            s->SetSelectMode(second ? fsmOnlyOne : fsmOff);
            s->SetGroupByIndex(second ? 5 : 2);
            s->SetFilterHint(second ? "b" : "a");
        }
        QStringList filters;
        for (const char *filter : {"abc", "ABC", "\u00c4BC", "\u00e4bc", "x"}) {
            s->SetFilter(QString::fromUtf8(filter));
            filters << s->Filter();
        }
        s->SetShowOnlyChecked(true);
        QCOMPARE(filters.join(u' '), "abc abc \u00c4BC \u00c4BC x");
        QCOMPARE(messages.Received.join(u' '), "0 1 2 4 5 0 1 2 4 5 3:abc 3:\u00c4BC 3:x 0 3:");

        messages.Received.clear();
        TFrameSettings source;
        source.SetSelectMode(fsmOnlyAll);
        source.SetShowFavorites(true);
        source.SetFavoritesMode(ffmEmbedded);
        f.control.SetSettings(&source);
        f.control.SetSettings(nullptr);
        QVERIFY(s->SelectMode() == fsmOnlyAll && !s->ShowOnlyChecked() && s->ShowFavorites());
        QVERIFY(s->FavoritesMode() == ffmEmbedded && !s->ShowFilter() && s->GroupByIndex() == 5);
        QVERIFY(f.control.Settings() == s && s->Owner() == &f.control && messages.Received.isEmpty());
        QCOMPARE(s->FilterHint(), "b");
        QCOMPARE(f.part<TDropDownButton>("btnFavorites")->dropdownMenu(), nullptr);
        QObject stranger;
        QVERIFY_THROWS_EXCEPTION(EConvertError, s->Assign(&stranger));
        QVERIFY_THROWS_EXCEPTION(EConvertError, s->Assign(nullptr));
    }
};

QTEST_MAIN(TestSelectFrameControl)
#include "tst_selectframecontrol.moc"
