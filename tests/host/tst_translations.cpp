// SPDX-License-Identifier: MIT
// The plug-in's texts in the user's language: its own translator follows
// the host's UI language unless the host declines it, and under a
// pseudo-translation every text the control, its menus and the dialogs
// they open show carries the markers.
#include "LoadedPlugin.h"

#include <selectframe/SelectFrame.h>

#include <QAbstractButton>
#include <QApplication>
#include <QContextMenuEvent>
#include <QHeaderView>
#include <QMenu>
#include <QRegularExpression>
#include <QTimer>
#include <QTranslator>

#include <utility>

using namespace selectframe;
using namespace selectframe::test;

namespace {

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

class TestTranslations : public QObject
{
    Q_OBJECT

    TLoadedPlugin m_plugin;

private slots:
    void initTestCase() { m_plugin.load(); }

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
        QTest::addColumn<int>("favoritesMode");
        QTest::newRow("favorites in the check menu") << 0;
        QTest::newRow("embedded favorites") << 1;
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

QTEST_MAIN(TestTranslations)
#include "tst_translations.moc"
