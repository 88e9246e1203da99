// SPDX-License-Identifier: MIT
// The "Favorites Manager" dialog opened from a frame and driven as a user
// would from a timer: rows of the favorites list clicked, rows of the inner
// frame checked, Add, Rename and Delete answered in their boxes, OK or
// Cancel. Asserts the favorites the frame keeps, the dialog's state just
// before it closes and the favorite actions the host receives.
#include "frame/FrameFixture.h"
#include "platform/UserInput.h"

#include "favorites/uFavoritesForm.h"
#include "frame/CheckMenuItems.h"
#include "trees/FavoriteTree.h"

#include <QApplication>
#include <QCheckBox>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>

using namespace selectframe;
using namespace selectframe::test;

namespace {

/// The open dialog, worked through its widgets.
struct TDialogDriver
{
    QWidget *dialog;
    TTree *list = child<TTree>("FavoriteTree");
    TSelectFrameControl *inner = dialog->findChild<TSelectFrameControl *>();
    TTree *innerTree = inner->findChild<TTree *>(QStringLiteral("SelectTree"));

    template <class T = QPushButton>
    T *child(const char *name) const
    {
        return dialog->findChild<T *>(QString::fromLatin1(name));
    }
    /// The row `index` of the favorites list, or the inner frame's row of
    /// the item `id`.
    static TVirtualNode row(TTree *tree, const std::function<bool(void *, int)> &wanted)
    {
        IVmManager *vm = tree->getVM();
        int index = 0;
        for (TVirtualNode n = vm->getFirstChild(vm->getRoot()); n; n = vm->getNextSibling(n))
            if (wanted(vm->getData(n), index++))
                return n;
        return {};
    }
    QString name(TVirtualNode row) const
    {
        QString name;
        if (row)
            static_cast<TFavoriteNode *>(list->getVM()->getData(row))->Favorite->GetName(&name);
        return name;
    }
    /// Focused favorite | checked IDs | info line | enabled: Rename,
    /// Delete, inner frame, "Show checked only" (checked shown as 2).
    QString probe() const
    {
        const auto *box = child<QCheckBox>("cbShowOnlyChecked");
        QStringList checked = inner->GetManager()->CheckedIDs();
        checked.sort();
        return QStringLiteral("%1|%2|%3|%4%5%6%7")
            .arg(name(list->GetNodeFocused()), checked.join(u','), child<QLabel>("lbSelectedInfo")->text())
            .arg(int(child("btnRenameFavorite")->isEnabled()))
            .arg(int(child("btnDeleteFavorite")->isEnabled()))
            .arg(int(inner->isEnabled()))
            .arg(box->isEnabled() + int(box->isChecked()));
    }
    /// Runs the commands of `script`, separated by ';': "click N" (a row of
    /// the list), "check ID", "link ID" (an inner row's check box or action
    /// link), "show" (toggles "Show checked only"), "add NAME", "rename NAME"
    /// (a NAME of "!..." cancels the box), "delete", "keep" (answers No),
    /// "ok", "cancel". The probe is taken before the closing command.
    void run(const QString &script, QString &probed)
    {
        for (const QString &command : script.split(u';')) {
            const QString verb = command.section(u' ', 0, 0), arg = command.section(u' ', 1);
            const bool ok = !arg.startsWith(u'!');
            if (verb == u"ok" || verb == u"cancel") {
                probed = probe();
                QTest::mouseClick(child(verb == u"ok" ? "btnOK" : "btnCancel"), Qt::LeftButton);
            } else if (verb == u"click") {
                const TVirtualNode node = row(list, [&](void *, int index) { return index == arg.toInt(); });
                QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->nodeRect(node, 0).center());
            } else if (verb == u"check" || verb == u"link") {
                const TVirtualNode node = row(innerTree, [&](void *data, int) {
                    QString id;
                    static_cast<const TFrameItemObject *>(static_cast<TSelectFrameNode *>(data)->FrameObject)
                        ->Item->GetID(&id);
                    return id == arg;
                });
                QTest::mouseClick(innerTree->viewport(), Qt::LeftButton, {},
                                  slicePoint(*innerTree, node, 0, verb == u"check" ? 0 : 3));
            } else if (verb == u"show") {
                child<QCheckBox>("cbShowOnlyChecked")->click();
            } else if (verb == u"add" || verb == u"rename") {
                whenModal([text = ok ? arg : arg.mid(1), ok](QWidget *box) {
                    box->findChild<QLineEdit *>()->selectAll();
                    typeText(box->findChild<QLineEdit *>(), text);
                    QTest::mouseClick(box->findChildren<QPushButton *>().at(ok ? 0 : 1), Qt::LeftButton);
                });
                QTest::mouseClick(child(verb == u"add" ? "btnAddFavorite" : "btnRenameFavorite"), Qt::LeftButton);
            } else {
                whenModal([yes = verb == u"delete"](QWidget *box) {
                    auto *message = qobject_cast<QMessageBox *>(box);
                    QCOMPARE(message->windowTitle(), QStringLiteral("Confirmation"));
                    message->button(yes ? QMessageBox::Yes : QMessageBox::No)->click();
                });
                QTest::mouseClick(child("btnDeleteFavorite"), Qt::LeftButton);
            }
        }
    }
};

