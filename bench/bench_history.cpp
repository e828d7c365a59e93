// SPDX-License-Identifier: MIT
// bench_history fill FILE: writes 10,000 runs of two instruments, 29 slots each, into the history FILE.
// bench_history time FILE: prints how long the History window takes to open over FILE, and how much
// longer an update takes with the history than without: the checksums of the catalogue and the
// backup, the pending row with its slots, committed, and the verdict, each known to be on disk.
#include "historystore.h"
#include "historywindow.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QTest>

#include <algorithm>
#include <cstdio>

namespace {
constexpr int kRuns = 10000;

HistoryRun exampleRun(int i)
{
    HistoryRun run;
    run.serial = i % 10 == 0 ? "TRV-0043" : "TRV-0042";
    run.family = "RGBBLU, GBRLED";
    run.started = QDateTime(QDate(2020, 1, 1), QTime(8, 0), Qt::UTC).addSecs(qint64(i) * 3600);
    run.user = "lab";
    run.host = "bench-pc";
    run.programVersion = "1.0.0";
    run.source = "http://127.0.0.1:47180/TARVIK/Calibrations/";
    run.sourceSha256 = QString(64, 'a');
    run.backup = QString("/home/lab/.local/share/tarvik-calibration-updater/backups/TARVIK-TRV-0042-%1.blocks").arg(i);
    run.backupSha256 = QString(64, 'b');
    for (int slot = 9; slot <= 37; ++slot) {
        CalibrationBlock before = emptyCalibrationBlock(), after = emptyCalibrationBlock();
        storeCalibrationName(before, "Lab Bench A", 11);
        storeCalibrationName(after, "Lab Bench B", 11);
        after.absIntensityCal = 1.0f + float(i % 100) / 100.0f;
        run.slotsWritten.append({slot, before, after, "Replaced by the catalogue's numbers: intensity"});
    }
    return run;
}

double median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}
}

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    const QString command = argc == 3 ? argv[1] : "", path = argc == 3 ? argv[2] : "";
    if (command == "fill") {
        HistoryStore store(path);
        for (int i = 0; i < kRuns; ++i) {
            HistoryRun run = exampleRun(i);
            if (!store.beginRun(run) || !store.finishRun(run.id, i % 7 == 0 ? RunState::Failed : RunState::Ok, 12, 3)) {
                std::fprintf(stderr, "cannot write %s: %s\n", qPrintable(path), qPrintable(store.errorString()));
                return 1;
            }
        }
        return 0;
    }
    if (command != "time") {
        std::fprintf(stderr, "usage: bench_history fill|time FILE\n");
        return 2;
    }
    QElapsedTimer clock;
    clock.start();
    double openMs = 0;
    int listed = 0;
    {
        HistoryStore store(path);
        HistoryWindow window(store, "TRV-0042");
        window.show();
        if (!QTest::qWaitForWindowExposed(&window))
            return 1;
        openMs = double(clock.nsecsElapsed()) / 1e6;
        listed = int(store.runs().size());
    }

    // What the history adds to an update, besides the writing itself, which it does not change.
    const QString catalogue = QFileInfo(path).path() + "/catalogue.txt", backup = QFileInfo(path).path() + "/backup.blocks";
    for (const auto &[file, size] : {std::make_pair(catalogue, 200 * 1024), std::make_pair(backup, 4 * 1024)}) {
        QFile out(file);
        if (!out.open(QIODevice::WriteOnly) || out.write(QByteArray(size, 'x')) != size)
            return 1;
    }
    std::vector<double> added;
    HistoryStore store(path);
    for (int i = 0; i < 15; ++i) {
        HistoryRun run = exampleRun(kRuns + i);
        clock.restart();
        run.sourceSha256 = fileSha256(catalogue);
        run.backupSha256 = fileSha256(backup);
        if (!store.beginRun(run) || !store.finishRun(run.id, RunState::Ok))
            return 1;
        added.push_back(double(clock.nsecsElapsed()) / 1e6);
    }
    std::printf("with %d runs in the history, the History window opens in %.1f ms (aim: under 300 ms)\n", listed, openMs);
    std::printf("an update takes %.1f ms longer with the history than without (median of %zu; aim: at most 50 ms)\n",
                median(added), added.size());
    return 0;
}
