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
    // The form: what each component says, the menus; the drop-down check
    // button in the plain one's place, the bar after it. New items have no
    // group and no image.
    void form()
    {
        TFrameFixture f;
        QStringList texts;
        for (const char *name : {"edFilter", "btnGroupBy", "btnFavorites", "btnCheckAll", "btnCheck", "btnUncheckAll",
                                 "lbTotalCount", "lbCheckedCount"})
            texts << f.part(name)->property("text").toString();
        QCOMPARE(texts.join(u'|'),
                 "Find search engines|Group by ...|Favorites|Check All|Check|Uncheck all|Total: 0|Checked: 0");
        // A right click selects before the menu shows; focus events wait
        // for the focus to rest.
        QVERIFY(f.tree->rightClickSelect() && f.tree->focusDelay() == 510);
        // An entry follows its action.
        f.part<QAction>("acSetEmbeddedFavorites")->setEnabled(false);
        QCOMPARE(entries(f.part<QMenu>("pmEmbeddedFavorites")),
                 "[Check favorite SEs|-|(Mark selected as favorite SEs)|Clear the list of favorite SEs]");
        QVERIFY(f.part<QMenu>("pmGroupBy")->actions().isEmpty());
        QCOMPARE(f.part("btnCheck")->geometry(), QRect(0, 7, 93, 27));
        QCOMPARE(shown(f, {"btnCheckAll", "pnButtons", "pnlBottom"}), "");
        auto *checkMenu = f.part<TSplitPopupMenu>("FCheckMenu");
        QCOMPARE(f.part<TDropDownButton>("btnCheck")->dropdownMenu(), checkMenu);
        QCOMPARE(f.part<TDropDownButton>("btnFavorites")->dropdownMenu(), checkMenu);
        QCOMPARE(f.part<TActionButton>("btnFilter")->action(), f.part<QAction>("acFilterApply"));
        QVERIFY(!f.control.IsInitialized());

        // Brought up with every option at its default. A bulk pass before
        // then has no rows to show it, but is published.
        for (const char *id : {"a", "b", "c"})
            f.add(id);
        f.control.SetOnChange(nullptr);
        f.control.GetManager()->Rebuild();
        f.control.GetManager()->CheckByList({"a", "c"});
        QCOMPARE(f.checkedCaption() + ' ' + f.option(keys::PropertyCheckedCount).toString(), "Checked: 2 2");
        f.control.Initialize();
        QVERIFY(f.control.IsInitialized());
        QCOMPARE(f.part<QLabel>("lbTotalCount")->text() + ' ' + f.option(keys::PropertyTotalCount).toString(),
                 "Total: 3 3");
        QCOMPARE(f.part<QLineEdit>("edFilter")->text(), QString());
        QCOMPARE(shown(f, {"btnCheckAll", "pnButtons", "pnlBottom"}), "pnlBottom");
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

    // The options reach the tree and the settings; the row selection
    // option can only switch it on. Without columns Initialize fails and
    // the control stays uninitialised.
    void applyOptions()
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
        QCOMPARE(f.part<TDropDownButton>("btnFavorites")->dropdownMenu(), f.part<QMenu>("pmEmbeddedFavorites"));
        f.setOption(keys::OptionColumnNames, QByteArray(""));
        QVERIFY_THROWS_EXCEPTION(std::exception, f.control.Initialize());
        QVERIFY(!f.control.IsInitialized());
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
