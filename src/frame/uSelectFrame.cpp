// SPDX-License-Identifier: MIT
// The control's core: its form, the options, initialisation, the counts
// line, the settings' messages and the side panel. Its behaviours live in
// units of their own: checking, the check menu, sorting, the filter, group
// by and the remembered layout.
#include "uSelectFrame.h"

#include "frame/SplitPopupMenu.h"
#include "hub/FrameManager.h"
#include "intf/FrameConsts.h"
#include "platform/ActionHandlers.h"
#include "platform/ActionLink.h"
#include "platform/Conversion.h"
#include "platform/GuardedCall.h"
#include "trees/SelectVirtualManager.h"

#include <selectframe/FrameKeys.h>

#include <algorithm>

#include <QTimer>

// Resources of a static library are registered by name, outside any
// namespace.
static void initFrameIcons()
{
    Q_INIT_RESOURCE(FrameIcons);
}

namespace selectframe {

TCustomSelectFrameControl::TCustomSelectFrameControl(QWidget *AOwner) : QWidget(AOwner)
{
    initFrameIcons();
    setupUi(this);
    // A host that focuses the control means its rows.
    setFocusProxy(SelectTree);
    tmFilter = new QTimer(this);
    tmFilter->setObjectName(QStringLiteral("tmFilter"));
    tmFilter->setInterval(1000);
    m_actions = new TActionHandlers(this);
    bindFormEvents();

    FSettings = std::make_unique<TFrameSettings>();
    FSettings->SetOwner(this);
    FManager = std::make_unique<TFrameManager>();
    FManager->OnItemsChecked = [this] { ItemsCheckedByManager(); };
    FCheckMenu = new TSplitPopupMenu(this);
    FCheckMenu->setObjectName(QStringLiteral("FCheckMenu"));
    FCheckMenu->OnPopup = [this](TPopupMenu *) { FCheckMenu->UpdateItems(0); };
    m_actions->UpdateBeforeShowing(FCheckMenu);
    m_actions->UpdateBeforeShowing(pmEmbeddedFavorites);

    // The drop-down check button takes the place of the plain one.
    btnCheck->resize(btnCheckAll->width(), btnCheckAll->height());
    btnCheck->move(btnCheckAll->x(), btnCheckAll->y());
    btnUncheckAll->move(btnCheckAll->x() + btnCheckAll->width() + 7, btnUncheckAll->y());
    lbTotalCount->move(btnUncheckAll->x() + btnUncheckAll->width() + 10, lbTotalCount->y());
    lbCheckedCount->move(lbTotalCount->x() + 60, lbCheckedCount->y());
    lbTotalCount->adjustSize();
    lbCheckedCount->adjustSize();

    btnCheck->setDropdownMenu(FCheckMenu);
    btnFavorites->setDropdownMenu(FCheckMenu);
    btnCheckAll->hide();
    SetFilterButtonMode(acFilterApply);
    pnlBottom->hide();
}

TCustomSelectFrameControl::~TCustomSelectFrameControl()
{
    // Destruction has to complete whatever the settings store does. A tree
    // that was never built has no layout of the user's: saving it would
    // overwrite the one remembered.
    if (IsInitialized())
        runGuarded("saving the tree layout", [this] { SaveTreeLayout(); });
    SelectTree->setVM(nullptr);
    FManager.reset();
    FSettings.reset();
}

void TCustomSelectFrameControl::bindFormEvents()
{
    using T = TCustomSelectFrameControl;
    bindAction(acCheckAll, &T::acCheckAllExecute);
    bindAction(acUncheckAll, &T::acUncheckAllExecute);
    bindAction(acCheckByFavorite, &T::acCheckByFavoriteExecute);
    bindAction(acCheckByData, &T::acCheckByDataExecute);
    bindFilterEvents();

    btnCheckAll->setAction(acCheckAll);
    btnUncheckAll->setAction(acUncheckAll);
    bindFavoritesEvents();

    btnCheck->OnDropdown = [this](TDropDownButton *Sender, bool &DoDefault) {
        btnCheckDropdownPushed(Sender, DoDefault);
    };
    const auto sidePanelDropdown = [this](TDropDownButton *Sender, bool &DoDefault) {
        btnFavoritesDropdownPushed(Sender, DoDefault);
    };
    btnGroupBy->OnDropdown = sidePanelDropdown;
    btnFavorites->OnDropdown = sidePanelDropdown;

    SelectTree->OnNodeActive = [this](TCustomTree *Sender, TVirtualNode Node, TSlice *Slice) {
        SelectTreeNodeActiveExecute(Sender, Node, Slice);
    };
    SelectTree->OnNodeCompare = [this](TCustomTree *Sender, TVirtualNode Node1, TVirtualNode Node2, int Column,
                                       TSortType SortType) {
        return SelectTreeNodeCompare(Sender, Node1, Node2, Column, SortType);
    };
    SelectTree->OnNodeOrder = [this](TCustomTree *Sender, const std::vector<TSortKey> &Keys) {
        return SelectTreeNodeOrder(Sender, Keys);
    };
    // Only asked for once Initialize makes the check menu the tree's context
    // menu.
    connect(SelectTree, &QWidget::customContextMenuRequested, this,
            [this](const QPoint &pos) { FCheckMenu->exec(SelectTree->viewport()->mapToGlobal(pos)); });
}

void TCustomSelectFrameControl::bindAction(QAction *Action, TActionMethod Execute, TActionMethod Update)
{
    TActionHandlers::THandler onUpdate;
    if (Update)
        onUpdate = [this, Update](QObject *Sender) { (this->*Update)(Sender); };
    m_actions->bind(
        Action, [this, Execute](QObject *Sender) { (this->*Execute)(Sender); }, std::move(onUpdate));
}

QVariant TCustomSelectFrameControl::Option(const char *Key) const
{
    QVariant value;
    FManager->Params()->GetValue(QByteArray(Key), &value);
    return value;
}

void TCustomSelectFrameControl::SetCountCaption(QLabel *Label, const QString &Text)
{
    Label->setText(Text);
    Label->adjustSize();
}

int TCustomSelectFrameControl::SizeOption(const char *Key) const
{
    return ClampToOptionRange(Key, VarToInt(Option(Key)));
}

QByteArray TCustomSelectFrameControl::ColumnOptionKey(const char *Pattern, const QString &Caption)
{
    return QString::fromLatin1(Pattern).arg(Caption).toUtf8();
}

bool TCustomSelectFrameControl::IsInitialized() const
{
    return SelectTree->getVM() != nullptr;
}

void TCustomSelectFrameControl::SetSettings(TFrameSettings *Value)
{
    if (Value)
        FSettings->Assign(Value);
}

void TCustomSelectFrameControl::ApplyOptions()
{
    using namespace keys;
    SelectTree->setHeaderHeight(SizeOption(OptionHeaderHeight));
    SelectTree->setRowHeight(SizeOption(OptionRowHeight));
    // The option can only switch row selection on: the tree's own setting
    // stands otherwise.
    if (VarToBool(Option(OptionRowSelect)))
        SelectTree->setRowSelect(true);
    SelectTree->setFocusAndSelect(VarToBool(Option(OptionRowFocusSelect)));
    SelectTree->setRootLines(VarToBool(Option(OptionShowRootLine)));
    SelectTree->setNodeLines(VarToBool(Option(OptionShowNodeLine)));
    SelectTree->setToolTips(VarToBool(Option(OptionShowToolTip)));
    FSettings->SetShowFavorites(VarToBool(Option(OptionShowFavorites)));
    FSettings->SetShowFilter(VarToBool(Option(OptionFilterShow)));
    FSettings->SetFilterHint(VarToStr(Option(OptionFilterText)));
    FSettings->SetShowGroupBy(!VarToStr(Option(OptionGroupByColumns)).isEmpty());
    // Once the group-by menu is built the user's choice stands, in the
    // settings as in the menu.
    if (FGroupByColumns.isEmpty())
        FSettings->SetGroupByIndex(VarToInt(Option(OptionGroupByIndex)));
    FSettings->SetSelectMode(TFrameSelectMode(uint8_t(VarToInt(Option(OptionSelectMode)))));
    FSettings->SetFavoritesMode(TFrameFavoritesMode(uint8_t(VarToInt(Option(OptionFavoritesMode)))));
    FManager->Images = quintptr(VarToInt64(Option(OptionImageList)));
    LayoutSidePanel();
}

void TCustomSelectFrameControl::Initialize()
{
    ApplyOptions();
    ShowFilterHint();
    FManager->Rebuild();
    if (FSettings->SelectMode() == fsmOnlyOne) {
        FManager->GroupsCheckable = false;
        FManager->RadioItems = true;
    }
    ShowTotalCount();
    BuildCheckMenu();
    AddFavoritesTail();
    RebuildFavoriteItems();
    if (!FCheckMenu->actions().isEmpty())
        SelectTree->setContextMenuPolicy(Qt::CustomContextMenu);
    SelectTree->OnNodeClick = [this](TCustomTree *Sender, const THitInfo &HitInfo) {
        SelectTreeNodeClick(Sender, HitInfo);
    };
    InstallItemManager(false);
    // A checked set the host loaded before this call is checked now that
    // there are rows for it, as a load afterwards would be; first, so that
    // nothing failing later in here can keep it from its rows.
    FManager->ApplyPendingChecks();
    ArrangeRows();
    BuildGroupByMenu();
    pnlBottom->setVisible(FSettings->SelectMode() != fsmOnlyOne);
    m_actions->UpdateAll();
}

void TCustomSelectFrameControl::ShowTotalCount()
{
    SetCountCaption(lbTotalCount, tr("Total: %1").arg(FManager->ItemCount()));
    // The checked count stands 60 pixels after the total; a total too wide
    // for that pushes it along rather than running into it.
    lbCheckedCount->move(std::max(lbTotalCount->x() + 60, lbTotalCount->geometry().right() + 8), lbCheckedCount->y());
}

void TCustomSelectFrameControl::InstallItemManager(bool KeepFilterTexts)
{
    auto manager = std::make_unique<TSelectVirtualManager>(FManager.get());
    manager->Tree->OnStyleLink = [this](TSelectFrameNode *R) { UpdateActionLinkStyle(R); };
    if (KeepFilterTexts && IsInitialized())
        manager->Tree->NodeRecords.TakeFilterTexts(Rows()->NodeRecords);
    SelectTree->setVM(std::move(manager));
}

void TCustomSelectFrameControl::ArrangeRows()
{
    IVmManager *vm = SelectTree->getVM();
    if (!LoadTreeSort()) {
        const TSortType sortType = TSortType(VarToInt(Option(keys::OptionInitSort)) & 0xFF);
        if (sortType != stNone)
            SelectTree->Sort(vm->getRoot(), 0, sortType, true);
    }
    if (VarToBool(Option(keys::OptionGroupsExpandFirst))) {
        const TVirtualNode first = vm->getFirstChild(vm->getRoot());
        if (first)
            SelectTree->Expand(first, TCustomTree::emExpandShow, 0);
    }
}

void TCustomSelectFrameControl::Changed()
{
    FManager->PublishCheckedCount();
    SetCountCaption(lbCheckedCount, tr("Checked: %1").arg(FManager->Model()->CheckedCount()));
    m_actions->RequestUpdate();
    // First, so that a host asking in its handler finds the view as shown.
    if (FSettings->ShowOnlyChecked())
        ApplyShowOnlyChecked();
    if (FOnChange)
        FOnChange(this);
}

void TCustomSelectFrameControl::CopyOptionsFrom(TFrameManager *Source)
{
    INamedParams *from = Source->Params();
    INamedParams *to = FManager->Params();
    const auto copy = [from, to](const QByteArray &key) {
        QVariant value;
        from->GetValue(key, &value);
        to->SetValue(key, value);
    };
    for (const char *key : OptionCopyKeys()) {
        // The second control never offers favorites of its own.
        if (qstrcmp(key, keys::OptionShowFavorites) == 0)
            to->SetValue(key, QVariant(false));
        else
            copy(QByteArray(key));
    }
    const TFrameObjectManager *model = Source->Model();
    for (int index = 1; index < model->ColumnCount(); ++index) {
        const TFrameColumnObject *column = model->ColumnByIndex(index);
        copy(ColumnOptionKey(keys::OptionFavoriteOfColumn, column->Caption));
        copy(ColumnOptionKey(keys::OptionFavOtherNameOfColumn, column->Caption));
    }
}

void TCustomSelectFrameControl::NewItem(IFrameItem **Item)
{
    FManager->NewItem(Item);
    if (!*Item)
        return;
    // "group" and "hint" start empty, which in a new item's empty list they
    // are: an empty value adds no line. Only the image is written, once per
    // item of the million a host may create, under a name made once.
    static const QString image = QString::fromLatin1(keys::ValueImage);
    IPtr<IStringValueList> values;
    (*Item)->GetValues(values.put());
    values->SetValue(image, QStringLiteral("-1"));
    FManager->AddItem(*Item);
}

bool TCustomSelectFrameControl::event(QEvent *Event)
{
    const int type = int(Event->type());
    // What the actions show may follow any setting.
    if (type >= SFM_SHOWONLYCHECKED && type <= SFM_SHOWGROUPBY)
        m_actions->RequestUpdate();
    switch (type) {
    case SFM_SHOWFAVORITES:
    case SFM_SHOWFILTER:
    case SFM_SHOWGROUPBY:
        LayoutSidePanel();
        return true;
    case SFM_FAVORITESMODE:
        SetFavoritesButtonMenu();
        return true;
    case SFM_FILTER:
        ApplyFilter();
        return true;
    case SFM_SHOWONLYCHECKED:
        ClearFilterQuietly(true);
        ApplyShowOnlyChecked();
        return true;
    default:
        return QWidget::event(Event);
    }
}

void TCustomSelectFrameControl::changeEvent(QEvent *Event)
{
    QWidget::changeEvent(Event);
    if (Event->type() != QEvent::EnabledChange)
        return;
    // Only the control's own switch is passed on; a parent's leaves the
    // explicit states alone.
    const bool enabled = !testAttribute(Qt::WA_ForceDisabled);
    pnlBottom->setEnabled(enabled);
    SelectTree->setEnabled(enabled);
}

void TCustomSelectFrameControl::LayoutSidePanel()
{
    const bool filter = FSettings->ShowFilter();
    const bool groupBy = FSettings->ShowGroupBy();
    const bool favorites = FSettings->ShowFavorites();
    pnButtons->setVisible(filter || groupBy || favorites);
    if (pnButtons->isHidden())
        return;
    // The panel's layout stacks them from the top in this order; hidden
    // ones take no room.
    pnFilter->setVisible(filter);
    pnGroupBy->setVisible(groupBy);
    pnFavorites->setVisible(favorites);
}

void TCustomSelectFrameControl::SetFavoritesButtonMenu()
{
    switch (FSettings->FavoritesMode()) {
    case ffmExternal:
        btnFavorites->setDropdownMenu(FCheckMenu);
        break;
    case ffmEmbedded:
        btnFavorites->setDropdownMenu(pmEmbeddedFavorites);
        break;
    default:
        btnFavorites->setDropdownMenu(nullptr);
        break;
    }
}

TSelectVirtualTree *TCustomSelectFrameControl::Rows() const
{
    return static_cast<TSelectVirtualManager *>(SelectTree->getVM())->Tree.get();
}

TSelectFrameNode *TCustomSelectFrameControl::RecordOf(TVirtualNode Node) const
{
    return Rows()->recordOf(Node);
}

} // namespace selectframe
