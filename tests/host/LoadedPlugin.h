// The plug-in as a host loads it: by path, through its one export.
#pragma once

#include <selectframe/SelectFrame.h>

#include <QLibrary>
#include <QTest>

namespace selectframe::test {

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

    IPtr<ISelectFrame> newFrame() const
    {
        IPtr<ISelectFrameFactory> factory;
        create(factory.put());
        IPtr<ISelectFrame> frame;
        factory->CreateFrame(frame.put());
        return frame;
    }
};

} // namespace selectframe::test
