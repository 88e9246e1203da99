// SPDX-License-Identifier: MIT
// The select frame control: the visible half of a frame.
#pragma once

#include "frame/FrameSettings.h"
#include "frame/OrganizeFavoritesDialog.h"
#include "platform/TextCollator.h"
#include "platform/tree/THitInfo.h"
#include "platform/tree/TNodeOrder.h"
#include "platform/tree/TSortType.h"
#include "ui_SelectFrameControl.h"

#include <selectframe/Interfaces.h>

#include <QStringList>
#include <QWidget>

#include <functional>
#include <memory>
#include <vector>

class QMenu;
class QTimer;

namespace selectframe {

class TActionHandlers;
class TCustomTree;
class TDropDownButton;
class TFrameColumnObject;
class TFrameManager;
class TNodeStore;
class TPopupMenu;
class TSlice;
class TSplitPopupMenu;
class TSelectVirtualTree;
struct TSelectFrameNode;

/// A plain notification.
using TNotifyEvent = std::function<void(QObject *Sender)>;
/// May replace the comparison of two item rows; `Result` comes in with the
/// frame's own answer.
using TTreeItemCompareEvent = std::function<void(QObject *Sender, IFrameItem *Item1, IFrameItem *Item2, int32_t Column,
                                                 int32_t SortType, int32_t &Result)>;
/// May replace the comparison of two group rows.
using TTreeGroupCompareEvent = std::function<void(QObject *Sender, const QString &Caption1, const QString &Caption2,
                                                  int32_t Column, int32_t SortType, int32_t &Result)>;
/// The user chose another grouping; the handler gives each item its group.
using TTreeChangeGroupByEvent =
    std::function<void(QObject *Sender, const QString &GroupID, IFrameItemEnumerator *Enum)>;
/// The action link of a checked item row was clicked.
using TTreeActionClickEvent = std::function<void(QObject *Sender, IFrameItem *Item)>;
/// A favorite action (codes of TFavAction) with its value.
using TFavActionEvent = std::function<void(QObject *Sender, int32_t Action, const QVariant &Value)>;
/// Asked per item row after a bulk check pass, with the current favorite.
using TItemQueryEvent = std::function<void(QObject *Sender, IFrameItem *Item, const QString &Favorite)>;

/// The frame control: the host's items as a checkable, sortable, groupable
/// tree (SelectTree), a bottom bar with the check buttons and the counts,
/// and a side panel with the filter box, the group-by button and the
/// favorites button. Built from its form, then configured by Initialize
/// from the options in its frame manager. Owns its settings, its frame
/// manager and its check menu. Everything runs on the GUI thread.
class TCustomSelectFrameControl : public QWidget, protected Ui::TCustomSelectFrameControl
{
    Q_OBJECT

public:
    /// Builds the control from its form; `AOwner` may be null.
    explicit TCustomSelectFrameControl(QWidget *AOwner = nullptr);
    /// Saves the tree layout first, then frees what the control owns.
    ~TCustomSelectFrameControl() override;

    /// Builds the visible frame from the options and the items: applies the
    /// options, rebuilds the model, installs the tree's item manager, sorts,
    /// and shows the bottom bar. Exceptions propagate, leaving it part-way.
    void Initialize();
    /// Reads the options into the tree and the settings; Initialize's first
    /// step.
    void ApplyOptions();
    /// Copies the options a second control shares with `Source`'s frame
    /// (with "option://show.favorites" written false) and the per-column
    /// favorite keys of its columns after the first.
    void CopyOptionsFrom(TFrameManager *Source);
    /// A new item with empty group and hint and no image, appended to the
    /// item list; the tree shows it after the next rebuild.
    void NewItem(IFrameItem **Item);
    /// Publishes the checked count, shows it, and raises OnChange.
    void Changed();

    TFrameManager *GetManager() const { return FManager.get(); }
    /// Whether the tree has its item manager: the mark of a control that
    /// Initialize has brought that far.
    bool IsInitialized() const;

