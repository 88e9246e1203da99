// selectframe-demo: loads the plug-in through its one export and shows a
// frame over the bundled search-engine list.
#include "DarkPalette.h"
#include "DemoHost.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QDir>
#include <QLibrary>
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
    const QCommandLineOption dark(QStringLiteral("dark"), QStringLiteral("Use a dark palette (Fusion style)."));
    parser.addOptions({screenshot, items, plugin, dark});
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
        demo::TDemoHost window(create, engines);
        window.show();
        if (parser.isSet(screenshot)) {
            QTimer::singleShot(0, &window, [&] {
                const QString file = parser.value(screenshot);
                if (!window.grab().save(file)) {
                    std::fprintf(stderr, "cannot write %s\n", qPrintable(file));
                    result = 1;
                }
                app.quit();
            });
        }
        const int code = app.exec();
        result = result ? result : code;
    }
    return result;
}
