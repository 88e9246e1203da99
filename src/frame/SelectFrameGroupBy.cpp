// SPDX-License-Identifier: MIT
// The control's group-by button: its menu of the host's groupings, the
// user's choice told to the host, and the rows built anew around the groups
// the host then gives its items, with the checked set, the filter and the
// remembered sort kept. The control never decides an item's group itself.
#include "frame/uSelectFrame.h"

#include "frame/CheckMenuItems.h"
#include "hub/FrameManager.h"
#include "platform/ActionHandlers.h"
#include "platform/CommaText.h"
#include "platform/Conversion.h"
#include "platform/GuardedCall.h"

#include <selectframe/FrameKeys.h>

#include <exception>

namespace selectframe {

namespace {

/// An entry's group identifier: the text before its first "="; empty for an
/// entry without one.
QString groupIdOf(const QString &Entry)
{
    const qsizetype equals = Entry.indexOf(u'=');
    return equals < 0 ? QString() : Entry.left(equals);
}

/// An entry's caption: the text after its first "="; the whole entry
/// without one, so that the user still sees something to choose.
QString captionOf(const QString &Entry)
{
    return Entry.mid(Entry.indexOf(u'=') + 1);
}

} // namespace

void TCustomSelectFrameControl::BuildGroupByMenu()
{
    const QString choices = VarToStr(Option(keys::OptionGroupByColumns));
    // Built once in the control's life: a later Initialize leaves the
    // entries, the choice and the caption as the user left them.
    if (choices.isEmpty() || !FGroupByColumns.isEmpty())
        return;
    FGroupByColumns = splitCommaText(choices);
    for (qsizetype index = 0; index < FGroupByColumns.size(); ++index) {
        auto *entry = new QAction(MenuCaption(captionOf(FGroupByColumns[index])), pmGroupBy);
        entry->setData(int(index));
        // Checkable for its mark, which is the control's to set: the toggle
        // of a trigger is undone before the choice is handled.
        entry->setCheckable(true);
        connect(entry, &QAction::triggered, this, [this, entry](bool toggled) {
            entry->setChecked(!toggled);
            runGuarded("acGroupByExecute", [this, entry] { acGroupByExecute(entry); });
        });
        pmGroupBy->addAction(entry);
    }
    QAction *chosen = pmGroupBy->Items(FSettings->GroupByIndex());
    chosen->setChecked(true);
    btnGroupBy->setText(chosen->text());
    btnGroupBy->setDropdownMenu(pmGroupBy);
}

void TCustomSelectFrameControl::acGroupByExecute(QObject *Sender)
{
    auto *entry = qobject_cast<QAction *>(Sender);
    if (!entry || entry->parent() != pmGroupBy)
        return;
    // Saved first, so that the new rows get the sort and widths of the old.
    SaveTreeLayout();
    btnGroupBy->setText(entry->text());
    QAction *previous = nullptr;
    for (QAction *candidate : pmGroupBy->actions())
        if (candidate->isChecked()) {
            previous = candidate;
            break;
        }
    if (previous == entry)
        return;
    const int index = entry->data().toInt();
    FSettings->SetGroupByIndex(index);
    if (previous)
        previous->setChecked(false);
    entry->setChecked(true);
    // Without a handler no item gets another group: the rows stay.
    if (!FOnChangeGroupBy)
        return;
    {
        IPtr<IFrameItemEnumerator> items;
        FManager->ItemEnumerator(items.put());
        FOnChangeGroupBy(this, groupIdOf(FGroupByColumns.value(index)), items.get());
    }
    Regroup();
}

void TCustomSelectFrameControl::Regroup()
{
    const QString filter = FSettings->Filter();
    ClearFilterQuietly(true);
    QStringList checked;
    FManager->State()->Save(&checked);

    // A step that fails (the host took the columns away, a host's compare
    // handler threw while sorting) still leaves rows over the model as it
    // then is, which the old rows no longer match, and brings the checked
    // set and the filter back; its failure then goes on to the caller.
    std::exception_ptr failure;
    const auto step = [&failure](auto &&work) {
        if (failure)
            return;
        try {
            work();
        } catch (...) {
            failure = std::current_exception();
        }
    };
    const int columns = FManager->Model()->ColumnCount();
    step([this] { FManager->Rebuild(); });
    ShowTotalCount();
    // The items' texts are what they were unless the host changed the columns.
    InstallItemManager(FManager->Model()->ColumnCount() == columns);
    step([this] { ArrangeRows(); });
    FManager->CheckByList(checked);
    FFilterEdited = !filter.isEmpty();
    if (FFilterEdited) {
        edFilter->setText(filter);
        m_actions->Execute(acFilterApply);
    }
    if (failure)
        std::rethrow_exception(failure);
}

} // namespace selectframe
