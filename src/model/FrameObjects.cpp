// SPDX-License-Identifier: MIT
#include "FrameObjects.h"

namespace selectframe {

void TBaseFrameObject::DoChange()
{
    if (OnChange.assigned())
        invokeMethod<std::remove_pointer_t<TFrameObjectNotify>>(OnChange, this);
}

TFrameItemObject::TFrameItemObject(IFrameItem *item, const TMethod &onChange)
    : TBaseFrameObject(fokItem, onChange), Item(item)
{}

void TFrameItemObject::SetState(TFrameCheckState Value)
{
    if (Value == State)
        return;
    const TFrameCheckState previous = State;
    State = Value;
    if (m_group)
        m_group->itemStateMoved(previous, Value);
    DoChange();
}

TFrameGroupObject::TFrameGroupObject(const QString &name) : TBaseFrameObject(fokGroup, TMethod()), Name(name)
{}

void TFrameGroupObject::SetState(TFrameCheckState Value)
{
    State = Value;
}

qsizetype TFrameGroupObject::countIn(TFrameCheckState state) const
{
    return state < m_stateCounts.size() ? m_stateCounts[state] : 0;
}

bool TFrameGroupObject::HasOtherState(TFrameCheckState Value) const
{
    return qsizetype(m_items.size()) > countIn(Value);
}

void TFrameGroupObject::AddItem(TFrameItemObject *item)
{
    m_items.push_back(item);
    item->m_group = this;
    if (item->State < m_stateCounts.size())
        ++m_stateCounts[item->State];
}

void TFrameGroupObject::itemStateMoved(TFrameCheckState from, TFrameCheckState to)
{
    if (from < m_stateCounts.size())
        --m_stateCounts[from];
    if (to < m_stateCounts.size())
        ++m_stateCounts[to];
}

IPtr<IObjectEnumerator<TFrameItemObject>> TFrameGroupObject::GetItems() const
{
    return enumerateObjects<TFrameItemObject>(m_items);
}

void UpdateGroupState(TFrameGroupObject *Group, TFrameCheckState Value)
{
    if (Group)
        Group->State = Group->HasOtherState(Value) ? fcsMixed : Value;
}

} // namespace selectframe
