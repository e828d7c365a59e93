// SPDX-License-Identifier: MIT
// Times the selection window at the row counts given on the command line:
//   fill+show  setExportItems with that many available calibrations and 27 held ones,
//              then the window shown and painted;
//   add/remove a double-click that moves one calibration into the set and back
//              (the way back inserts it into the sorted available table);
//   drag       one step of a held calibration dragged by one row, in a set of that many rows.
// Every move goes through real mouse events and ends with the window repainted.
// Prints one line per row count: rows fill_ms fill_cpu_ms add_ms remove_ms drag_ms move_cpu_ms
// (the cpu figures are processor time, which other load on the machine does not stretch;
// move_cpu_ms is that of an add and a remove on average).
#include "calibrationrecord.h"
#include "heldmouse.h"
#include "sorting.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QMouseEvent>
#include <QTableWidget>
#include <QTest>

#include <algorithm>
#include <cstdio>
#include <random>
#include <time.h>

namespace {

using Pairs = CalibrationPairList;

// Names in a shuffled order, so the window's sort has work to do.
Pairs calibrations(const char *prefix, int count)
{
    Pairs pairs;
    pairs.reserve(count);
    for (int i = 0; i < count; ++i)
        pairs.append({QStringLiteral("%1 %2").arg(QLatin1String(prefix)).arg(i),
                      QStringLiteral("Using Base Calibration #%1").arg(1 + i % 5)});
    std::shuffle(pairs.begin(), pairs.end(), std::mt19937(7));
    return pairs;
}

double msSince(const QElapsedTimer &timer) { return timer.nsecsElapsed() / 1e6; }

double cpuMs()
{
    timespec now{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return now.tv_sec * 1e3 + now.tv_nsec / 1e6;
}

void settle() { QCoreApplication::processEvents(); }

QPoint centreOf(QTableWidget *table, int row)
{
    const QModelIndex index = table->model()->index(row, 0);
    table->scrollTo(index);
    settle();
    return table->visualRect(index).center();
}

// The row must be in view already; the time taken includes the repaint.
void doubleClick(QTableWidget *table, QPoint at)
{
    QTest::mouseClick(table->viewport(), Qt::LeftButton, {}, at);
    QTest::mouseDClick(table->viewport(), Qt::LeftButton, {}, at);
    QTest::mouseRelease(table->viewport(), Qt::LeftButton, {}, at);
    settle();
}

void moveHeldTo(QTableWidget *table, QPoint at)
{
    moveWithButtonHeld(table->viewport(), at);
    settle();
}

struct Figures
{
    double fill = 0, fillCpu = 0, add = 0, remove = 0, drag = 0, moveCpu = 0;
};

Figures measure(int rows, int moves)
{
    Figures f;
    const Pairs available = calibrations("Catalogue", rows);
    const Pairs held = calibrations("Held", 27);
    {
        Sorting window;
        auto *source = window.findChild<QTableWidget *>("export_source_TWG");
        auto *current = window.findChild<QTableWidget *>("export_current_TWG");
        QElapsedTimer timer;
        timer.start();
        const double cpuStart = cpuMs();
        window.setExportItems(available, held);
        window.show();
        settle();
        f.fill = msSince(timer);
        f.fillCpu = cpuMs() - cpuStart;

        std::mt19937 pick(11);
        for (int i = 0; i < moves; ++i) {
            QPoint at = centreOf(source, int(pick() % unsigned(source->rowCount())));
            timer.restart();
            double cpuStart = cpuMs();
            doubleClick(source, at);
            f.add += msSince(timer);
            f.moveCpu += cpuMs() - cpuStart;
            at = centreOf(current, current->rowCount() - 1);
            timer.restart();
            cpuStart = cpuMs();
            doubleClick(current, at);
            f.remove += msSince(timer);
            f.moveCpu += cpuMs() - cpuStart;
        }
    }
    {
        Sorting window;
        window.setExportItems({}, calibrations("Held", rows));
        window.show();
        settle();
        auto *current = window.findChild<QTableWidget *>("export_current_TWG");
        const int start = rows / 2;
        QTest::mousePress(current->viewport(), Qt::LeftButton, {}, centreOf(current, start));
        QElapsedTimer timer;
        for (int i = 1; i <= moves; ++i) {
            const QPoint at = centreOf(current, start - i);
            timer.start();
            moveHeldTo(current, at);
            f.drag += msSince(timer);
        }
        QTest::mouseRelease(current->viewport(), Qt::LeftButton, {}, centreOf(current, start - moves));
    }
    f.add /= moves;
    f.remove /= moves;
    f.drag /= moves;
    f.moveCpu /= 2 * moves;
    return f;
}

} // namespace

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    const int moves = 20;
    measure(1000, moves); // the first window of a process pays for styles and fonts once
    for (int i = 1; i < argc; ++i) {
        const int rows = QByteArray(argv[i]).toInt();
        const Figures f = measure(rows, std::min(moves, rows / 2));
        std::printf("%d %.2f %.2f %.3f %.3f %.3f %.3f\n", rows, f.fill, f.fillCpu, f.add, f.remove, f.drag, f.moveCpu);
        std::fflush(stdout);
    }
    return 0;
}
