// Times the program's way of reading a catalogue: the file mapped and read by the
// calibration file reader, and, separately, the merge of its blocks into the lists.
// Prints the best times of the runs in milliseconds, then the number of records
// read and of calibrations in the merged catalogue.

#include "calibrationfile.h"
#include "calibrationlist.h"
#include "cataloguemerge.h"

#include <QFile>

#include <chrono>
#include <cstdio>
#include <cstdlib>

namespace {

double millisecondsSince(std::chrono::steady_clock::time_point start)
{
    return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
}

CalibrationFileContents readFile(const char *path)
{
    QFile file(QString::fromLocal8Bit(path));
    if (!file.open(QIODevice::ReadOnly)) {
        std::perror(path);
        std::exit(1);
    }
    const uchar *bytes = file.map(0, file.size());
    if (!bytes) {
        std::fprintf(stderr, "%s: cannot be mapped\n", path);
        std::exit(1);
    }
    return readCalibrationFile(reinterpret_cast<const char *>(bytes), std::size_t(file.size()));
}

} // namespace

int main(int argc, char **argv)
{
    if (argc < 2) {
        std::fprintf(stderr, "usage: %s catalogue [runs]\n", argv[0]);
        return 2;
    }
    const int runs = argc > 2 ? std::atoi(argv[2]) : 5;
    double bestRead = -1;
    double bestMerge = -1;
    std::size_t records = 0;
    int merged = 0;
    for (int i = 0; i < runs; ++i) {
        auto start = std::chrono::steady_clock::now();
        const CalibrationFileContents contents = readFile(argv[1]);
        const double readMs = millisecondsSince(start);

        const CalibrationList instrument;
        CalibrationList catalogue;
        CalibrationList addable;
        start = std::chrono::steady_clock::now();
        mergeCatalogueBlocks(contents.blocks, {instrument, true, true}, catalogue, addable);
        const double mergeMs = millisecondsSince(start);

        if (bestRead < 0 || readMs < bestRead)
            bestRead = readMs;
        if (bestMerge < 0 || mergeMs < bestMerge)
            bestMerge = mergeMs;
        records = contents.blocks.size();
        merged = catalogue.size();
    }
    std::printf("%.3f %.3f %zu %d\n", bestRead, bestMerge, records, merged);
    return 0;
}
