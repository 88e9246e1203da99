// SPDX-License-Identifier: MIT
#include "frame/SplitPopupMenu.h"
#include "frame/uSelectFrame.h"
#include "hub/FrameManager.h"
#include "intf/FrameConsts.h"
#include "platform/ActionButton.h"
#include "platform/DropDownButton.h"
#include "platform/tree/TCustomHeader.h"
#include "platform/tree/TTree.h"

#include <selectframe/FrameKeys.h>

#include <QActionGroup>
#include <QLabel>
#include <QLineEdit>
#include <QTest>
#include <QTimer>

#include <memory>

using namespace selectframe;

namespace {

/// A control as the frame facade creates it: every option at its default.
std::unique_ptr<TSelectFrameControl> newControl()
{
    auto control = std::make_unique<TSelectFrameControl>();
    WriteOptionDefaults(control->GetManager()->Params());
    return control;
}

void setOption(TSelectFrameControl &control, const char *key, const QVariant &value)
{
    control.GetManager()->Params()->SetValue(QByteArray(key), value);
}

QVariant option(TFrameManager *manager, const QByteArray &key)
{
    QVariant value;
    manager->Params()->GetValue(key, &value);
    return value;
}

void addItems(TSelectFrameControl &control, const QStringList &ids)
{
    for (const QString &id : ids) {
        IPtr<IFrameItem> item;
        control.NewItem(item.put());
        item->SetID(id);
        item->SetCaption(id);
    }
}

template <class T = QWidget>
T *part(const QObject &control, const char *name)
{
    T *found = control.findChild<T *>(QString::fromLatin1(name));
    if (!found)
        qFatal("no component %s", name);
    return found;
}

/// Whether the widget is shown once its parents are.
bool shown(const QObject &control, const char *name)
{
    return !part(control, name)->isHidden();
}

} // namespace

