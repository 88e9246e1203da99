// SPDX-License-Identifier: MIT
// The group-by button, driven as a user drives it: a click opens its menu,
// a click on an entry chooses a grouping; the host regroups its items in
// its handler and the rows are built anew.
#include "FrameFixture.h"

#include "platform/DropDownButton.h"
#include "platform/PopupMenu.h"
#include "platform/TestSettingsScope.h"

#include <QHeaderView>
#include <QLineEdit>
#include <QSettings>

#include <memory>
#include <stdexcept>

using namespace selectframe;
using namespace selectframe::test;

namespace {

const QString Choices = QStringLiteral(R"(source=Source,kind=Kind,"letter=First letter")");

enum THost {
    hRegroups,
    hThrows,
    hNone
};

/// Search (Google, Bing), Video (YouTube) and the loose DuckDuckGo, with a
/// column "Kind"; a host that groups by source, by kind or by first letter.
struct TGroupByFixture : TFrameFixture
{
    TDropDownButton *button = control.findChild<TDropDownButton *>(QStringLiteral("btnGroupBy"));
    QMenu *menu = control.findChild<QMenu *>(QStringLiteral("pmGroupBy"));
    /// "identifier: captions in the enumerator's order", per event.
    QStringList events;

    explicit TGroupByFixture(const QString &choices = Choices, int index = 0, THost host = hRegroups)
    {
        setOption(keys::OptionColumnNames, "Name,Kind");
        setOption(keys::OptionFilterShow, true);
        setOption(keys::OptionGroupByColumns, choices);
        setOption(keys::OptionGroupByIndex, index);
        add("Google", "Search", {{"column1_data", "web"}});
        add("Bing", "Search", {{"column1_data", "web"}});
        add("YouTube", "Video", {{"column1_data", "video"}});
        add("DuckDuckGo", QString(), {{"column1_data", "privacy"}});
        if (host != hNone)
            control.SetOnChangeGroupBy([this, host](QObject *, const QString &id, IFrameItemEnumerator *items) {
                regroup(id, items);
                if (host == hThrows)
                    throw std::runtime_error("host failed");
            });
    }

    void regroup(const QString &id, IFrameItemEnumerator *items)
    {
        static const QMap<QString, QString> source{{"Google", "Search"}, {"Bing", "Search"}, {"YouTube", "Video"}};
        QStringList seen;
        while (items->MoveNext()) {
            IPtr<IFrameItem> item;
            items->GetCurrent(item.put());
            QString caption, kind;
            item->GetCaption(&caption);
            IPtr<IStringValueList> values;
            item->GetValues(values.put());
            values->GetValue("column1_data", &kind);
            values->SetValue("group", id == u"kind" ? kind : id == u"letter" ? caption.left(1) : source.value(caption));
            seen << caption;
        }
        events << id + QStringLiteral(": ") + seen.join(u',');
    }

    /// Clicks `Button`, then runs `use` on the menu it shows, at the place
    /// it is shown: the button's bottom-left corner.
    static void openMenu(QPushButton *Button, const TMenuAction &use)
    {
        whileShown([Button] { QTest::mouseClick(Button, Qt::LeftButton); },
                   [&](QMenu *popup) {
                       QCOMPARE(popup->pos(), Button->mapToGlobal(QPoint(0, Button->height())));
                       use(popup);
                   });
    }
    /// Chooses the group-by entry at `index` with a click.
    void choose(int index)
    {
        openMenu(button, [&](QMenu *popup) {
            QCOMPARE(popup, menu);
            QTest::mouseClick(popup, Qt::LeftButton, {}, popup->actionGeometry(popup->actions()[index]).center());
        });
    }
    QStringList captions() const
    {
        QStringList texts;
        for (const QAction *entry : menu->actions())
            texts << entry->text();
        return texts;
    }
    int checkedEntry() const
    {
        const QList<QAction *> entries = menu->actions();
        for (int index = 0; index < entries.size(); ++index)
            if (entries[index]->isChecked())
                return index;
        return -1;
    }
    /// Types a filter into the box and lets the pause run out.
    void filter(const QString &text)
    {
        auto *box = control.findChild<QLineEdit *>(QStringLiteral("edFilter"));
        box->setFocus(Qt::TabFocusReason);
        QTRY_VERIFY(box->hasFocus());
        QTest::keyClicks(box, text);
        QMetaObject::invokeMethod(control.findChild<QTimer *>(QStringLiteral("tmFilter")), "timeout",
                                  Qt::DirectConnection);
    }
    void sortByName() { QTest::mouseClick(tree->header()->viewport(), Qt::LeftButton, {}, QPoint(20, 5)); }
    QString text(const char *name) const
    {
        return control.findChild<QWidget *>(QString::fromLatin1(name))->property("text").toString();
    }
    QVariant option(const char *key) const
    {
        QVariant value;
        control.GetManager()->Params()->GetValue(QByteArray(key), &value);
        return value;
    }
};

} // namespace

