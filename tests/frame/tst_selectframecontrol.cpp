// SPDX-License-Identifier: MIT
// The frame control as its form builds it, as its options configure it and
// as Initialize brings it up; its settings and what they tell it.
#include "FrameFixture.h"

#include "frame/ItemValues.h"
#include "frame/SplitPopupMenu.h"
#include "platform/ActionButton.h"
#include "platform/Conversion.h"
#include "platform/DropDownButton.h"
#include "platform/tree/TCustomHeader.h"

#include <QLayout>

using namespace selectframe;
using namespace selectframe::test;

namespace {

/// The settings' messages a control is sent, and the filter in force as
/// each filter message arrives.
struct TMessages : QObject
{
    QList<int> Received;
    QStringList Filters;

    explicit TMessages(TSelectFrameControl &control) { control.installEventFilter(this); }
    bool eventFilter(QObject *control, QEvent *e) override
    {
        if (e->type() >= SFM_SHOWONLYCHECKED && e->type() <= SFM_SHOWGROUPBY)
            Received << e->type();
        if (e->type() == SFM_FILTER)
            Filters << static_cast<TSelectFrameControl *>(control)->Settings()->Filter();
        return false;
    }
};

} // namespace

class TestSelectFrameControl : public QObject
{
    Q_OBJECT

private slots:
    // The form: where each component sits and what it says, the menus; the
    // drop-down check button in the plain one's place, the bar after it. New
    // items have no group and no image.
    void form()
    {
        TFrameFixture f;
        QStringList parts;
        for (const char *name : {"SelectTree", "pnButtons", "pnFilter", "edFilter", "btnFilter", "pnGroupBy",
                                 "btnGroupBy", "pnFavorites", "btnFavorites", "pnlBottom", "btnCheckAll", "btnCheck",
                                 "btnUncheckAll", "lbTotalCount", "lbCheckedCount"})
            parts << QStringLiteral("%1<%2 %3")
                         .arg(name, f.part(name)->parentWidget()->objectName(),
                              f.part(name)->property("text").toString());
        QCOMPARE(parts, (QStringList{"SelectTree<pnMain ", "pnButtons<pnMain ", "pnFilter<pnButtons ",
                                     "edFilter<pnFilter Find search engines", "btnFilter<pnFilter ",
                                     "pnGroupBy<pnButtons ", "btnGroupBy<pnGroupBy Group by ...",
                                     "pnFavorites<pnButtons ", "btnFavorites<pnFavorites Favorites",
                                     "pnlBottom<pnMain ", "btnCheckAll<pnlBottom Check All", "btnCheck<pnlBottom Check",
                                     "btnUncheckAll<pnlBottom Uncheck all", "lbTotalCount<pnlBottom Total: 0",
                                     "lbCheckedCount<pnlBottom Checked: 0"}));
        // A right click selects before the menu shows; focus events wait
        // for the focus to rest.
        QVERIFY(f.tree->rightClickSelect() && f.tree->focusDelay() == 510);
        // An entry follows its action.
        f.part<QAction>("acSetEmbeddedFavorites")->setEnabled(false);
        QCOMPARE(entries(f.part<QMenu>("pmEmbeddedFavorites")),
                 "[Check favorite SEs|-|(Mark selected as favorite SEs)|Clear the list of favorite SEs]");
        QVERIFY(f.part<QMenu>("pmGroupBy")->actions().isEmpty());
        QCOMPARE(f.part("btnCheck")->geometry(), QRect(0, 7, 93, 27));
        for (const char *name : {"btnCheckAll", "pnButtons", "pnlBottom"})
            QVERIFY2(f.part(name)->isHidden(), name);
        auto *checkMenu = f.part<TSplitPopupMenu>("FCheckMenu");
        QCOMPARE(f.part<TDropDownButton>("btnCheck")->dropdownMenu(), checkMenu);
        QCOMPARE(f.part<TDropDownButton>("btnFavorites")->dropdownMenu(), checkMenu);
        QCOMPARE(f.part<TActionButton>("btnFilter")->action(), f.part<QAction>("acFilterApply"));
        QVERIFY(!f.control.IsInitialized());

        // Brought up with every option at its default.
        for (const char *id : {"a", "b", "c"})
            f.add(id);
        // A bulk pass before then has no rows to show it, but is published.
        f.control.SetOnChange(nullptr);
        f.control.GetManager()->Rebuild();
        f.control.GetManager()->CheckByList({"a", "c"});
        QCOMPARE(f.checkedCaption() + ' ' + f.option(keys::PropertyCheckedCount).toString(), "Checked: 2 2");
        f.control.Initialize();
        QVERIFY(f.control.IsInitialized());
        QCOMPARE(f.part<QLabel>("lbTotalCount")->text(), "Total: 3");
        QCOMPARE(f.option(keys::PropertyTotalCount).toInt(), 3);
        QCOMPARE(f.part<QLineEdit>("edFilter")->text(), QString());
        QVERIFY(!f.part("pnlBottom")->isHidden() && f.part("btnCheckAll")->isHidden() &&
                f.part("pnButtons")->isHidden());
        QCOMPARE((QList<int>{f.part("btnCheck")->x(), f.part("btnUncheckAll")->x(), f.part("lbTotalCount")->x(),
                             f.part("lbCheckedCount")->x()}),
                 (QList<int>{0, 100, 203, 263}));
        QVERIFY(f.tree->Header()->getSortTypes().isEmpty());
        QCOMPARE(itemValue(f.item("a"), "image") + '|' + itemValue(f.item("a"), "group"), "-1|");
    }

