// SPDX-License-Identifier: MIT
// Favorites behind the side panel's button: the frame's own unnamed
// favorite in embedded mode, and organizing the favorites in their dialog.
// (The button's drop-down is the check menu's, shared with the group-by
// button.)
#include "frame/uSelectFrame.h"

#include "hub/FrameManager.h"
#include "intf/FrameConsts.h"
#include "intf/resStrings.h"
#include "platform/ActionLink.h"
#include "platform/Conversion.h"
#include "platform/SimpleDialog.h"

#include <selectframe/FrameKeys.h>

#include <QLayout>

namespace selectframe {

void TCustomSelectFrameControl::bindFavoritesEvents()
{
    using T = TCustomSelectFrameControl;
    bindAction(acCheckEmbeddedFavorites, &T::acCheckEmbeddedFavoritesExecute);
    bindAction(acSetEmbeddedFavorites, &T::acSetEmbeddedFavoritesExecute);
    bindAction(acClearEmbeddedFavorites, &T::acClearEmbeddedFavoritesExecute);
    bindAction(acOrganizeFavorites, &T::acOrganizeFavoritesExecute, &T::acOrganizeFavoritesUpdate);
    linkToAction(ppmCheckEmbeddedFavorites, acCheckEmbeddedFavorites);
    linkToAction(ppmSetEmbeddedFavorites, acSetEmbeddedFavorites);
    linkToAction(ppmClearEmbeddedFavorites, acClearEmbeddedFavorites);
    pmEmbeddedFavorites->OnPopup = [this](TPopupMenu *) { pmEmbeddedFavoritesPopup(); };
}

IPtr<ISelectFavorite> TCustomSelectFrameControl::EmbeddedFavorite() const
{
    IPtr<ISelectFavorite> favorite;
    FManager->Favorites()->Add(EmbeddedFavoritesName(), favorite.put());
    return favorite;
}

void TCustomSelectFrameControl::pmEmbeddedFavoritesPopup()
{
    const IPtr<ISelectFavorite> favorite = EmbeddedFavorite();
    acSetEmbeddedFavorites->setEnabled(FManager->Model()->CheckedCount() > 0);
    const bool stored = !favorite->GetItems()->isEmpty();
    acCheckEmbeddedFavorites->setEnabled(stored);
    acClearEmbeddedFavorites->setEnabled(stored);
}

void TCustomSelectFrameControl::acCheckEmbeddedFavoritesExecute(QObject *)
{
    // A copy: the pass reports to the host, whose handlers may edit it.
    const QStringList ids = *EmbeddedFavorite()->GetItems();
    FManager->CheckByList(ids);
}

void TCustomSelectFrameControl::acSetEmbeddedFavoritesExecute(QObject *)
{
    QStringList checked;
    FManager->State()->Save(&checked);
    *EmbeddedFavorite()->GetItems() = std::move(checked);
}

void TCustomSelectFrameControl::acClearEmbeddedFavoritesExecute(QObject *)
{
    EmbeddedFavorite()->GetItems()->clear();
}

void TCustomSelectFrameControl::acOrganizeFavoritesUpdate(QObject *)
{
    acOrganizeFavorites->setEnabled(bool(FavoritesDialogFactory));
}

void TCustomSelectFrameControl::acOrganizeFavoritesExecute(QObject *)
{
    using namespace keys;
    std::unique_ptr<IOrganizeFavoritesDialog> dialog = FavoritesDialogFactory();
    TdlgSimple3 *form = dialog->Form();
    // The dialog's minimum size applies.
    form->resize(VarToInt(Option(OptionFavFormWidth)), VarToInt(Option(OptionFavFormHeight)));
    const bool showHelp = VarToBool(Option(OptionFavShowHelp));
    form->SetShowHelp(showHelp);
    if (showHelp)
        form->HelpContext = VarToInt(Option(OptionFavHelpContext));
    QString subject = VarToStr(Option(OptionFavSelectedInfo));
    if (subject.isEmpty())
        subject = res::text(res::SSelectedInfoSubject);
    dialog->SetSelectedInfoFormat(subject + res::text(res::SSelectedInfoTail));

    // The inner frame: this frame's options over every default, no
    // favorites of its own, this frame's hooks, and the same item objects.
    auto *inner = new TSelectFrameControl(dialog->SelectFrameParent());
    dialog->SelectFrameParent()->layout()->addWidget(inner);
    dialog->SetSelectFrame(inner);
    WriteOptionDefaults(inner->FManager->Params());
    inner->CopyOptionsFrom(FManager.get());
    inner->FSettings->SetShowOnlyChecked(false);
    inner->FSettings->SetShowFavorites(false);
    inner->FOnItemCompare = FOnItemCompare;
    inner->FOnGroupCompare = FOnGroupCompare;
    inner->FOnActionClick = FOnActionClick;
    inner->OnFavAction = OnFavAction;
    inner->OnItemQuery = OnItemQuery;
    inner->ItemQueryPerRow = ItemQueryPerRow;
    {
        IPtr<IFrameItemEnumerator> items;
        FManager->ItemEnumerator(items.put());
        IPtr<IFrameItem> item;
        while (items->MoveNext()) {
            items->GetCurrent(item.put());
            inner->FManager->AddItem(item.get());
        }
    }
    inner->Initialize();

    // The dialog edits a copy of the favorites; OK takes it back. Copied
    // whole rather than through their lines, which would cut a name at its
    // '=' and cost a parse of every ID.
    inner->FManager->CopyFavoritesFrom(*FManager);
    if (form->exec() == QDialog::Accepted) {
        FManager->CopyFavoritesFrom(*inner->FManager);
        RebuildFavoriteItems();
    }
    FManager->Params()->SetValue(QByteArray(OptionFavFormHeight), QVariant(int32_t(form->height())));
    FManager->Params()->SetValue(QByteArray(OptionFavFormWidth), QVariant(int32_t(form->width())));
    // The inner frame's rows go first: the items' links fall back to ours.
    dialog.reset();
    ItemsCheckedByManager();
}

} // namespace selectframe
