// SPDX-License-Identifier: MIT
// Timing and memory helpers shared by the benchmark programs.
#pragma once

#include <QApplication>
#include <QElapsedTimer>
#include <QString>
#include <QWidget>

#include <cstdio>
#include <ctime>
#include <functional>

namespace selectframe::bench {

/// Milliseconds `work` takes, best of `runs` (each run after `setup`).
inline double timeMs(const std::function<void()> &work, int runs = 1, const std::function<void()> &setup = {})
{
    double best = 1e300;
    for (int i = 0; i < runs; ++i) {
        if (setup)
            setup();
        QElapsedTimer timer;
        timer.start();
        work();
        best = std::min(best, timer.nsecsElapsed() / 1e6);
    }
    return best;
}

/// CPU time this process has used so far, in milliseconds. Unlike the wall
/// clock it does not grow while other processes hold the cores, so it is
/// the figure to trust on a busy machine.
inline double processCpuMs()
{
    timespec t{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
    return t.tv_sec * 1e3 + t.tv_nsec / 1e6;
}

/// Lets pending events through (layouts, show), then paints `widget` and
/// its children at once.
inline void paintNow(QWidget *widget)
{
    QApplication::processEvents();
    widget->repaint();
}

/// Paints what the last changes marked dirty, as the event loop would right
/// after them: pending updates, and the layouts views put off to a zero
/// timer, which mark more. Unlike paintNow it paints no untouched widget,
/// so contenders made of different widgets pay only for what changed.
inline void paintPending()
{
    for (int round = 0; round < 3; ++round)
        QApplication::processEvents();
}

/// Milliseconds `work` and the painting of what it changed take.
inline double paintedMs(const std::function<void()> &work)
{
    return timeMs([&] {
        work();
        paintPending();
    });
}

/// Resident memory of this process in bytes (Linux), 0 where unknown.
inline qint64 residentBytes()
{
    qint64 pages = 0;
    if (FILE *f = std::fopen("/proc/self/statm", "r")) {
        long size = 0, resident = 0;
        if (std::fscanf(f, "%ld %ld", &size, &resident) == 2)
            pages = resident;
        std::fclose(f);
    }
    return pages * 4096;
}

/// Peak resident memory of this process in bytes (Linux), 0 where unknown.
inline qint64 peakResidentBytes()
{
    qint64 kb = 0;
    if (FILE *f = std::fopen("/proc/self/status", "r")) {
        char line[256];
        while (std::fgets(line, sizeof line, f))
            if (std::sscanf(line, "VmHWM: %lld kB", &kb) == 1)
                break;
        std::fclose(f);
    }
    return kb * 1024;
}

/// One line of a comparison table: our figure, the peer's, and how many
/// times faster we are.
inline void printRow(const char *what, double ours, double peer, const char *unit = "ms")
{
    std::printf("  %-44s %10.1f %s %10.1f %s   %6.1fx\n", what, ours, unit, peer, unit, ours > 0 ? peer / ours : 0.0);
}

} // namespace selectframe::bench