    // The side panel shows what the settings ask for, stacked from the top;
    // the favorites mode picks the favorites button's menu.
    void sidePanelFollowsTheSettings()
    {
        TFrameFixture f;
        f.addGroupAndLoose();
        TFrameSettings *settings = f.control.Settings();
        const auto panel = [&] {
            QStringList shown;
            f.part("pnButtons")->layout()->activate();
            for (const char *name : {"pnFilter", "pnGroupBy", "pnFavorites"})
                if (!f.part("pnButtons")->isHidden() && !f.part(name)->isHidden())
                    shown << QStringLiteral("%1@%2").arg(name).arg(f.part(name)->y());
            return shown.join(u' ');
        };
        settings->SetShowGroupBy(true);
        QCOMPARE(panel(), "pnGroupBy@0");
        settings->SetShowFavorites(true);
        settings->SetShowFilter(true);
        QCOMPARE(panel(), "pnFilter@0 pnGroupBy@33 pnFavorites@65");
        settings->SetShowFavorites(false);
        settings->SetShowFilter(false);
        settings->SetShowGroupBy(false);
        QVERIFY(f.part("pnButtons")->isHidden());

        settings->SetShowFavorites(true);
        auto *button = f.part<TDropDownButton>("btnFavorites");
        const std::pair<int, const char *> modes[] = {
            {ffmEmbedded, "pmEmbeddedFavorites"}, {5, ""}, {ffmExternal, "FCheckMenu"}, {5, ""}};
        for (const auto &[mode, menu] : modes) {
            settings->SetFavoritesMode(TFrameFavoritesMode(mode));
            QCOMPARE(button->dropdownMenu(), *menu ? f.part<QMenu>(menu) : nullptr);
        }
        // Without a menu a click shows none.
        QTest::mouseClick(button, Qt::LeftButton);
        QVERIFY(!QApplication::activePopupWidget());
    }

    // The control's own switch reaches the bottom bar and the tree only; a
    // parent's leaves their own states alone.
    void enablingReachesBottomBarAndTreeOnly()
    {
        TFrameFixture f;
        f.part("btnGroupBy")->setEnabled(false);
        f.control.setEnabled(false);
        for (const char *name : {"pnlBottom", "SelectTree"})
            QVERIFY2(f.part(name)->testAttribute(Qt::WA_ForceDisabled), name);
        for (const char *name : {"pnButtons", "edFilter", "btnFavorites"})
            QVERIFY2(!f.part(name)->testAttribute(Qt::WA_ForceDisabled), name);
        f.control.setEnabled(true);
        QVERIFY(f.part("pnlBottom")->isEnabled() && f.tree->isEnabled() && !f.part("btnGroupBy")->isEnabled());
        QWidget host;
        auto *placed = new TSelectFrameControl(&host);
        host.setEnabled(false);
        QVERIFY(!placed->findChild<QWidget *>("pnlBottom")->testAttribute(Qt::WA_ForceDisabled));
        host.setEnabled(true);
        QVERIFY(placed->findChild<QWidget *>("pnlBottom")->isEnabled());
    }

