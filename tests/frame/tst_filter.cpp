// SPDX-License-Identifier: MIT
// The filter box and the checked-only view, driven through the box, its
// button, the keyboard and the frame's settings.
#include "FrameFixture.h"

#include "frame/ItemValues.h"
#include "frame/SplitPopupMenu.h"
#include "platform/ActionButton.h"

#include <QLineEdit>
#include <QTimer>

using namespace selectframe;
using selectframe::test::TFrameFixture;

namespace {

const QString Hint = QStringLiteral("Find engines");

/// Groups Search (Google, Bing) and Video (YouTube), the loose DuckDuckGo;
/// a second column "Kind".
struct TFilterFixture : TFrameFixture
{
    QLineEdit *box = control.findChild<QLineEdit *>(QStringLiteral("edFilter"));
    TActionButton *button = control.findChild<TActionButton *>(QStringLiteral("btnFilter"));
    QTimer *pause = control.findChild<QTimer *>(QStringLiteral("tmFilter"));

    TFilterFixture()
    {
        setOption(keys::OptionColumnNames, "Name,Kind");
        setOption(keys::OptionFilterShow, true);
        setOption(keys::OptionFilterText, Hint);
        add("Google", "Search", {{"column1_data", "web"}});
        add("Bing", "Search", {{"column1_data", "Web"}});
        add("YouTube", "Video", {{"column1_data", "video"}});
        add("DuckDuckGo", QString(), {{"column1_data", "privacy"}});
        show();
    }

    TFrameSettings *settings() { return control.Settings(); }

    /// Types into the box, which has the focus, and lets the pause run out.
    void type(const QString &text)
    {
        QTest::keyClicks(box, text);
        QVERIFY(pause->isActive());
        QMetaObject::invokeMethod(pause, "timeout", Qt::DirectConnection);
        QVERIFY(!pause->isActive());
    }
    void focusBox()
    {
        box->setFocus(Qt::TabFocusReason);
        QTRY_VERIFY(box->hasFocus());
    }
    void focusTree()
    {
        tree->setFocus(Qt::TabFocusReason);
        QTRY_VERIFY(tree->hasFocus());
    }
    QAction *action(const char *name) const { return control.findChild<QAction *>(QString::fromLatin1(name)); }
};

const QStringList All{"DuckDuckGo", "Search", "Google", "Bing", "Video", "YouTube"};

} // namespace

class TestFilter : public QObject
{
    Q_OBJECT

private slots:
    void matchingRule_data()
    {
        QTest::addColumn<QString>("filter");
        QTest::addColumn<QStringList>("shown");
        QTest::newRow("capitals match lower case") << "GOO" << QStringList{"Search", "Google"};
        QTest::newRow("a further column matches") << "web" << QStringList{"Search", "Google", "Bing"};
        QTest::newRow("group and item both match") << "vid" << QStringList{"Video", "YouTube"};
        QTest::newRow("a matching group stays without items") << "sear" << QStringList{"Search"};
        QTest::newRow("no match across columns") << "eweb" << QStringList{};
        QTest::newRow("column separator is no text") << QString(QChar(0)) << QStringList{};
        QTest::newRow("nothing matches") << "zzz" << QStringList{};
        QTest::newRow("empty shows all") << "" << All;
    }
    void matchingRule()
    {
        QFETCH(QString, filter);
        QFETCH(QStringList, shown);
        TFilterFixture f;
        f.settings()->SetFilter(filter);
        QCOMPARE(f.visible(), shown);
        f.settings()->SetFilter(QString());
        QCOMPARE(f.visible(), All);
    }

    // A filter that differs only in letter case is no new filter: rows hidden
    // by other means stay as they are.
    void sameFilterInOtherCaseDoesNotRefilter()
    {
        TFilterFixture f;
        f.settings()->SetFilter("o");
        f.hide("Google");
        f.settings()->SetFilter("O");
        QCOMPARE(f.settings()->Filter(), QStringLiteral("o"));
        QVERIFY(!f.visible().contains("Google"));
    }

