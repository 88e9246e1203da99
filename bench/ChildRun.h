// Each contender of a benchmark runs in a process of its own, so its memory
// and caches are its own: the parent starts this program again with
// "--run" and the contender's arguments and reads back "figure value" lines.
#pragma once

#include <QApplication>
#include <QMap>
#include <QProcess>

#include <cstdio>
#include <functional>

namespace selectframe::bench {

/// The figures one child printed.
struct TRunResult
{
    int Items = 0;
    QMap<QString, double> Figures;
    bool Complete = false;
};

/// Runs this program with "--run" and `args`, killing it after `timeoutMs`;
/// what it printed until then is kept.
inline TRunResult runChild(const QStringList &args, int timeoutMs)
{
    QProcess p;
    p.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    p.start(QCoreApplication::applicationFilePath(), QStringList{"--run"} + args);
    TRunResult r;
    if (!p.waitForFinished(timeoutMs)) {
        p.kill();
        p.waitForFinished();
    } else {
        r.Complete = p.exitStatus() == QProcess::NormalExit && p.exitCode() == 0;
    }
    for (const QByteArray &line : p.readAllStandardOutput().split('\n')) {
        const QList<QByteArray> parts = line.split(' ');
        if (parts.size() == 2)
            r.Figures[QString::fromLatin1(parts[0])] = parts[1].toDouble();
    }
    r.Items = int(r.Figures.value("items"));
    return r;
}

/// Prints one figure for the parent to read.
inline void report(const char *key, double value)
{
    std::printf("%s %.3f\n", key, value);
    std::fflush(stdout);
}

/// The main of a benchmark over child processes, on the offscreen platform
/// unless another is asked for: "--run <contender> <items>" runs one
/// contender in this process; otherwise `drive` gets the item count and the
/// peers' item count from the command line (default a million each).
inline int benchMain(int argc, char **argv, const std::function<int(const QString &, int)> &runContender,
                     const std::function<int(int, int)> &drive)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() == 4 && args[1] == u"--run")
        return runContender(args[2], args[3].toInt());
    const int count = args.size() > 1 ? args[1].toInt() : 1000000;
    return drive(count, args.size() > 2 ? args[2].toInt() : count);
}

} // namespace selectframe::bench