    // A second frame shares the options but offers no favorites, and the
    // per-column keys of the columns after the first.
    void copyOptionsFromAnotherFrame()
    {
        TFrameFixture source, target;
        source.run(R"(opt show.favorites=1;opt row.limit=7;opt filter.show=1;opt groups.expand_first=1;)"
                   R"(opt column.names=A,B,"C C";opt favorite.A=fav A;opt favorite.B=fav B;opt favorite.C C=fav C C;)"
                   R"(opt fav.other_name.A=other A;opt fav.other_name.C C=other C C)");
        source.add("x");
        source.control.GetManager()->Rebuild();
        target.control.CopyOptionsFrom(source.control.GetManager());
        QCOMPARE((QVariantList{target.option(keys::OptionShowFavorites), target.option(keys::OptionRowLimit),
                               target.option(keys::OptionColumnNames), target.option(keys::OptionFilterShow),
                               target.option(keys::OptionGroupsExpandFirst), target.option("option://favorite.B"),
                               target.option("option://fav.other_name.C C")}),
                 (QVariantList{false, "7", R"(A,B,"C C")", false, false, "fav B", "other C C"}));
        QVERIFY(!target.control.GetManager()->Params()->Exists("option://favorite.A"));
        QVERIFY(!target.control.GetManager()->Params()->Exists("option://fav.other_name.A"));
    }

    void applyOptionsSetsTreeAndSettings()
    {
        TFrameFixture f;
        f.run("opt header.height=25;opt filter.show=1;opt filter.text=type here;opt groupby.columns=g=Group;"
              "opt groupby.index=4;opt select.mode=2;opt favorites.mode=1");
        f.setOption(keys::OptionRowHeight, QByteArray("30"));
        // The option can only switch row selection on.
        f.tree->setRowSelect(false);
        for (const auto &[option, selected] :
             {std::pair{false, false}, std::pair{true, true}, std::pair{false, true}}) {
            f.setOption(keys::OptionRowSelect, option);
            f.control.ApplyOptions();
            QCOMPARE(f.tree->rowSelect(), selected);
        }
        QCOMPARE(f.tree->headerHeight(), 25);
        QCOMPARE(f.tree->uniformRowHeight(), 30);
        TFrameSettings *settings = f.control.Settings();
        QVERIFY(settings->ShowFilter() && settings->ShowGroupBy() && !settings->ShowFavorites());
        QCOMPARE(settings->FilterHint(), "type here");
        QCOMPARE(settings->GroupByIndex(), 4);
        QCOMPARE(settings->SelectMode(), fsmOnlyAll);
        QVERIFY(!f.part("pnFilter")->isHidden() && !f.part("pnGroupBy")->isHidden() &&
                f.part("pnFavorites")->isHidden());
        QCOMPARE(f.part<TDropDownButton>("btnFavorites")->dropdownMenu(), f.part<QMenu>("pmEmbeddedFavorites"));
    }

    // Values no screen can show are brought into range: before, a row or
    // header height of INT_MAX made the first paint hang while memory grew
    // past gigabytes, and a row limit of INT_MAX overflowed in the check
    // menu's layout.
    void sizeOptionsAreClampedToAScreen()
    {
        const QVariant huge(int32_t(2147483647));
        const std::tuple<const char *, QVariant, QList<int>> cases[] = {
            {keys::OptionHeaderHeight, huge, {240, 22, 100}}, {keys::OptionRowHeight, huge, {18, 240, 100}},
            {keys::OptionRowHeight, -7, {18, 22, 100}},       {keys::OptionColumnsWidth, "2147483647", {18, 22, 8192}},
            {keys::OptionRowLimit, huge, {18, 22, 100}},      {keys::OptionColumnLimit, huge, {18, 22, 100}}};
        for (const auto &[key, value, sizes] : cases) {
            TFrameFixture f;
            f.run("opt columns.width=100;opt column.names=Name,Country;opt favorite.columns=Country;"
                  "opt fav.other_name.Country=Other");
            f.setOption(key, value);
            for (int i = 0; i < 50; ++i)
                f.add(QString::number(i), {}, {{"column1_data", QStringLiteral("c%1").arg(i)}});
            f.control.Initialize();
            f.control.resize(400, 300);
            QVERIFY(!f.control.grab().isNull());
            QCOMPARE((QList<int>{f.tree->headerHeight(), f.tree->uniformRowHeight(),
                                 f.tree->Header()->getWidth(f.tree->Header()->ItemByOrder(0))}),
                     sizes);
        }
    }

    // Without columns Initialize fails and the control stays uninitialised.
    void initializeFailsWithoutColumns()
    {
        TFrameFixture f;
        f.setOption(keys::OptionColumnNames, QByteArray(""));
        QVERIFY_THROWS_EXCEPTION(std::exception, f.control.Initialize());
        QVERIFY(!f.control.IsInitialized());
    }

