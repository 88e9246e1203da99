// SPDX-License-Identifier: MIT
// The plug-in as a host sees it: loaded by path, reached through its one
// export, used through the public headers only; hosts that do what a host
// should not, for which the frame either works or fails with a clear error,
// and never crashes; and its texts in the user's language: its own
// translator follows the host's UI language unless the host declines it,
// and under a pseudo-translation every text the control, its menus and the
// dialogs they open show carries the markers.
#include "LoadedPlugin.h"
#include "platform/DataTable.h"

#include <selectframe/SelectFrame.h>

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QContextMenuEvent>
#include <QHeaderView>
#include <QMenu>
#include <QPointer>
#include <QProcess>
#include <QRandomGenerator>
#include <QRegularExpression>
#include <QTimer>
#include <QTranslator>
#include <QTreeView>

#include <memory>
#include <utility>

using namespace selectframe;
using namespace selectframe::test;

namespace {

/// A host of a frame over "b", "a", "c" and "late" in a window of its own,
/// holding every part the frame hands out. Its handlers do `mischief`
/// ("throw", "initialize", "release" the frame, "reload" the checked set
/// from the first query) and log what they saw; so do the steps.
struct THost
{
    QString mischief;
    std::unique_ptr<QWidget> window = std::make_unique<QWidget>();
    IPtr<ISelectFrame> frame;
    IPtr<INamedMethods> methods;
    IPtr<INamedParams> params;
    IPtr<IDataStorage> favorites, state;
    IPtr<ISelectFrameSettings> settings;
    QPointer<QWidget> control;
    IPtr<IFrameItem> item = newItem(frame.get(), "late");
    QStringList log;
    int queries = 0;

    static void onChange(void *data, ISelectFrame *)
    {
        THost &host = *static_cast<THost *>(data);
        host.log << "change";
        if (host.mischief == u"throw")
            throw std::runtime_error("host handler failed");
        if (host.mischief == u"release")
            host.frame.reset();
        if (host.mischief == u"initialize")
            host.initialize();
    }
    /// Files every item under the chosen grouping, logging it and the items
    /// in their own order.
    static void onChangeGroup(void *data, ISelectFrame *sender, const QString &id, IFrameItemEnumerator *items)
    {
        THost &host = *static_cast<THost *>(data);
        QStringList ids{sender == host.frame.get() ? "frame" : "other"};
        for (IPtr<IFrameItem> item; items->MoveNext();) {
            items->GetCurrent(item.put());
            part(item.get(), &IFrameItem::GetValues)->SetValue("group", id);
            item->GetID(&ids.emplace_back());
        }
        host.log << id + ": " + ids.join(u',');
    }
    static void onItemQuery(void *data, ISelectFrame *, IFrameItem *, const QString &)
    {
        THost &host = *static_cast<THost *>(data);
        if (host.mischief == u"reload" && host.queries++ == 0)
            host.state->Load({"a", "b", "c"});
    }

    THost(const TLoadedPlugin &plugin, const QString &mischief)
        : mischief(mischief),
          frame(plugin.newFrame({"b", "a", "c"}, window.get())),
          methods(part(frame.get(), &ISelectFrame::GetMethods)),
          params(part(frame.get(), &ISelectFrame::GetParams)),
          favorites(part(frame.get(), &ISelectFrame::GetFavorites)),
          state(part(frame.get(), &ISelectFrame::GetState)),
          settings(part(frame.get(), &ISelectFrame::GetSettings)),
          control(frame->GetControl())
    {
        methods->SetMethod(keys::EventOnChange, makeMethod(&onChange, this));
        methods->SetMethod(keys::EventItemQuery, makeMethod(&onItemQuery, this));
        methods->SetMethod(keys::EventChangeGroup, makeMethod(&onChangeGroup, this));
    }

    /// Initialize, logging the error it fails with.
    void initialize()
    {
        try {
            frame->Initialize();
        } catch (const std::exception &e) {
            log << e.what();
        }
    }

    /// A space on the tree's first row, as a user checks it.
    void checkFirstRow()
    {
        auto *tree = control->findChild<QTreeView *>(QStringLiteral("SelectTree"));
        tree->setFocus();
        tree->setCurrentIndex(tree->model()->index(0, 0));
        if (mischief == u"throw")
            QTest::ignoreMessage(QtCriticalMsg, QRegularExpression("host handler failed"));
        QTest::keyClick(tree, Qt::Key_Space);
    }

