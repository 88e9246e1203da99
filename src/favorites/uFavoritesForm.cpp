// SPDX-License-Identifier: MIT
#include "uFavoritesForm.h"

#include "frame/uSelectFrame.h"
#include "hub/FrameManager.h"
#include "intf/resStrings.h"
#include "platform/ActionHandlers.h"
#include "platform/GuardedCall.h"
#include "platform/InputQuery.h"
#include "platform/tree/TCustomTree.h"
#include "trees/FavoritesTreeManager.h"

#include <selectframe/FrameKeys.h>

#include <QMessageBox>
#include <QScopeGuard>
#include <QShowEvent>

// Resources of a static library are registered by name, outside any
// namespace.
static void initFavoritesIcons()
{
    Q_INIT_RESOURCE(FavoritesIcons);
}

namespace selectframe {

namespace {

/// Longest favorite name the user can type.
constexpr int MaxNameLength = 50;
/// Codes the item manager is told with when a row changed.
constexpr uint32_t ncAdded = 1, ncDeleted = 2, ncRenamed = 5;

bool IsBlankOrControl(QChar C)
{
    return C.isSpace() || C.category() == QChar::Other_Control || C.unicode() < 0x20;
}

/// `Format` with its %s and %d filled in order and %% made one %.
QString FormatInfo(const QString &Format, const QString &Name, int Count)
{
    QString out;
    out.reserve(Format.size() + Name.size() + 8);
    for (qsizetype i = 0; i < Format.size(); ++i) {
        const QChar next = i + 1 < Format.size() ? Format[i + 1] : QChar();
        if (Format[i] != u'%' || (next != u's' && next != u'd' && next != u'%')) {
            out += Format[i];
            continue;
        }
        out += next == u's' ? Name : next == u'd' ? QString::number(Count) : QStringLiteral("%");
        ++i;
    }
    return out;
}

} // namespace

TfmOrganizeFavorites::TfmOrganizeFavorites(QWidget *AOwner) : TdlgSimple3(AOwner)
{
    initFavoritesIcons();
    setObjectName(QStringLiteral("fmOrganizeFavorites"));
    auto *content = new QWidget(pnClient);
    Ui::TfmOrganizeFavorites::setupUi(content);
    pnClientLayout->addWidget(content);
    pnBottomLeftLayout->addWidget(cbShowOnlyChecked);
    setWindowTitle(res::text(res::SFavoritesCaption));
    lblHeader->setText(res::text(res::SFavoritesHeader));
    lblInfo->setText(res::text(res::SFavoritesInfo));
    setSizeGripEnabled(true);
    setWindowFlags(Qt::Dialog | Qt::WindowSystemMenuHint | Qt::WindowMaximizeButtonHint | Qt::WindowCloseButtonHint);
    setMinimumSize(720, 500);
    resize(830, 500);

    FavoriteTree->setNodeLines(false);
    FavoriteTree->setRowHeight(20);
    // The highlight follows the favorite the inner frame holds, whether the
    // user clicked it or Add, Rename or Delete focused it.
    FavoriteTree->setFocusAndSelect(true);
    FavoriteTree->OnNodeFocus = [this](TCustomTree *Sender, TVirtualNode Node) { FavoriteTreeNodeFocus(Sender, Node); };
    FavoriteTree->OnNodeLostFocus = [this](TCustomTree *Sender, TVirtualNode Node) {
        FavoriteTreeNodeLostFocus(Sender, Node);
    };
    m_actions = new TActionHandlers(this);
    m_actions->bind(acNewFavorite, [this](QObject *Sender) { acNewFavoriteExecute(Sender); });
    m_actions->bind(acRenameFavorite, [this](QObject *Sender) { acRenameFavoriteExecute(Sender); });
    m_actions->bind(acDeleteFavorite, [this](QObject *Sender) { acDeleteFavoriteExecute(Sender); });
    btnAddFavorite->setAction(acNewFavorite);
    btnRenameFavorite->setAction(acRenameFavorite);
    btnDeleteFavorite->setAction(acDeleteFavorite);
    connect(cbShowOnlyChecked, &QCheckBox::toggled, this,
            [this] { runGuarded("showing checked rows only", [this] { cbShowOnlyCheckedChange(); }); });
}

TfmOrganizeFavorites::~TfmOrganizeFavorites()
{
    FFavorite.reset();
    FavoriteTree->setVM(nullptr);
}

std::unique_ptr<IOrganizeFavoritesDialog> NewOrganizeFavoritesDialog()
{
    return std::make_unique<TfmOrganizeFavorites>();
}

QString TfmOrganizeFavorites::CleanName(const QString &Typed)
{
    QStringView name(Typed);
    name = name.left(name.indexOf(u'=') < 0 ? name.size() : name.indexOf(u'='));
    while (!name.isEmpty() && IsBlankOrControl(name.front()))
        name = name.mid(1);
    while (!name.isEmpty() && IsBlankOrControl(name.back()))
        name.chop(1);
    return name.toString();
}

void TfmOrganizeFavorites::showEvent(QShowEvent *Event)
{
    TdlgSimple3::showEvent(Event);
    if (!Event->spontaneous())
        runGuarded("showing the favorites", [this] { dfsDSAFormShow(); });
}

void TfmOrganizeFavorites::done(int Result)
{
    runGuarded("closing the favorites", [this, Result] {
        dfsDSAFormCloseQuery();
        dfsDSAFormClose(Result);
    });
    TdlgSimple3::done(Result);
}

TFavoritesVirtualTree *TfmOrganizeFavorites::FavoriteRows() const
{
    auto *vm = static_cast<TFavoritesTreeManager *>(FavoriteTree->getVM());
    return vm ? vm->Tree.get() : nullptr;
}

QString TfmOrganizeFavorites::FavoriteName() const
{
    QString name;
    if (FFavorite)
        FFavorite->GetName(&name);
    return name;
}

void TfmOrganizeFavorites::FavAction(int32_t Action, const QVariant &Value)
{
    if (FSelectFrame && FSelectFrame->OnFavAction)
        FSelectFrame->OnFavAction(FSelectFrame, Action, Value);
}

void TfmOrganizeFavorites::dfsDSAFormShow()
{
    FFavorite.reset();
    UpdateSelectedInfo();
    FSelectFrame->SetOnChange([this](QObject *Sender) { SelectFrameChange(Sender); });
    FSelectFrame->SetOnActionClick([this](QObject *Sender, IFrameItem *Item) { SelectFrameActionClick(Sender, Item); });
    FavAction(faDialogShown, QVariant());
    FavoriteTree->setVM(std::make_unique<TFavoritesTreeManager>(FSelectFrame->GetManager()));
    FavoriteTree->SetNodeFocused(FavoriteTree->getVM()->getFirstVisible());
    // The arrow keys go from favorite to favorite.
    FavoriteTree->setFocus();
    UpdateActions();
}

void TfmOrganizeFavorites::dfsDSAFormCloseQuery()
{
    if (FavoriteTree->getVM())
        FavoriteTree->SetNodeFocused({});
}

void TfmOrganizeFavorites::dfsDSAFormClose(int Result)
{
    FavAction(Result == QDialog::Accepted ? faDialogOk : faDialogCancelled, QVariant());
}

void TfmOrganizeFavorites::cbShowOnlyCheckedChange()
{
    FSelectFrame->Settings()->SetShowOnlyChecked(cbShowOnlyChecked->isChecked());
}

void TfmOrganizeFavorites::FavoriteTreeNodeFocus(TCustomTree *, TVirtualNode Node)
{
    TFrameManager *manager = FSelectFrame->GetManager();
    const TFavoriteNode *record = Node ? FavoriteRows()->recordOf(Node) : nullptr;
    if (!record) {
        FFavorite.reset();
        manager->CurrentFavorite.reset();
    } else {
        FFavorite = record->Favorite;
        manager->CurrentFavorite = FFavorite;
        // A copy: the pass reports to the host, whose handlers may edit it.
        const QStringList ids = *FFavorite->GetItems();
        manager->CheckByList(ids);
        FChecksChanged = false;
    }
    UpdateSelectedInfo();
}

void TfmOrganizeFavorites::FavoriteTreeNodeLostFocus(TCustomTree *, TVirtualNode)
{
    // Left as loaded, the favorite keeps its list as it is: IDs of items
    // this frame does not have, and the order, stay.
    if (FFavorite && FChecksChanged)
        *FFavorite->GetItems() = FSelectFrame->GetManager()->CheckedIDs();
}

void TfmOrganizeFavorites::UpdateActions()
{
    const bool enabled = bool(FavoriteTree->GetNodeFocused());
    acRenameFavorite->setEnabled(enabled);
    acDeleteFavorite->setEnabled(enabled);
    FSelectFrame->setEnabled(enabled);
    cbShowOnlyChecked->setEnabled(enabled);
    if (!enabled) {
        FSelectFrame->UncheckAll();
        cbShowOnlyChecked->setChecked(false);
        UpdateSelectedInfo();
    }
}

void TfmOrganizeFavorites::UpdateSelectedInfo()
{
    lbSelectedInfo->setText(
        FFavorite ? FormatInfo(FSelectedInfoFormat, FavoriteName(), FSelectFrame->GetManager()->Model()->CheckedCount())
                  : QString());
}

void TfmOrganizeFavorites::SelectFrameChange(QObject *)
{
    FChecksChanged = true;
    const bool anyChecked = FSelectFrame->GetManager()->Model()->CheckedCount() > 0;
    cbShowOnlyChecked->setEnabled(anyChecked);
    if (!anyChecked)
        cbShowOnlyChecked->setChecked(false);
    UpdateSelectedInfo();
}

void TfmOrganizeFavorites::SelectFrameActionClick(QObject *, IFrameItem *Item)
{
    FavAction(faDialogActionClick, QVariantList{FavoriteName(), QVariant::fromValue(IPtr<IFrameItem>(Item))});
}

QString TfmOrganizeFavorites::AskName(const char *Caption, const char *Prompt, const QString &Initial)
{
    QString value = Initial;
    if (!WideInputQuery(res::text(Caption), res::text(Prompt), value, MaxNameLength, this))
        return {};
    return CleanName(value);
}

void TfmOrganizeFavorites::acNewFavoriteExecute(QObject *)
{
    const QString name = AskName(res::SAddFavoriteCaption, res::SAddFavoritePrompt, QString());
    if (name.isEmpty())
        return;
    // When the name is the focused favorite's own, the focus stays where it
    // is, loaded as it is, with what was checked under it.
    const TVirtualNode focused = FavoriteTree->GetNodeFocused();
    TVirtualNode node;
    {
        FavoriteTree->BeginUpdate();
        const auto end = qScopeGuard([this] { FavoriteTree->EndUpdate(); });
        FavoriteRows()->AddFavorite(name, node);
        FavoriteTree->getVM()->updateControlItem(node, ncAdded);
    }
    if (node != focused) {
        // Let go before the focus moves: adding a favorite stores nothing
        // into the one left, which keeps the set it had when focused.
        FFavorite.reset();
        FavoriteTree->SetNodeFocused(node);
    }
    UpdateActions();
}

void TfmOrganizeFavorites::acRenameFavoriteExecute(QObject *)
{
    if (!FavoriteTree->GetNodeFocused() || !FFavorite)
        return;
    const QString oldName = FavoriteName();
    const QString newName = AskName(res::SRenameFavoriteCaption, res::SRenameFavoritePrompt, oldName);
    if (newName.isEmpty() || newName == oldName)
        return;
    TVirtualNode node = FavoriteTree->GetNodeFocused();
    {
        FavoriteTree->BeginUpdate();
        const auto end = qScopeGuard([this] { FavoriteTree->EndUpdate(); });
        FavoriteRows()->RenameFavorite(newName, node);
        FavoriteTree->getVM()->updateControlItem(node, ncRenamed);
    }
    FavoriteTree->SetNodeFocused(node);
    UpdateSelectedInfo();
    FavAction(faRenamed, QVariantList{oldName, newName});
}

void TfmOrganizeFavorites::acDeleteFavoriteExecute(QObject *)
{
    const TVirtualNode node = FavoriteTree->GetNodeFocused();
    if (!node || !FFavorite)
        return;
    const QString name = FavoriteName();
    const auto answer =
        QMessageBox::question(this, res::text(res::SConfirmation), res::text(res::SDeleteFavoriteQuestion).arg(name),
                              QMessageBox::Yes | QMessageBox::No, QMessageBox::No);
    if (answer != QMessageBox::Yes)
        return;
    FavAction(faDeleted, QVariant(name));
    FFavorite.reset();
    FSelectFrame->GetManager()->CurrentFavorite.reset();
    {
        FavoriteTree->BeginUpdate();
        const auto end = qScopeGuard([this] { FavoriteTree->EndUpdate(); });
        FavoriteRows()->DeleteFavorite(node);
        FavoriteTree->getVM()->updateControlItem(node, ncDeleted);
    }
    FavoriteTree->SetNodeFocused(FavoriteTree->getVM()->getFirstVisible());
    // The arrow keys go from favorite to favorite.
    FavoriteTree->setFocus();
    UpdateActions();
}

} // namespace selectframe