class TestSelectFrameControl : public QObject
{
    Q_OBJECT

private slots:
    void formHasItsComponents_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("parent");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("kind");
        QTest::newRow("pnMain") << "pnMain"
                                << ""
                                << ""
                                << "QWidget";
        QTest::newRow("SelectTree") << "SelectTree"
                                    << "pnMain"
                                    << ""
                                    << "selectframe::TTree";
        QTest::newRow("pnButtons") << "pnButtons"
                                   << "pnMain"
                                   << ""
                                   << "QWidget";
        QTest::newRow("pnFilter") << "pnFilter"
                                  << "pnButtons"
                                  << ""
                                  << "QWidget";
        QTest::newRow("edFilter") << "edFilter"
                                  << "pnFilter"
                                  << "Find search engines"
                                  << "QLineEdit";
        QTest::newRow("btnFilter") << "btnFilter"
                                   << "pnFilter"
                                   << ""
                                   << "selectframe::TActionButton";
        QTest::newRow("pnGroupBy") << "pnGroupBy"
                                   << "pnButtons"
                                   << ""
                                   << "QWidget";
        QTest::newRow("btnGroupBy") << "btnGroupBy"
                                    << "pnGroupBy"
                                    << "Group by ..."
                                    << "selectframe::TDropDownButton";
        QTest::newRow("pnFavorites") << "pnFavorites"
                                     << "pnButtons"
                                     << ""
                                     << "QWidget";
        QTest::newRow("btnFavorites") << "btnFavorites"
                                      << "pnFavorites"
                                      << "Favorites"
                                      << "selectframe::TDropDownButton";
        QTest::newRow("pnlBottom") << "pnlBottom"
                                   << "pnMain"
                                   << ""
                                   << "QWidget";
        QTest::newRow("btnCheckAll") << "btnCheckAll"
                                     << "pnlBottom"
                                     << "Check All"
                                     << "selectframe::TActionButton";
        QTest::newRow("btnCheck") << "btnCheck"
                                  << "pnlBottom"
                                  << "Check"
                                  << "selectframe::TDropDownButton";
        QTest::newRow("btnUncheckAll") << "btnUncheckAll"
                                       << "pnlBottom"
                                       << "Uncheck all"
                                       << "selectframe::TActionButton";
        QTest::newRow("lbTotalCount") << "lbTotalCount"
                                      << "pnlBottom"
                                      << "Total: 0"
                                      << "QLabel";
        QTest::newRow("lbCheckedCount") << "lbCheckedCount"
                                        << "pnlBottom"
                                        << "Checked: 0"
                                        << "QLabel";
    }
    void formHasItsComponents()
    {
        QFETCH(QString, name);
        QFETCH(QString, parent);
        QFETCH(QString, text);
        QFETCH(QString, kind);
        TSelectFrameControl control;
        QWidget *widget = part(control, name.toLatin1().constData());
        QVERIFY(widget->inherits(kind.toLatin1().constData()));
        QCOMPARE(widget->parentWidget() == &control ? QString() : widget->parentWidget()->objectName(), parent);
        QString shownText;
        if (auto *button = qobject_cast<QAbstractButton *>(widget))
            shownText = button->text();
        else if (auto *label = qobject_cast<QLabel *>(widget))
            shownText = label->text();
        else if (auto *edit = qobject_cast<QLineEdit *>(widget))
            shownText = edit->text();
        QCOMPARE(shownText, text);
    }

    void treeKeepsItsDesignOptions()
    {
        TSelectFrameControl control;
        auto *tree = part<TTree>(control, "SelectTree");
        QCOMPARE(tree->uniformRowHeight(), 22);
        QVERIFY(tree->rightClickSelect());
        QCOMPARE(tree->focusDelay(), 510);
        QVERIFY(tree->alternatingRowColors());
        QCOMPARE(tree->frameShape(), QFrame::NoFrame);
    }

    void tabOrder()
    {
        TSelectFrameControl control;
        const QStringList order{"SelectTree",    "edFilter",    "btnGroupBy", "btnFavorites",
                                "btnUncheckAll", "btnCheckAll", "btnCheck"};
        QStringList chain;
        QWidget *start = part(control, "SelectTree");
        for (QWidget *w = start->nextInFocusChain(); w != start; w = w->nextInFocusChain())
            if (order.contains(w->objectName()))
                chain.append(w->objectName());
        QCOMPARE(QStringList{"SelectTree"} + chain, order);
    }

    void actionsOfTheActionList_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("category");
        QTest::addColumn<QString>("caption");
        QTest::addColumn<bool>("image");
        QTest::newRow("1") << "acOrganizeFavorites"
                           << "Favorites"
                           << "Organize Favorites..." << false;
        QTest::newRow("2") << "acCheckAll"
                           << "Check"
                           << "Check All" << true;
        QTest::newRow("3") << "acUncheckAll"
                           << "Check"
                           << "Uncheck All" << true;
        QTest::newRow("4") << "acCheckByFavorite"
                           << "Check"
                           << "acCheckByFavorite" << false;
        QTest::newRow("5") << "acCheckByData"
                           << "Check"
                           << "acCheckByData" << false;
        QTest::newRow("6") << "acCheckEmbeddedFavorites"
                           << "Favorites"
                           << "Check favorite SEs" << false;
        QTest::newRow("7") << "acSetEmbeddedFavorites"
                           << "Favorites"
                           << "Mark selected as favorite SEs" << false;
        QTest::newRow("8") << "acClearEmbeddedFavorites"
                           << "Favorites"
                           << "Clear the list of favorite SEs" << false;
        QTest::newRow("9") << "acGroupBy"
                           << "Group"
                           << "acGroupBy" << false;
        QTest::newRow("10") << "acFilterApply"
                            << "Filter"
                            << "" << false;
        QTest::newRow("11") << "acFilterClear"
                            << "Filter"
                            << "" << false;
    }
    void actionsOfTheActionList()
    {
        QFETCH(QString, name);
        QFETCH(QString, category);
        QFETCH(QString, caption);
        QFETCH(bool, image);
        TSelectFrameControl control;
        auto *list = part<QActionGroup>(control, "acList");
        auto *action = part<QAction>(control, name.toLatin1().constData());
        QCOMPARE(action->actionGroup(), list);
        QCOMPARE(action->property("category").toString(), category);
        QCOMPARE(action->text(), caption);
        QCOMPARE(!action->icon().isNull(), image);
        QVERIFY(!action->isCheckable());
    }

    void menusAndTimer()
    {
        TSelectFrameControl control;
        const QList<QAction *> entries = part<QMenu>(control, "pmEmbeddedFavorites")->actions();
        QCOMPARE(entries.size(), 4);
        const QStringList names{"ppmCheckEmbeddedFavorites", "N1", "ppmSetEmbeddedFavorites",
                                "ppmClearEmbeddedFavorites"};
        const QStringList texts{"Check favorite SEs", "-", "Mark selected as favorite SEs",
                                "Clear the list of favorite SEs"};
        for (int i = 0; i < 4; ++i) {
            QCOMPARE(entries[i]->objectName(), names[i]);
            QCOMPARE(entries[i]->text(), texts[i]);
            QCOMPARE(entries[i]->isSeparator(), i == 1);
        }
        // An entry follows its action.
        part<QAction>(control, "acSetEmbeddedFavorites")->setEnabled(false);
        QVERIFY(!entries[2]->isEnabled());
        QVERIFY(part<QMenu>(control, "pmGroupBy")->actions().isEmpty());
        auto *timer = part<QTimer>(control, "tmFilter");
        QVERIFY(!timer->isActive());
        QCOMPARE(timer->interval(), 1000);
    }

    // The check button takes the plain one's place and the rest of the
    // bottom bar moves up behind it.
    void constructionLaysOutTheBottomBar()
    {
        TSelectFrameControl control;
        QCOMPARE(control.size(), QSize(487, 287));
        QCOMPARE(part(control, "pnMain")->layout()->contentsMargins(), QMargins(11, 11, 11, 11));
        QCOMPARE(part(control, "pnButtons")->width(), 168);
        QCOMPARE(part(control, "pnButtons")->layout()->contentsMargins().left(), 11);
        QCOMPARE(part(control, "pnlBottom")->height(), 33);
        QCOMPARE(part(control, "btnCheck")->geometry(), QRect(0, 7, 93, 27));
        QCOMPARE(part(control, "btnUncheckAll")->x(), 100);
        QCOMPARE(part(control, "lbTotalCount")->x(), 203);
        QCOMPARE(part(control, "lbCheckedCount")->x(), 263);
        QVERIFY(!shown(control, "btnCheckAll"));
        QVERIFY(!shown(control, "pnButtons"));
        QVERIFY(!shown(control, "pnlBottom"));
        auto *menu = part<TSplitPopupMenu>(control, "FCheckMenu");
        QCOMPARE(part<TDropDownButton>(control, "btnCheck")->dropdownMenu(), menu);
        QCOMPARE(part<TDropDownButton>(control, "btnFavorites")->dropdownMenu(), menu);
        QCOMPARE(part<TActionButton>(control, "btnFilter")->action(), part<QAction>(control, "acFilterApply"));
        QVERIFY(!control.IsInitialized());
    }

    void sidePanelFollowsTheSettings()
    {
        TSelectFrameControl control;
        control.show();
        TFrameSettings *settings = control.Settings();
        settings->SetShowGroupBy(true);
        QVERIFY(shown(control, "pnButtons"));
        QVERIFY(shown(control, "pnGroupBy"));
        QVERIFY(!shown(control, "pnFilter"));
        QVERIFY(!shown(control, "pnFavorites"));
        part(control, "pnButtons")->layout()->activate();
        QCOMPARE(part(control, "pnGroupBy")->y(), 0);

        settings->SetShowFavorites(true);
        settings->SetShowFilter(true);
        part(control, "pnButtons")->layout()->activate();
        QCOMPARE(part(control, "pnFilter")->y(), 0);
        QCOMPARE(part(control, "pnGroupBy")->y(), 33);
        QCOMPARE(part(control, "pnFavorites")->y(), 65);

        settings->SetShowFavorites(false);
        settings->SetShowFilter(false);
        settings->SetShowGroupBy(false);
        QVERIFY(!shown(control, "pnButtons"));
    }

    void favoritesModeRebindsTheFavoritesButton()
    {
        TSelectFrameControl control;
        auto *button = part<TDropDownButton>(control, "btnFavorites");
        control.Settings()->SetFavoritesMode(ffmEmbedded);
        QCOMPARE(button->dropdownMenu(), part<QMenu>(control, "pmEmbeddedFavorites"));
        control.Settings()->SetFavoritesMode(TFrameFavoritesMode(5));
        QCOMPARE(button->dropdownMenu(), nullptr);
        control.Settings()->SetFavoritesMode(ffmExternal);
        QCOMPARE(button->dropdownMenu(), part<QMenu>(control, "FCheckMenu"));
    }

    void settingsAreCopiedNotReplaced()
    {
        TSelectFrameControl control;
        TFrameSettings *own = control.Settings();
        TFrameSettings other;
        other.SetSelectMode(fsmOnlyAll);
        other.SetShowFavorites(true);
        other.SetShowOnlyChecked(true);
        other.SetFavoritesMode(ffmEmbedded);
        other.SetShowFilter(true);
        control.SetSettings(&other);
        QCOMPARE(control.Settings(), own);
        QCOMPARE(own->SelectMode(), fsmOnlyAll);
        QVERIFY(own->ShowFavorites() && own->ShowOnlyChecked());
        QCOMPARE(own->FavoritesMode(), ffmEmbedded);
        QVERIFY(!own->ShowFilter());
        // Copying tells the control nothing.
        QVERIFY(!shown(control, "pnButtons"));
        QCOMPARE(part<TDropDownButton>(control, "btnFavorites")->dropdownMenu(), part<QMenu>(control, "FCheckMenu"));
        control.SetSettings(nullptr);
        QCOMPARE(control.Settings(), own);
        QCOMPARE(own->SelectMode(), fsmOnlyAll);
    }

    void enablingReachesBottomBarAndTreeOnly()
    {
        TSelectFrameControl control;
        part(control, "btnGroupBy")->setEnabled(false);
        control.setEnabled(false);
        for (const char *name : {"pnlBottom", "SelectTree"})
            QVERIFY2(part(control, name)->testAttribute(Qt::WA_ForceDisabled), name);
        for (const char *name : {"pnButtons", "edFilter", "btnFavorites"})
            QVERIFY2(!part(control, name)->testAttribute(Qt::WA_ForceDisabled), name);
        control.setEnabled(true);
        for (const char *name : {"pnlBottom", "SelectTree", "edFilter"})
            QVERIFY2(part(control, name)->isEnabled(), name);
        QVERIFY(!part(control, "btnGroupBy")->isEnabled());

        // A parent's switch is no call on the control's own.
        QWidget host;
        auto *placed = new TSelectFrameControl(&host);
        host.setEnabled(false);
        QVERIFY(!part(*placed, "pnlBottom")->testAttribute(Qt::WA_ForceDisabled));
        QVERIFY(!part(*placed, "pnlBottom")->isEnabled());
        host.setEnabled(true);
        QVERIFY(part(*placed, "pnlBottom")->isEnabled());
    }

    void newItemsStartWithoutGroupImageAndHint()
    {
        auto control = newControl();
        IPtr<IFrameItem> item;
        control->NewItem(item.put());
        QVERIFY(item);
        IPtr<IStringValueList> values;
        item->GetValues(values.put());
        QString value = QStringLiteral("x");
        values->GetValue(QStringLiteral("image"), &value);
        QCOMPARE(value, QStringLiteral("-1"));
        values->GetValue(QStringLiteral("group"), &value);
        QCOMPARE(value, QString());
        QCOMPARE(control->GetManager()->ItemCount(), 1);
    }

    void changedPublishesTheCheckedCount()
    {
        auto control = newControl();
        addItems(*control, {"a", "b", "c"});
        control->GetManager()->Rebuild();
        control->GetManager()->CheckByList({"a", "c"});
        QList<QObject *> senders;
        control->SetOnChange([&](QObject *sender) { senders.append(sender); });
        control->Changed();
        QCOMPARE(option(control->GetManager(), keys::PropertyCheckedCount).toInt(), 2);
        QCOMPARE(part<QLabel>(*control, "lbCheckedCount")->text(), QStringLiteral("Checked: 2"));
        QCOMPARE(senders, QList<QObject *>{control.get()});
    }

    void copyOptionsFromAnotherFrame()
    {
        auto source = newControl();
        setOption(*source, keys::OptionShowFavorites, true);
        setOption(*source, keys::OptionRowLimit, 7);
        setOption(*source, keys::OptionFilterShow, true);
        setOption(*source, keys::OptionGroupsExpandFirst, true);
        setOption(*source, keys::OptionColumnNames, QByteArray("A,B,\"C C\""));
        for (const char *caption : {"A", "B", "C C"}) {
            const QByteArray name(caption);
            setOption(*source, "option://favorite." + name, "fav " + name);
            setOption(*source, "option://fav.other_name." + name, "other " + name);
        }
        addItems(*source, {"x"});
        source->GetManager()->Rebuild();

        auto target = newControl();
        target->CopyOptionsFrom(source->GetManager());
        TFrameManager *copy = target->GetManager();
        QCOMPARE(option(copy, keys::OptionShowFavorites), QVariant(false));
        QCOMPARE(option(copy, keys::OptionRowLimit), QVariant(7));
        QCOMPARE(option(copy, keys::OptionColumnNames), QVariant(QByteArray("A,B,\"C C\"")));
        QCOMPARE(option(copy, keys::OptionFilterShow), QVariant(false));
        QCOMPARE(option(copy, keys::OptionGroupsExpandFirst), QVariant(false));
        QVERIFY(!copy->Params()->Exists("option://favorite.A"));
        QVERIFY(!copy->Params()->Exists("option://fav.other_name.A"));
        QCOMPARE(option(copy, "option://favorite.B"), QVariant(QByteArray("fav B")));
        QCOMPARE(option(copy, "option://fav.other_name.C C"), QVariant(QByteArray("other C C")));
    }

    void applyOptionsOnlySwitchesRowSelectOn()
    {
        auto control = newControl();
        auto *tree = part<TTree>(*control, "SelectTree");
        tree->setRowSelect(false);
        setOption(*control, keys::OptionRowSelect, false);
        control->ApplyOptions();
        QVERIFY(!tree->rowSelect());
        setOption(*control, keys::OptionRowSelect, true);
        control->ApplyOptions();
        QVERIFY(tree->rowSelect());
        setOption(*control, keys::OptionRowSelect, false);
        control->ApplyOptions();
        QVERIFY(tree->rowSelect());
    }

    void applyOptionsSetsTreeAndSettings()
    {
        auto control = newControl();
        setOption(*control, keys::OptionHeaderHeight, 25);
        setOption(*control, keys::OptionRowHeight, QByteArray("30"));
        setOption(*control, keys::OptionFilterShow, true);
        setOption(*control, keys::OptionFilterText, QByteArray("type here"));
        setOption(*control, keys::OptionGroupByColumns, QByteArray("g=Group"));
        setOption(*control, keys::OptionGroupByIndex, 4);
        setOption(*control, keys::OptionSelectMode, 2);
        setOption(*control, keys::OptionFavoritesMode, 1);
        control->ApplyOptions();
        auto *tree = part<TTree>(*control, "SelectTree");
        QCOMPARE(tree->headerHeight(), 25);
        QCOMPARE(tree->uniformRowHeight(), 30);
        TFrameSettings *settings = control->Settings();
        QVERIFY(settings->ShowFilter() && settings->ShowGroupBy() && !settings->ShowFavorites());
        QCOMPARE(settings->FilterHint(), QStringLiteral("type here"));
        QCOMPARE(settings->GroupByIndex(), 4);
        QCOMPARE(settings->SelectMode(), fsmOnlyAll);
        QCOMPARE(settings->FavoritesMode(), ffmEmbedded);
        QVERIFY(shown(*control, "pnButtons"));
        QVERIFY(shown(*control, "pnFilter") && shown(*control, "pnGroupBy"));
        QVERIFY(!shown(*control, "pnFavorites"));
        QCOMPARE(part<TDropDownButton>(*control, "btnFavorites")->dropdownMenu(),
                 part<QMenu>(*control, "pmEmbeddedFavorites"));
    }

    // Values no screen can show are brought into range: before, a row or
    // header height of INT_MAX made the first paint hang while memory grew
    // past gigabytes, and a row limit of INT_MAX overflowed in the check
    // menu's layout.
    void sizeOptionsAreClampedToAScreen_data()
    {
        QTest::addColumn<QByteArray>("key");
        QTest::addColumn<QVariant>("value");
        QTest::addColumn<int>("header");
        QTest::addColumn<int>("row");
        QTest::addColumn<int>("width");
        const QVariant huge(int32_t(2147483647));
        QTest::newRow("header max") << QByteArray(keys::OptionHeaderHeight) << huge << 240 << 22 << 100;
        QTest::newRow("row max") << QByteArray(keys::OptionRowHeight) << huge << 18 << 240 << 100;
        QTest::newRow("row negative") << QByteArray(keys::OptionRowHeight) << QVariant(-7) << 18 << 22 << 100;
        QTest::newRow("width max") << QByteArray(keys::OptionColumnsWidth) << QVariant("2147483647") << 18 << 22
                                   << 8192;
        QTest::newRow("row limit max") << QByteArray(keys::OptionRowLimit) << huge << 18 << 22 << 100;
        QTest::newRow("column limit max") << QByteArray(keys::OptionColumnLimit) << huge << 18 << 22 << 100;
    }

    void sizeOptionsAreClampedToAScreen()
    {
        QFETCH(QByteArray, key);
        QFETCH(QVariant, value);
        auto control = newControl();
        setOption(*control, keys::OptionColumnsWidth, QByteArray("100"));
        setOption(*control, keys::OptionColumnNames, QByteArray("Name,Country"));
        setOption(*control, keys::OptionFavoriteColumns, QByteArray("Country"));
        setOption(*control, "option://fav.other_name.Country", QByteArray("Other"));
        setOption(*control, key.constData(), value);
        for (int i = 0; i < 50; ++i) {
            IPtr<IFrameItem> item;
            control->NewItem(item.put());
            item->SetID(QString::number(i));
            IPtr<IStringValueList> values;
            item->GetValues(values.put());
            values->SetValue(QStringLiteral("column1_data"), QStringLiteral("c%1").arg(i));
        }
        control->Initialize();
        control->resize(400, 300);
        QVERIFY(!control->grab().isNull());
        auto *tree = part<TTree>(*control, "SelectTree");
        QFETCH(int, header);
        QFETCH(int, row);
        QFETCH(int, width);
        QCOMPARE(tree->headerHeight(), header);
        QCOMPARE(tree->uniformRowHeight(), row);
        QCOMPARE(tree->Header()->getWidth(tree->Header()->ItemByOrder(0)), width);
    }

    void initializeWithDefaults()
    {
        auto control = newControl();
        addItems(*control, {"a", "b", "c"});
        control->Initialize();
        QVERIFY(control->IsInitialized());
        QCOMPARE(part<QLabel>(*control, "lbTotalCount")->text(), QStringLiteral("Total: 3"));
        QCOMPARE(part<QLabel>(*control, "lbCheckedCount")->text(), QStringLiteral("Checked: 0"));
        QCOMPARE(option(control->GetManager(), keys::PropertyTotalCount).toInt(), 3);
        QCOMPARE(part<QLineEdit>(*control, "edFilter")->text(), QString());
        QVERIFY(shown(*control, "pnlBottom"));
        QVERIFY(!shown(*control, "btnCheckAll"));
        QVERIFY(!shown(*control, "pnButtons"));
        QCOMPARE(part(*control, "btnCheck")->x(), 0);
        QCOMPARE(part(*control, "btnUncheckAll")->x(), 100);
        QCOMPARE(part(*control, "lbTotalCount")->x(), 203);
        QCOMPARE(part(*control, "lbCheckedCount")->x(), 263);
        QVERIFY(part<TTree>(*control, "SelectTree")->Header()->getSortTypes().isEmpty());
        QVERIFY(control->GetManager()->GroupsCheckable);
        QVERIFY(!control->GetManager()->RadioItems);
    }

    void singleChoiceKeepsTheBottomBarHidden()
    {
        auto control = newControl();
        setOption(*control, keys::OptionSelectMode, 3);
        addItems(*control, {"a"});
        control->Initialize();
        QVERIFY(!shown(*control, "pnlBottom"));
        QVERIFY(!control->GetManager()->GroupsCheckable);
        QVERIFY(control->GetManager()->RadioItems);
    }

    void initialSortUsesTheLowByte_data()
    {
        QTest::addColumn<int>("initSort");
        QTest::addColumn<QList<TSortType>>("sortTypes");
        QTest::newRow("258") << 258 << QList<TSortType>{2};
        QTest::newRow("256") << 256 << QList<TSortType>{};
        QTest::newRow("1") << 1 << QList<TSortType>{1};
    }
    void initialSortUsesTheLowByte()
    {
        QFETCH(int, initSort);
        QFETCH(QList<TSortType>, sortTypes);
        auto control = newControl();
        setOption(*control, keys::OptionInitSort, initSort);
        addItems(*control, {"b", "a"});
        control->Initialize();
        TCustomHeader *header = part<TTree>(*control, "SelectTree")->Header();
        QCOMPARE(header->getSortTypes(), sortTypes);
        if (!sortTypes.isEmpty())
            QCOMPARE(header->getSortIndexs(), QList<int>{0});
    }

    void initializeExpandsTheFirstTopLevelRowWhenAsked_data()
    {
        QTest::addColumn<bool>("expandFirst");
        QTest::newRow("asked") << true;
        QTest::newRow("not asked") << false;
    }
    void initializeExpandsTheFirstTopLevelRowWhenAsked()
    {
        QFETCH(bool, expandFirst);
        auto control = newControl();
        setOption(*control, keys::OptionGroupsExpandFirst, expandFirst);
        for (const char *group : {"G1", "G2"}) {
            IPtr<IFrameItem> item;
            control->NewItem(item.put());
            item->SetID(QString::fromLatin1(group) + "-item");
            IPtr<IStringValueList> values;
            item->GetValues(values.put());
            values->SetValue(QStringLiteral("group"), QString::fromLatin1(group));
        }
        control->Initialize();
        auto *tree = part<TTree>(*control, "SelectTree");
        const IVmManager *vm = tree->getVM();
        const TVirtualNode first = vm->getFirstChild(vm->getRoot());
        const TVirtualNode second = vm->getNextSibling(first);
        QCOMPARE(bool(tree->GetNodeState(first) & nsExpanded), expandFirst);
        QVERIFY(!(tree->GetNodeState(second) & nsExpanded));
    }

    void initializeFailsWithoutColumns()
    {
        auto control = newControl();
        setOption(*control, keys::OptionColumnNames, QByteArray(""));
        QVERIFY_THROWS_EXCEPTION(std::exception, control->Initialize());
        QVERIFY(!control->IsInitialized());
    }
};

QTEST_MAIN(TestSelectFrameControl)
#include "tst_selectframecontrol.moc"
