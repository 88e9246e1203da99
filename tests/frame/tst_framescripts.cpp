// SPDX-License-Identifier: MIT
// The frame control driven by scripts of user steps (see TFrameFixture::run):
// checking and its cascade, the action links, the filter box and the
// checked-only view, group by with the host regrouping, the favorites
// button.
#include "FrameFixture.h"

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
        QTest::newRow("checked-only view")
            << "only;?;check DuckDuckGo;check Google;only;?;check DuckDuckGo;?;check Google;?"
            << All + "; DuckDuckGo+ Search~ Google+; Search~ Google+; " + All;

        // The filter: letter case and column separators never count; a
        // group stays when it or one of its rows matches.
        QTest::newRow("matching") << "filter GOO;?;filter WEB;?;filter vid;?;filter sear;?;filter eweb;?;filter " +
                                         QString(QChar(0)) + ";?;filter ;?"
                                  << "Search Google; Search Google Bing; Video YouTube; Search; (none); (none); " + All;
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
        QTest::newRow("grouping without id")
            << "opt groupby.columns=Plain,l=Letter;opt groupby.index=1;pick group@Plain"
            << "regroup : Google,Bing,YouTube,DuckDuckGo";
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
        // A host taking the columns away leaves no rows rather than rows
        // over objects the reload destroyed.
        QTest::newRow("host takes the columns")
            << "host drop;warn acGroupByExecute failed: At least one column should be present;"
               "pick group@Kind;?;paint"
            << "(none); painted";

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
};

QTEST_MAIN(TestFrameScripts)
#include "tst_framescripts.moc"