    /// The parts the host still holds, all used: the item lost its row
    /// (unchecked, checks and refreshes reach nothing), the rest answer.
    QString useParts()
    {
        const IPtr<IFrameItemEx> ex = item.query<IFrameItemEx>();
        ex->SetChecked(true);
        ex->Refresh();
        item->SetCaption("renamed");
        part(item.get(), &IFrameItem::GetValues)->SetValue("group", "elsewhere");
        QString id;
        item->GetID(&id);
        QStringList lines, checked;
        favorites->Load({"A=1,2"});
        favorites->Save(&lines);
        state->Load({"late"});
        state->Save(&checked);
        QVariant rowLimit;
        params->GetValue(keys::OptionRowLimit, &rowLimit);
        settings->SetShowOnlyChecked(!settings->GetShowOnlyChecked());
        methods->SetMethod(keys::EventOnChange, makeMethod(&onChange, this));
        return QStringLiteral("%1 node %2 checked %3, favorites %4, state [%5], row limit %6, handler %7")
            .arg(id)
            .arg(ex->GetNode() != nullptr)
            .arg(ex->GetChecked())
            .arg(lines.join(u'|'), checked.join(u'|'), QString::number(rowLimit.toInt()))
            .arg(methods->GetMethod(keys::EventOnChange).assigned());
    }
};

/// Every text the host gives the frame below; no translation touches them.
const QStringList hostTexts{"Name",  "Colour", "red",  "green", "Other colours", "Kind", "None",
                            "apple", "lime",   "leek", "Fruit", "Veg",           "Mine"};

/// A frame over two groups of items, with every side-panel control and
/// every kind of check-menu entry, shown in `window`.
IPtr<ISelectFrame> shownFrame(const TLoadedPlugin &plugin, int favoritesMode, QWidget *window)
{
    IPtr<ISelectFrame> frame = plugin.newFrame({}, window);
    const IPtr<INamedParams> params = part(frame.get(), &ISelectFrame::GetParams);
    for (const auto &[key, value] : {std::pair(keys::OptionColumnNames, QVariant(QByteArray("Name,Colour"))),
                                     {keys::OptionFavoriteColumns, QByteArray("Colour")},
                                     {"option://favorite.Colour", QByteArray("red")},
                                     {"option://fav.other_name.Colour", QByteArray("Other colours")},
                                     {keys::OptionGroupByColumns, QByteArray("kind=Kind,none=None")},
                                     {keys::OptionShowFavorites, true},
                                     {keys::OptionFilterShow, true},
                                     {keys::OptionFavoritesMode, favoritesMode}})
        params->SetValue(key, value);
    newItem(frame.get(), "apple", {"group=Fruit", "column1_data=red"});
    newItem(frame.get(), "lime", {"group=Fruit", "column1_data=green"});
    newItem(frame.get(), "leek", {"group=Veg", "column1_data=green"});
    part(frame.get(), &ISelectFrame::GetFavorites)->Load({QStringLiteral("Mine=apple,leek")});
    frame->Initialize();
    window->resize(600, 400);
    window->show();
    return frame;
}

/// Collects the texts shown that a translation did not reach: a text is
/// fine when, without its marked parts and the host's texts, no letter is
/// left.
struct TTextWalk
{
    QStringList unmarked;
    QList<QAction *> dialogEntries;

    void check(const QString &text, const QObject *where)
    {
        QString rest = text;
        rest.remove(u'&').remove(QRegularExpression(QStringLiteral("⟦[^⟧]*⟧")));
        for (const QString &host : hostTexts)
            rest.replace(host, QString());
        if (rest.contains(QRegularExpression(QStringLiteral("\\p{L}"))))
            unmarked.append(QStringLiteral("%1 (%2)").arg(text, where->objectName()));
    }

    void walkMenu(QMenu *menu)
    {
        emit menu->aboutToShow();
        check(menu->title(), menu);
        for (QAction *action : menu->actions()) {
            if (!action->isVisible() || action->isSeparator())
                continue;
            check(action->text(), action);
            if (action->menu())
                walkMenu(action->menu());
            else if (action->text().contains(QStringLiteral("...")))
                dialogEntries.append(action);
        }
    }