    void groupMarksAreRecountedOverHiddenRows()
    {
        TFilterFixture f;
        f.clickCheck("Bing");
        f.settings()->SetFilter("goo");
        // Bing is hidden but still counts: Search stays mixed.
        QCOMPARE(f.state("Search"), int(fcsMixed));
        f.trigger("acCheckAll");
        QCOMPARE(f.state("Google"), int(fcsChecked));
        QCOMPARE(f.state("YouTube"), int(fcsUnchecked));
        QCOMPARE(f.checkedCaption(), QStringLiteral("Checked: 2"));
    }

    // Item texts are kept folded per row; a host's change makes them anew.
    void changedTextsAreMatchedAfresh()
    {
        TFilterFixture f;
        f.settings()->SetFilter("web");
        IPtr<IStringValueList> values;
        itemOf(f.rows().recordOf(f.at("YouTube"))->FrameObject)->GetValues(values.put());
        values->SetValue("column1_data", "Web video");
        itemOf(f.rows().recordOf(f.at("DuckDuckGo"))->FrameObject)->SetCaption("DuckDuckWeb");
        // What Google's old text held no longer matches.
        itemOf(f.rows().recordOf(f.at("Google"))->FrameObject)->GetValues(values.put());
        values->SetValue("column1_data", "mail");
        f.settings()->SetFilter(QString());
        f.settings()->SetFilter("web");
        QCOMPARE(f.visible(), (QStringList{"DuckDuckWeb", "Search", "Bing", "Video", "YouTube"}));
    }

    // Texts beyond Latin-1 are kept apart from the others; a filter finds
    // rows of either kind.
    void textsOfEveryScript_data()
    {
        QTest::addColumn<QString>("filter");
        QTest::addColumn<QStringList>("shown");
        QTest::newRow("Cyrillic, other case") << "я" << QStringList{"Яндекс Web"};
        QTest::newRow("Latin-1 beyond ASCII") << "ÖK" << QStringList{"Video", "Ökosia"};
        QTest::newRow("ASCII in both kinds") << "web" << QStringList{"Яндекс Web", "Search", "Google", "Bing"};
        QTest::newRow("Cyrillic in no Latin-1 row") << "к" << QStringList{"Яндекс Web"};
    }
    void textsOfEveryScript()
    {
        QFETCH(QString, filter);
        QFETCH(QStringList, shown);
        TFilterFixture f;
        itemOf(f.rows().recordOf(f.at("DuckDuckGo"))->FrameObject)->SetCaption("Яндекс Web");
        itemOf(f.rows().recordOf(f.at("YouTube"))->FrameObject)->SetCaption("Ökosia");
        f.settings()->SetFilter(filter);
        QCOMPARE(f.visible(), shown);
    }

    void typingAppliesAfterThePause()
    {
        TFilterFixture f;
        QCOMPARE(f.box->text(), Hint);
        // A hint too wide for the box shows its start.
        QCOMPARE(f.box->cursorPosition(), 0);
        QVERIFY(!f.action("acFilterApply")->isEnabled());
        QVERIFY(!f.action("acFilterClear")->isEnabled());
        f.focusBox();
        QCOMPARE(f.box->text(), QString());
        QTest::keyClicks(f.box, "goo");
        // The button follows the apply action as soon as the loop is idle.
        QTRY_VERIFY(f.button->isEnabled());
        QCOMPARE(f.settings()->Filter(), QString());
        QCOMPARE(f.visible(), All);
        QMetaObject::invokeMethod(f.pause, "timeout", Qt::DirectConnection);
        QCOMPARE(f.settings()->Filter(), QStringLiteral("goo"));
        QCOMPARE(f.visible(), (QStringList{"Search", "Google"}));
        QCOMPARE(f.button->action(), f.action("acFilterClear"));

        // The button now clears: placeholder back, all rows shown.
        QTRY_VERIFY(f.button->isEnabled());
        QTest::mouseClick(f.button, Qt::LeftButton);
        QCOMPARE(f.settings()->Filter(), QString());
        QCOMPARE(f.box->text(), Hint);
        QCOMPARE(f.box->cursorPosition(), 0);
        QCOMPARE(f.visible(), All);
        QCOMPARE(f.button->action(), f.action("acFilterApply"));
    }

    void escapeEmptiesTheBox()
    {
        TFilterFixture f;
        f.focusBox();
        f.type("bi");
        QCOMPARE(f.visible(), (QStringList{"Search", "Bing"}));
        QTest::keyClick(f.box, Qt::Key_Escape);
        QCOMPARE(f.box->text(), QString());
        QVERIFY(f.pause->isActive());
        QMetaObject::invokeMethod(f.pause, "timeout", Qt::DirectConnection);
        QCOMPARE(f.visible(), All);
        QCOMPARE(f.button->action(), f.action("acFilterApply"));
    }

