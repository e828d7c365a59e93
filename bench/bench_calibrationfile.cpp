// SPDX-License-Identifier: MIT
// Times the program's way of reading a catalogue once, in processor time (so that other
// work on the machine does not count) and in a fresh process (so that no earlier run's
// freed memory helps or hinders): the file read into memory and read by
// the calibration file reader, then the merge of its records into the lists.
//   bench_calibrationfile catalogue apart     prints: reader ms, merge ms, records, merged
//   bench_calibrationfile catalogue together  prints: ms for reading and merging in one go

#include "calibrationfile.h"
#include "calibrationlist.h"
#include "cataloguemerge.h"

#include <QByteArray>
#include <QFile>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <time.h>

namespace {

double processMilliseconds()
{
    timespec t;
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
    return double(t.tv_sec) * 1e3 + double(t.tv_nsec) / 1e6;
}

CalibrationFileContents readFile(const char *path)
{
    QFile file(QString::fromLocal8Bit(path));
    if (!file.open(QIODevice::ReadOnly)) {
        std::perror(path);
        std::exit(1);
    }
    const QByteArray bytes = file.readAll();
    return readCalibrationFile(bytes.constData(), std::size_t(bytes.size()));
}

} // namespace

int main(int argc, char **argv)
{
    if (argc < 3 || (std::strcmp(argv[2], "apart") != 0 && std::strcmp(argv[2], "together") != 0)) {
        std::fprintf(stderr, "usage: %s catalogue apart|together\n", argv[0]);
        return 2;
    }
    const CalibrationList instrument;
    CalibrationList catalogue;
    CalibrationList addable;
    double start = processMilliseconds();
    if (std::strcmp(argv[2], "together") == 0) {
        mergeCatalogueBlocks(readFile(argv[1]), {instrument, true, true}, catalogue, addable);
        std::printf("%.3f\n", processMilliseconds() - start);
        return 0;
    }
    const CalibrationFileContents contents = readFile(argv[1]);
    const double readMs = processMilliseconds() - start;
    start = processMilliseconds();
    mergeCatalogueBlocks(contents, {instrument, true, true}, catalogue, addable);
    const double mergeMs = processMilliseconds() - start;
    std::printf("%.3f %.3f %zu %d\n", readMs, mergeMs, contents.blocks.size(), catalogue.size());
    return 0;
}
