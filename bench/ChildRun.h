// SPDX-License-Identifier: MIT
// Each contender of a benchmark runs in a process of its own, so its memory
// and caches are its own: the parent starts this program again with
// "--run" and the contender's arguments and reads back "figure value" lines.
#pragma once

#include <QApplication>
#include <QMap>
#include <QProcess>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <vector>

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

/// How many times each contender runs: the machine is shared, so every
/// figure is a median over runs of its own process, the contenders taking
/// turns so that a busy spell falls on all of them alike.
constexpr int kRounds = 5;

/// The runs of each contender, `rounds` of each, alternating: result[c][r]
/// is round r of contender c (whose arguments are contenders[c]).
inline std::vector<std::vector<TRunResult>> runRounds(const std::vector<QStringList> &contenders, int timeoutMs,
                                                      int rounds = kRounds)
{
    std::vector<std::vector<TRunResult>> results(contenders.size());
    for (int r = 0; r < rounds; ++r)
        for (size_t c = 0; c < contenders.size(); ++c)
            results[c].push_back(runChild(contenders[c], timeoutMs));
    return results;
}

/// The median and the range of one figure over the completed runs that
/// have it, each multiplied by `scale`.
struct TSpread
{
    double Median = 0;
    double Min = 0;
    double Max = 0;
    int Count = 0;

    /// Whether the two ranges overlap: then neither is ahead.
    bool overlaps(const TSpread &o) const { return Count && o.Count && Min <= o.Max && o.Min <= Max; }
    /// "12.3 (11.9-13.0)".
    QString text(int decimals = 1) const
    {
        return QStringLiteral("%1 (%2-%3)")
            .arg(Median, 0, 'f', decimals)
            .arg(Min, 0, 'f', decimals)
            .arg(Max, 0, 'f', decimals);
    }
};

inline TSpread spreadOf(const std::vector<TRunResult> &runs, const char *key, double scale = 1)
{
    std::vector<double> values;
    for (const TRunResult &run : runs)
        if (run.Figures.contains(QString::fromLatin1(key)))
            values.push_back(run.Figures.value(QString::fromLatin1(key)) * scale);
    TSpread s;
    if (values.empty())
        return s;
    std::sort(values.begin(), values.end());
    const size_t n = values.size();
    s.Median = n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
    s.Min = values.front();
    s.Max = values.back();
    s.Count = int(n);
    return s;
}

/// How ours (time `mine`) stands against a peer (time `theirs`): the ratio
/// of the medians, peer over ours, or "tie" when the ranges overlap.
inline QString verdict(const TSpread &mine, const TSpread &theirs)
{
    if (!mine.Count || !theirs.Count)
        return QStringLiteral("-");
    if (mine.overlaps(theirs))
        return QStringLiteral("tie");
    return QStringLiteral("%1x").arg(mine.Median > 0 ? theirs.Median / mine.Median : 0.0, 0, 'f', 1);
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
