// SPDX-License-Identifier: MIT
// The frame control driven by scripts of user steps (see TFrameFixture::run):
// checking and its cascade, the action links, the filter box and the
// checked-only view, group by with the host regrouping, the favorites
// button; and the host's events through the frame facade, in order.
#include "FrameFixture.h"

#include "host/SelectFrameFactory.h"
#include "platform/TestSettingsScope.h"

#include <memory>
#include <stdexcept>

using namespace selectframe;
using namespace selectframe::test;

namespace {

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

/// The host's handlers of the frame facade, one line per event.
void onChange(void *log, ISelectFrame *)
{
    *static_cast<QStringList *>(log) << "onchange";
}
void onItemQuery(void *log, ISelectFrame *, IFrameItem *item, const QString &favorite)
{
    *static_cast<QStringList *>(log) << QStringLiteral("query %1 '%2'").arg(TFrameFixture::id(item), favorite);
}
void onFavAction(void *log, ISelectFrame *, int32_t action, const QVariant &value)
{
    *static_cast<QStringList *>(log) << QStringLiteral("fav_action %1 %2").arg(action).arg(value.toString());
}

const QString All = "DuckDuckGo Search Google Bing Video YouTube";

} // namespace

class TestFrameScripts : public QObject
{
    Q_OBJECT

    std::unique_ptr<TTestSettingsScope> m_scope;

private slots:
    void init() { m_scope = std::make_unique<TTestSettingsScope>(QStringLiteral("tst_framescripts")); }
    void cleanup() { m_scope.reset(); }

