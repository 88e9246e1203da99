// SPDX-License-Identifier: MIT
// The "Favorites Manager" dialog.
#pragma once

#include "frame/OrganizeFavoritesDialog.h"
#include "platform/SimpleDialog.h"
#include "platform/tree/TVirtualNode.h"
#include "ui_FavoritesForm.h"

#include <selectframe/Interfaces.h>

namespace selectframe {

class TActionHandlers;
class TCustomTree;
class TFavoritesVirtualTree;

/// The modal dialog in which the user adds, renames and deletes favorites
/// and fills each with the rows checked in an inner frame control: the
/// favorites list on the right, the inner frame on the left. Focusing a
/// favorite checks its items in the inner frame; leaving it (focusing
/// another, or closing) stores the inner frame's checked items into it.
/// Works on the inner frame's own favorites, which the opener fills and
/// takes back; reports what happens as favorite actions through the inner
/// frame's OnFavAction.
class TfmOrganizeFavorites : public TdlgSimple3, protected Ui::TfmOrganizeFavorites, public IOrganizeFavoritesDialog
{
    Q_OBJECT

public:
    explicit TfmOrganizeFavorites(QWidget *AOwner = nullptr);
    ~TfmOrganizeFavorites() override;

    // IOrganizeFavoritesDialog
    TdlgSimple3 *Form() override { return this; }
    QWidget *SelectFrameParent() override { return pnSelectFrame; }
    void SetSelectFrame(TSelectFrameControl *Frame) override { FSelectFrame = Frame; }
    void SetSelectedInfoFormat(const QString &Format) override { FSelectedInfoFormat = Format; }

    /// Stores the focused favorite's checks, reports the close, then closes.
    void done(int Result) override;

    /// What a typed name becomes: cut at its first '=' (a favorite's line
    /// ends its name there), blanks and control characters trimmed at both
    /// ends.
    static QString CleanName(const QString &Typed);

protected:
    void showEvent(QShowEvent *Event) override;

private:
    void dfsDSAFormShow();
    void dfsDSAFormCloseQuery();
    void dfsDSAFormClose(int Result);
    void cbShowOnlyCheckedChange();
    void FavoriteTreeNodeFocus(TCustomTree *Sender, TVirtualNode Node);
    void FavoriteTreeNodeLostFocus(TCustomTree *Sender, TVirtualNode Node);
    void acNewFavoriteExecute(QObject *Sender);
    void acRenameFavoriteExecute(QObject *Sender);
    void acDeleteFavoriteExecute(QObject *Sender);

    void UpdateActions();
    void UpdateSelectedInfo();
    void SelectFrameChange(QObject *Sender);
    void SelectFrameActionClick(QObject *Sender, IFrameItem *Item);
    void FavAction(int32_t Action, const QVariant &Value);
    /// Asks for a favorite's name; empty when cancelled or nothing is left.
    QString AskName(const char *Caption, const char *Prompt, const QString &Initial);
    /// The row adapter of the installed favorites list.
    TFavoritesVirtualTree *FavoriteRows() const;
    QString FavoriteName() const;

    QString FSelectedInfoFormat;
    TSelectFrameControl *FSelectFrame = nullptr;
    IPtr<ISelectFavorite> FFavorite;
    /// The inner frame's checks changed since FFavorite's were loaded.
    bool FChecksChanged = false;
    TActionHandlers *m_actions = nullptr;
};

/// The dialog as the frame control opens it.
std::unique_ptr<IOrganizeFavoritesDialog> NewOrganizeFavoritesDialog();

} // namespace selectframe
