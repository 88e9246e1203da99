// SPDX-License-Identifier: MIT
// The Favorites button: its drop-down in either favorites mode, the frame's
// own unnamed favorite in embedded mode, and the mode re-binding the menu.
#include "FrameFixture.h"

#include "frame/SplitPopupMenu.h"
#include "platform/DropDownButton.h"

#include <QApplication>
#include <QTimer>

using namespace selectframe;
using namespace selectframe::test;

namespace {

struct TFavoritesFrame : TFrameFixture
{
    QStringList actions;
    TDropDownButton *button = control.findChild<TDropDownButton *>(QStringLiteral("btnFavorites"));

    explicit TFavoritesFrame(int mode, const QStringList &favorites = {})
    {
        setOption(keys::OptionShowFavorites, true);
        setOption(keys::OptionFavoritesMode, mode);
        queryInterface<IDataStorage>(control.GetManager()->Favorites())->Load(favorites);
        control.OnFavAction = [this](QObject *, int32_t action, const QVariant &) {
            actions << QString::number(action);
        };
        addGroupAndLoose();
    }
    /// Opens the button's menu and lists its shown entries ("caption" when
    /// enabled, "(caption)" when not, "-" for a separator); chooses the
    /// entry `choose` when given.
    QStringList open(const QString &choose = {})
    {
        QStringList shown;
        QTimer::singleShot(0, [&] {
            auto *menu = qobject_cast<QMenu *>(QApplication::activePopupWidget());
            QAction *chosen = nullptr;
            for (QAction *entry : menu->actions()) {
                if (!entry->isVisible())
                    continue;
                shown << (entry->isSeparator() ? QStringLiteral("-")
                          : entry->isEnabled() ? entry->text()
                                               : u'(' + entry->text() + u')');
                chosen = entry->text() == choose ? entry : chosen;
            }
            menu->close();
            if (chosen)
                chosen->trigger();
        });
        QTest::mouseClick(button, Qt::LeftButton);
        return shown;
    }
    QStringList embedded() const
    {
        IPtr<ISelectFavorite> favorite;
        control.GetManager()->Favorites()->Find(QStringLiteral("%EmbeddedFavorites%"), favorite.put());
        return favorite ? *favorite->GetItems() : QStringList{"none"};
    }
};

const QString check = QStringLiteral("Check favorite SEs"), mark = QStringLiteral("Mark selected as favorite SEs"),
              clear = QStringLiteral("Clear the list of favorite SEs");

} // namespace

class TstFavoritesButton : public QObject
{
    Q_OBJECT

private slots:
    /// Without a dialog installed, organizing is offered but disabled; the
    /// embedded favorite is not offered by name.
    void externalShowsFavoritesOnly()
    {
        TFavoritesFrame frame(ffmExternal, {"Mine=a,c", "%EmbeddedFavorites%=b", "Yours=b"});
        QCOMPARE(frame.open(), (QStringList{"Mine", "Yours", "-", "(Organize Favorites...)"}));
        QCOMPARE(frame.open("Mine"), (QStringList{"Mine", "Yours", "-", "(Organize Favorites...)"}));
        QCOMPARE(frame.states(), (QList<int>{fcsMixed, fcsChecked, fcsUnchecked, fcsChecked}));
        QCOMPARE(frame.actions, QStringList{"7"});
        QCOMPARE(frame.embedded(), QStringList{"b"});
    }

    void embeddedMarkUncheckCheck()
    {
        TFavoritesFrame frame(ffmEmbedded);
        const QStringList none{'(' + check + ')', "-", '(' + mark + ')', '(' + clear + ')'};
        QCOMPARE(frame.open(), none);
        QCOMPARE(frame.embedded(), QStringList());
        frame.clickCheck("a");
        frame.clickCheck("c");
        QCOMPARE(frame.open(mark), (QStringList{'(' + check + ')', "-", mark, '(' + clear + ')'}));
        QCOMPARE(frame.embedded(), (QStringList{"a", "c"}));
        frame.trigger("acUncheckAll");
        QCOMPARE(frame.open(check), (QStringList{check, "-", '(' + mark + ')', clear}));
        QCOMPARE(frame.states(), (QList<int>{fcsMixed, fcsChecked, fcsUnchecked, fcsChecked}));
        QCOMPARE(frame.open(clear), (QStringList{check, "-", mark, clear}));
        QCOMPARE(frame.states(), (QList<int>{fcsMixed, fcsChecked, fcsUnchecked, fcsChecked}));
        QCOMPARE(frame.open(), (QStringList{'(' + check + ')', "-", mark, '(' + clear + ')'}));
        QVERIFY(frame.actions.isEmpty());
    }

    void modeRebindsTheMenu()
    {
        TFavoritesFrame frame(ffmExternal);
        const QMenu *checkMenu = frame.control.findChild<TSplitPopupMenu *>(QStringLiteral("FCheckMenu"));
        const QMenu *embeddedMenu = frame.control.findChild<QMenu *>(QStringLiteral("pmEmbeddedFavorites"));
        const std::pair<int, const QMenu *> steps[] = {
            {ffmEmbedded, embeddedMenu}, {5, nullptr}, {ffmExternal, checkMenu}};
        for (const auto &[mode, menu] : steps) {
            frame.control.Settings()->SetFavoritesMode(TFrameFavoritesMode(mode));
            QCOMPARE(frame.button->dropdownMenu(), menu);
        }
        frame.control.Settings()->SetFavoritesMode(TFrameFavoritesMode(5));
        QTest::mouseClick(frame.button, Qt::LeftButton); // no menu: nothing pops up
        QVERIFY(!QApplication::activePopupWidget());
    }
};

QTEST_MAIN(TstFavoritesButton)
#include "tst_favoritesbutton.moc"
