// SPDX-License-Identifier: MIT
// The frame control. As its form builds it, as its options configure it and
// as Initialize brings it up; its settings and what they tell it. Driven by
// scripts of user steps (see TFrameFixture::run): checking and its cascade,
// the action links, the filter box and the checked-only view, group by with
// the host regrouping, the favorites button; the check menu: its entries per
// select mode, the grid of a column's other values, the favorite entries,
// and choosing entries from the check button's drop-down and the tree's
// context menu. The order of its rows: the row comparison, asked the way the
// tree asks it while sorting, a sort of the whole tree by keys and by pairs;
// and the remembered layout, a frame's sort keys and column widths saved when
// it goes and brought back when the next frame of the same ui comes up,
// through the settings store of a test. What the user perceives of it:
// assistive tools learn the rows' check states (mixed for groups), hints and
// action links, a state change when the user toggles a row, and the names of
// the side panel's and the bottom bar's controls; the keyboard reaches every
// control by Tab, the drop-down menus and their entries.
#include "DarkPalette.h"
#include "FrameFixture.h"

#include "platform/ActionButton.h"
#include "platform/Conversion.h"
#include "platform/DropDownButton.h"
#include "platform/TestSettingsScope.h"
#include "platform/tree/TCustomHeader.h"

#include <memory>
#include <random>
#include <stdexcept>

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

/// Search (Google, Bing), Video (YouTube) and the loose DuckDuckGo, with a
/// column "Kind", the filter box and the group-by button; Google and
/// DuckDuckGo have an action link. The host groups by source, kind or
/// first letter ("host throws", "host none" and "host drop", which takes
/// the columns away, change that).
struct TEngines : TFrameFixture
{
    const IVmManager *shownRows = nullptr;

    TEngines()
    {
        setOption(keys::OptionColumnNames, "Name,Kind");
        setOption(keys::OptionFilterShow, true);
        setOption(keys::OptionFilterText, "Find engines");
        setOption(keys::OptionGroupByColumns, R"(source=Source,kind=Kind,"letter=First letter")");
        add("Google", "Search", {{"column1_data", "web"}, {"c_action_link", "Open"}});
        add("Bing", "Search", {{"column1_data", "web"}});
        add("YouTube", "Video", {{"column1_data", "video"}});
        add("DuckDuckGo", QString(), {{"column1_data", "privacy"}, {"c_action_link", "Open"}});
        host(QString());
        more = [this](const QString &verb, const QString &arg) {
            if (verb == u"host")
                host(arg);
            else if (verb == u"init")
                control.Initialize();
            else if (verb == u"blank")
                part<QPushButton>("btnGroupBy")->setText(QString());
            else if (verb == u"?rows")
                said << (std::exchange(shownRows, vm()) == vm() ? "same rows" : "new rows");
            else if (verb == u"?sort")
                said << QSettings().value(QStringLiteral("Tests/GroupBy/SelectTree_Sort")).toString();
            else if (verb == u"paint")
                said << (control.IsInitialized() && !control.grab().isNull() ? "painted" : "not painted");
            else
                return false;
            return true;
        };
    }

    void host(const QString &mode)
    {
        if (mode == u"none")
            return control.SetOnChangeGroupBy(nullptr);
        control.SetOnChangeGroupBy([this, mode](QObject *, const QString &id, IFrameItemEnumerator *items) {
            if (mode == u"drop")
                return setOption(keys::OptionColumnNames, QString());
            QStringList seen;
            while (items->MoveNext()) {
                IPtr<IFrameItem> item;
                items->GetCurrent(item.put());
                QString caption, kind;
                item->GetCaption(&caption);
                IPtr<IStringValueList> values;
                item->GetValues(values.put());
                values->GetValue("column1_data", &kind);
                const QString source = caption == u"YouTube" ? "Video" : caption == u"DuckDuckGo" ? "" : "Search";
                values->SetValue("group", id == u"kind" ? kind : id == u"letter" ? caption.left(1) : source);
                seen << caption;
            }
            said << "regroup " + id + ": " + seen.join(u',');
            if (mode == u"throws")
                throw std::runtime_error("host failed");
        });
    }
};

const QString All = "DuckDuckGo Search Google Bing Video YouTube";

