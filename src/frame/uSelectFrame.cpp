#include "uSelectFrame.h"

#include "frame/CheckMenuItems.h"
#include "frame/ItemValues.h"
#include "frame/RowSortValue.h"
#include "frame/SelectTreeKeyOrder.h"
#include "frame/SplitPopupMenu.h"
#include "frame/TreeLayout.h"
#include "host/FrameManager.h"
#include "intf/FrameConsts.h"
#include "platform/ActionHandlers.h"
#include "platform/ActionLink.h"
#include "platform/CommaText.h"
#include "platform/Conversion.h"
#include "platform/FoldedText.h"
#include "platform/GuardedCall.h"
#include "platform/GridMenu.h"
#include "platform/tree/TSlices.h"
#include "platform/tree/TSlicesFactory.h"
#include "trees/SelectVirtualManager.h"

#include <selectframe/FrameKeys.h>

#include <algorithm>
#include <numeric>
#include <utility>

#include <QKeyEvent>
#include <QScopeGuard>
#include <QSet>
#include <QTimer>

// Resources of a static library are registered by name, outside any
// namespace.
static void initFrameIcons()
{
    Q_INIT_RESOURCE(FrameIcons);
}

namespace selectframe {

namespace {

/// An option key naming a column by its caption.
QByteArray columnOptionKey(const char *pattern, const QString &caption)
{
    return QString::fromLatin1(pattern).arg(caption).toUtf8();
}

/// The action link is the fourth slice of an item row's first cell.
constexpr int ActionLinkSlice = 3;

} // namespace

TCustomSelectFrameControl::TCustomSelectFrameControl(QWidget *AOwner) : QWidget(AOwner)
{
    initFrameIcons();
    setupUi(this);
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
    edFilter->removeEventFilter(this);
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
    bindAction(acOrganizeFavorites, &T::acOrganizeFavoritesExecute);
    bindAction(acCheckAll, &T::acCheckAllExecute);
    bindAction(acUncheckAll, &T::acUncheckAllExecute);
    bindAction(acCheckByFavorite, &T::acCheckByFavoriteExecute);
    bindAction(acCheckByData, &T::acCheckByDataExecute);
    bindAction(acCheckEmbeddedFavorites, &T::acCheckEmbeddedFavoritesExecute);
    bindAction(acSetEmbeddedFavorites, &T::acSetEmbeddedFavoritesExecute);
    bindAction(acClearEmbeddedFavorites, &T::acClearEmbeddedFavoritesExecute);
    bindAction(acGroupBy, &T::acGroupByExecute);
    bindAction(acFilterApply, &T::acFilterApplyExecute, &T::acFilterApplyUpdate);
    bindAction(acFilterClear, &T::acFilterClearExecute, &T::acFilterClearUpdate);

    btnCheckAll->setAction(acCheckAll);
    btnUncheckAll->setAction(acUncheckAll);
    linkToAction(ppmCheckEmbeddedFavorites, acCheckEmbeddedFavorites);
    linkToAction(ppmSetEmbeddedFavorites, acSetEmbeddedFavorites);
    linkToAction(ppmClearEmbeddedFavorites, acClearEmbeddedFavorites);
    pmEmbeddedFavorites->OnPopup = [this](TPopupMenu *Sender) { pmEmbeddedFavoritesPopup(Sender); };

    btnCheck->OnDropdown = [this](TDropDownButton *Sender, bool &DoDefault) {
        btnCheckDropdownPushed(Sender, DoDefault);
    };
    const auto favoritesDropdown = [this](TDropDownButton *Sender, bool &DoDefault) {
        btnFavoritesDropdownPushed(Sender, DoDefault);
    };
    btnGroupBy->OnDropdown = favoritesDropdown;
    btnFavorites->OnDropdown = favoritesDropdown;

    SelectTree->OnNodeActive = [this](TCustomTree *Sender, TVirtualNode Node, TSlice *Slice) {
        SelectTreeNodeActiveExecute(Sender, Node, Slice);
    };
    SelectTree->OnNodeCompare = [this](TCustomTree *Sender, TVirtualNode Node1, TVirtualNode Node2, int Column,
                                       TSortType SortType) {
        return SelectTreeNodeCompare(Sender, Node1, Node2, Column, SortType);
    };
    SelectTree->OnNodeOrder = [this](TCustomTree *, const std::vector<TSortKey> &Keys) {
        std::unique_ptr<TNodeOrder> order;
        // A host handler may change any pair's result, so then every pair
        // is asked for.
        if (FOnItemCompare || FOnGroupCompare)
            return order;
        std::vector<QString> dataKeys;
        for (const TSortKey &key : Keys)
            dataKeys.push_back(ColumnDataKey(key.Column));
        order = std::make_unique<TSelectTreeKeyOrder>(*Rows(), Keys, std::move(dataKeys), FCollator);
        return order;
    };
    // Only asked for once Initialize makes the check menu the tree's context
    // menu.
    connect(SelectTree, &QWidget::customContextMenuRequested, this, [this](const QPoint &pos) {
        FCheckMenu->exec(SelectTree->viewport()->mapToGlobal(pos));
    });

    edFilter->installEventFilter(this);
    connect(tmFilter, &QTimer::timeout, this, [this] {
        runGuarded("tmFilter", [this] { tmFilterTimer(tmFilter); });
    });
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
    SelectTree->setHeaderHeight(VarToInt(Option(OptionHeaderHeight)));
    SelectTree->setRowHeight(VarToInt(Option(OptionRowHeight)));
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
    FSettings->SetGroupByIndex(VarToInt(Option(OptionGroupByIndex)));
    FSettings->SetSelectMode(TFrameSelectMode(uint8_t(VarToInt(Option(OptionSelectMode)))));
    FSettings->SetFavoritesMode(TFrameFavoritesMode(uint8_t(VarToInt(Option(OptionFavoritesMode)))));
    FManager->Images = quintptr(VarToInt64(Option(OptionImageList)));
    LayoutSidePanel();
}

void TCustomSelectFrameControl::Initialize()
{
    ApplyOptions();
    edFilter->setText(FSettings->FilterHint());
    FManager->Rebuild();
    if (FSettings->SelectMode() == fsmOnlyOne) {
        FManager->GroupsCheckable = false;
        FManager->RadioItems = true;
    }
    SetCountCaption(lbTotalCount, QStringLiteral("Total: %1").arg(FManager->ItemCount()));
    // The checked count stands 60 pixels after the total; a total too wide
    // for that pushes it along rather than running into it.
    lbCheckedCount->move(std::max(lbTotalCount->x() + 60, lbTotalCount->geometry().right() + 8), lbCheckedCount->y());
    BuildCheckMenu();
    AddFavoritesTail();
    RebuildFavoriteItems();
    if (!FCheckMenu->actions().isEmpty())
        SelectTree->setContextMenuPolicy(Qt::CustomContextMenu);
    SelectTree->OnNodeClick = [this](TCustomTree *Sender, const THitInfo &HitInfo) {
        SelectTreeNodeClick(Sender, HitInfo);
    };
    auto manager = std::make_unique<TSelectVirtualManager>(FManager.get());
    manager->Tree->OnStyleLink = [this](TSelectFrameNode *R) { UpdateActionLinkStyle(R); };
    SelectTree->setVM(std::move(manager));
    // A checked set the host loaded before this call is checked now that
    // there are rows for it, as a load afterwards would be; first, so that
    // nothing failing later in here can keep it from its rows.
    FManager->ApplyPendingChecks();
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
    BuildGroupByMenu();
    pnlBottom->setVisible(FSettings->SelectMode() != fsmOnlyOne);
}

void TCustomSelectFrameControl::Changed()
{
    FManager->PublishCheckedCount();
    SetCountCaption(lbCheckedCount, QStringLiteral("Checked: %1").arg(FManager->Model()->CheckedCount()));
    if (FOnChange)
        FOnChange(this);
    if (FSettings->ShowOnlyChecked())
        CheckedOnlyPass();
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
        copy(columnOptionKey(keys::OptionFavoriteOfColumn, column->Caption));
        copy(columnOptionKey(keys::OptionFavOtherNameOfColumn, column->Caption));
    }
}