    // Each setter writes a first value twice, then a second one twice: the
    // control hears of each change once, of the select mode, the group-by
    // index and the filter hint never.
    void settersTellTheControlOfChangesOnly()
    {
        using TSetter = std::function<void(TFrameSettings &, bool second)>;
        const auto flag = [](void (TFrameSettings::*set)(bool)) {
            return TSetter([set](TFrameSettings &s, bool second) { (s.*set)(!second); });
        };
        const std::pair<TSetter, int> setters[] = {
            {flag(&TFrameSettings::SetShowOnlyChecked), SFM_SHOWONLYCHECKED},
            {flag(&TFrameSettings::SetShowFavorites), SFM_SHOWFAVORITES},
            {flag(&TFrameSettings::SetShowFilter), SFM_SHOWFILTER},
            {flag(&TFrameSettings::SetShowGroupBy), SFM_SHOWGROUPBY},
            {[](TFrameSettings &s, bool second) { s.SetFavoritesMode(second ? TFrameFavoritesMode(7) : ffmEmbedded); },
             SFM_FAVORITESMODE},
            {[](TFrameSettings &s, bool second) { s.SetFilter(second ? "abd" : "abc"); }, SFM_FILTER},
            {[](TFrameSettings &s, bool second) { s.SetSelectMode(second ? fsmOnlyOne : fsmOff); }, 0},
            {[](TFrameSettings &s, bool second) { s.SetGroupByIndex(second ? 5 : 2); }, 0},
            {[](TFrameSettings &s, bool second) { s.SetFilterHint(second ? "b" : "a"); }, 0}};
        for (const auto &[write, message] : setters) {
            TFrameFixture f;
            TMessages messages(f.control);
            for (const bool second : {false, false, true, true})
                write(*f.control.Settings(), second);
            QCOMPARE(messages.Received, (message ? QList<int>{message, message} : QList<int>{}));
        }
    }

    // A filter differing in letter case only is no change. The control
    // handles a message before the setter returns, and a setting it writes
    // in turn (the checked-only view clears the filter) inside it.
    void filterCaseAndReentrance()
    {
        TFrameFixture f;
        TMessages messages(f.control);
        TFrameSettings *settings = f.control.Settings();
        QStringList filters;
        for (const char *filter : {"abc", "ABC", "\u00c4BC", "\u00e4bc", "x"}) {
            settings->SetFilter(QString::fromUtf8(filter));
            filters << settings->Filter();
        }
        settings->SetShowOnlyChecked(true);
        QCOMPARE(filters, (QStringList{"abc", "abc", "\u00c4BC", "\u00c4BC", "x"}));
        QCOMPARE(messages.Received, (QList<int>{SFM_FILTER, SFM_FILTER, SFM_FILTER, SFM_SHOWONLYCHECKED, SFM_FILTER}));
        QCOMPARE(messages.Filters, (QStringList{"abc", "\u00c4BC", "x", ""}));
    }

    // The control's settings take a copy of the select mode, the
    // checked-only view, the favorites and their mode, silently, and keep
    // the rest; null copies nothing, anything else than settings fails.
    void settingsCopiedSilently()
    {
        TFrameFixture f;
        TFrameSettings *target = f.control.Settings();
        target->SetShowFilter(true);
        target->SetShowGroupBy(true);
        target->SetGroupByIndex(3);
        target->SetFilterHint(QStringLiteral("hint"));
        target->SetFilter(QStringLiteral("flt"));
        TMessages messages(f.control);
        TFrameSettings source;
        source.SetSelectMode(fsmOnlyOne);
        source.SetShowOnlyChecked(true);
        source.SetShowFavorites(true);
        source.SetFavoritesMode(ffmEmbedded);
        f.control.SetSettings(&source);
        f.control.SetSettings(nullptr);
        QVERIFY(target->SelectMode() == fsmOnlyOne && target->ShowOnlyChecked() && target->ShowFavorites());
        QCOMPARE(target->FavoritesMode(), ffmEmbedded);
        QVERIFY(target->ShowFilter() && target->ShowGroupBy() && target->GroupByIndex() == 3);
        QCOMPARE(target->FilterHint() + target->Filter(), QStringLiteral("hintflt"));
        QVERIFY(f.control.Settings() == target && target->Owner() == &f.control && messages.Received.isEmpty());
        QCOMPARE(f.part<TDropDownButton>("btnFavorites")->dropdownMenu(), f.part<QMenu>("FCheckMenu"));
        QObject stranger;
        QVERIFY_THROWS_EXCEPTION(EConvertError, target->Assign(&stranger));
        QVERIFY_THROWS_EXCEPTION(EConvertError, target->Assign(nullptr));
    }
};

QTEST_MAIN(TestSelectFrameControl)
#include "tst_selectframecontrol.moc"
