// SPDX-License-Identifier: MIT
// The control's check menu: the Check drop-down, the "Check by" submenus
// with their grid of other values, and the favorite entries; and the
// drop-down that the side panel's group-by and favorites buttons share.
#include "frame/uSelectFrame.h"

#include "frame/CheckMenuItems.h"
#include "frame/SplitPopupMenu.h"
#include "hub/FrameManager.h"
#include "intf/FrameConsts.h"
#include "intf/resStrings.h"
#include "platform/ActionLink.h"
#include "platform/CommaText.h"
#include "platform/Conversion.h"
#include "platform/FoldedText.h"
#include "platform/GridMenu.h"

#include <selectframe/FrameKeys.h>

#include <algorithm>
#include <numeric>

#include <QSet>

namespace selectframe {

void TCustomSelectFrameControl::btnCheckDropdownPushed(TDropDownButton *Sender, bool &DoDefault)
{
    DoDefault = false;
    const QPoint position = Sender->mapToGlobal(QPoint(0, Sender->height()));
    FCheckMenu->UpdateItems(mgCheck);
    // The pop-up event would show every group again.
    FCheckMenu->PopupQuietly(position.x(), position.y());
}

void TCustomSelectFrameControl::btnFavoritesDropdownPushed(TDropDownButton *Sender, bool &DoDefault)
{
    DoDefault = false;
    auto *menu = qobject_cast<TPopupMenu *>(Sender->dropdownMenu());
    if (!menu)
        return;
    // The favorites button shows the check menu's favorites alone, or the
    // embedded favorites' entries enabled as they stand now (their menu's
    // pop-up event stays off).
    if (menu == FCheckMenu || menu == pmEmbeddedFavorites) {
        if (FSettings->FavoritesMode() == ffmEmbedded)
            pmEmbeddedFavoritesPopup();
        else
            FCheckMenu->UpdateItems(mgFavorites);
    }
    const QPoint position = Sender->mapToGlobal(QPoint(0, Sender->height()));
    menu->PopupQuietly(position.x(), position.y());
}

void TCustomSelectFrameControl::acCheckByFavoriteExecute(QObject *Sender)
{
    const auto *entry = qobject_cast<const TCheckFavoriteMenuItem *>(Sender);
    if (!entry)
        return;
    if (OnFavAction) {
        QString name;
        entry->FFavorite->GetName(&name);
        OnFavAction(this, faCheckByFavorite, QVariant(name));
    }
    // A copy: the host's handlers may edit the favorite during the pass.
    const QStringList ids = *entry->FFavorite->GetItems();
    FManager->CheckByList(ids);
}

void TCustomSelectFrameControl::acCheckByDataExecute(QObject *Sender)
{
    if (const auto *entry = qobject_cast<const TCheckDataMenuItem *>(Sender))
        FManager->CheckByValue(entry->FColumnIndex, entry->FValue);
}

void TCustomSelectFrameControl::BuildCheckMenu()
{
    switch (FSettings->SelectMode()) {
    case fsmOff:
        break;
    case fsmOn: {
        auto *checkAll = new QAction(FCheckMenu);
        checkAll->setObjectName(QStringLiteral("miCheckAll"));
        linkToAction(checkAll, acCheckAll);
        checkAll->setData(mgCheck);
        FCheckMenu->addAction(checkAll);
        break;
    }
    case fsmOnlyAll:
        btnCheckAll->show();
        btnCheck->hide();
        return;
    case fsmOnlyOne:
        btnCheckAll->setEnabled(false);
        btnCheck->hide();
        btnFavorites->hide();
        break;
    default:
        return;
    }
    const auto onClick = [this](QObject *Sender) { acCheckByDataExecute(Sender); };
    for (const QString &name : splitCommaText(VarToStr(Option(keys::OptionFavoriteColumns)))) {
        const TFrameColumnObject *column = FManager->Model()->ColumnByName(name);
        if (!column)
            continue;
        // Checking by a value ignores letter case, so values that differ only
        // in case would be entries doing the same thing: the first spelling
        // stands for them all.
        QStringList values = FManager->ValueIndex(column->Index).values();
        auto *submenu = new QMenu(tr("Check by %1").arg(name), FCheckMenu);
        submenu->menuAction()->setData(mgCheck);
        FCheckMenu->addMenu(submenu);
        const QByteArray favoritesKey = ColumnOptionKey(keys::OptionFavoriteOfColumn, column->Caption);
        QSet<TFoldedKey> favorites;
        for (const QString &value : splitCommaText(VarToStr(Option(favoritesKey.constData())))) {
            if (value == u"-")
                submenu->addAction(new TSeparatorMenuItem(submenu));
            else
                submenu->addAction(new TCheckDataMenuItem(column->Index, value, onClick, submenu));
            favorites.insert(TFoldedKey{value});
        }
        values.removeIf([&favorites](const QString &value) { return favorites.contains(TFoldedKey{value}); });
        AddOtherValues(column, submenu, values);
    }
}

void TCustomSelectFrameControl::AddOtherValues(const TFrameColumnObject *Column, QMenu *Menu, const QStringList &Values)
{
    const QByteArray titleKey = ColumnOptionKey(keys::OptionFavOtherNameOfColumn, Column->Caption);
    const QString title = VarToStr(Option(titleKey.constData()));
    if (title.isEmpty())
        return;
    Menu->addAction(new TSeparatorMenuItem(Menu));
    auto *target = new TGridMenu(Menu);
    target->setTitle(title);
    Menu->addMenu(target);
    const int rowLimit = SizeOption(keys::OptionRowLimit);
    const int columnLimit = SizeOption(keys::OptionColumnLimit);
    QString more = VarToStr(Option(keys::OptionMoreCaption));
    if (more == QLatin1String(res::SMoreCaption))
        more = res::text(res::SMoreCaption);

    // Sorted in the user's locale, letter case not counting, as the values
    // were collected: the row collator over folded texts.
    QStringList folded;
    folded.reserve(Values.size());
    for (const QString &value : Values)
        folded.append(value.toCaseFolded());
    std::vector<int> order(size_t(Values.size()));
    std::iota(order.begin(), order.end(), 0);
    std::stable_sort(order.begin(), order.end(),
                     [&](int a, int b) { return FCollator.compare(folded[a], folded[b]) < 0; });

    // Each level shows rowLimit rows in up to columnLimit columns; the last
    // cell of a full level opens the next one.
    const auto onClick = [this](QObject *Sender) { acCheckByDataExecute(Sender); };
    int rows = 0;
    int columns = 1;
    for (const int index : order) {
        bool columnBreak = false;
        ++rows;
        if (rowLimit >= 1) {
            if (rows == rowLimit) {
                if (columnLimit >= 1 && columns == columnLimit) {
                    auto *next = new TGridMenu(target);
                    next->setTitle(more);
                    target->addMenu(next);
                    target = next;
                    columns = 1;
                    rows = 1;
                }
            } else if (rows == rowLimit + 1) {
                columnBreak = true;
                ++columns;
                rows = 1;
            }
        }
        auto *entry = new TCheckDataMenuItem(Column->Index, Values[index], onClick, target);
        if (columnBreak)
            TGridMenu::setColumnBreak(entry, true);
        target->addAction(entry);
    }
}

void TCustomSelectFrameControl::AddFavoritesTail()
{
    if (!FSettings->ShowFavorites())
        return;
    auto *checkSeparator = new TSeparatorMenuItem(FCheckMenu);
    checkSeparator->setData(mgCheck);
    FCheckMenu->addAction(checkSeparator);
    auto *favoritesSeparator = new TSeparatorMenuItem(FCheckMenu);
    favoritesSeparator->setData(mgFavorites);
    FCheckMenu->addAction(favoritesSeparator);
    auto *organize = new QAction(FCheckMenu);
    organize->setObjectName(QStringLiteral("miOrganizeFavorites"));
    linkToAction(organize, acOrganizeFavorites);
    organize->setData(mgFavorites);
    FCheckMenu->addAction(organize);
}

void TCustomSelectFrameControl::RebuildFavoriteItems()
{
    const QList<QAction *> entries = FCheckMenu->actions();
    for (auto entry = entries.crbegin(); entry != entries.crend(); ++entry)
        if (auto *favorite = qobject_cast<TCheckFavoriteMenuItem *>(*entry)) {
            FCheckMenu->removeAction(favorite);
            delete favorite;
        }
    // The side panel is left to its layout, which shows it for the filter
    // or the group-by button alone; hiding it here would hide those too.
    if (!FSettings->ShowFavorites())
        return;
    QAction *before = nullptr;
    for (QAction *entry : FCheckMenu->actions())
        if (entry->data().toInt() != mgCheck) {
            before = entry;
            break;
        }
    const auto onClick = [this](QObject *Sender) { acCheckByFavoriteExecute(Sender); };
    IPtr<IFavoritesEnumerator> favorites;
    FManager->Favorites()->GetEnumerator(favorites.put());
    QString name;
    while (favorites->MoveNext()) {
        IPtr<ISelectFavorite> favorite;
        favorites->GetCurrent(favorite.put());
        favorite->GetName(&name);
        if (name != EmbeddedFavoritesName())
            FCheckMenu->insertAction(before, new TCheckFavoriteMenuItem(favorite.get(), onClick, FCheckMenu));
    }
}

} // namespace selectframe
