// SPDX-License-Identifier: MIT
// The "Favorites Manager" dialog opened from a frame and driven as a user
// would from a timer: rows of the favorites list clicked, rows of the inner
// frame checked, Add, Rename and Delete answered in their boxes, OK or
// Cancel. Asserts the favorites the frame keeps, the dialog's state just
// before it closes and the favorite actions the host receives.
#include "frame/FrameFixture.h"
#include "platform/UserInput.h"

#include "favorites/uFavoritesForm.h"
#include "trees/FavoriteTree.h"

#include <QCheckBox>
#include <QMessageBox>

using namespace selectframe;
using namespace selectframe::test;

namespace {

/// A frame over items a to d (a with an action link) and the favorites
/// given as lines, logging the favorite actions; its scripts run in the
/// dialog it opens, over the dialog's inner frame (see TFrameFixture::run)
/// and with the dialog's own steps:
///   click N       the row N of the favorites list clicked
///   show          "Show checked only" toggled
///   add N, rename N   the box answered with the name N; "!N" cancels it
///   delete, keep  Delete answered Yes, No
///   ?dialog       its size, help shown, the inner frame's items and
///                 favorites shown
///   ok, cancel    the dialog closed, after its state is written down:
///                 focused favorite|checked IDs|info line|enabled: Rename,
///                 Delete, inner frame, "Show checked only" (checked: 2)
struct TOrganizer : TFrameFixture
{
    QStringList actions;
    TfmOrganizeFavorites *dialog = nullptr;

    explicit TOrganizer(const QStringList &favorites, const QStringList &ids = {"a", "b", "c", "d"})
    {
        for (const QString &id : ids)
            add(id, {}, {{QStringLiteral("c_action_link"), QStringLiteral("open")}});
        control.FavoritesDialogFactory = NewOrganizeFavoritesDialog;
        control.OnFavAction = [this](QObject *, int32_t action, const QVariant &value) {
            QStringList parts;
            for (const QVariant &p : value.typeId() == QMetaType::QVariantList ? value.toList() : QVariantList{value})
                parts << (p.canConvert<IPtr<IFrameItem>>() ? id(p.value<IPtr<IFrameItem>>().get()) : p.toString());
            actions << QString::number(action) + (value.isValid() ? ':' + parts.join(u'>') : QString());
        };
        storage()->Load(favorites);
        setOption(keys::OptionShowFavorites, true);
        show();
        more = [this](const QString &verb, const QString &arg) { return dialog && dialogStep(verb, arg); };
    }
    template <class T = QPushButton>
    T *child(const char *name) const
    {
        return dialog->findChild<T *>(QString::fromLatin1(name));
    }
    bool dialogStep(const QString &verb, const QString &arg)
    {
        TTree *list = child<TTree>("FavoriteTree");
        auto *inner = dialog->findChild<TSelectFrameControl *>();
        const bool ok = !arg.startsWith(u'!');
        if (verb == u"ok" || verb == u"cancel") {
            const auto *box = child<QCheckBox>("cbShowOnlyChecked");
            const TVirtualNode focused = list->GetNodeFocused();
            QString name;
            if (focused)
                static_cast<TFavoriteNode *>(list->getVM()->getData(focused))->Favorite->GetName(&name);
            QStringList checked = inner->GetManager()->CheckedIDs();
            checked.sort();
            said << QStringLiteral("%1|%2|%3|%4%5%6%7")
                        .arg(name, checked.join(u','), child<QLabel>("lbSelectedInfo")->text())
                        .arg(int(child("btnRenameFavorite")->isEnabled()))
                        .arg(int(child("btnDeleteFavorite")->isEnabled()))
                        .arg(int(inner->isEnabled()))
                        .arg(box->isEnabled() + int(box->isChecked()));
            QTest::mouseClick(child(verb == u"ok" ? "btnOK" : "btnCancel"), Qt::LeftButton);
        } else if (verb == u"?dialog") {
            said << QStringLiteral("%1x%2 help %3, %4 items, favorites %5")
                        .arg(dialog->width())
                        .arg(dialog->height())
                        .arg(dialog->ShowHelp())
                        .arg(inner->GetManager()->ItemCount())
                        .arg(inner->Settings()->ShowFavorites());
        } else if (verb == u"click") {
            TVirtualNode node = list->getVM()->getFirstChild(list->getVM()->getRoot());
            for (int i = arg.toInt(); i > 0; --i)
                node = list->getVM()->getNextSibling(node);
            QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->nodeRect(node, 0).center());
        } else if (verb == u"show") {
            child<QCheckBox>("cbShowOnlyChecked")->click();
        } else if (verb == u"add" || verb == u"rename") {
            whenModal([text = ok ? arg : arg.mid(1), ok](QWidget *box) {
                box->findChild<QLineEdit *>()->selectAll();
                typeText(box->findChild<QLineEdit *>(), text);
                QTest::mouseClick(box->findChildren<QPushButton *>().at(ok ? 0 : 1), Qt::LeftButton);
            });
            QTest::mouseClick(child(verb == u"add" ? "btnAddFavorite" : "btnRenameFavorite"), Qt::LeftButton);
        } else if (verb == u"delete" || verb == u"keep") {
            whenModal([yes = verb == u"delete"](QWidget *box) {
                auto *message = qobject_cast<QMessageBox *>(box);
                QCOMPARE(message->windowTitle(), QStringLiteral("Confirmation"));
                message->button(yes ? QMessageBox::Yes : QMessageBox::No)->click();
            });
            QTest::mouseClick(child("btnDeleteFavorite"), Qt::LeftButton);
        } else {
            return false;
        }
        return true;
    }
    IPtr<IDataStorage> storage() const { return queryInterface<IDataStorage>(control.GetManager()->Favorites()); }
    QStringList lines() const
    {
        QStringList out;
        storage()->Save(&out);
        return out;
    }
    /// Opens the dialog and runs `script` in it.
    QString organize(const QString &script)
    {
        QString seen;
        QTimer::singleShot(0, [&] {
            dialog = qobject_cast<TfmOrganizeFavorites *>(QApplication::activeModalWidget());
            QVERIFY(dialog);
            TTree *own = std::exchange(tree, dialog->findChild<TTree *>(QStringLiteral("SelectTree")));
            seen = run(script);
            tree = own;
            // A failed step must not leave the test waiting on the dialog.
            if (QApplication::activeModalWidget() == std::exchange(dialog, nullptr))
                static_cast<QDialog *>(QApplication::activeModalWidget())->reject();
        });
        trigger("acOrganizeFavorites");
        return seen;
    }
};

} // namespace