class TestGroupBy : public QObject
{
    Q_OBJECT

    std::unique_ptr<TTestSettingsScope> m_scope;

private slots:
    void init() { m_scope = std::make_unique<TTestSettingsScope>(QStringLiteral("tst_groupby")); }
    void cleanup() { m_scope.reset(); }

    // Built once: choosing, then initialising again, leaves the entries, the
    // choice and the caption.
    void menuFromTheOption_data()
    {
        QTest::addColumn<QString>("choices");
        QTest::addColumn<int>("index");
        QTest::addColumn<QStringList>("captions");
        QTest::addColumn<QString>("firstId");
        QTest::newRow("plain") << "source=Source,kind=Kind" << 1 << QStringList{"Source", "Kind"} << "source";
        QTest::newRow("quoted") << R"("src=By source",k=Kind,"q=say ""hi"", then")" << 2
                                << QStringList{"By source", "Kind", R"(say "hi", then)"} << "src";
        QTest::newRow("no equals sign") << "Plain,l=Letter" << 1 << QStringList{"Plain", "Letter"} << "";
        QTest::newRow("none") << "" << 0 << QStringList{} << "";
    }
    void menuFromTheOption()
    {
        QFETCH(QString, choices);
        QFETCH(int, index);
        QFETCH(QStringList, captions);
        QFETCH(QString, firstId);
        TGroupByFixture f(choices, index);
        f.show();
        QCOMPARE(f.control.findChild<QWidget *>(QStringLiteral("pnGroupBy"))->isVisible(), !choices.isEmpty());
        QCOMPARE(f.captions(), captions);
        if (captions.isEmpty()) {
            QCOMPARE(f.button->text(), QStringLiteral("Group by ..."));
            return;
        }
        QCOMPARE(f.checkedEntry(), index);
        QCOMPARE(f.button->text(), captions[index]);
        // The menu's own pop-up event is off while the button shows it.
        auto *menu = static_cast<TPopupMenu *>(f.menu);
        int popups = 0;
        menu->OnPopup = [&](TPopupMenu *) { ++popups; };
        f.choose(0);
        QCOMPARE(popups, 0);
        QVERIFY(menu->OnPopup);
        QCOMPARE(f.events.value(0).section(u':', 0, 0), firstId);
        f.control.Initialize();
        QCOMPARE(f.captions(), captions);
        QCOMPARE(f.checkedEntry(), 0);
        QCOMPARE(f.button->text(), captions[0]);
    }

    // The remembered layout is saved and the caption set on every choice; the
    // rows are built anew only when the host regrouped for a new one.
    void choicesThatKeepTheRows_data()
    {
        QTest::addColumn<int>("host");
        QTest::addColumn<int>("entry");
        QTest::addColumn<int>("events");
        QTest::newRow("same choice again") << int(hRegroups) << 0 << 0;
        QTest::newRow("host throws") << int(hThrows) << 1 << 1;
        QTest::newRow("no host handler") << int(hNone) << 1 << 0;
    }
    void choicesThatKeepTheRows()
    {
        QFETCH(int, host);
        QFETCH(int, entry);
        QFETCH(int, events);
        TGroupByFixture f(Choices, 0, THost(host));
        f.setOption(keys::OptionUi, QByteArray("Tests\\GroupBy"));
        f.show();
        f.sortByName();
        const IVmManager *rows = f.vm();
        const QStringList shown = f.visible();
        f.button->setText(QString());
        if (host == hThrows)
            QTest::ignoreMessage(QtCriticalMsg, "acGroupByExecute failed: host failed");
        f.choose(entry);
        QCOMPARE(f.events.size(), events);
        QCOMPARE(f.checkedEntry(), entry);
        QCOMPARE(f.control.Settings()->GroupByIndex(), entry);
        QCOMPARE(f.button->text(), f.captions()[entry]);
        QCOMPARE(QSettings().value(QStringLiteral("Tests/GroupBy/SelectTree_Sort")).toString(), QStringLiteral("0=2"));
        QCOMPARE(f.vm(), rows);
        QCOMPARE(f.visible(), shown);
    }

