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
#include <QDialog>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QRegularExpression>
#include <QTimer>
#include <QTranslator>

#include <utility>

using namespace selectframe;

namespace {

/// A frame over two groups of items, with every side-panel control and
/// every kind of check-menu entry, shown in a window; `hostTexts` holds
/// every text it was given, which no translation touches.
struct TShownFrame
{
    IPtr<ISelectFrame> frame;
    QWidget window;
    QStringList hostTexts;

    TShownFrame(const test::TLoadedPlugin &plugin, int favoritesMode)
    {
        frame = plugin.newFrame();
        IPtr<INamedParams> params;
        frame->GetParams(params.put());
        const auto set = [&](const char *key, const char *value) {
            params->SetValue(key, QByteArray(value));
            hostTexts.append(QString::fromUtf8(value).split(u','));
        };
        set(keys::OptionColumnNames, "Name,Colour");
        set(keys::OptionFavoriteColumns, "Colour");
        set("option://favorite.Colour", "red");
        set("option://fav.other_name.Colour", "Other colours");
        set(keys::OptionGroupByColumns, "kind=Kind,none=None");
        params->SetValue(keys::OptionShowFavorites, true);
        params->SetValue(keys::OptionFilterShow, true);
        params->SetValue(keys::OptionFavoritesMode, favoritesMode);
        hostTexts.append({QStringLiteral("Kind"), QStringLiteral("None")});
        const char *const items[][3] = {
            {"apple", "Fruit", "red"}, {"lime", "Fruit", "green"}, {"leek", "Veg", "green"}};
        for (const auto &row : items) {
            IPtr<IFrameItem> item;
            frame->NewItem(item.put());
            item->SetID(QString::fromLatin1(row[0]));
            item->SetCaption(QString::fromLatin1(row[0]));
            IPtr<IStringValueList> values;
            item->GetValues(values.put());
            values->SetValue(QStringLiteral("group"), QString::fromLatin1(row[1]));
            values->SetValue(QStringLiteral("column1_data"), QString::fromLatin1(row[2]));
            hostTexts.append({QString::fromLatin1(row[0]), QString::fromLatin1(row[1]), QString::fromLatin1(row[2])});
        }
        IPtr<IDataStorage> favorites;
        frame->GetFavorites(favorites.put());
        favorites->Load({QStringLiteral("Mine=apple,leek")});
        hostTexts.append(QStringLiteral("Mine"));
        frame->GetControl()->setParent(&window);
        frame->Initialize();
        window.resize(600, 400);
        window.show();
    }

    ~TShownFrame() { frame->GetControl()->setParent(nullptr); }
};

/// Collects the texts shown that a translation did not reach: a text is
/// fine when, without its marked parts and the host's texts, no letter is
/// left.
struct TTextWalk
{
    QStringList hostTexts;
    QStringList unmarked;
    QList<QAction *> dialogEntries;

    void check(const QString &text, const QObject *where)
    {
        QString rest = text;
        rest.remove(u'&').remove(QRegularExpression(QStringLiteral("⟦[^⟧]*⟧")));
        for (const QString &host : hostTexts)
            if (!host.isEmpty())
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
        if (top->isWindow())
            check(top->windowTitle(), top);
        QList<QWidget *> widgets = top->findChildren<QWidget *>();
        widgets.prepend(top);
        for (QWidget *w : widgets) {
            if (!w->isVisibleTo(top) || qobject_cast<QAbstractItemView *>(w->parentWidget()))
                continue;
            check(w->toolTip(), w);
            check(w->accessibleName(), w);
            if (auto *button = qobject_cast<QAbstractButton *>(w))
                check(button->text(), w);
            else if (auto *label = qobject_cast<QLabel *>(w))
                check(label->text(), w);
            else if (auto *edit = qobject_cast<QLineEdit *>(w))
                check(edit->text() + edit->placeholderText(), w);
            else if (auto *box = qobject_cast<QGroupBox *>(w))
                check(box->title(), w);
        }
    }

    /// Runs `open`; a menu or dialog it opens is walked, then closed.
    void walkWhatOpens(const std::function<void()> &open)
    {
        QTimer watch;
        watch.setInterval(20);
        QObject::connect(&watch, &QTimer::timeout, [this] {
            QWidget *opened = QApplication::activePopupWidget();
            if (!opened)
                opened = QApplication::activeModalWidget();
            if (!opened || !opened->isVisible())
                return;
            walk(opened);
            if (auto *dialog = qobject_cast<QDialog *>(opened))
                dialog->reject();
            else
                opened->close();
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

    test::TLoadedPlugin m_plugin;

    static QString buttonText(const TShownFrame &shown, const char *name)
    {
        return shown.window.findChild<QAbstractButton *>(QString::fromLatin1(name))->text();
    }

private slots:
    void initTestCase() { m_plugin.load(); }

    // The plug-in's translator follows the UI language while the host
    // allows it, and goes when the host declines it.
    void translatorFollowsTheHostsChoice()
    {
        QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
        const struct
        {
            QVariant allowed;
            const char *uncheckAll;
        } steps[] = {{false, "Uncheck all"}, {QVariant(), "Alle abwählen"}, {false, "Uncheck all"}};
        for (const auto &step : steps) {
            qApp->setProperty(TranslateProperty, step.allowed);
            TShownFrame shown(m_plugin, 0);
            QCOMPARE(buttonText(shown, "btnUncheckAll"), QString::fromUtf8(step.uncheckAll));
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
        TShownFrame shown(m_plugin, favoritesMode);
        QVERIFY(QTest::qWaitForWindowExposed(&shown.window));
        QWidget *control = shown.frame->GetControl();

        TTextWalk walk{shown.hostTexts, {}, {}};
        walk.walk(control);
        for (QAbstractButton *button : control->findChildren<QAbstractButton *>())
            if (button->isVisible())
                walk.walkWhatOpens([button] { QTest::mouseClick(button, Qt::LeftButton); });
        auto *header = control->findChild<QHeaderView *>();
        auto *tree = qobject_cast<QAbstractScrollArea *>(header->parentWidget());
        for (QWidget *target : {header->viewport(), tree->viewport()})
            walk.walkWhatOpens([target] {
                const QPoint pos(10, 5);
                QContextMenuEvent event(QContextMenuEvent::Mouse, pos, target->mapToGlobal(pos));
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