class TstOrganizeFavorites : public QObject
{
    Q_OBJECT

private slots:
    void scripts_data()
    {
        addColumns({"favorites", "script", "probe", "lines", "actions"});
        const QString ab = "A=a,b|B=c";
        const QString infoA = QStringLiteral("Search Engines checked in 'A' - %1.");
        addRow("checks stored on leaving", ab, "check d;check a;click 1;click 0;ok", "A|b,d|" + infoA.arg(2) + "|1111",
               "A=b,d|B=c", "1,2");
        addRow("cancel after rename and delete", ab, "check d;rename X;click 1;delete;cancel",
               "X|a,b,d|Search Engines checked in 'X' - 3.|1111", ab, "1,4:A>X,5:B,3");
        addRow("delete, add it again, add its namesake", ab, "delete;add A;add a;ok",
               "A||Search Engines checked in 'A' - 0.|1111", "B=c|A=", "1,5:A,2");
        // Declined, blank and unchanged answers change nothing; the link of
        // the inner frame's row tells the host the favorite and the item.
        addRow("declined, blank, unchanged; action link", ab, "keep;add   ;add !Z;rename A;rename !Q;link a;ok",
               "A|a,b|" + infoA.arg(2) + "|1111", ab, "1,6:A>a,2");
        addRow("delete the only one", "A=a", "delete;ok", "|||0000", "", "1,5:A,2");
        // Whatever a name holds is kept, but for a '=' and what follows.
        const QString name = QStringLiteral("Néw, \"q\" ✓ 名");
        addRow("add cut at equals", ab, "add  " + name + " = v;ok",
               name + "||Search Engines checked in '" + name + "' - 0.|1111", "A=a,b|B=c|" + name + '=', "1,2");
        addRow("rename to other's name", ab, "rename b;ok", "B|c|Search Engines checked in 'B' - 1.|1111", ab,
               "1,4:A>b,2");
        addRow("rename letter case", ab, "rename a;ok", "a|a,b|Search Engines checked in 'a' - 2.|1111", "a=a,b|B=c",
               "1,4:A>a,2");
        addRow("show checked, then uncheck all of them", "A=a", "show;check a;ok",
               "A||Search Engines checked in 'A' - 0.|1110", "A=", "1,2");
    }
    void scripts()
    {
        QFETCH(QString, favorites);
        QFETCH(QString, script);
        TOrganizer frame(favorites.split(u'|'));
        QTEST(frame.organize(script), "probe");
        QTEST(frame.lines().join(u'|'), "lines");
        QTEST(frame.actions.join(u','), "actions");
    }
    /// The opener: options in, size back, the check menu after OK, the
    /// rows refreshed after any close.
    void opener()
    {
        TOrganizer frame({"A=a", "B=b"}, {"a", "b", "c", "Ünï ✓"});
        frame.run("opt fav.selectedinfo=Things;opt fav.showhelp=1;opt fav.formwidth=900");
        QCOMPARE(frame.organize("?dialog;delete;ok"),
                 "900x500 help 1, 4 items, favorites 0; B|b|Things checked in 'B' - 1.|1111");
        QCOMPARE(frame.option(keys::OptionFavFormWidth).toString() + 'x' +
                     frame.option(keys::OptionFavFormHeight).toString(),
                 "900x500");
        QCOMPARE(frame.run("menu tree"), "[Check All|-|B|-|Organize Favorites...]");
    }
};

QTEST_MAIN(TstOrganizeFavorites)
#include "tst_organizefavorites.moc"
