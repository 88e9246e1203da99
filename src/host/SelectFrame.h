// SPDX-License-Identifier: MIT
// The host's handle on one frame.
#pragma once

#include "platform/InterfacedObject.h"

#include <QPointer>

#include <memory>

namespace selectframe {

class TSelectFrameControl;

/// A frame as the host sees it: a facade over one frame control and its
/// frame manager. It owns the control and destroys it on the last release,
/// even while the host still has it placed in a window; released from one
/// of its own handlers, it hides the control and destroys it once the
/// control has returned to the event loop. Host handlers are
/// registered through the method registry, whose hook the frame captures:
/// the registry itself then stores nothing, and every handler is called
/// with the frame as sender.
class TSelectFrame final : public TInterfacedObject<ISelectFrame>
{
public:
    /// Creates the control and wires it to the frame; the option defaults
    /// are the factory's business.
    TSelectFrame();

    void SF_CALL GetSettings(ISelectFrameSettings **Result) override;
    void SF_CALL GetParams(INamedParams **Result) override;
    void SF_CALL GetMethods(INamedMethods **Result) override;
    void SF_CALL GetFavorites(IDataStorage **Result) override;
    void SF_CALL GetState(IDataStorage **Result) override;
    QWidget *SF_CALL GetControl() override;
    void SF_CALL NewItem(IFrameItem **Result) override;
    void SF_CALL Initialize() override;
    void SF_CALL Reserved() override;

private:
    /// The handler slots, in the order of the event keys.
    enum THandler {
        hChange,
        hItemCompare,
        hGroupCompare,
        hChangeGroup,
        hActionClick,
        hFavAction,
        hItemQuery,
        HandlerCount
    };

    ~TSelectFrame() override;

    static void RegisterHandler(void *Data, const QByteArray &Name, TMethod *Method, bool *Accept);
    void BindControlEvents();
    /// Gives the control the compare events the host has handlers for, and
    /// tells it whether the item query has one.
    void BindHostHandlers();
    /// Calls the handler in `slot` of `frame` (as the control's events name
    /// it through Link) with the frame as sender, when assigned.
    template <class Handler, class... Args>
    static void Forward(TSelectFrame *frame, THandler slot, Args &&...args);

    IPtr<ISelectFrameSettings> Settings;
    IPtr<INamedParams> Params;
    IPtr<IFavoritesManager> Favorites;
    IPtr<IDataStorage> State;
    IPtr<INamedMethods> Methods;
    // The host's window may delete the control before the frame goes.
    QPointer<TSelectFrameControl> Control;
    TMethod Handlers[HandlerCount];
    /// What the control's events reach the frame through; cleared when the
    /// frame goes, so a control outliving it calls no handler.
    std::shared_ptr<TSelectFrame *> Link = std::make_shared<TSelectFrame *>(this);
};

} // namespace selectframe
