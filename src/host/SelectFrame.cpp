// SPDX-License-Identifier: MIT
#include "SelectFrame.h"

#include "favorites/uFavoritesForm.h"
#include "frame/uSelectFrame.h"
#include "host/SelectFrameSettings.h"
#include "hub/FrameManager.h"
#include "intf/resStrings.h"

#include <selectframe/EFrameException.h>
#include <selectframe/FrameKeys.h>

#include <cstring>

namespace selectframe {

namespace {

/// The event keys in the order of the handler slots.
const char *const EventKeys[] = {
    keys::EventOnChange,    keys::EventItemCompare, keys::EventGroupCompare, keys::EventChangeGroup,
    keys::EventActionClick, keys::EventFavAction,   keys::EventItemQuery,
};

/// How many host handlers the frames of this thread are inside. A frame
/// released from a handler has its control's code still on the stack.
thread_local int t_handlerDepth = 0;

struct THandlerCall
{
    THandlerCall() { ++t_handlerDepth; }
    ~THandlerCall() { --t_handlerDepth; }
    THandlerCall(const THandlerCall &) = delete;
    THandlerCall &operator=(const THandlerCall &) = delete;
};

} // namespace

TSelectFrame::TSelectFrame() : Control(new TSelectFrameControl(nullptr))
{
    BindControlEvents();
    Control->FavoritesDialogFactory = NewOrganizeFavoritesDialog;
    TFrameManager *manager = Control->GetManager();
    manager->GetParams(Params.put());
    manager->GetFavorites(Favorites.put());
    manager->GetState(State.put());
    Settings = IPtr<ISelectFrameSettings>(new TSelectFrameSettings(Control->Settings()));
    manager->GetMethods(Methods.put());
    Methods.query<INamedMethodsNotify>()->SetHook(makeMethod(&TSelectFrame::RegisterHandler, this));
}

TSelectFrame::~TSelectFrame()
{
    // The host may keep the registry; our hook must not outlive us there.
    if (IPtr<INamedMethodsNotify> notify = Methods.query<INamedMethodsNotify>()) {
        if (notify->GetHook() == makeMethod(&TSelectFrame::RegisterHandler, this))
            notify->SetHook(TMethod());
    }
    Methods.reset();
    Settings.reset();
    State.reset();
    Favorites.reset();
    Params.reset();
    *Link = nullptr;
    if (!Control)
        return;
    if (t_handlerDepth > 0) {
        Control->hide();
        Control->deleteLater();
    } else {
        delete Control.data();
    }
}

void TSelectFrame::RegisterHandler(void *Data, const QByteArray &Name, TMethod *Method, bool *Accept)
{
    *Accept = false;
    auto *frame = static_cast<TSelectFrame *>(Data);
    for (int slot = 0; slot < HandlerCount; ++slot) {
        if (Name == EventKeys[slot]) {
            frame->Handlers[slot] = Method->assigned() ? *Method : TMethod();
            frame->BindHostHandlers();
            return;
        }
    }
}

void TSelectFrame::BindHostHandlers()
{
    // Bound only while the host has a handler: without one the control
    // sorts by keys read once per row instead of asking per pair, and a
    // bulk pass calls no forwarder per row.
    if (!Control)
        return;
    Control->ItemQueryPerRow = Handlers[hItemQuery].assigned();
    if (Handlers[hItemCompare].assigned())
        Control->SetOnItemCompare([link = Link](QObject *, IFrameItem *Item1, IFrameItem *Item2, int32_t Column,
                                                int32_t SortType, int32_t &Result) {
            Forward<TItemCompareHandler>(*link, hItemCompare, Item1, Item2, Column, SortType, &Result);
        });
    else
        Control->SetOnItemCompare(nullptr);
    if (Handlers[hGroupCompare].assigned())
        Control->SetOnGroupCompare([link = Link](QObject *, const QString &Caption1, const QString &Caption2,
                                                 int32_t Column, int32_t SortType, int32_t &Result) {
            Forward<TGroupCompareHandler>(*link, hGroupCompare, Caption1, Caption2, Column, SortType, &Result);
        });
    else
        Control->SetOnGroupCompare(nullptr);
}

template <class Handler, class... Args>
void TSelectFrame::Forward(TSelectFrame *frame, THandler slot, Args &&...args)
{
    // Null once the frame is gone while its control lives on.
    if (!frame)
        return;
    const TMethod handler = frame->Handlers[slot];
    if (!handler.assigned())
        return;
    // Counted until after `self` lets go, which may be the last reference.
    const THandlerCall call;
    IPtr<ISelectFrame> self;
    frame->QueryInterface(ISelectFrame::iid, reinterpret_cast<void **>(self.put()));
    invokeMethod<std::remove_pointer_t<Handler>>(handler, self.get(), std::forward<Args>(args)...);
}

void TSelectFrame::BindControlEvents()
{
    Control->SetOnChange([link = Link](QObject *) { Forward<TOnChangeHandler>(*link, hChange); });
    BindHostHandlers();
    Control->SetOnChangeGroupBy([link = Link](QObject *, const QString &GroupID, IFrameItemEnumerator *Enum) {
        Forward<TChangeGroupHandler>(*link, hChangeGroup, GroupID, Enum);
    });
    Control->SetOnActionClick(
        [link = Link](QObject *, IFrameItem *Item) { Forward<TActionClickHandler>(*link, hActionClick, Item); });
    Control->OnFavAction = [link = Link](QObject *, int32_t Action, const QVariant &Value) {
        Forward<TFavActionHandler>(*link, hFavAction, Action, Value);
    };
    Control->OnItemQuery = [link = Link](QObject *, IFrameItem *Item, const QString &Favorite) {
        Forward<TItemQueryHandler>(*link, hItemQuery, Item, Favorite);
    };
}

void TSelectFrame::GetSettings(ISelectFrameSettings **Result)
{
    handOut(Settings, Result);
}
void TSelectFrame::GetParams(INamedParams **Result)
{
    handOut(Params, Result);
}
void TSelectFrame::GetMethods(INamedMethods **Result)
{
    handOut(Methods, Result);
}
void TSelectFrame::GetState(IDataStorage **Result)
{
    handOut(State, Result);
}

void TSelectFrame::GetFavorites(IDataStorage **Result)
{
    *Result = nullptr;
    if (Favorites)
        Favorites->QueryInterface(IDataStorage::iid, reinterpret_cast<void **>(Result));
}

QWidget *TSelectFrame::GetControl()
{
    return Control.data();
}

void TSelectFrame::NewItem(IFrameItem **Result)
{
    *Result = nullptr;
    if (Control)
        Control->NewItem(Result);
}

void TSelectFrame::Initialize()
{
    if (!Control)
        return;
    if (Control->IsInitialized())
        throw EFrameException(res::text(res::SFrameAlreadyInitialized));
    Control->Initialize();
}

void TSelectFrame::Reserved()
{}

} // namespace selectframe