template <class Menu = QMenu>
Menu *submenu(const QMenu *menu, const QString &caption)
{
    for (QAction *action : menu->actions())
        if (action->text() == caption)
            return qobject_cast<Menu *>(action->menu());
    return nullptr;
}

/// The levels of a grid, " > " between them: the sizes of its columns and
/// the level's first value; each level shown, its columns side by side.
QString shape(const QMenu *level)
{
    QStringList levels;
    for (; level; level = submenu(level, "More...")) {
        QList<int> columns{0};
        for (const QAction *entry : level->actions()) {
            if (TGridMenu::isColumnBreak(entry))
                columns << 0;
            ++columns.back();
        }
        QStringList sizes;
        for (int size : columns)
            sizes << QString::number(size);
        levels << sizes.join(u',') + ' ' + level->actions().value(0)->text();
    }
    return levels.join(QStringLiteral(" > "));
}

/// A frame whose second column, Country, is offered for checking by value:
/// one item per value, i0, i1, ...; its scripts add "?country", the
/// entries of "Check by Country" and of its other values, "?grid", the
/// shape of the other values' grid.
struct TMenuFixture : TFrameFixture
{
    explicit TMenuFixture(const QStringList &countries)
    {
        setOption(keys::OptionColumnNames, "Name,Country");
        setOption(keys::OptionFavoriteColumns, "Country");
        setOption("option://fav.other_name.Country", "Other");
        for (int i = 0; i < countries.size(); ++i)
            add(QStringLiteral("i%1").arg(i), QString(), {{"column1_data", countries[i]}});
        more = [this](const QString &verb, const QString &) {
            if (verb == u"?grid") {
                TGridMenu *grid = others();
                grid->popup(QPoint(0, 0));
                if (!QTest::qWaitForWindowExposed(grid))
                    said << "not shown";
                QSet<int> columns;
                for (QAction *value : grid->actions())
                    columns << grid->entryRect(value).x();
                grid->close();
                said << shape(grid) + QStringLiteral(" (%1 shown)").arg(columns.size());
            } else if (verb == u"?country") {
                said << entries(byCountry()) + (others() ? ' ' + entries(others()) : QString());
            } else {
                return false;
            }
            return true;
        };
    }
    QMenu *byCountry() const { return submenu(part<QMenu>("FCheckMenu"), "Check by Country"); }
    TGridMenu *others() const { return submenu<TGridMenu>(byCountry(), "Other"); }
};

/// A frame remembering its layout under `ui`, over six items whose third
/// column reads a, b or c.
struct TLayoutFrame : TFrameFixture
{
    explicit TLayoutFrame(const QString &ui = "Tests\\Layout", const QString &options = {})
    {
        run("opt column.names=Name,Address,Kind;opt columns.width=-1,150,-1;opt ui=" + ui + options);
        for (const char *id : {"5", "3", "6", "1", "4", "2"})
            add(id, {}, {{"column2_data", QString(QChar(u'a' + QString(id).toInt() % 3))}});
    }
};

/// The rows' state changes reported, with the changed row's name.
QStringList g_changes;

void recordUpdate(QAccessibleEvent *event)
{
    if (event->type() == QAccessible::StateChanged)
        g_changes << event->accessibleInterface()->text(QAccessible::Name) +
                         (static_cast<QAccessibleStateChangeEvent *>(event)->changedStates().checked ? " checked" : "");
}

/// The accessible cell of the shown row `row` in column 0: "name|description|" and its state as checkable, checked.
QString cell(TFrameFixture &f, int row)
{
    QAccessibleInterface *cell = QAccessible::queryAccessibleInterface(f.tree)->tableInterface()->cellAt(row, 0);
    return QStringLiteral("%1|%2|%3%4")
        .arg(cell->text(QAccessible::Name), cell->text(QAccessible::Description))
        .arg(cell->state().checkable)
        .arg(cell->state().checked);
}

} // namespace

class TestSelectFrameControl : public QObject
{
    Q_OBJECT

    std::unique_ptr<TTestSettingsScope> m_scope;

private slots:
    void init() { m_scope = std::make_unique<TTestSettingsScope>(QStringLiteral("tst_selectframecontrol")); }
    void cleanup() { m_scope.reset(); }

