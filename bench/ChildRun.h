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
#include <utility>
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

/// Median and range of one figure over repeated runs.
struct TStats
{
    double Median = 0;
    double Min = 0;
    double Max = 0;
    int Runs = 0;

    TStats scaled(double factor) const { return {Median * factor, Min * factor, Max * factor, Runs}; }
};

inline TStats statsOf(std::vector<double> values)
{
    TStats s;
    s.Runs = int(values.size());
    if (values.empty())
        return s;
    std::sort(values.begin(), values.end());
    const size_t n = values.size();
    s.Median = n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
    s.Min = values.front();
    s.Max = values.back();
    return s;
}

/// Every figure one contender printed over repeated runs.
struct TRunSeries
{
    QString Name;
    /// Items of the contender's runs (all runs use the same count).
    int Items = 0;
    QMap<QString, std::vector<double>> Figures;
    int Incomplete = 0;

    TStats stats(const QString &key) const { return statsOf(Figures.value(key)); }
};

/// How many times each contender runs: SF_BENCH_RUNS, at least 1, 5 unless
/// set.
inline int benchRuns()
{
    bool ok = false;
    const int runs = qEnvironmentVariableIntValue("SF_BENCH_RUNS", &ok);
    return ok ? std::max(1, runs) : 5;
}

/// Runs every contender (a name and its "--run" arguments) `runs` times,
/// in turn, so that a slow spell of a busy machine falls on all of them
/// alike rather than on whichever ran then.
inline std::vector<TRunSeries> runAlternating(const std::vector<std::pair<QString, QStringList>> &contenders,
                                              int runs, int timeoutMs)
{
    std::vector<TRunSeries> series(contenders.size());
    for (int run = 0; run < runs; ++run) {
        for (size_t c = 0; c < contenders.size(); ++c) {
            const TRunResult r = runChild(contenders[c].second, timeoutMs);
            TRunSeries &s = series[c];
            s.Name = contenders[c].first;
            s.Items = std::max(s.Items, r.Items);
            s.Incomplete += !r.Complete;
            for (auto it = r.Figures.cbegin(); it != r.Figures.cend(); ++it)
                s.Figures[it.key()].push_back(it.value());
        }
        std::fprintf(stderr, "run %d of %d done\n", run + 1, runs);
    }
    return series;
}

/// One line of a comparison: our median and range, each peer's (scaled to
/// our item count) with the ratio peer / ours, "tie" where the ranges
/// overlap, and our figure against its target when there is one.
inline void printComparison(const char *label, const char *key, const TRunSeries &ours,
                            const std::vector<const TRunSeries *> &peers, double targetMs = 0)
{
    const TStats mine = ours.stats(QString::fromLatin1(key));
    if (!mine.Runs) {
        std::printf("  %-40s %s\n", label, "-");
        return;
    }
    std::printf("  %-40s %8.2f ms [%.2f-%.2f]", label, mine.Median, mine.Min, mine.Max);
    if (targetMs > 0)
        std::printf(" %s %g", mine.Median <= targetMs ? "<=" : "> ", targetMs);
    for (const TRunSeries *peer : peers) {
        const TStats s = peer->stats(QString::fromLatin1(key));
        if (!s.Runs || !peer->Items) {
            std::printf(" | %s: -", qPrintable(peer->Name));
            continue;
        }
        const TStats theirs = s.scaled(double(ours.Items) / peer->Items);
        const bool tie = theirs.Min <= mine.Max && mine.Min <= theirs.Max;
        std::printf(" | %s %.2f ms [%.2f-%.2f] %.1fx%s", qPrintable(peer->Name), theirs.Median, theirs.Min,
                    theirs.Max, mine.Median > 0 ? theirs.Median / mine.Median : 0.0, tie ? " tie" : "");
    }
    std::printf("\n");
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