    /// Every text of `top` and the widgets shown in it; item views show the
    /// host's data only.
    void walk(QWidget *top)
    {
        if (auto *menu = qobject_cast<QMenu *>(top))
            return walkMenu(menu);
        check(top->windowTitle(), top);
        QList<QWidget *> widgets = top->findChildren<QWidget *>();
        widgets.prepend(top);
        for (QWidget *w : widgets) {
            if (!w->isVisibleTo(top) || qobject_cast<QAbstractItemView *>(w->parentWidget()))
                continue;
            for (const char *property : {"toolTip", "accessibleName", "text", "placeholderText", "title"})
                check(w->property(property).toString(), w);
        }
    }

    /// Runs `open`; a menu or dialog it opens is walked, then closed.
    void walkWhatOpens(const std::function<void()> &open)
    {
        QTimer watch;
        watch.setInterval(20);
        QObject::connect(&watch, &QTimer::timeout, [this] {
            // A dialog closed rejects.
            QWidget *opened = QApplication::activePopupWidget();
            if ((opened = opened ? opened : QApplication::activeModalWidget()) && opened->isVisible()) {
                walk(opened);
                opened->close();
            }
        });
        watch.start();
        open();
        QTest::qWait(60);
    }
};

} // namespace

class TestPlugin : public QObject
{
    Q_OBJECT

    TLoadedPlugin m_plugin;

private slots:
    void initTestCase() { m_plugin.load(); }

    void exportsOnlyCreateManager()
    {
        QProcess nm;
        nm.start(QStringLiteral("nm"), {"-D", "--defined-only", m_plugin.library.fileName()});
        QVERIFY2(nm.waitForFinished(), "nm did not run");
        QStringList symbols;
        for (const QByteArray &line : nm.readAllStandardOutput().split('\n'))
            if (const QList<QByteArray> fields = line.simplified().split(' '); fields.size() == 3)
                symbols.append(QString::fromLatin1(fields[2]));
        QCOMPARE(symbols, QStringList{"CreateManager"});
        IPtr<ISelectFrameFactory> a, b;
        m_plugin.create(a.put());
        m_plugin.create(b.put());
        QVERIFY(a && b && a != b); // a new factory each call
        QVERIFY(a.query<IInterface>() == a.query<ISelectFrameFactory>().query<IInterface>());
        QVERIFY(!a.query<ISelectFrame>());
    }

    // Defaults a host sees on a fresh frame and its items; its registry
    // stores nothing (the control takes the handlers).
    void freshFrame()
    {
        IPtr<ISelectFrame> frame = m_plugin.newFrame({""});
        QCOMPARE(part(frame.get(), &ISelectFrame::GetParams).query<INamedParamsList>()->GetCount(), 31);
        const IPtr<INamedMethods> methods = part(frame.get(), &ISelectFrame::GetMethods);
        for (const char *key : {keys::EventOnChange, "events://unknown"}) {
            methods->SetMethod(key, makeMethod(&THost::onChange));
            QVERIFY(!methods->GetMethod(key).assigned());
        }
        const IPtr<IFrameItem> item = newItem(frame.get(), "");
        QString image;
        part(item.get(), &IFrameItem::GetValues)->GetValue("image", &image);
        QCOMPARE(image, QStringLiteral("-1")); // no image
        QVERIFY(!item.query<IFrameItemEx>()->GetChecked());
        frame->Initialize();
        QVariant total;
        part(frame.get(), &ISelectFrame::GetParams)->GetValue(keys::PropertyTotalCount, &total);
        QCOMPARE(total, QVariant(2));
    }