void TCustomSelectFrameControl::NewItem(IFrameItem **Item)
{
    FManager->NewItem(Item);
    if (!*Item)
        return;
    // Made once: hosts create items by the million.
    static const QString group = QString::fromLatin1(keys::ValueGroup);
    static const QString image = QString::fromLatin1(keys::ValueImage);
    static const QString hint = QString::fromLatin1(keys::ValueHint);
    IPtr<IStringValueList> values;
    (*Item)->GetValues(values.put());
    values->SetValue(group, QString());
    values->SetValue(image, QStringLiteral("-1"));
    values->SetValue(hint, QString());
    FManager->AddItem(*Item);
}

bool TCustomSelectFrameControl::event(QEvent *Event)
{
    switch (int(Event->type())) {
    case SFM_SHOWONLYCHECKED:
        SfmShowOnlyChecked();
        return true;
    case SFM_SHOWFAVORITES:
    case SFM_SHOWFILTER:
    case SFM_SHOWGROUPBY:
        LayoutSidePanel();
        return true;
    case SFM_FAVORITESMODE:
        SetFavoritesButtonMenu();
        return true;
    case SFM_FILTER:
        SfmFilter();
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

bool TCustomSelectFrameControl::eventFilter(QObject *Watched, QEvent *Event)
{
    if (Watched != edFilter)
        return QWidget::eventFilter(Watched, Event);
    bool swallow = false;
    switch (Event->type()) {
    case QEvent::FocusIn:
        runGuarded("edFilterEnter", [this] { edFilterEnter(edFilter); });
        break;
    case QEvent::FocusOut:
        runGuarded("edFilterExit", [this] { edFilterExit(edFilter); });
        break;
    case QEvent::KeyPress: {
        const QString text = static_cast<QKeyEvent *>(Event)->text();
        if (text.size() != 1)
            break;
        QChar key = text.front();
        runGuarded("edFilterKeyPress", [&] { edFilterKeyPress(edFilter, key); });
        swallow = key.isNull();
        break;
    }
    case QEvent::KeyRelease: {
        const auto *keyEvent = static_cast<QKeyEvent *>(Event);
        if (keyEvent->isAutoRepeat())
            break;
        int key = keyEvent->key();
        runGuarded("edFilterKeyUp", [&] { edFilterKeyUp(edFilter, key, keyEvent->modifiers()); });
        break;
    }
    default:
        break;
    }
    return swallow;
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

void TCustomSelectFrameControl::SfmShowOnlyChecked()
{
    ClearFilterQuietly(true);
    CheckedOnlyPass();
}

void TCustomSelectFrameControl::SfmFilter()
{
    if (!FFilterLocked)
        FilterPass();
}

void TCustomSelectFrameControl::SetFilterButtonMode(QAction *Action)
{
    btnFilter->setIcon(QIcon(Action == acFilterApply ? QStringLiteral(":/main/edit/find1.svg")
                                                     : QStringLiteral(":/main/cancel2.svg")));
    btnFilter->setAction(Action);
}

void TCustomSelectFrameControl::ClearFilterQuietly(bool Lock)
{
    FFilterLocked = Lock;
    const auto unlock = qScopeGuard([this] { FFilterLocked = false; });
    m_actions->Execute(acFilterClear);
}

// The behaviours below come with the features named in each body.

TSelectVirtualTree *TCustomSelectFrameControl::Rows() const
{
    return static_cast<TSelectVirtualManager *>(SelectTree->getVM())->Tree.get();
}

TSelectFrameNode *TCustomSelectFrameControl::RecordOf(TVirtualNode Node) const
{
    return Rows()->recordOf(Node);
}

void TCustomSelectFrameControl::SelectTreeNodeActiveExecute(TCustomTree *, TVirtualNode Node, TSlice *Slice)
{
    if (!SlicesFactory().isKind(Slice, "check"))
        return;
    TBaseFrameObject *object = RecordOf(Node)->FrameObject;
    IVmManager *vm = SelectTree->getVM();
    SelectTree->BeginUpdate();
    const auto end = qScopeGuard([this] { SelectTree->EndUpdate(); });
    // Unchecked becomes checked; checked and mixed become unchecked.
    const TFrameCheckState state = object->State == fcsUnchecked ? fcsChecked : fcsUnchecked;
    if (FSettings->SelectMode() == fsmOnlyOne) {
        // A single choice is changed by choosing another row, never undone.
        if (state == fcsChecked)
            CheckOnly(Node);
        else
            object->SetState(fcsChecked);
        return;
    }
    object->SetState(state);
    UpdateNodeLinkStyle(Node);
    if (FSettings->ShowOnlyChecked() && state == fcsUnchecked)
        SelectTree->SetNodeState(Node, SelectTree->GetNodeState(Node) | nsHidden);
    vm->updateControlItem(Node, ucfRowRepaint);
    SetSubtreeState(Node, state);
    UpdateAncestorStates(Node, state);
    vm->updateControl();
    Changed();
}

int TCustomSelectFrameControl::SelectTreeNodeCompare(TCustomTree *, TVirtualNode Node1, TVirtualNode Node2,
                                                     int Column, TSortType SortType)
{
    const TBaseFrameObject *o1 = RecordOf(Node1)->FrameObject;
    const TBaseFrameObject *o2 = RecordOf(Node2)->FrameObject;
    const QString &key = ColumnDataKey(Column);
    int32_t result = CompareRowSortValues(RowSortValue(o1, Column, key), RowSortValue(o2, Column, key), SortType,
                                          FCollator);
    // An item row beside a group row is never the host's to order.
    if (o1->Kind != o2->Kind)
        return result;
    if (o1->Kind == fokItem) {
        if (FOnItemCompare)
            FOnItemCompare(this, itemOf(o1), itemOf(o2), Column, SortType, result);
    } else if (FOnGroupCompare) {
        FOnGroupCompare(this, static_cast<const TFrameGroupObject *>(o1)->Name,
                        static_cast<const TFrameGroupObject *>(o2)->Name, Column, SortType, result);
    }
    return result;
}

void TCustomSelectFrameControl::SelectTreeNodeClick(TCustomTree *Sender, const THitInfo &HitInfo)
{
    const TVirtualNode node = HitInfo.Node;
    if (!node || Sender->isVirtualNode(node))
        return;
    const TBaseFrameObject *object = RecordOf(node)->FrameObject;
    if (object->Kind != fokItem || HitInfo.SliceIndex != ActionLinkSlice || !FOnActionClick
        || object->State != fcsChecked)
        return;
    FOnActionClick(this, itemOf(object));
    IVmManager *vm = SelectTree->getVM();
    vm->updateControlItem(node, ucfRowRepaint);
    vm->updateControl();
}

void TCustomSelectFrameControl::UpdateActionLinkStyle(TSelectFrameNode *R)
{
    if (R->FrameObject->Kind != fokItem)
        return;
    TSlice *link = R->Slices->GetSlice(ActionLinkSlice);
    if (R->FrameObject->State == fcsChecked) {
        const bool failed = !itemValue(itemOf(R->FrameObject), QString::fromLatin1(keys::ValueActionLinkError)).isEmpty();
        link->Style = getStyle(failed ? "red" : "link");
        SlicesFactory().setCursor(link, "hand cursor");
    } else {
        link->Style = getStyle("gray_text");
        SlicesFactory().setCursor(link, "default");
    }
}

void TCustomSelectFrameControl::UpdateNodeLinkStyle(TVirtualNode Node)
{
    Rows()->RestyleLink(RecordOf(Node));
}

void TCustomSelectFrameControl::SetRowState(TVirtualNode Node, TFrameCheckState S)
{
    RecordOf(Node)->FrameObject->SetState(S);
    UpdateNodeLinkStyle(Node);
    SelectTree->getVM()->updateControlItem(Node, ucfRowRepaint);
}

bool TCustomSelectFrameControl::ChildrenDiffer(TVirtualNode Node, TFrameCheckState S) const
{
    const IVmManager *vm = SelectTree->getVM();
    for (TVirtualNode child = vm->getFirstChild(Node); child; child = vm->getNextSibling(child))
        if (RecordOf(child)->FrameObject->State != S)
            return true;
    return false;
}

void TCustomSelectFrameControl::SetSubtreeState(TVirtualNode Node, TFrameCheckState S)
{
    const IVmManager *vm = SelectTree->getVM();
    for (TVirtualNode child = vm->getFirstChild(Node); child; child = vm->getNextSibling(child)) {
        if (SelectTree->GetNodeState(child) & nsHidden)
            continue;
        SetRowState(child, S);
        SetSubtreeState(child, S);
    }
}

void TCustomSelectFrameControl::UpdateAncestorStates(TVirtualNode Node, TFrameCheckState S)
{
    const IVmManager *vm = SelectTree->getVM();
    const TVirtualNode root = vm->getRoot();
    for (TVirtualNode parent = vm->getParent(Node); parent && parent != root; parent = vm->getParent(parent))
        SetRowState(parent, ChildrenDiffer(parent, S) ? fcsMixed : S);
}

void TCustomSelectFrameControl::CheckOnly(TVirtualNode Node)
{
    SelectTree->BeginUpdate();
    const auto end = qScopeGuard([this] { SelectTree->EndUpdate(); });
    ForEachNode([this, Node](TVirtualNode n) { SetRowState(n, n == Node ? fcsChecked : fcsUnchecked); });
    SelectTree->getVM()->updateControl();
    Changed();
}

void TCustomSelectFrameControl::SetAllStates(TFrameCheckState S)
{
    if (!IsInitialized())
        return;
    SelectTree->BeginUpdate();
    const auto end = qScopeGuard([this] { SelectTree->EndUpdate(); });
    IVmManager *vm = SelectTree->getVM();
    SetSubtreeState(vm->getRoot(), S);
    vm->updateControl();
    Changed();
}

void TCustomSelectFrameControl::ForEachNode(const std::function<void(TVirtualNode)> &Callback) const
{
    const IVmManager *vm = SelectTree->getVM();
    const TVirtualNode root = vm->getRoot();
    TVirtualNode node = vm->getFirstChild(root);
    while (node) {
        if (Callback)
            Callback(node);
        TVirtualNode next = vm->getFirstChild(node);
        while (!next && node && node != root) {
            next = vm->getNextSibling(node);
            if (!next)
                node = vm->getParent(node);
        }
        node = next;
    }
}

void TCustomSelectFrameControl::btnCheckDropdownPushed(TDropDownButton *Sender, bool &DoDefault)
{
    DoDefault = false;
    const QPoint position = Sender->mapToGlobal(QPoint(0, Sender->height()));
    FCheckMenu->UpdateItems(mgCheck);
    // The pop-up event would show every group again.
    TPopupMenu::TPopupEvent onPopup = std::exchange(FCheckMenu->OnPopup, nullptr);
    const auto reattach = qScopeGuard([&] { FCheckMenu->OnPopup = std::move(onPopup); });
    FCheckMenu->Popup(position.x(), position.y());
}

void TCustomSelectFrameControl::btnFavoritesDropdownPushed(TDropDownButton *, bool &)
{
    // Favorites in the frame fill this.
}

void TCustomSelectFrameControl::pmEmbeddedFavoritesPopup(TPopupMenu *)
{
    // Embedded favorites fill this.
}

void TCustomSelectFrameControl::acOrganizeFavoritesExecute(QObject *)
{
    // The favorites dialog fills this.
}

void TCustomSelectFrameControl::acCheckAllExecute(QObject *)
{
    if (FManager->ItemCount() != FManager->Model()->CheckedCount())
        SetAllStates(fcsChecked);
}

void TCustomSelectFrameControl::acUncheckAllExecute(QObject *)
{
    if (FManager->Model()->CheckedCount() != 0)
        SetAllStates(fcsUnchecked);
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

void TCustomSelectFrameControl::acCheckEmbeddedFavoritesExecute(QObject *)
{
    // Embedded favorites fill this.
}

void TCustomSelectFrameControl::acSetEmbeddedFavoritesExecute(QObject *)
{
    // Embedded favorites fill this.
}

void TCustomSelectFrameControl::acClearEmbeddedFavoritesExecute(QObject *)
{
    // Embedded favorites fill this.
}

void TCustomSelectFrameControl::acGroupByExecute(QObject *)
{
    // Group by fills this.
}

void TCustomSelectFrameControl::acFilterApplyExecute(QObject *)
{
    // The filter fills this.
}

void TCustomSelectFrameControl::acFilterApplyUpdate(QObject *)
{
    // The filter fills this.
}

void TCustomSelectFrameControl::acFilterClearExecute(QObject *)
{
    // The filter fills this.
}

void TCustomSelectFrameControl::acFilterClearUpdate(QObject *)
{
    // The filter fills this.
}

void TCustomSelectFrameControl::edFilterEnter(QObject *)
{
    // The filter fills this.
}

void TCustomSelectFrameControl::edFilterExit(QObject *)
{
    // The filter fills this.
}

void TCustomSelectFrameControl::edFilterKeyPress(QObject *, QChar &)
{
    // The filter fills this.
}

void TCustomSelectFrameControl::edFilterKeyUp(QObject *, int &, Qt::KeyboardModifiers)
{
    // The filter fills this.
}

void TCustomSelectFrameControl::tmFilterTimer(QObject *)
{
    // The filter fills this.
}

void TCustomSelectFrameControl::ItemsCheckedByManager()
{
    // A pass before Initialize has no rows to refresh or query, but the host
    // still learns of it.
    if (!IsInitialized()) {
        Changed();
        return;
    }
    SelectTree->BeginUpdate();
    const auto end = qScopeGuard([this] { SelectTree->EndUpdate(); });
    QString favorite;
    if (FManager->CurrentFavorite)
        FManager->CurrentFavorite->GetName(&favorite);
    IVmManager *vm = SelectTree->getVM();
    ForEachNode([&](TVirtualNode node) {
        const TBaseFrameObject *object = RecordOf(node)->FrameObject;
        if (OnItemQuery && object->Kind == fokItem) {
            UpdateNodeLinkStyle(node);
            OnItemQuery(this, itemOf(object), favorite);
        }
        vm->updateControlItem(node, ucfRowRepaint);
    });
    vm->updateControl();
    Changed();
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
        QStringList values = CollectColumnValues(column->Index);
        auto *submenu = new QMenu(QStringLiteral("Check by %1").arg(name), FCheckMenu);
        submenu->menuAction()->setData(mgCheck);
        FCheckMenu->addMenu(submenu);
        const QByteArray favoritesKey = columnOptionKey(keys::OptionFavoriteOfColumn, column->Caption);
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

QStringList TCustomSelectFrameControl::CollectColumnValues(int ColumnIndex)
{
    // Checking by a value ignores letter case, so values that differ only
    // in case would be entries doing the same thing: the first spelling
    // stands for them all.
    const QString &key = ColumnDataKey(ColumnIndex);
    QStringList values;
    QSet<TFoldedKey> seen;
    IPtr<IFrameItemEnumerator> items;
    FManager->ItemEnumerator(items.put());
    QString value;
    while (items->MoveNext()) {
        IPtr<IFrameItem> item;
        items->GetCurrent(item.put());
        IPtr<IStringValueList> list;
        item->GetValues(list.put());
        if (!list)
            continue;
        list->GetValue(key, &value);
        if (value.isEmpty())
            continue;
        const qsizetype count = seen.size();
        seen.insert(TFoldedKey{value});
        if (seen.size() != count)
            values.append(value);
    }
    return values;
}

void TCustomSelectFrameControl::AddOtherValues(const TFrameColumnObject *Column, QMenu *Menu,
                                               const QStringList &Values)
{
    const QByteArray titleKey = columnOptionKey(keys::OptionFavOtherNameOfColumn, Column->Caption);
    const QString title = VarToStr(Option(titleKey.constData()));
    if (title.isEmpty())
        return;
    Menu->addAction(new TSeparatorMenuItem(Menu));
    auto *target = new TGridMenu(Menu);
    target->setTitle(title);
    Menu->addMenu(target);
    const int rowLimit = VarToInt(Option(keys::OptionRowLimit));
    const int columnLimit = VarToInt(Option(keys::OptionColumnLimit));
    const QString more = VarToStr(Option(keys::OptionMoreCaption));

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
    while (favorites->MoveNext()) {
        IPtr<ISelectFavorite> favorite;
        favorites->GetCurrent(favorite.put());
        FCheckMenu->insertAction(before, new TCheckFavoriteMenuItem(favorite.get(), onClick, FCheckMenu));
    }
}

bool TCustomSelectFrameControl::LoadTreeSort()
{
    return TTreeLayout(FManager->Params(), SelectTree).LoadTreeSort();
}

void TCustomSelectFrameControl::SaveTreeLayout()
{
    TTreeLayout(FManager->Params(), SelectTree).SaveTreeLayout();
}

void TCustomSelectFrameControl::BuildGroupByMenu()
{
    // Group by fills this.
}

void TCustomSelectFrameControl::FilterPass()
{
    // The filter fills this.
}

void TCustomSelectFrameControl::CheckedOnlyPass()
{
    // The filter fills this.
}

} // namespace selectframe
