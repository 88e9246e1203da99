// SPDX-License-Identifier: MIT
// The plug-in as a host loads it: by path, through its one export.
#pragma once

#include <selectframe/SelectFrame.h>

#include <QLibrary>
#include <QTest>
#include <QWidget>

namespace selectframe::test {

/// A part of a frame or an item, as `getter` hands it out.
template <class O, class I>
IPtr<I> part(O *object, void (SF_CALL O::*getter)(I **))
{
    IPtr<I> result;
    (object->*getter)(result.put());
    return result;
}

/// A new item of `frame` with `id` as its ID and caption, and `values`
/// given as "name=value".
inline IPtr<IFrameItem> newItem(ISelectFrame *frame, const QString &id, const QStringList &values = {})
{
    IPtr<IFrameItem> item;
    frame->NewItem(item.put());
    item->SetID(id);
    item->SetCaption(id);
    for (const QString &value : values)
        part(item.get(), &IFrameItem::GetValues)->SetValue(value.section(u'=', 0, 0), value.section(u'=', 1));
    return item;
}

/// The built plug-in and a frame maker over its factory; `load` is a
/// suite's first step.
struct TLoadedPlugin
{
    QLibrary library{QStringLiteral(SF_PLUGIN_PATH)};
    TCreateManager create = nullptr;

    void load()
    {
        QVERIFY2(library.load(), qPrintable(library.errorString()));
        create = reinterpret_cast<TCreateManager>(library.resolve(CreateManagerSymbol));
        QVERIFY(create);
    }

    /// A new frame with an item per ID, and its control placed in `window`
    /// when one is given.
    IPtr<ISelectFrame> newFrame(const QStringList &ids = {}, QWidget *window = nullptr) const
    {
        IPtr<ISelectFrameFactory> factory;
        create(factory.put());
        IPtr<ISelectFrame> frame;
        factory->CreateFrame(frame.put());
        for (const QString &id : ids)
            newItem(frame.get(), id);
        if (window) {
            frame->GetControl()->setParent(window);
            frame->GetControl()->resize(400, 300);
        }
        return frame;
    }
};

} // namespace selectframe::test