/// A frame over items a to d (a with an action link) and the favorites
/// given as lines, logging the favorite actions.
struct TOrganizer : TFrameFixture
{
    QStringList actions;

    explicit TOrganizer(const QStringList &favorites, const QStringList &ids = {"a", "b", "c", "d"})
    {
        for (const QString &id : ids)
            add(id, {}, {{QStringLiteral("c_action_link"), QStringLiteral("open")}});
        control.FavoritesDialogFactory = NewOrganizeFavoritesDialog;
        control.OnFavAction = [this](QObject *, int32_t action, const QVariant &value) {
            const QVariantList pair = value.toList();
            QString item;
            if (action == faDialogActionClick)
                pair.at(1).value<IPtr<IFrameItem>>()->GetID(&item);
            actions << (action == faRenamed
                            ? QStringLiteral("4:%1>%2").arg(pair.value(0).toString(), pair.value(1).toString())
                        : action == faDeleted           ? QStringLiteral("5:") + value.toString()
                        : action == faDialogActionClick ? QStringLiteral("6:%1:%2").arg(pair.value(0).toString(), item)
                                                        : QString::number(action));
        };
        storage()->Load(favorites);
        setOption(keys::OptionShowFavorites, true);
        show();
    }
    IPtr<IDataStorage> storage() const { return queryInterface<IDataStorage>(control.GetManager()->Favorites()); }
    QStringList lines() const
    {
        QStringList out;
        storage()->Save(&out);
        return out;
    }
    /// Opens the dialog, shows it to `look` and runs `script` in it;
    /// returns the probe.
    QString organize(const QString &script, const std::function<void(TfmOrganizeFavorites *)> &look = {})
    {
        QString probed;
        QTimer::singleShot(0, [&] {
            auto *dialog = qobject_cast<TfmOrganizeFavorites *>(QApplication::activeModalWidget());
            QVERIFY(dialog);
            if (look)
                look(dialog);
            TDialogDriver{dialog}.run(script, probed);
            // A failed step must not leave the test waiting on the dialog.
            if (QApplication::activeModalWidget() == dialog)
                static_cast<QDialog *>(dialog)->reject();
        });
        trigger("acOrganizeFavorites");
        return probed;
    }
};

} // namespace