    void scripts_data()
    {
        QTest::addColumn<QString>("script");
        QTest::addColumn<QString>("seen");
        // Checking: a group's click cascades, a mixed group unchecks, Space
        // toggles the focused row; only changes are reported.
        QTest::newRow("cascade")
            << "check Search;?;#;check Bing;?;check Search;?;check Google;check Bing;?;#;key DuckDuckGo Space;#"
            << "DuckDuckGo Search+ Google+ Bing+ Video YouTube; 2/1; DuckDuckGo Search~ Google+ Bing Video YouTube; "
               "DuckDuckGo Search Google Bing Video YouTube; DuckDuckGo Search+ Google+ Bing+ Video YouTube; 2/5; 3/6";
        QTest::newRow("hidden rows keep their states")
            << "hide Bing;check Search;?;#;hide DuckDuckGo;all;?;#"
            << "DuckDuckGo Search+ Google+ Video YouTube; 1/1; Search+ Google+ Video+ YouTube+; 2/2";
        QTest::newRow("check all, uncheck all")
            << "none;#;all;all;?;#;none;none;?;#"
            << "0/0; DuckDuckGo+ Search+ Google+ Bing+ Video+ YouTube+; 4/1; " + All + "; 0/2";
        QTest::newRow("single choice") << "opt select.mode=3;check DuckDuckGo;#;check Bing;?;#;check Bing;?;#"
                                       << "1/1; DuckDuckGo Search Google Bing+ Video YouTube; 1/2; DuckDuckGo Search "
                                          "Google Bing+ Video YouTube; 1/2";
        QTest::newRow("link style") << "?link Google;check Google;?link Google;set Google c_action_link_err=failed;"
                                       "refresh Google;?link Google;check Google;?link Google"
                                    << "text; link hand; red hand; gray_text";
        // A row not drawn yet gets its link's style when it is.
        QTest::newRow("collapsed group")
            << "opt groups.expanded=0;check Search;?;key Search Right;?;?link Google"
            << "DuckDuckGo Search+ Video; DuckDuckGo Search+ Google+ Bing+ Video; link hand";
        QTest::newRow("link click") << "link Google;check Google;link Google;?"
                                    << "action Google; DuckDuckGo Search~ Google+ Bing Video YouTube";
        // A bulk pass of the host's restyles and queries the rows only for a
        // query handler, and calls it per row only when it wants rows.
        QTest::newRow("host checks by list") << "list GOOGLE;?link Google;#;query;list duckduckgo;?link Google;"
                                                "?link DuckDuckGo;#;query 0;list Google;?link Google;?link DuckDuckGo"
                                             << "text; 1/1; query DuckDuckGo ''; query Google ''; query Bing ''; query "
                                                "YouTube ''; gray_text; link hand; "
                                                "1/2; link hand; gray_text";
        // Loaded before the rows exist, checked once they do.
        QTest::newRow("checked set loaded early")
            << "load BING;#;?state;?;#;?state"
            << "0/0; BING; DuckDuckGo Search~ Google Bing+ Video YouTube; 1/1; Bing";
        QTest::newRow("checked-only view")
            << "only;?;check DuckDuckGo;check Google;only;?;check DuckDuckGo;?;check Google;?"
            << All + "; DuckDuckGo+ Search~ Google+; Search~ Google+; " + All;

        // The filter: letter case and column separators never count; a
        // group stays when it or one of its rows matches.
        QTest::newRow("matching") << "filter GOO;?;filter WEB;?;filter vid;?;filter sear;?;filter eweb;?;filter " +
                                         QString(QChar(0)) + ";?;filter ;?"
                                  << "Search Google; Search Google Bing; Video YouTube; Search; (none); (none); " + All;
        QTest::newRow("group marks over hidden rows")
            << "check Bing;filter goo;?;all;?;#;filter ;?"
            << "Search~ Google; Search+ Google+; 2/2; DuckDuckGo Search+ Google+ Bing+ Video YouTube";
        QTest::newRow("texts changed by the host")
            << "filter web;set YouTube column1_data=Web video;"
               "set DuckDuckGo caption=DuckDuckWeb;set Google column1_data=mail;filter ;filter web;?"
            << "DuckDuckWeb Search Bing Video YouTube";
        QTest::newRow("every script") << "set DuckDuckGo caption=Яндекс Web;set YouTube caption=Ökosia;"
                                         "filter я;?;filter ÖK;?;filter web;?;filter к;?"
                                      << "Яндекс Web; Video Ökosia; Яндекс Web Search Google Bing; Яндекс Web";
        QTest::newRow("typing, then the pause")
            << "?box;enter;?box;keys goo;?box;?;pause;?box;?;clear;?box;?"
            << "[Find engines||(apply)]; [||(apply)]; [goo||apply*]; " + All +
                   "; [goo|goo|clear]; Search Google; [Find engines||(apply)]; " + All;
        QTest::newRow("escape") << "type bi;?;esc;?box;pause;?;?box"
                                << "Search Bing; [|bi|clear*]; " + All + "; [||(apply)]";
        QTest::newRow("leaving applies") << "keys you;leave;?box;?;enter;?box"
                                         << "[you|you|clear]; Video YouTube; [you|you|clear]";
        // A menu taking the focus is no move of the user's.
        QTest::newRow("menu over the box") << "keys goo;menu box;?box"
                                           << "[Check All]; [goo||apply*]";
        // The checked-only view clears the filter quietly; its placeholder
        // comes back once the user leaves the box.
        QTest::newRow("filter and checked-only")
            << "check Google;check YouTube;filter o;enter;only;?box;?;leave;?box;"
               "filter goo;?;filter ;?;check Bing;?;none;?"
            << "[||(apply)]; Search~ Google+ Video+ YouTube+; [Find engines||(apply)]; Search~ Google+; "
               "DuckDuckGo Search~ Google+ Bing Video+ YouTube+; Search+ Google+ Bing+ Video+ YouTube+; " +
                   All;

        // Group by: the menu built once from the option, the host told of
        // the choice, the rows built anew with checks, filter and sort kept.
        QTest::newRow("groupings")
            << "opt groupby.columns=source=Source,kind=Kind;opt groupby.index=1;?group;"
               "pick group@Source;?group;init;?group"
            << "Kind: [Source|*Kind]; regroup source: Google,Bing,YouTube,DuckDuckGo; Source: [*Source|Kind]; "
               "Source: [*Source|Kind]";
        QTest::newRow("quoted groupings")
            << R"(opt groupby.columns="src=By source",k=Kind,"q=say ""hi"", then";)"
               "opt groupby.index=2;?group;pick group@By source"
            << R"(say "hi", then: [By source|Kind|*say "hi", then]; regroup src: Google,Bing,YouTube,DuckDuckGo)";
        QTest::newRow("grouping without id")
            << "opt groupby.columns=Plain,l=Letter;opt groupby.index=1;pick group@Plain"
            << "regroup : Google,Bing,YouTube,DuckDuckGo";
        QTest::newRow("no groupings") << "opt groupby.columns=;?group"
                                      << "Group by ...: []";
        QTest::newRow("same grouping again")
            << "opt ui=Tests\\GroupBy;sort;?rows;blank;pick group@Source;?group;?sort;?rows"
            << "new rows; Source: [*Source|Kind|First letter]; 0=2; same rows";
        QTest::newRow("host throws")
            << "host throws;opt ui=Tests\\GroupBy;sort;?rows;blank;"
               "warn acGroupByExecute failed: host failed;pick group@Kind;?group;?sort;?rows;?"
            << "new rows; regroup kind: Google,Bing,YouTube,DuckDuckGo; Kind: [Source|*Kind|First letter]; 0=2; "
               "same rows; DuckDuckGo Search Bing Google Video YouTube";
        QTest::newRow("no host handler")
            << "host none;opt ui=Tests\\GroupBy;sort;?rows;pick group@Kind;?group;?sort;?rows"
            << "new rows; Kind: [Source|*Kind|First letter]; 0=2; same rows";
        QTest::newRow("regroup")
            << "opt ui=Tests\\GroupBy;check Google;check YouTube;sort;type o;?;pick group@Kind;?;#;"
               "?box;?total;pick group@Source;?"
            << "DuckDuckGo Search~ Google+ Video+ YouTube+; regroup kind: Google,Bing,YouTube,DuckDuckGo; "
               "privacy DuckDuckGo video+ YouTube+ web~ Google+; 2/3; [o|o|clear]; Total: 4 4; "
               "regroup source: Google,Bing,YouTube,DuckDuckGo; DuckDuckGo Search~ Google+ Video+ YouTube+";
        // A host taking the columns away leaves no rows rather than rows
        // over objects the reload destroyed.
        QTest::newRow("host takes the columns")
            << "host drop;warn acGroupByExecute failed: At least one column should be present;"
               "pick group@Kind;?;paint"
            << "(none); painted";
        // Without a sort the groups come in the order of their names, the
        // first one expanded.
        QTest::newRow("regroup unsorted") << "opt groups.expanded=0;opt groups.expand_first=1;pick group@First letter;?"
                                          << "regroup letter: Google,Bing,YouTube,DuckDuckGo; G Google B Y D";

        // The favorites button: the favorites alone (not the embedded one),
        // or the embedded favorite's entries enabled as they stand.
        QTest::newRow("external favorites")
            << "opt show.favorites=1;favs Mine=Google,DuckDuckGo|%EmbeddedFavorites%=Bing|"
               "Yours=Bing;menu fav>Mine;?;?embedded"
            << "[Mine|Yours|-|(Organize Favorites...)]; fav 7 Mine; DuckDuckGo+ Search~ Google+ Bing Video YouTube; "
               "{Bing}";
        QTest::newRow("embedded favorites")
            << "opt show.favorites=1;opt favorites.mode=1;menu fav;check Google;check DuckDuckGo;"
               "menu fav>Mark selected as favorite SEs;?embedded;none;menu fav>Check favorite SEs;?;"
               "menu fav>Clear the list of favorite SEs;?;menu fav;?embedded"
            << "[(Check favorite SEs)|-|(Mark selected as favorite SEs)|(Clear the list of favorite SEs)]; "
               "[(Check favorite SEs)|-|Mark selected as favorite SEs|(Clear the list of favorite SEs)]; "
               "{Google,DuckDuckGo}; [Check favorite SEs|-|(Mark selected as favorite SEs)|Clear the list of favorite "
               "SEs]; "
               "DuckDuckGo+ Search~ Google+ Bing Video YouTube; "
               "[Check favorite SEs|-|Mark selected as favorite SEs|Clear the list of favorite SEs]; "
               "DuckDuckGo+ Search~ Google+ Bing Video YouTube; "
               "[(Check favorite SEs)|-|Mark selected as favorite SEs|(Clear the list of favorite SEs)]; {}";
    }
    void scripts()
    {
        QFETCH(QString, script);
        QFETCH(QString, seen);
        TEngines f;
        QCOMPARE(f.run(script), seen);
    }