    void scripts_data()
    {
        addColumns({"script", "seen"});
        // Checking: a group's click cascades, a mixed group unchecks, Space
        // toggles the focused row; only changes are reported.
        addRow("cascade",
               "check Search;?;#;check Bing;?;check Search;?;check Google;check Bing;?;#;key DuckDuckGo Space;#",
               "DuckDuckGo Search+ Google+ Bing+ Video YouTube; 2/1; DuckDuckGo Search~ Google+ Bing Video YouTube; "
               "DuckDuckGo Search Google Bing Video YouTube; DuckDuckGo Search+ Google+ Bing+ Video YouTube; 2/5; 3/6");
        addRow("check all, uncheck all", "none;#;all;all;?;#;none;none;?;#",
               "0/0; DuckDuckGo+ Search+ Google+ Bing+ Video+ YouTube+; 4/1; " + All + "; 0/2");
        addRow("single choice", "opt select.mode=3;check DuckDuckGo;#;check Bing;?;#;check Bing;?;#",
               "1/1; DuckDuckGo Search Google Bing+ Video YouTube; 1/2; DuckDuckGo Search Google Bing+ Video YouTube; "
               "1/2");
        addRow("link style",
               "?link Google;check Google;?link Google;set Google c_action_link_err=failed;refresh Google;?link "
               "Google;check Google;?link Google",
               "text; link hand; red hand; gray_text");
        // A row not drawn yet gets its link's style when it is.
        addRow("collapsed group", "opt groups.expanded=0;check Search;?;key Search Right;?;?link Google",
               "DuckDuckGo Search+ Video; DuckDuckGo Search+ Google+ Bing+ Video; link hand");
        addRow("link click", "link Google;check Google;link Google;?",
               "action Google; DuckDuckGo Search~ Google+ Bing Video YouTube");
        addRow("checked-only view", "only;?;check DuckDuckGo;check Google;only;?;check DuckDuckGo;?;check Google;?",
               All + "; DuckDuckGo+ Search~ Google+; Search~ Google+; " + All);

        // The filter: letter case and column separators never count; a
        // group stays when it or one of its rows matches.
        addRow("matching",
               "filter GOO;?;filter WEB;?;filter vid;?;filter sear;?;filter eweb;?;filter " + QString(QChar(0)) +
                   ";?;filter ;?",
               "Search Google; Search Google Bing; Video YouTube; Search; (none); (none); " + All);
        addRow("texts changed by the host",
               "filter web;set YouTube column1_data=Web video;set DuckDuckGo caption=DuckDuckWeb;set Google "
               "column1_data=mail;filter ;filter web;?",
               "DuckDuckWeb Search Bing Video YouTube");
        addRow("every script",
               "set DuckDuckGo caption=Яндекс Web;set YouTube caption=Ökosia;filter я;?;filter ÖK;?;filter "
               "web;?;filter к;?",
               "Яндекс Web; Video Ökosia; Яндекс Web Search Google Bing; Яндекс Web");
        addRow("typing, then the pause", "?box;enter;?box;keys goo;?box;?;pause;?box;?;clear;?box;?",
               "[Find engines||(apply)]; [||(apply)]; [goo||apply*]; " + All +
                   "; [goo|goo|clear]; Search Google; [Find engines||(apply)]; " + All);
        addRow("escape", "type bi;?;esc;?box;pause;?;?box", "Search Bing; [|bi|clear*]; " + All + "; [||(apply)]");
        addRow("leaving applies", "keys you;leave;?box;?;enter;?box",
               "[you|you|clear]; Video YouTube; [you|you|clear]");
        // A menu taking the focus is no move of the user's.
        addRow("menu over the box", "keys goo;menu box;?box", "[Check All]; [goo||apply*]");
        // The checked-only view clears the filter quietly; its placeholder
        // comes back once the user leaves the box.
        addRow("filter and checked-only",
               "check Google;check YouTube;filter o;enter;only;?box;?;leave;?box;filter goo;?;filter ;?;check "
               "Bing;?;none;?",
               "[||(apply)]; Search~ Google+ Video+ YouTube+; [Find engines||(apply)]; Search~ Google+; DuckDuckGo "
               "Search~ Google+ Bing Video+ YouTube+; Search+ Google+ Bing+ Video+ YouTube+; " +
                   All);

        // Group by: the menu built once from the option, the host told of
        // the choice, the rows built anew with checks, filter and sort kept.
        addRow("groupings",
               "opt groupby.columns=source=Source,kind=Kind;opt groupby.index=1;?group;pick "
               "Source;?group;init;?group",
               "Kind: [Source|*Kind]; regroup source: Google,Bing,YouTube,DuckDuckGo; Source: [*Source|Kind]; Source: "
               "[*Source|Kind]");
        addRow("grouping without id", "opt groupby.columns=Plain,l=Letter;opt groupby.index=1;pick Plain",
               "regroup : Google,Bing,YouTube,DuckDuckGo");
        addRow("same grouping again", "opt ui=Tests\\GroupBy;sort;?rows;blank;pick Source;?group;?sort;?rows",
               "new rows; Source: [*Source|Kind|First letter]; 0=2; same rows");
        addRow("host throws",
               "host throws;opt ui=Tests\\GroupBy;sort;?rows;blank;warn acGroupByExecute failed: host failed;pick "
               "Kind;?group;?sort;?rows;?",
               "new rows; regroup kind: Google,Bing,YouTube,DuckDuckGo; Kind: [Source|*Kind|First letter]; 0=2; same "
               "rows; DuckDuckGo Search Bing Google Video YouTube");
        addRow("no host handler", "host none;opt ui=Tests\\GroupBy;sort;?rows;pick Kind;?group;?sort;?rows",
               "new rows; Kind: [Source|*Kind|First letter]; 0=2; same rows");
        // A host taking the columns away leaves no rows rather than rows
        // over objects the reload destroyed.
        addRow("host takes the columns",
               "host drop;warn acGroupByExecute failed: At least one column should be present;pick Kind;?;paint",
               "(none); painted");

        // The favorites button: the favorites alone (not the embedded one),
        // or the embedded favorite's entries enabled as they stand.
        addRow("external favorites",
               "opt show.favorites=1;favs Mine=Google,DuckDuckGo|%EmbeddedFavorites%=Bing|Yours=Bing;menu "
               "fav>Mine;?;?embedded",
               "[Mine|Yours|-|(Organize Favorites...)]; fav 7 Mine; DuckDuckGo+ Search~ Google+ Bing Video YouTube; "
               "{Bing}");
        addRow("embedded favorites",
               "opt show.favorites=1;opt favorites.mode=1;menu fav;check Google;check DuckDuckGo;menu fav>Mark "
               "selected as favorite SEs;?embedded;none;menu fav>Check favorite SEs;?;menu fav>Clear the list of "
               "favorite SEs;?;menu fav;?embedded",
               "[(Check favorite SEs)|-|(Mark selected as favorite SEs)|(Clear the list of favorite SEs)]; [(Check "
               "favorite SEs)|-|Mark selected as favorite SEs|(Clear the list of favorite SEs)]; {Google,DuckDuckGo}; "
               "[Check favorite SEs|-|(Mark selected as favorite SEs)|Clear the list of favorite SEs]; DuckDuckGo+ "
               "Search~ Google+ Bing Video YouTube; [Check favorite SEs|-|Mark selected as favorite SEs|Clear the list "
               "of favorite SEs]; DuckDuckGo+ Search~ Google+ Bing Video YouTube; [(Check favorite SEs)|-|Mark "
               "selected as favorite SEs|(Clear the list of favorite SEs)]; {}");
    }
    void scripts()
    {
        QFETCH(QString, script);
        QTEST(TEngines().run(script), "seen");
    }