    /// Raised with a favorite action; not published.
    TFavActionEvent OnFavAction;
    /// Raised per item row after the frame manager changed checks in bulk;
    /// not published.
    TItemQueryEvent OnItemQuery;
    /// Makes the favorites dialog "Organize Favorites..." opens; installed
    /// by whoever created the control (the dialog lives above it). Without
    /// one the entry is disabled.
    TFavoritesDialogFactory FavoritesDialogFactory;
    /// Whether OnItemQuery wants to be called for each item row. The facade
    /// clears it while the host has no handler: a bulk pass then restyles
    /// the links of all rows at once, with no call per row.
    bool ItemQueryPerRow = true;

protected:
    TFrameSettings *Settings() const { return FSettings.get(); }
    /// Copies `Value` into the control's own settings (see
    /// TFrameSettings::Assign); null does nothing.
    void SetSettings(TFrameSettings *Value);
    /// Replaces the favorite entries of the check menu with one per current
    /// favorite; run by Initialize and after the favorites were organized.
    void RebuildFavoriteItems();
    /// Unchecks every row that is shown, as "Uncheck All" does.
    void UncheckAll() { acUncheckAllExecute(nullptr); }

    const TNotifyEvent &OnChange() const { return FOnChange; }
    void SetOnChange(TNotifyEvent Value) { FOnChange = std::move(Value); }
    const TTreeItemCompareEvent &OnItemCompare() const { return FOnItemCompare; }
    void SetOnItemCompare(TTreeItemCompareEvent Value) { FOnItemCompare = std::move(Value); }
    const TTreeGroupCompareEvent &OnGroupCompare() const { return FOnGroupCompare; }
    void SetOnGroupCompare(TTreeGroupCompareEvent Value) { FOnGroupCompare = std::move(Value); }
    const TTreeChangeGroupByEvent &OnChangeGroupBy() const { return FOnChangeGroupBy; }
    void SetOnChangeGroupBy(TTreeChangeGroupByEvent Value) { FOnChangeGroupBy = std::move(Value); }
    const TTreeActionClickEvent &OnActionClick() const { return FOnActionClick; }
    void SetOnActionClick(TTreeActionClickEvent Value) { FOnActionClick = std::move(Value); }

    /// The settings' change events.
    bool event(QEvent *Event) override;
    /// The filter box's focus moves and keys.
    bool eventFilter(QObject *Watched, QEvent *Event) override;
    /// Enabling or disabling the control explicitly does the same to the
    /// bottom bar and the tree, in this order; the side panel keeps its own
    /// state.
    void changeEvent(QEvent *Event) override;

private:
    using TActionMethod = void (TCustomSelectFrameControl::*)(QObject *Sender);

    void bindFormEvents();
    void bindAction(QAction *Action, TActionMethod Execute, TActionMethod Update = nullptr);
    QVariant Option(const char *Key) const;
    /// A size or count option, brought into what a screen can show.
    int SizeOption(const char *Key) const;
    /// An option key naming a column by its caption.
    static QByteArray ColumnOptionKey(const char *Pattern, const QString &Caption);
    /// Shows `Text` in a count label, which sizes itself to its text.
    static void SetCountCaption(QLabel *Label, const QString &Text);

    // Reactions to the settings.
    void LayoutSidePanel();
    void SetFavoritesButtonMenu();

    /// Shows the item count as "Total: %d", with the checked count after it.
    void ShowTotalCount();
    /// Installs a new item manager over the model as it is now: the tree's
    /// rows are built anew from it. With `KeepFilterTexts`, rows of items
    /// the old rows showed take over the texts the filter matches in them,
    /// which holds while the columns are the same.
    void InstallItemManager(bool KeepFilterTexts);
    /// What new rows get: the remembered sort, else the initial sort, and
    /// the first group expanded when the options ask for it.
    void ArrangeRows();

    /// The tree's item adapter and the record of one of its rows.
    TSelectVirtualTree *Rows() const;
    TSelectFrameNode *RecordOf(TVirtualNode Node) const;