    // Steps: "init" (Initialize, logging an error, and show the window when
    // there is one), "set KEY VALUE" (an option), "group by N" (the grouping
    // menu's entry),
    // "space" (a user's check of the first row), "acCheckAll" and the like,
    // "load IDs" (the checked set), "drop" (the host's last reference),
    // "close window", "deferred" (deletes Qt deferred), "new item";
    // probes: "state" (checked count and control), "repaints" (the next
    // check is painted: the tree's update was closed), "parts" (every part
    // the host holds, used).
    void hostileHost_data()
    {
        addColumns({"mischief", "steps", "log"});
        // The host's grouping handler gets the frame, the chosen identifier
        // and every item in its own order; a choice the menu lacks fails
        // Initialize.
        addRow("grouping chosen", "", "set option://groupby.columns flat=Flat,\"all=All items\";init;group by 1",
               "all: frame,b,a,c,late;change");
        addRow("grouping the menu lacks", "",
               "set option://groupby.columns flat=Flat;set option://groupby.index 1;init",
               "Menu index out of range: 1 (entries 0 to 0)");
        addRow("handler throws in a user check", "throw", "init;space;state;repaints",
               "change;checked 1, control shown;change;repainted");
        addRow("Initialize from the frame's own handler", "initialize", "init;space;state;repaints",
               "change;Frame is already initialized;checked 1, control shown;change;Frame is already "
               "initialized;repainted");
        addRow("check-all from inside item queries", "reload", "init;load a;state;repaints",
               "change;change;checked 3, control shown;change;repainted");
        // The change comes from inside the check-all pass, which has work
        // left after it: the control outlives that, hidden, and its further
        // events reach no handler.
        addRow("last release inside the change event", "release",
               "init;acCheckAll;state;acUncheckAll;state;deferred;state",
               "change;frame gone, control hidden;frame gone, control hidden;frame gone, control gone");
        // The last release destroys the control even where the host placed
        // it; what the host still holds lives on and stays safe to call.
        addRow("parts used after the last release", "", "init;load late;state;drop;state;parts",
               "change;checked 1, control shown;frame gone, control gone;"
               "late node 0 checked 0, favorites A=1,2, state [], row limit 30, handler 1");
        // A host window destroyed first takes the control; the frame goes
        // on without one and makes no more items.
        addRow("host window goes first", "", "close window;init;new item;state", "no item;checked 0, control gone");
    }
    void hostileHost()
    {
        QFETCH(QString, mischief);
        QFETCH(QString, steps);
        QFETCH(QString, log);
        THost host(m_plugin, mischief);
        for (const QString &step : steps.split(u';')) {
            if (step == u"init") {
                host.initialize();
                host.frame->Reserved();
                if (host.window) {
                    host.window->show();
                    QVERIFY(QTest::qWaitForWindowExposed(host.window.get()));
                }
            } else if (step == u"space") {
                host.checkFirstRow();
            } else if (step.startsWith(u"ac")) {
                host.control->findChild<QAction *>(step)->trigger();
            } else if (step.startsWith(u"set ")) {
                host.params->SetValue(step.section(u' ', 1, 1).toUtf8(), step.section(u' ', 2).toUtf8());
            } else if (step.startsWith(u"group by ")) {
                const QList<QAction *> entries = host.control->findChild<QMenu *>("pmGroupBy")->actions();
                entries.value(step.mid(9).toInt())->trigger();
            } else if (step.startsWith(u"load ")) {
                host.state->Load(step.mid(5).split(u','));
            } else if (step == u"drop") {
                host.frame.reset();
            } else if (step == u"close window") {
                host.window.reset();
            } else if (step == u"deferred") {
                QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
            } else if (step == u"new item") {
                IPtr<IFrameItem> item;
                host.frame->NewItem(item.put());
                host.log << (item ? "item" : "no item");
            } else if (step == u"state") {
                const QString shown = !host.control ? "gone" : host.control->isVisible() ? "shown" : "hidden";
                QVariant checked;
                host.params->GetValue(keys::PropertyCheckedCount, &checked);
                host.log << (host.frame ? "checked " + QString::number(checked.toInt()) : "frame gone") + ", control " +
                                shown;
            } else if (step == u"repaints") {
                QWidget *viewport = host.control->findChild<QTreeView *>()->viewport();
                const QImage before = viewport->grab().toImage();
                host.checkFirstRow();
                host.log << (viewport->grab().toImage() != before ? "repainted" : "not repainted");
            } else {
                QCOMPARE(step, QStringLiteral("parts"));
                host.log << host.useParts();
            }
        }
        QCOMPARE(host.log, log.split(u';'));
    }