    void regroupKeepsChecksFilterAndSort()
    {
        TGroupByFixture f;
        f.setOption(keys::OptionUi, QByteArray("Tests\\GroupBy"));
        f.show();
        f.clickCheck("Google");
        f.clickCheck("YouTube");
        f.sortByName();
        f.filter("o");
        QCOMPARE(f.visible(), (QStringList{"DuckDuckGo", "Search", "Google", "Video", "YouTube"}));
        const int changes = f.changes;
        f.choose(1);
        QCOMPARE(f.events, QStringList{"kind: Google,Bing,YouTube,DuckDuckGo"});
        // Groups from the new values, sorted by name as before, filtered.
        QCOMPARE(f.visible(), (QStringList{"privacy", "DuckDuckGo", "video", "YouTube", "web", "Google"}));
        QCOMPARE((QList<int>{f.state("web"), f.state("Google"), f.state("Bing"), f.state("video")}),
                 (QList<int>{fcsMixed, fcsChecked, fcsUnchecked, fcsChecked}));
        QStringList checked = f.control.GetManager()->CheckedIDs();
        checked.sort();
        QCOMPARE(checked, (QStringList{"Google", "YouTube"}));
        QCOMPARE(f.changes - changes, 1);
        QCOMPARE(f.text("edFilter"), QStringLiteral("o"));
        QCOMPARE(f.control.Settings()->Filter(), QStringLiteral("o"));
        QCOMPARE(f.text("lbTotalCount"), QStringLiteral("Total: 4"));
        QCOMPARE(f.checkedCaption(), QStringLiteral("Checked: 2"));
        QCOMPARE(f.option(keys::PropertyTotalCount).toInt(), 4);
        QCOMPARE(f.publishedCount(), 2);

        f.choose(0);
        QCOMPARE(f.visible(), (QStringList{"DuckDuckGo", "Search", "Google", "Video", "YouTube"}));
        QCOMPARE(f.state("Search"), int(fcsMixed));
    }

    // A host that takes the columns away fails the reload: the tree is left
    // with no rows rather than rows over objects the reload destroyed.
    void hostTakingTheColumnsAway()
    {
        TGroupByFixture f;
        f.show();
        f.control.SetOnChangeGroupBy([&](QObject *, const QString &, IFrameItemEnumerator *) {
            f.setOption(keys::OptionColumnNames, QString());
        });
        QTest::ignoreMessage(QtCriticalMsg, "acGroupByExecute failed: At least one column should be present");
        f.choose(1);
        QVERIFY(f.control.IsInitialized());
        QVERIFY(!f.vm()->getFirstChild(f.vm()->getRoot()));
        QVERIFY(!f.control.grab().isNull());
    }

    // Without a sort, the new rows keep the manager's order, groups in the
    // order their names first came; only the first is expanded.
    void noSortRemembered()
    {
        TGroupByFixture f;
        f.setOption(keys::OptionGroupsExpanded, false);
        f.setOption(keys::OptionGroupsExpandFirst, true);
        f.show();
        f.choose(2);
        QList<bool> expanded;
        QStringList groups;
        for (TVirtualNode node = f.vm()->getFirstChild(f.vm()->getRoot()); node; node = f.vm()->getNextSibling(node)) {
            groups << f.caption(node);
            expanded << bool(f.tree->GetNodeState(node) & nsExpanded);
        }
        QCOMPARE(groups, (QStringList{"G", "B", "Y", "D"}));
        QCOMPARE(expanded, (QList<bool>{true, false, false, false}));
    }
};

QTEST_MAIN(TestGroupBy)
#include "tst_groupby.moc"