    // Checking (SelectFrameChecking.cpp).
    void SelectTreeNodeActiveExecute(TCustomTree *Sender, TVirtualNode Node, TSlice *Slice);
    void acCheckAllExecute(QObject *Sender);
    void acUncheckAllExecute(QObject *Sender);
    void SetRowState(TVirtualNode Node, TFrameCheckState S);
    bool ChildrenDiffer(TVirtualNode Node, TFrameCheckState S) const;
    void SetSubtreeState(TVirtualNode Node, TFrameCheckState S);
    void UpdateAncestorStates(TVirtualNode Node, TFrameCheckState S);
    /// Checks `Node` and unchecks every other row, hidden ones included.
    void CheckOnly(TVirtualNode Node);
    /// Sets every row that is not hidden to `S`, then reports the change.
    void SetAllStates(TFrameCheckState S);
    /// Calls `Callback` for every row, depth first, parents first.
    void ForEachNode(const std::function<void(TVirtualNode)> &Callback) const;
    /// Refreshes and queries every row after a bulk pass of the manager.
    void ItemsCheckedByManager();

    // The check menu (SelectFrameCheckMenu.cpp).
    void btnCheckDropdownPushed(TDropDownButton *Sender, bool &DoDefault);
    void acCheckByFavoriteExecute(QObject *Sender);
    void acCheckByDataExecute(QObject *Sender);
    void BuildCheckMenu();
    /// The column's other values under a grid submenu of `Menu`.
    void AddOtherValues(const TFrameColumnObject *Column, QMenu *Menu, const QStringList &Values);
    void AddFavoritesTail();
    /// The drop-down of the side panel's buttons, btnGroupBy and
    /// btnFavorites: the button's menu at its bottom-left corner, with the
    /// menu's own pop-up event off; the check menu shows its favorites, the
    /// embedded favorites' menu is made up to date first.
    void btnFavoritesDropdownPushed(TDropDownButton *Sender, bool &DoDefault);

    // Favorites behind the side panel's button (SelectFrameFavorites.cpp).
    void bindFavoritesEvents();
    void pmEmbeddedFavoritesPopup();
    /// The frame's own unnamed favorite, made empty on first use.
    IPtr<ISelectFavorite> EmbeddedFavorite() const;
    void acCheckEmbeddedFavoritesExecute(QObject *Sender);
    void acSetEmbeddedFavoritesExecute(QObject *Sender);
    void acClearEmbeddedFavoritesExecute(QObject *Sender);
    void acOrganizeFavoritesUpdate(QObject *Sender);
    void acOrganizeFavoritesExecute(QObject *Sender);

    // Sorting and the action link (SelectFrameSorting.cpp).
    int SelectTreeNodeCompare(TCustomTree *Sender, TVirtualNode Node1, TVirtualNode Node2, int Column,
                              TSortType SortType);
    /// The order of rows by keys read once per row; none while a host
    /// compare handler is bound, so that every pair is asked for.
    std::unique_ptr<TNodeOrder> SelectTreeNodeOrder(TCustomTree *Sender, const std::vector<TSortKey> &Keys);
    void SelectTreeNodeClick(TCustomTree *Sender, const THitInfo &HitInfo);
    /// Restyles the action link of an item row (see SelectTreeNodeClick):
    /// by its check state and its "c_action_link_err" value.
    void UpdateActionLinkStyle(TSelectFrameNode *R);
    /// The same for the row of `Node`; a row not drawn yet gets its style
    /// when it is.
    void UpdateNodeLinkStyle(TVirtualNode Node);

    // The remembered layout (TreeLayout.cpp).
    bool LoadTreeSort();
    void SaveTreeLayout();