    // The host's handlers through the facade: a favorite chosen from the
    // tree's menu, a checked set loaded, Check All twice.
    void hostEventsInOrder()
    {
        IPtr<ISelectFrame> frame;
        IPtr<ISelectFrameFactory>(new TSelectFrameFactory)->CreateFrame(frame.put());
        IPtr<INamedParams> params;
        frame->GetParams(params.put());
        params->SetValue(keys::OptionShowFavorites, true);
        for (const char *id : {"a", "b", "c"}) {
            IPtr<IFrameItem> item;
            frame->NewItem(item.put());
            item->SetID(QString::fromLatin1(id));
            item->SetCaption(QString::fromLatin1(id));
        }
        IPtr<IDataStorage> favorites, state;
        frame->GetFavorites(favorites.put());
        favorites->Load({QStringLiteral("Mine=a,c")});
        frame->Initialize();
        QStringList log;
        IPtr<INamedMethods> methods;
        frame->GetMethods(methods.put());
        methods->SetMethod(keys::EventOnChange, makeMethod(&onChange, &log));
        methods->SetMethod(keys::EventItemQuery, makeMethod(&onItemQuery, &log));
        methods->SetMethod(keys::EventFavAction, makeMethod(&onFavAction, &log));
        auto *control = static_cast<TSelectFrameControl *>(frame->GetControl());
        control->resize(600, 400);
        control->show();
        QVERIFY(QTest::qWaitForWindowExposed(control));
        whileShown([&] { rightClick(control->findChild<QAbstractScrollArea *>(QStringLiteral("SelectTree"))); },
                   [&](QMenu *menu) { keyTo(menu, "Mine", Qt::Key_Return); });
        QCOMPARE(log, (QStringList{"fav_action 7 Mine", "query a ''", "query b ''", "query c ''", "onchange"}));
        log.clear();
        frame->GetState(state.put());
        state->Load(QStringList{QStringLiteral("b")});
        control->findChild<QAction *>(QStringLiteral("acCheckAll"))->trigger();
        control->findChild<QAction *>(QStringLiteral("acCheckAll"))->trigger();
        QCOMPARE(log, (QStringList{"query a ''", "query b ''", "query c ''", "onchange", "onchange"}));
    }
};

QTEST_MAIN(TestFrameScripts)
#include "tst_framescripts.moc"