class TstOrganizeFavorites : public QObject
{
    Q_OBJECT

private slots:
    void scripts_data()
    {
        QTest::addColumn<QStringList>("favorites");
        QTest::addColumn<QString>("script");
        QTest::addColumn<QString>("probe");
        QTest::addColumn<QStringList>("lines");
        QTest::addColumn<QString>("actions");
        const QStringList ab{"A=a,b", "B=c"};
        const QString infoA = QStringLiteral("Search Engines checked in 'A' - %1.");
        QTest::newRow("open, cancel") << ab << "cancel"
                                      << "A|a,b|" + infoA.arg(2) + "|1111" << ab << "1,3";
        QTest::newRow("open empty") << QStringList() << "ok"
                                    << "|||0000" << QStringList() << "1,2";
        QTest::newRow("left unchanged, a list keeps what the frame lacks")
            << QStringList{"A=zz,b,a", "B=c"} << "click 1;click 0;ok"
            << "A|a,b|" + infoA.arg(2) + "|1111" << QStringList{"A=zz,b,a", "B=c"} << "1,2";
        QTest::newRow("checks stored on leaving")
            << ab << "check d;check a;click 1;click 0;ok"
            << "A|b,d|" + infoA.arg(2) + "|1111" << QStringList{"A=b,d", "B=c"} << "1,2";
        QTest::newRow("cancel after rename and delete")
            << ab << "check d;rename X;click 1;delete;cancel"
            << "X|a,b,d|Search Engines checked in 'X' - 3.|1111" << ab << "1,4:A>X,5:B,3";
        QTest::newRow("ok after delete") << ab << "delete;ok"
                                         << "B|c|Search Engines checked in 'B' - 1.|1111" << QStringList{"B=c"}
                                         << "1,5:A,2";
        QTest::newRow("delete, add it again, add its namesake")
            << ab << "delete;add A;add a;ok"
            << "A||Search Engines checked in 'A' - 0.|1111" << QStringList{"B=c", "A="} << "1,5:A,2";
        QTest::newRow("delete answered no") << ab << "keep;ok"
                                            << "A|a,b|" + infoA.arg(2) + "|1111" << ab << "1,2";
        QTest::newRow("delete the only one") << QStringList{"A=a"} << "delete;ok"
                                             << "|||0000" << QStringList() << "1,5:A,2";
        QTest::newRow("add new stores nothing into the one left")
            << ab << "check d;add  New ;ok"
            << "New||Search Engines checked in 'New' - 0.|1111" << QStringList{"A=a,b", "B=c", "New="} << "1,2";
        QTest::newRow("add own name keeps focus and checks")
            << ab << "check d;add a;ok"
            << "A|a,b,d|" + infoA.arg(3) + "|1111" << QStringList{"A=a,b,d", "B=c"} << "1,2";
        QTest::newRow("add other's name focuses it") << ab << "add b;ok"
                                                     << "B|c|Search Engines checked in 'B' - 1.|1111" << ab << "1,2";
        QTest::newRow("add blanks, add cancelled") << ab << "add   ;add !Z;ok"
                                                   << "A|a,b|" + infoA.arg(2) + "|1111" << ab << "1,2";
        QTest::newRow("add cut at equals")
            << ab << "add  k = v;ok"
            << "k||Search Engines checked in 'k' - 0.|1111" << QStringList{"A=a,b", "B=c", "k="} << "1,2";
        QTest::newRow("rename to other's name") << ab << "rename b;ok"
                                                << "B|c|Search Engines checked in 'B' - 1.|1111" << ab << "1,4:A>b,2";
        QTest::newRow("rename letter case")
            << ab << "rename a;ok"
            << "a|a,b|Search Engines checked in 'a' - 2.|1111" << QStringList{"a=a,b", "B=c"} << "1,4:A>a,2";
        QTest::newRow("rename unchanged or cancelled") << ab << "rename A;rename !Q;ok"
                                                       << "A|a,b|" + infoA.arg(2) + "|1111" << ab << "1,2";
        QTest::newRow("show checked, then uncheck all of them")
            << QStringList{"A=a"} << "show;check a;ok"
            << "A||Search Engines checked in 'A' - 0.|1110" << QStringList{"A="} << "1,2";
        QTest::newRow("show checked stays on while some are")
            << ab << "show;check a;ok"
            << "A|b|Search Engines checked in 'A' - 1.|1112" << QStringList{"A=b", "B=c"} << "1,2";
        QTest::newRow("action link") << ab << "link a;ok"
                                     << "A|a,b|" + infoA.arg(2) + "|1111" << ab << "1,6:A:a,2";
    }
    void scripts()
    {
        QFETCH(QStringList, favorites);
        QFETCH(QString, script);
        TOrganizer frame(favorites);
        QTEST(frame.organize(script), "probe");
        QTEST(frame.lines(), "lines");
        QTEST(frame.actions.join(u','), "actions");
    }
    /// Whatever a name or an ID holds survives a save by the host and a
    /// load into a new frame; only a name's '=' and what follows are cut.
    void roundTrip()
    {
        const QStringList ids{"x y", "a,b", "q\"q", "k=v", "Ünï ✓", "plain"};
        const QString name = QStringLiteral("Näme, \"q\" ✓ 名");
        QStringList saved;
        {
            TOrganizer first({}, ids);
            QString script = "add " + name;
            for (const QString &id : ids.mid(0, 5))
                script += ";check " + id;
            first.organize(script + ";ok");
            saved = first.lines();
        }
        TOrganizer second(saved, ids);
        QStringList checked = ids.mid(0, 5);
        checked.sort();
        QCOMPARE(second.organize("add " + name + "=rest;ok"),
                 name + u'|' + checked.join(u',') + "|Search Engines checked in '" + name + "' - 5.|1111");
        QCOMPARE(second.lines(), saved);
    }

    /// The opener: options in, size back, the check menu after OK, the
    /// rows refreshed after any close.
    void opener()
    {
        TOrganizer frame({"A=a", "B=b"});
        frame.setOption(keys::OptionFavSelectedInfo, QStringLiteral("Things"));
        frame.setOption(keys::OptionFavShowHelp, true);
        frame.setOption(keys::OptionFavFormWidth, 900);
        QString seen;
        QCOMPARE(frame.organize("delete;ok",
                                [&](TfmOrganizeFavorites *dialog) {
                                    auto *inner = dialog->findChild<TSelectFrameControl *>();
                                    seen = QStringLiteral("%1x%2 help %3, %4 items, favorites %5")
                                               .arg(dialog->width())
                                               .arg(dialog->height())
                                               .arg(dialog->ShowHelp())
                                               .arg(inner->GetManager()->ItemCount())
                                               .arg(inner->Settings()->ShowFavorites());
                                }),
                 QStringLiteral("B|b|Things checked in 'B' - 1.|1111"));
        QCOMPARE(seen, QStringLiteral("900x500 help 1, 4 items, favorites 0"));
        QVariant height, width;
        frame.control.GetManager()->Params()->GetValue(keys::OptionFavFormHeight, &height);
        frame.control.GetManager()->Params()->GetValue(keys::OptionFavFormWidth, &width);
        QCOMPARE(QStringLiteral("%1x%2").arg(width.toInt()).arg(height.toInt()), QStringLiteral("900x500"));
        QStringList entries;
        for (const TCheckFavoriteMenuItem *entry : frame.control.findChildren<TCheckFavoriteMenuItem *>())
            entries << entry->text();
        QCOMPARE(entries, QStringList{"B"});
    }
};

QTEST_MAIN(TstOrganizeFavorites)
#include "tst_organizefavorites.moc"
