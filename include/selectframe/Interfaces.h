// SPDX-License-Identifier: MIT
// The interfaces that cross between a host and the select frame library.
// Methods are declared in their fixed slot order after the three slots of
// IInterface. Strings, variants and interfaces are yielded through out
// parameters; an interface yielded that way carries a reference the caller
// must release (IPtr::put() does that for you).
#pragma once

#include <selectframe/Base.h>

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <QVariant>

class QWidget;

namespace selectframe {

/// The row of a tree that shows an item. Opaque to hosts.
struct TSelectFrameNode;

/// Kind of an object of a frame's item model.
enum TFrameObjectKind : int32_t {
    fokItem = 1,
    fokGroup = 2
};

/// Check state of a row; fcsMixed occurs for groups only.
enum TFrameCheckState : uint8_t {
    fcsUnchecked = 0,
    fcsChecked = 1,
    fcsMixed = 2
};

/// How rows may be checked.
enum TFrameSelectMode : uint8_t {
    fsmOff = 0,
    fsmOn = 1,
    fsmOnlyAll = 2,
    fsmOnlyOne = 3
};

/// Which favorites user interface a frame offers.
enum TFrameFavoritesMode : uint8_t {
    ffmExternal = 0,
    ffmEmbedded = 1
};

// ---------------------------------------------------------------------------
// Named parameters and named methods

/// A bag of variant values under 8-bit keys: a frame's options and
/// properties.
struct INamedParams : IInterface
{
    static constexpr TGUID iid = guid("{C68894B5-57F1-471F-B5A5-A27D9D065B71}");
    /// The value under `Name`; an invalid variant when there is none.
    virtual void SF_CALL GetValue(const QByteArray &Name, QVariant *Value) = 0;
    /// Stores `Value` under `Name`, through the write hook; an empty name is ignored.
    virtual void SF_CALL SetValue(const QByteArray &Name, const QVariant &Value) = 0;
    virtual bool SF_CALL Exists(const QByteArray &Name) = 0;
};

/// Indexed view of a value bag, in key order. Each call walks from the
/// first key: meant for small bags and occasional use.
struct INamedParamsList : IInterface
{
    static constexpr TGUID iid = guid("{48A7382B-F815-4BCB-9380-307790432D8B}");
    virtual int32_t SF_CALL GetCount() = 0;
    /// The key at `Index`; empty past the end.
    virtual void SF_CALL GetName(int32_t Index, QByteArray *Name) = 0;
    /// The value at `Index`; invalid past the end.
    virtual void SF_CALL GetValueAt(int32_t Index, QVariant *Value) = 0;
};

/// Write hook of a value bag: may change `*Value` or veto by clearing `*Accept`.
using TParamsWriteHook = void (*)(void *Data, const QByteArray &Name, QVariant *Value, bool *Accept);

/// The write hook of a value bag; the frame never installs one itself.
struct INamedParamsNotify : IInterface
{
    static constexpr TGUID iid = guid("{4D697624-17A3-4EC3-89CF-D36EE14F183A}");
    virtual TMethod SF_CALL GetHook() = 0;
    virtual void SF_CALL SetHook(TMethod Hook) = 0;
};

/// A registry of method pointers under 8-bit keys: a frame's event handlers.
struct INamedMethods : IInterface
{
    static constexpr TGUID iid = guid("{DE70B8E9-FF29-402E-B375-7F24CE93ECF0}");
    /// The method under `Name`; both words null when there is none.
    virtual TMethod SF_CALL GetMethod(const QByteArray &Name) = 0;
    /// Registers, replaces or (with an unassigned method) removes `Name`.
    virtual void SF_CALL SetMethod(const QByteArray &Name, const TMethod &Method) = 0;
};

/// Registration hook of a method registry: may change `*Method` or keep the
/// registry from storing it by clearing `*Accept`.
using TMethodsRegisterHook = void (*)(void *Data, const QByteArray &Name, TMethod *Method, bool *Accept);

struct INamedMethodsNotify : IInterface
{
    static constexpr TGUID iid = guid("{67C901CD-81E8-45BA-9862-E4D3223F70F6}");
    virtual TMethod SF_CALL GetHook() = 0;
    virtual void SF_CALL SetHook(TMethod Hook) = 0;
};

/// An item's free-form name=value pairs. Names are not case-sensitive.
struct IStringValueList : IInterface
{
    static constexpr TGUID iid = guid("{8C2F41D4-7F4B-4386-BDB2-4948920B8E66}");
    /// The value of the first pair named `Name`; empty when there is none.
    virtual void SF_CALL GetValue(const QString &Name, QString *Value) = 0;
    /// Replaces or appends the pair; an empty `Value` removes it.
    virtual void SF_CALL SetValue(const QString &Name, const QString &Value) = 0;
};

/// Load and save of a storage object's state as lines of text. The list is
/// the caller's; the storage neither keeps nor frees it.
struct IDataStorage : IInterface
{
    static constexpr TGUID iid = guid("{B2A22FB3-8EF3-47DC-923F-2968622318A1}");
    virtual void SF_CALL Load(const QStringList &Source) = 0;
    virtual void SF_CALL Save(QStringList *Target) = 0;
};

// ---------------------------------------------------------------------------
// Items, favorites and their enumerators

/// One row the host supplies: an ID, a caption and free-form values
/// ("group", "image", "hint", "c_action_link", "c_action_link_err",
/// "column%d_data").
struct IFrameItem : IInterface
{
    static constexpr TGUID iid = guid("{825E0CA7-E3C7-4448-BD6F-AF8E56C6A38D}");
    virtual void SF_CALL GetID(QString *ID) = 0;
    /// Stores `ID` unless it differs from the current ID only in letter case.
    virtual void SF_CALL SetID(const QString &ID) = 0;
    virtual void SF_CALL GetCaption(QString *Caption) = 0;
    virtual void SF_CALL SetCaption(const QString &Caption) = 0;
    virtual void SF_CALL GetValues(IStringValueList **Values) = 0;
};

/// An item that knows the tree row showing it.
struct IFrameItemEx : IFrameItem
{
    static constexpr TGUID iid = guid("{16B7B9C8-02ED-4197-898E-A06A3A92750E}");
    /// The row showing the item, null while none does.
    virtual TSelectFrameNode *SF_CALL GetNode() = 0;
    /// Set by the frame's trees as they show and discard rows; a host never
    /// calls it, since the row operations below trust the node to be theirs.
    virtual void SF_CALL SetNode(TSelectFrameNode *Node) = 0;
    /// Whether the row is checked; false while no row shows the item.
    virtual bool SF_CALL GetChecked() = 0;
    /// Sets the row's state only: no repaint, no group update, no change event.
    virtual void SF_CALL SetChecked(bool Value) = 0;
    /// Re-styles the row's action link after the host changed the item's values.
    virtual void SF_CALL Refresh() = 0;
};

/// A named list of item IDs.
struct ISelectFavorite : IInterface
{
    static constexpr TGUID iid = guid("{BB993563-5E90-43E7-BF0B-0DF9FAA77E9A}");
    virtual void SF_CALL GetName(QString *Name) = 0;
    virtual void SF_CALL SetName(const QString &Name) = 0;
    /// The favorite's own ID list (not a copy); owned by the favorite.
    virtual QStringList *SF_CALL GetItems() = 0;
};

struct IFavoritesEnumerator;

/// The list of favorites of a frame.
struct IFavoritesManager : IInterface
{
    static constexpr TGUID iid = guid("{666A6D1F-F097-47B0-A3C8-D603AF0F7330}");
    /// The first favorite named exactly `Name`; null when there is none.
    virtual void SF_CALL Find(const QString &Name, ISelectFavorite **Favorite) = 0;
    /// `Find`, or a new empty favorite appended under that name.
    virtual void SF_CALL Add(const QString &Name, ISelectFavorite **Favorite) = 0;
    virtual void SF_CALL Remove(const QString &Name) = 0;
    virtual void SF_CALL GetEnumerator(IFavoritesEnumerator **Enumerator) = 0;
    virtual void SF_CALL Clear() = 0;
};

/// Forward enumerator over a frame's items; holds the list locked while alive.
struct IFrameItemEnumerator : IInterface
{
    static constexpr TGUID iid = guid("{FDBE8EA6-13E3-4EED-A3DE-9D161849A3E8}");
    virtual void SF_CALL GetCurrent(IFrameItem **Item) = 0;
    virtual void SF_CALL Reset() = 0;
    virtual bool SF_CALL MoveNext() = 0;
};

/// Forward enumerator over favorites; holds the list locked while alive.
struct IFavoritesEnumerator : IInterface
{
    static constexpr TGUID iid = guid("{EC502507-E391-4417-9199-1B70EC363A56}");
    virtual void SF_CALL GetCurrent(ISelectFavorite **Favorite) = 0;
    virtual void SF_CALL Reset() = 0;
    virtual bool SF_CALL MoveNext() = 0;
};

// ---------------------------------------------------------------------------
// The frame

struct ISelectFrame;

/// The host's view of a frame's settings.
struct ISelectFrameSettings : IInterface
{
    static constexpr TGUID iid = guid("{3431F838-56C5-411B-9719-27AB3D8BF8BC}");
    virtual bool SF_CALL GetShowOnlyChecked() = 0;
    virtual void SF_CALL SetShowOnlyChecked(bool Value) = 0;
};

/// The host's handle on one frame.
struct ISelectFrame : IInterface
{
    static constexpr TGUID iid = guid("{9967CF22-20D2-4EED-88A9-6834697A895A}");
    virtual void SF_CALL GetSettings(ISelectFrameSettings **Settings) = 0;
    /// Options ("option://") and properties ("property://").
    virtual void SF_CALL GetParams(INamedParams **Params) = 0;
    /// The registry for the "events://" handlers.
    virtual void SF_CALL GetMethods(INamedMethods **Methods) = 0;
    /// Load/save of all favorites, one "name=id,id,..." line each.
    virtual void SF_CALL GetFavorites(IDataStorage **Favorites) = 0;
    /// Load/save of the checked item IDs, one per line.
    virtual void SF_CALL GetState(IDataStorage **State) = 0;
    /// The visual control to place in a host window; owned by the frame.
    virtual QWidget *SF_CALL GetControl() = 0;
    /// A new item, appended to the frame's items.
    virtual void SF_CALL NewItem(IFrameItem **Item) = 0;
    /// Builds the visible frame; allowed once (EFrameException otherwise).
    virtual void SF_CALL Initialize() = 0;
    virtual void SF_CALL Reserved() = 0;
};

/// Creates frames.
struct ISelectFrameFactory : IInterface
{
    static constexpr TGUID iid = guid("{84460C45-D4BF-4AB9-B013-409AD3618DE0}");
    virtual void SF_CALL CreateFrame(ISelectFrame **Frame) = 0;
};

// ---------------------------------------------------------------------------
// Handler signatures of the "events://" keys. `Data` is the method
// pointer's bound data; `Sender` is the frame. Var arguments are pointers.

using TOnChangeHandler = void (*)(void *Data, ISelectFrame *Sender);
using TItemCompareHandler = void (*)(void *Data, ISelectFrame *Sender, IFrameItem *Item1, IFrameItem *Item2,
                                     int32_t Column, int32_t SortType, int32_t *Result);
using TGroupCompareHandler = void (*)(void *Data, ISelectFrame *Sender, const QString &Caption1,
                                      const QString &Caption2, int32_t Column, int32_t SortType, int32_t *Result);
using TChangeGroupHandler = void (*)(void *Data, ISelectFrame *Sender, const QString &GroupID,
                                     IFrameItemEnumerator *Enum);
using TActionClickHandler = void (*)(void *Data, ISelectFrame *Sender, IFrameItem *Item);
using TFavActionHandler = void (*)(void *Data, ISelectFrame *Sender, int32_t Action, const QVariant &Value);
using TItemQueryHandler = void (*)(void *Data, ISelectFrame *Sender, IFrameItem *Item, const QString &Favorite);

} // namespace selectframe

/// The item in the value of favorite action 6 of "events://fav_action"
/// travels as a counted reference:
///   IPtr<IFrameItem> item = Value.toList().at(1).value<IPtr<IFrameItem>>();
Q_DECLARE_METATYPE(selectframe::IPtr<selectframe::IFrameItem>)
