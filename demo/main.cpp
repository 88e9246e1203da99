// selectframe-demo: loads the plug-in through its one export and shows a
// frame over the bundled search-engine list.
#include "DemoHost.h"

#include <QApplication>
#include <QDialog>
#include <QCommandLineParser>
#include <QDir>
#include <QLibrary>
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
    parser.addOptions({screenshot, items, plugin, embedded, organize});
    parser.process(app);

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