    // The filter box and the checked-only view (SelectFrameFilter.cpp).
    void bindFilterEvents();
    void edFilterEnter(QObject *Sender);
    void edFilterKeyPress(QObject *Sender);
    void edFilterKeyUp(QObject *Sender, int Key, Qt::KeyboardModifiers Shift);
    void tmFilterTimer(QObject *Sender);
    void edFilterExit(QObject *Sender);
    void acFilterApplyUpdate(QObject *Sender);
    void acFilterApplyExecute(QObject *Sender);
    void acFilterClearUpdate(QObject *Sender);
    void acFilterClearExecute(QObject *Sender);
    /// Puts the placeholder into the box.
    void ShowFilterHint();
    /// Shows `Action` on the filter button and binds the button to it.
    void SetFilterButtonMode(QAction *Action);
    /// Clears the filter with the box back on its placeholder; with `Lock`,
    /// the rows are left as they are.
    void ClearFilterQuietly(bool Lock);
    /// Hides the rows that do not match the filter in force (and, with the
    /// checked-only view, the unchecked ones), in one tree update.
    void ApplyFilter();
    /// Hides the unchecked rows while the checked-only view is on, shows
    /// every row otherwise; turns the view off when nothing is checked.
    void ApplyShowOnlyChecked();
    static void SetNodeHidden(TNodeStore &Store, TVirtualNode Node, bool Hidden);

    // Group by (SelectFrameGroupBy.cpp).
    /// Fills pmGroupBy from "option://groupby.columns" once in the control's
    /// life and checks the entry of Settings.GroupByIndex (EMenuError when
    /// there is none), whose caption the button takes.
    void BuildGroupByMenu();
    /// A group-by entry was chosen: tells the host, then regroups.
    void acGroupByExecute(QObject *Sender);
    /// Builds the model and the rows anew from the items' group values,
    /// keeping the checked set, the filter and the remembered sort.
    void Regroup();

    /// The entries of "option://groupby.columns", "identifier=caption" each.
    QStringList FGroupByColumns;
    /// The filter box's typing pause; a form component, created here since
    /// forms hold no timers.
    QTimer *tmFilter = nullptr;
    TActionHandlers *m_actions = nullptr;
    /// The box holds the user's own text, not the placeholder.
    bool FFilterEdited = false;
    /// A quiet clearing is under way: a new filter changes no rows.
    bool FFilterLocked = false;
    /// The user is in the box: it has the focus, or lost it only for a menu
    /// or to another window, and gets it back.
    bool FFilterEntered = false;
    /// Makes the rows' filter texts a slice at a time while the user is in
    /// the box, so that the first match after the typing pause finds them
    /// made.
    QTimer *m_filterTexts = nullptr;

    std::unique_ptr<TFrameSettings> FSettings;
    TSplitPopupMenu *FCheckMenu = nullptr;
    std::unique_ptr<TFrameManager> FManager;
    TNotifyEvent FOnChange;
    TTreeItemCompareEvent FOnItemCompare;
    TTreeGroupCompareEvent FOnGroupCompare;
    TTreeChangeGroupByEvent FOnChangeGroupBy;
    TTreeActionClickEvent FOnActionClick;
    /// Row texts compare in the user's locale, letter case counting; made
    /// once, as sorting asks for every pair.
    TTextCollator FCollator;
};

/// The frame control as frames and the favorites dialog create it, with its
/// settings and events published.
class TSelectFrameControl : public TCustomSelectFrameControl
{
    Q_OBJECT

public:
    using TCustomSelectFrameControl::TCustomSelectFrameControl;

    using TCustomSelectFrameControl::Settings;
    using TCustomSelectFrameControl::SetSettings;
    using TCustomSelectFrameControl::OnChange;
    using TCustomSelectFrameControl::SetOnChange;
    using TCustomSelectFrameControl::OnItemCompare;
    using TCustomSelectFrameControl::SetOnItemCompare;
    using TCustomSelectFrameControl::OnGroupCompare;
    using TCustomSelectFrameControl::SetOnGroupCompare;
    using TCustomSelectFrameControl::OnChangeGroupBy;
    using TCustomSelectFrameControl::SetOnChangeGroupBy;
    using TCustomSelectFrameControl::OnActionClick;
    using TCustomSelectFrameControl::SetOnActionClick;
    using TCustomSelectFrameControl::UncheckAll;
};

} // namespace selectframe