    void checkMenu_data()
    {
        QStringList many;
        for (int i = 0; i < 40; ++i)
            many << QStringLiteral("v%1").arg(i, 3, 10, QLatin1Char('0'));
        addColumns({"countries", "script", "seen"});
        // Select mode 2 offers the favorites only, by the check-all button; a
        // favorite's name is taken literally.
        addRow("mode 2", "DE",
               "opt select.mode=2;opt show.favorites=1;favs Mine=i0|Two & more=;menu tree;?shown btnCheck btnCheckAll "
               "btnFavorites pnlBottom",
               "[-|Mine|Two && more|-|(Organize Favorites...)]; btnCheckAll btnFavorites pnlBottom");
        // The column's favorite values come first, separators as given; the
        // others are sorted with letter case not counting. Values match
        // ignoring case; one no item has unchecks every item.
        addRow("favorite values first", "IT,FR,DE,AT,fr,be",
               "opt favorite.Country=DE,-,FR,XX;?country;all;menu check>Check by Country>XX;#;menu tree>Check by "
               "Country>FR;?;#",
               "[DE|-|FR|XX|-|Other >] [AT|be|IT]; [Check All|Check by Country >]; 0/2; [Check All|Check by Country "
               ">]; i0 i1+ i2 i3 i4+ i5; 2/3");
        // Each level shows the row limit's rows in up to the column limit's
        // columns, sorted, one entry per value whatever its letter case;
        // the last cell of a full level opens the next.
        addRow("grid levels", "h,g,f,e,d,c,b,a,B,", "opt row.limit=3;opt column.limit=2;?grid",
               "3,3 a > 3 f (2 shown)");
        // Opened by keys, the grid's own highlight takes over from the one
        // its parent gave it; Return checks the item with the value.
        addRow("grid by keys", "h,g,f,e,d,c,b,a",
               "opt row.limit=3;opt column.limit=2;menu check>Check by Country>Other>c;?;#",
               "[Check All|Check by Country >]; i0 i1 i2 i3 i4 i5+ i6 i7; 1/1");
        addRow("grid without a row limit", many.join(u','), "opt row.limit=0;?grid", "40 v000 (1 shown)");
        // Limits that are no numbers are only read for an other-values entry.
        addRow("no other values", "DE", "opt row.limit=many;opt fav.other_name.Country=;?country", "[]");
    }
    void checkMenu()
    {
        QFETCH(QString, countries);
        QFETCH(QString, script);
        QTEST(TMenuFixture(countries.split(u',')).run(script), "seen");
    }

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
        QCOMPARE(f.shown("btnCheckAll pnButtons pnlBottom"), "");
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
        QCOMPARE(f.shown("btnCheckAll pnButtons pnlBottom"), "pnlBottom");
        QCOMPARE((QList<int>{f.part("btnCheck")->x(), f.part("btnUncheckAll")->x(), f.part("lbTotalCount")->x(),
                             f.part("lbCheckedCount")->x()}),
                 (QList<int>{0, 100, 203, 263}));
        QCOMPARE(itemValue(f.item("a"), "image") + '|' + itemValue(f.item("a"), "group"), "-1|");
    }

    // The options reach the tree, the settings and the side panel; the row
    // selection option can only switch it on. The favorites mode picks the
    // favorites button's menu; without one a click shows none. Without
    // columns Initialize fails and the control stays uninitialised; so it
    // does with a row limit that is no number where a column offers other
    // values.
    void options()
    {
        TFrameFixture f;
        f.run("opt header.height=25;opt row.height=30;opt filter.show=1;opt filter.text=type here;opt "
              "groupby.columns=g=Group;opt groupby.index=4;opt select.mode=2;opt favorites.mode=1");
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
        QCOMPARE(f.shown("pnFilter pnGroupBy pnFavorites"), "pnFilter pnGroupBy");
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
        TMenuFixture h({"DE"});
        h.run("opt row.limit=many");
        QVERIFY_THROWS_EXCEPTION(EConvertError, h.control.Initialize());
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

    // Rows with images come first (an image that is no number is none)
    // and groups last in either direction; only the captions turn round.
    // No row has values in a column out of range: every row ties there and
    // keeps its place, by keys and by pairs alike.
    void sortingTheTree()
    {
        TFrameFixture f;
        f.add("c");
        f.add("a", "", {{"image", "1"}});
        f.add("b", "", {{"image", "x"}});
        f.add("g", "G");
        f.show();
        QStringList orders;
        for (const auto &[column, type] : {std::pair{0, stNatural}, std::pair{0, stReversed}, std::pair{-1, stNatural},
                                           std::pair{1000, stNatural}}) {
            f.tree->Sort(f.vm()->getRoot(), column, type, true);
            orders << f.view();
        }
        QCOMPARE(orders, (QStringList{"a b c G g", "a c b G g", "a c b G g", "a c b G g"}));
        QCOMPARE(f.tree->OnNodeCompare(f.tree, f.at("c"), f.at("b"), 1000, stNatural), 0);
    }

    // Without host handlers the tree sorts by keys read once per row; with
    // one it asks per pair. Both must give the same order, where every text
    // has a key (the keys' leading bytes decide most pairs) and where the
    // keys fall back to the collator (letters beyond ASCII, Czech "ch").
    void keysOrderAsPairsDo_data()
    {
        addColumns({"locale", "alphabet"});
        addRow("English, ASCII", "en_US", "aAbBcChH zZ-9.");
        addRow("English", "en_US", "aAbBcChH zZ-9\u00E4\u00C4");
        addRow("Czech", "cs_CZ", "aAbBcChH zZ-9\u00E4\u00C4");
    }
    void keysOrderAsPairsDo()
    {
        QFETCH(QString, locale);
        QFETCH(QString, alphabet);
        const QLocale saved;
        QLocale::setDefault(QLocale(locale));
        const auto restore = qScopeGuard([&] { QLocale::setDefault(saved); });

        const auto build = [&alphabet](TFrameFixture &f) {
            std::mt19937 random(5);
            const auto text = [&] {
                QString t;
                for (int n = int(random() % 12); n > 0; --n)
                    t.append(alphabet[int(random() % alphabet.size())]);
                return t;
            };
            for (int i = 0; i < 300; ++i) {
                TValues values{{"column1_data", text()}};
                if (random() % 4 == 0)
                    values["image"] = QString::number(random() % 3);
                const QString group = random() % 3 ? QStringLiteral("G%1").arg(random() % 6) : QString();
                f.add(QStringLiteral("%1#%2").arg(text()).arg(i), group, values);
            }
            f.show();
        };
        TFrameFixture keyed;
        build(keyed);
        TFrameFixture paired;
        build(paired);
        paired.control.SetOnItemCompare([](QObject *, IFrameItem *, IFrameItem *, int32_t, int32_t, int32_t &) {});
        paired.control.SetOnGroupCompare(
            [](QObject *, const QString &, const QString &, int32_t, int32_t, int32_t &) {});

        const std::pair<QList<int>, QList<TSortType>> sorts[] = {
            {{0}, {stNatural}}, {{0}, {stReversed}}, {{1}, {stNatural}}, {{1, 0}, {stReversed, stNatural}}};
        for (const auto &[orders, types] : sorts) {
            for (TFrameFixture *f : {&keyed, &paired})
                f->tree->Sort(f->vm()->getRoot(), orders, types, true);
            QCOMPARE(keyed.view(), paired.view());
        }
    }

    // A remembered sort text and the rows it gives; one that sorts nothing
    // leaves the initial sort in force, the option's low byte (1: captions
    // Z to A, 2: A to Z). Two keys sort by the third column first (a: 3 6,
    // b: 1 4, c: 5 2), then by caption.
    void rememberedAndInitialSorts()
    {
        const std::tuple<const char *, int, const char *> cases[] = {
            {"", 1, "6 5 4 3 2 1"},    {"", 258, "1 2 3 4 5 6"},      {"", 256, "5 3 6 1 4 2"},
            {"0=0", 1, "6 5 4 3 2 1"}, {"9=2", 1, "6 5 4 3 2 1"},     {"x=2,0=y,=,==", 1, "6 5 4 3 2 1"},
            {"0=2", 1, "1 2 3 4 5 6"}, {"2=2,0=2", 1, "3 6 1 4 2 5"}, {"junk, 2=2 ,0=2", 1, "3 6 1 4 2 5"}};
        for (const auto &[text, initial, order] : cases) {
            QSettings().setValue(QStringLiteral("Tests/Layout/SelectTree_Sort"), QString::fromLatin1(text));
            TLayoutFrame f("Tests\\Layout", QStringLiteral(";opt init.sort=%1").arg(initial));
            QCOMPARE(f.run("?"), QString::fromLatin1(order));
        }
    }

    // Without a ui nothing is remembered: the initial sort, then the
    // user's; without items the remembered sort is applied to no rows.
    void nothingRemembered()
    {
        QCOMPARE(TLayoutFrame("", ";opt init.sort=1").run("?;sort;?"), "6 5 4 3 2 1; 1 2 3 4 5 6");
        QSettings().setValue(QStringLiteral("Tests/Layout/SelectTree_Sort"), QStringLiteral("1=2"));
        TFrameFixture f;
        QCOMPARE(f.run("opt column.names=Name,Address,Kind;opt ui=Tests\\Layout;?"), "(none)");
        QCOMPARE(f.tree->Header()->getSortIndexs(), QList<int>{1});
    }

    // The cases from here on run on the demo's dark palette, where the
    // rows' check boxes take an outline of their own. Loose items come
    // first: c, G, a; the link is read after the caption; the installed
    // Qt's cells tell checked or not, so a mixed group says so in its
    // description. A toggle by mouse or keyboard reports the change of the
    // toggled row.
    void rowsExposeStatesHintsAndLinks()
    {
        TCustomTree::s_updateAccessibility = recordUpdate;
        QApplication::setStyle(QStyleFactory::create(QStringLiteral("Fusion")));
        QApplication::setPalette(demo::darkPalette());
        TFrameFixture f;
        f.add("a", "G", {{"hint", "the first"}, {"c_action_link", "Open"}});
        f.add("b", "G");
        f.add("c");
        QCOMPARE(f.run("check a;key c Space;?"), "c+ G~ a+ b");
        QCOMPARE(g_changes, (QStringList{"a, Open checked", "c checked"}));
        QCOMPARE((QStringList{cell(f, 0), cell(f, 1), cell(f, 2)}),
                 (QStringList{"c||11", "G|partially checked|10", "a, Open|the first|11"}));
        // Below the rows a click finds none.
        QVERIFY(!f.tree->hitTest(QPoint(5, f.tree->viewport()->height() - 2)).Row);
    }

    // A drop-down showing a choice keeps its name and tells the choice.
    // Tab goes round the tree, the side panel and the bottom bar, past the
    // filter button, which is no tab stop (the box's keys do what it does);
    // the button is named for clearing once a filter is in force.
    void controlsHaveNamesAndTabStops()
    {
        TFrameFixture f;
        f.run("opt filter.show=1;opt show.favorites=1;opt groupby.columns=g=Group");
        f.addGroupAndLoose();
        f.part<QPushButton>("btnGroupBy")->setText(QStringLiteral("Group"));
        QStringList controls;
        for (const char *name : {"edFilter", "btnFilter", "btnGroupBy", "btnFavorites", "btnCheck", "btnUncheckAll"}) {
            QAccessibleInterface *a = QAccessible::queryAccessibleInterface(f.part(name));
            controls << QStringLiteral("%1 %2 %3 %4")
                            .arg(a->text(QAccessible::Name),
                                 QMetaEnum::fromType<QAccessible::Role>().valueToKey(a->role()))
                            .arg(a->state().hasPopup)
                            .arg(a->text(QAccessible::Value));
        }
        QCOMPARE(controls,
                 (QStringList{"Filter EditableText 0 ", "Apply filter Button 0 ", "Group by ButtonMenu 1 Group",
                              "Favorites ButtonMenu 1 ", "Check ButtonMenu 1 ", "Uncheck all Button 0 "}));
        f.tree->setFocus();
        QStringList visited{QApplication::focusWidget()->objectName()};
        for (int i = 0; i < 6; ++i) {
            if (visited.last() == u"edFilter")
                QTest::keyClicks(QApplication::focusWidget(), QStringLiteral("a"));
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            visited.append(QApplication::focusWidget()->objectName());
        }
        QCOMPARE(f.part("btnFilter")->accessibleName(), "Clear filter");
        QCOMPARE(visited.join(u' '), "SelectTree edFilter btnGroupBy btnFavorites btnUncheckAll btnCheck SelectTree");
    }

    // Space, Alt+Down and F4 drop the check menu down; Down and Return run
    // its first entry, Check All.
    void dropDownsOpenFromTheKeyboard()
    {
        for (const QKeyCombination key :
             {QKeyCombination(Qt::Key_Space), Qt::AltModifier | Qt::Key_Down, QKeyCombination(Qt::Key_F4)}) {
            TFrameFixture f;
            f.addGroupAndLoose();
            auto *button = f.part("btnCheck");
            button->setFocus();
            whileShown([&] { QTest::keyClick(button, key.key(), key.keyboardModifiers()); },
                       [](QMenu *menu) { keyTo(menu, "Check All", Qt::Key_Return); });
            QTRY_COMPARE(f.view(), "c+ G+ a+ b+");
        }
    }
};

QTEST_MAIN(TestSelectFrameControl)
#include "tst_selectframecontrol.moc"