    // Random values of random types for every option, then Initialize and
    // a paint: each run initialises or fails with an error the host can
    // catch, and never hangs or grows without bound.
    void randomOptions()
    {
        QRandomGenerator random(20261207);
        const QVariantList values{
            int32_t(2147483647), int32_t(-2147483647 - 1), -1,           0,         1,     3,         true,
            QByteArray(""),      QByteArray("x,\"y"),      "9999999999", "a=b,c=d", 1e300, QVariant()};
        const QByteArrayList keys = QByteArray("select.mode,show.favorites,favorites.mode,filter.show,filter.text,"
                                               "groupby.columns,groupby.index,row.limit,column.limit,more.caption,"
                                               "header.height,row.height,row.select,init.sort,groups.expand_first,"
                                               "groups.expanded,column.names,columns.width,favorite.columns,ui")
                                        .split(',');
        for (int run = 0; run < 40; ++run) {
            QWidget window;
            IPtr<ISelectFrame> frame = m_plugin.newFrame({"a", "b", "c"}, &window);
            for (const QByteArray &key : keys)
                if (random.bounded(3) == 0)
                    part(frame.get(), &ISelectFrame::GetParams)
                        ->SetValue("option://" + key, values[random.bounded(int(values.size()))]);
            try {
                frame->Initialize();
            } catch (const std::exception &) {
                continue;
            }
            QVERIFY(!frame->GetControl()->grab().isNull());
        }
    }

    // The plug-in's translator follows the UI language while the host
    // allows it, and goes when the host declines it.
    void translatorFollowsTheHostsChoice()
    {
        QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
        for (const auto &[allowed, uncheckAll] :
             {std::pair(QVariant(false), "Uncheck all"), {QVariant(), "Alle abwählen"}, {false, "Uncheck all"}}) {
            qApp->setProperty(TranslateProperty, allowed);
            QWidget window;
            const IPtr<ISelectFrame> frame = shownFrame(m_plugin, 0, &window);
            QCOMPARE(window.findChild<QAbstractButton *>(QStringLiteral("btnUncheckAll"))->text(),
                     QString::fromUtf8(uncheckAll));
        }
        QLocale::setDefault(QLocale::c());
    }

    // Under the pseudo-translation, opening every button's menu, the
    // tree's and the header's context menus, and each dialog a "..."
    // entry opens, finds no text without the markers.
    void everyShownTextIsTranslated_data()
    {
        addColumns<int>("favoritesMode");
        addRow("favorites in the check menu", 0);
        addRow("embedded favorites", 1);
    }

    void everyShownTextIsTranslated()
    {
        QFETCH(int, favoritesMode);
        qApp->setProperty(TranslateProperty, false);
        QTranslator pseudo;
        QVERIFY(pseudo.load(QStringLiteral(SF_PSEUDO_QM)));
        QVERIFY(QCoreApplication::installTranslator(&pseudo));
        QWidget window;
        const IPtr<ISelectFrame> frame = shownFrame(m_plugin, favoritesMode, &window);
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        QWidget *control = frame->GetControl();

        TTextWalk walk;
        walk.walk(control);
        for (QAbstractButton *button : control->findChildren<QAbstractButton *>())
            if (button->isVisible())
                walk.walkWhatOpens([button] { QTest::mouseClick(button, Qt::LeftButton); });
        auto *header = control->findChild<QHeaderView *>();
        auto *tree = qobject_cast<QAbstractScrollArea *>(header->parentWidget());
        for (QWidget *target : {header->viewport(), tree->viewport()})
            walk.walkWhatOpens([target] {
                QContextMenuEvent event(QContextMenuEvent::Mouse, QPoint(10, 5), target->mapToGlobal(QPoint(10, 5)));
                QApplication::sendEvent(target, &event);
            });
        QVERIFY(!walk.dialogEntries.isEmpty());
        for (QAction *entry : std::exchange(walk.dialogEntries, {}))
            walk.walkWhatOpens([entry] { entry->trigger(); });
        walk.unmarked.removeDuplicates();
        QVERIFY2(walk.unmarked.isEmpty(), qPrintable(walk.unmarked.join(u'\n')));
    }
};

QTEST_MAIN(TestPlugin)
#include "tst_plugin.moc"
