// SPDX-License-Identifier: MIT
#include "LibraryTranslator.h"

#include <selectframe/SelectFrame.h>

#include <QCoreApplication>
#include <QTranslator>
#include <QVariant>

#include <memory>

namespace selectframe {

namespace {

/// Lives as long as the library: unloading it takes the translator (whose
/// destructor leaves the application) along.
std::unique_ptr<QTranslator> &libraryTranslator()
{
    static std::unique_ptr<QTranslator> translator;
    return translator;
}

} // namespace

bool installLibraryTranslator(const QLocale &Locale, const QString &Directory)
{
    removeLibraryTranslator();
    auto translator = std::make_unique<QTranslator>();
    if (!translator->load(Locale, QStringLiteral("selectframe"), QStringLiteral("_"), Directory))
        return false;
    if (!QCoreApplication::installTranslator(translator.get()))
        return false;
    libraryTranslator() = std::move(translator);
    return true;
}

void removeLibraryTranslator()
{
    libraryTranslator().reset();
}

void applyHostTranslationChoice()
{
    const QCoreApplication *app = QCoreApplication::instance();
    if (!app)
        return;
    const QVariant choice = app->property(TranslateProperty);
    // Once while allowed: installing sends every widget of the host a
    // language change.
    static bool tried = false;
    if (choice.isValid() && !choice.toBool()) {
        removeLibraryTranslator();
        tried = false;
        return;
    }
    if (!tried) {
        tried = true;
        installLibraryTranslator(QLocale());
    }
}

} // namespace selectframe
