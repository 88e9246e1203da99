// SPDX-License-Identifier: MIT
// selectframe-demo: loads the plug-in through its one export and shows a
// frame over the bundled search-engine list.
#include "DarkPalette.h"
#include "DemoHost.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QDialog>
#include <QDir>
#include <QKeyEvent>
#include <QLibrary>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QStyleFactory>
#include <QTimer>

#include <cstdio>

using namespace selectframe;

namespace {

/// The plug-in beside the executable, else where the build put it.
QString defaultPlugin()
{
    const QString beside = QDir(QCoreApplication::applicationDirPath()).filePath(QStringLiteral("libselectframe.so"));
    return QFile::exists(beside) ? beside : QStringLiteral(SF_PLUGIN_PATH);
}

/// Types into the frame's filter box and leaves it, which applies at once.
void typeIntoFilterBox(QWidget &window, const QString &text)
{
    auto *box = window.findChild<QLineEdit *>(QStringLiteral("edFilter"));
    if (!box)
        return;
    // Keys go to the focused widget of the active window only.
    window.activateWindow();
    box->setFocus(Qt::TabFocusReason);
    QCoreApplication::processEvents();
    for (const QChar c : text) {
        QKeyEvent press(QEvent::KeyPress, 0, Qt::NoModifier, QString(c));
        QKeyEvent release(QEvent::KeyRelease, 0, Qt::NoModifier, QString(c));
        QApplication::sendEvent(box, &press);
        QApplication::sendEvent(box, &release);
    }
    QKeyEvent tab(QEvent::KeyPress, Qt::Key_Tab, Qt::NoModifier);
    QApplication::sendEvent(box, &tab);
}

/// Opens the group-by button's menu and chooses the entry captioned
/// `caption` with the keyboard; a caption the menu lacks closes it.
void chooseGrouping(QWidget &window, const QString &caption)
{
    auto *button = window.findChild<QPushButton *>(QStringLiteral("btnGroupBy"));
    if (!button)
        return;
    QTimer::singleShot(0, button, [caption] {
        auto *menu = qobject_cast<QMenu *>(QApplication::activePopupWidget());
        if (!menu)
            return;
        for (QAction *entry : menu->actions())
            if (entry->text() == caption) {
                menu->setActiveAction(entry);
                QKeyEvent enter(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier);
                QApplication::sendEvent(menu, &enter);
                return;
            }
        menu->close();
    });
    button->click();
}

} // namespace

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    QCoreApplication::setOrganizationName(QStringLiteral("selectframe"));
    QCoreApplication::setApplicationName(QStringLiteral("selectframe-demo"));

    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral("Shows a select frame over the bundled search-engine list."));
    parser.addHelpOption();
    const QCommandLineOption screenshot(QStringLiteral("screenshot"),
                                        QStringLiteral("Render the window to a PNG file and exit."),
                                        QStringLiteral("file"));
    const QCommandLineOption items(QStringLiteral("items"), QStringLiteral("Use N synthetic items instead."),
                                   QStringLiteral("N"));
    const QCommandLineOption plugin(QStringLiteral("plugin"), QStringLiteral("Path of the plug-in to load."),
                                    QStringLiteral("path"), defaultPlugin());
    const QCommandLineOption embedded(QStringLiteral("embedded"),
                                      QStringLiteral("Keep one unnamed favorite behind the Favorites button."));
    const QCommandLineOption organize(QStringLiteral("organize"),
                                      QStringLiteral("With --screenshot: render the Favorites Manager instead."));
    const QCommandLineOption filter(
        QStringLiteral("filter"),
        QStringLiteral("Type TEXT into the filter box, as a user would, before anything else."),
        QStringLiteral("text"));
    const QCommandLineOption group(QStringLiteral("group"),
                                   QStringLiteral("Then choose the grouping CAPTION from the group-by button's menu."),
                                   QStringLiteral("caption"));
    const QCommandLineOption dark(QStringLiteral("dark"), QStringLiteral("Use a dark palette (Fusion style)."));
    parser.addOptions({screenshot, items, plugin, embedded, organize, filter, group, dark});
    parser.process(app);
    if (parser.isSet(dark)) {
        QApplication::setStyle(QStyleFactory::create(QStringLiteral("Fusion")));
        QApplication::setPalette(demo::darkPalette());
    }

    QLibrary library(parser.value(plugin));
    const auto create = reinterpret_cast<TCreateManager>(library.resolve(CreateManagerSymbol));
    if (!create) {
        std::fprintf(stderr, "cannot load the plug-in: %s\n", qPrintable(library.errorString()));
        return 1;
    }

    QList<demo::TEngine> engines;
    if (parser.isSet(items)) {
        engines = demo::syntheticEngines(parser.value(items).toInt(), 1000);
    } else {
        QString error;
        engines = demo::loadEngines(QStringLiteral(":/data/bangs.json"), &error);
        if (engines.isEmpty()) {
            std::fprintf(stderr, "%s\n", qPrintable(error));
            return 1;
        }
    }

    int result = 0;
    {
        demo::TDemoHost window(create, engines, parser.isSet(embedded));
        window.show();
        if (parser.isSet(filter))
            typeIntoFilterBox(window, parser.value(filter));
        if (parser.isSet(group))
            chooseGrouping(window, parser.value(group));
        if (parser.isSet(screenshot)) {
            const auto save = [&](QWidget *shown) {
                const QString file = parser.value(screenshot);
                if (!shown->grab().save(file)) {
                    std::fprintf(stderr, "cannot write %s\n", qPrintable(file));
                    result = 1;
                }
            };
            QTimer::singleShot(0, &window, [&] {
                if (parser.isSet(organize)) {
                    window.organizeFavorites([&](QDialog *dialog) {
                        save(dialog);
                        dialog->reject();
                    });
                } else {
                    save(&window);
                }
                app.quit();
            });
        }
        const int code = app.exec();
        result = result ? result : code;
    }
    return result;
}