    void leavingTheBoxApplies_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("left");
        QTest::addColumn<QStringList>("shown");
        QTest::newRow("text is applied at once") << "you"
                                                 << "you" << QStringList{"Video", "YouTube"};
        QTest::newRow("empty goes back to the placeholder") << "" << Hint << All;
    }
    void leavingTheBoxApplies()
    {
        QFETCH(QString, typed);
        QFETCH(QString, left);
        QFETCH(QStringList, shown);
        TFilterFixture f;
        f.focusBox();
        QTest::keyClicks(f.box, typed);
        f.focusTree();
        QVERIFY(!f.pause->isActive());
        QCOMPARE(f.box->text(), left);
        QCOMPARE(f.visible(), shown);
        // Coming back keeps the user's own text, clears the placeholder.
        f.focusBox();
        QCOMPARE(f.box->text(), typed);
    }

    // Opening a menu takes the focus from the box without the user moving
    // it: neither the filter nor the box changes.
    void aMenuOpeningIsNoFocusMove()
    {
        TFilterFixture f;
        f.focusBox();
        QTest::keyClicks(f.box, "goo");
        auto *menu = f.control.findChild<TSplitPopupMenu *>(QStringLiteral("FCheckMenu"));
        bool wasShown = false;
        QTimer::singleShot(0, menu, [&] {
            wasShown = menu->isVisible();
            menu->close();
        });
        menu->exec(f.box->mapToGlobal(QPoint(0, f.box->height())));
        QVERIFY(wasShown);
        QCOMPARE(f.box->text(), QStringLiteral("goo"));
        QCOMPARE(f.settings()->Filter(), QString());
        QVERIFY(f.pause->isActive());
    }

    void checkedOnlyView()
    {
        TFilterFixture f;
        f.clickCheck("Google");
        f.clickCheck("YouTube");
        f.settings()->SetFilter("o");
        f.focusBox();
        f.settings()->SetShowOnlyChecked(true);
        // The filter is cleared quietly: placeholder back, only the checked
        // rows and the groups that are not unchecked are shown.
        QCOMPARE(f.settings()->Filter(), QString());
        QCOMPARE(f.visible(), (QStringList{"Search", "Google", "Video", "YouTube"}));
        // The user was in the box: the placeholder comes back when leaving it,
        // and is never taken for a filter.
        QCOMPARE(f.box->text(), QString());
        f.focusTree();
        QCOMPARE(f.box->text(), Hint);
        QCOMPARE(f.settings()->Filter(), QString());

        // Filter and checked-only together: only checked rows that match.
        f.settings()->SetFilter("goo");
        QCOMPARE(f.visible(), (QStringList{"Search", "Google"}));
        // An empty filter shows all until the counts change again.
        f.settings()->SetFilter(QString());
        QCOMPARE(f.visible(), All);
        f.clickCheck("Bing");
        QCOMPARE(f.visible(), (QStringList{"Search", "Google", "Bing", "Video", "YouTube"}));

        // Check all acts on the rows shown.
        f.trigger("acUncheckAll");
        QVERIFY(!f.settings()->ShowOnlyChecked());
        QCOMPARE(f.visible(), All);
        QCOMPARE(f.checkedCaption(), QStringLiteral("Checked: 0"));
    }

    void lastUncheckTurnsTheViewOff()
    {
        TFilterFixture f;
        f.clickCheck("Bing");
        f.settings()->SetShowOnlyChecked(true);
        QCOMPARE(f.visible(), (QStringList{"Search", "Bing"}));
        f.clickCheck("Bing");
        QVERIFY(!f.settings()->ShowOnlyChecked());
        QCOMPARE(f.visible(), All);
    }

    void checkedOnlyWithNothingCheckedFallsBack()
    {
        TFilterFixture f;
        f.settings()->SetShowOnlyChecked(true);
        QVERIFY(!f.settings()->ShowOnlyChecked());
        QCOMPARE(f.visible(), All);
    }
};

QTEST_MAIN(TestFilter)
#include "tst_filter.moc"
