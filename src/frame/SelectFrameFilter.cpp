// SPDX-License-Identifier: MIT
// The control's filter box and its checked-only view: the box's two states
// (placeholder and the user's own text), the typing pause, the apply and
// clear actions behind the box's button, and the passes that hide rows
// through their node state. Rows are never removed, so checking, counting
// and favorites keep working on hidden ones.
#include "frame/uSelectFrame.h"

#include "frame/ItemValues.h"
#include "hub/FrameManager.h"
#include "platform/ActionHandlers.h"
#include "platform/GuardedCall.h"
#include "trees/SelectVirtualManager.h"

#include <QFocusEvent>
#include <QKeyEvent>
#include <QScopeGuard>
#include <QTimer>

#include <utility>

namespace selectframe {

namespace {

/// Focus lost because a menu opens or the window loses activation is no
/// move of the user's: the box counts as still entered.
bool isTemporaryFocusLoss(const QEvent *Event)
{
    const Qt::FocusReason reason = static_cast<const QFocusEvent *>(Event)->reason();
    return reason == Qt::PopupFocusReason || reason == Qt::ActiveWindowFocusReason;
}

} // namespace

void TCustomSelectFrameControl::bindFilterEvents()
{
    using T = TCustomSelectFrameControl;
    bindAction(acFilterApply, &T::acFilterApplyExecute, &T::acFilterApplyUpdate);
    bindAction(acFilterClear, &T::acFilterClearExecute, &T::acFilterClearUpdate);
    connect(tmFilter, &QTimer::timeout, this, [this] { runGuarded("tmFilter", [this] { tmFilterTimer(tmFilter); }); });
    m_filterTexts = new QTimer(this);
    m_filterTexts->setObjectName(QStringLiteral("tmFilterTexts"));
    m_filterTexts->setInterval(0);
    connect(m_filterTexts, &QTimer::timeout, this, [this] {
        // Stopped first: a slice that fails is not tried again and again.
        m_filterTexts->stop();
        runGuarded("edFilter", [this] {
            // A few milliseconds a slice keeps the box answering keys.
            if (IsInitialized() && !Rows()->NodeRecords.MakeFilterTexts(4000))
                m_filterTexts->start();
        });
    });
    edFilter->installEventFilter(this);
    // The panel's image marks the box as a filter.
    edFilter->addAction(QIcon(pnFilter->property("image").toString()), QLineEdit::LeadingPosition);
}

bool TCustomSelectFrameControl::eventFilter(QObject *Watched, QEvent *Event)
{
    if (Watched != edFilter)
        return QWidget::eventFilter(Watched, Event);
    switch (Event->type()) {
    case QEvent::FocusIn:
        if (!std::exchange(FFilterEntered, true))
            runGuarded("edFilter", [this] { edFilterEnter(edFilter); });
        break;
    case QEvent::FocusOut:
        if (!isTemporaryFocusLoss(Event) && std::exchange(FFilterEntered, false))
            runGuarded("edFilter", [this] { edFilterExit(edFilter); });
        break;
    case QEvent::KeyPress:
        edFilterKeyPress(edFilter);
        break;
    case QEvent::KeyRelease: {
        const auto *key = static_cast<const QKeyEvent *>(Event);
        if (!key->isAutoRepeat())
            edFilterKeyUp(edFilter, key->key(), key->modifiers());
        break;
    }
    default:
        break;
    }
    return false;
}

void TCustomSelectFrameControl::edFilterEnter(QObject *)
{
    if (!FFilterEdited)
        edFilter->clear();
    m_filterTexts->start();
}

void TCustomSelectFrameControl::edFilterKeyPress(QObject *)
{
    // Every key starts a full pause anew.
    tmFilter->stop();
    tmFilter->start();
}

void TCustomSelectFrameControl::edFilterKeyUp(QObject *, int Key, Qt::KeyboardModifiers Shift)
{
    if (Key == Qt::Key_Escape && (Shift & ~Qt::KeypadModifier) == Qt::NoModifier)
        edFilter->clear();
}

void TCustomSelectFrameControl::tmFilterTimer(QObject *)
{
    m_actions->Execute(acFilterApply);
    tmFilter->stop();
}

void TCustomSelectFrameControl::edFilterExit(QObject *)
{
    FFilterEdited = !edFilter->text().isEmpty();
    m_actions->Execute(acFilterApply);
    tmFilter->stop();
    if (!FFilterEdited)
        ShowFilterHint();
}

void TCustomSelectFrameControl::acFilterApplyUpdate(QObject *)
{
    acFilterApply->setEnabled(tmFilter->isActive() || FFilterEdited);
}

void TCustomSelectFrameControl::acFilterApplyExecute(QObject *)
{
    const QString text = edFilter->text();
    FSettings->SetFilter(text);
    SetFilterButtonMode(text.isEmpty() ? acFilterApply : acFilterClear);
}

void TCustomSelectFrameControl::acFilterClearUpdate(QObject *)
{
    acFilterClear->setEnabled(!FSettings->Filter().isEmpty() || FFilterEdited);
}

void TCustomSelectFrameControl::acFilterClearExecute(QObject *)
{
    FSettings->SetFilter(QString());
    // A placeholder put into the box while the user is in it would be taken
    // for the user's text on leaving; it comes back then instead.
    if (edFilter->hasFocus())
        edFilter->clear();
    else
        ShowFilterHint();
    FFilterEdited = false;
    SetFilterButtonMode(acFilterApply);
}

void TCustomSelectFrameControl::ShowFilterHint()
{
    edFilter->setText(FSettings->FilterHint());
    // A hint wider than the box shows its start, not its end.
    edFilter->setCursorPosition(0);
}

void TCustomSelectFrameControl::SetFilterButtonMode(QAction *Action)
{
    const bool apply = Action == acFilterApply;
    btnFilter->setIcon(QIcon(apply ? QStringLiteral(":/main/edit/find1.svg") : QStringLiteral(":/main/cancel2.svg")));
    // The button shows an image only: its name says what it does.
    const QString name = apply ? tr("Apply filter") : tr("Clear filter");
    btnFilter->setToolTip(name);
    btnFilter->setAccessibleName(name);
    // Up to date before the button takes it: a stale disabled state would
    // throw the keyboard focus off the button that Tab just moved to.
    m_actions->Update(Action);
    btnFilter->setAction(Action);
}

void TCustomSelectFrameControl::ClearFilterQuietly(bool Lock)
{
    FFilterLocked = Lock;
    const auto unlock = qScopeGuard([this] { FFilterLocked = false; });
    m_actions->Execute(acFilterClear);
}

void TCustomSelectFrameControl::ApplyFilter()
{
    if (FFilterLocked || !IsInitialized())
        return;
    SelectTree->BeginUpdate();
    const auto end = qScopeGuard([this] { SelectTree->EndUpdate(); });
    // Folded as the rows' texts are (see TSelectFrameTree::MatchFilter).
    const QString filter = FSettings->Filter().toLower().replace(QChar(0), QChar::ReplacementCharacter);
    const bool onlyChecked = FSettings->ShowOnlyChecked();
    TSelectVirtualTree *rows = Rows();
    if (!filter.isEmpty())
        rows->NodeRecords.MatchFilter(filter);
    TNodeStore &store = rows->store();
    // One walk over the child lists. A row is decided before its parent:
    // a group is hidden when the filter hides it or when, its caption not
    // matching, none of its rows is left; its check mark is recounted over
    // all its items, hidden or not. Groups hold only items, so deciding
    // them after their rows reads the same bits as a second pass would.
    const auto pass = [&](const auto &self, TVirtualNode parent) -> bool {
        const TChildList *children = store.children(parent);
        if (!children)
            return false;
        bool anyShown = false;
        for (const TVirtualNode node : children->All) {
            const auto *record = static_cast<TSelectFrameNode *>(store.data(node));
            const TBaseFrameObject *object = record->FrameObject;
            bool hidden = false;
            if (!filter.isEmpty()) {
                hidden = object->Kind == fokItem && !rows->NodeRecords.Matched(record);
                hidden |= onlyChecked && object->State == fcsUnchecked;
            }
            const bool rowsShown = self(self, node);
            if (object->Kind == fokGroup) {
                const auto *group = static_cast<const TFrameGroupObject *>(object);
                SetRowState(node, !group->HasOtherState(fcsUnchecked) ? fcsUnchecked
                                  : !group->HasOtherState(fcsChecked) ? fcsChecked
                                                                      : fcsMixed);
                hidden |= !filter.isEmpty() && !rowsShown && !group->Name.toLower().contains(filter);
            }
            SetNodeHidden(store, node, hidden);
            anyShown |= !hidden;
        }
        return anyShown;
    };
    pass(pass, store.root());
    SelectTree->getVM()->updateControl();
}

void TCustomSelectFrameControl::ApplyShowOnlyChecked()
{
    if (!IsInitialized())
        return;
    if (FManager->Model()->CheckedCount() == 0)
        FSettings->ResetShowOnlyChecked();
    const bool onlyChecked = FSettings->ShowOnlyChecked();
    SelectTree->BeginUpdate();
    const auto end = qScopeGuard([this] { SelectTree->EndUpdate(); });
    TNodeStore &store = Rows()->store();
    ForEachNode([&](TVirtualNode node) {
        SetNodeHidden(store, node, onlyChecked && RecordOf(node)->FrameObject->State == fcsUnchecked);
    });
}

void TCustomSelectFrameControl::SetNodeHidden(TNodeStore &Store, TVirtualNode Node, bool Hidden)
{
    // The tree's own nodes, read and written in place: the tree's node
    // state calls check and track more than a pass over every row needs,
    // and the update around the pass lays the rows out once.
    const uint32_t state = Store.state(Node);
    const uint32_t wanted = Hidden ? state | nsHidden : state & ~uint32_t(nsHidden);
    if (wanted != state)
        Store.setState(Node, wanted);
}

} // namespace selectframe
