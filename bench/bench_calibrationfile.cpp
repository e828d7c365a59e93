// Times the program's way of reading a catalogue: the file read into memory and read
// by the calibration file reader, the merge of its records into the lists, and both
// together in one go. Prints the best times of the runs in milliseconds (reader,
// merge, together), then the number of records read and of calibrations merged.

#include "calibrationfile.h"
#include "calibrationlist.h"
#include "cataloguemerge.h"

#include <QByteArray>
#include <QFile>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>

namespace {

using Clock = std::chrono::steady_clock;

double millisecondsSince(Clock::time_point start)
{
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
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

struct Merged
{
    CalibrationList catalogue;
    CalibrationList addable;
};

void merge(const CalibrationFileContents &contents, Merged &into)
{
    const CalibrationList instrument;
    mergeCatalogueBlocks(contents, {instrument, true, true}, into.catalogue, into.addable);
}

} // namespace

int main(int argc, char **argv)
{
    if (argc < 2) {
        std::fprintf(stderr, "usage: %s catalogue [runs]\n", argv[0]);
        return 2;
    }
    const int runs = argc > 2 ? std::atoi(argv[2]) : 5;
    double bestRead = 1e300, bestMerge = 1e300, bestTogether = 1e300;
    std::size_t records = 0;
    int merged = 0;
    for (int i = 0; i < runs; ++i) {
        auto start = Clock::now();
        const CalibrationFileContents contents = readFile(argv[1]);
        bestRead = std::min(bestRead, millisecondsSince(start));
        {
            Merged lists;
            start = Clock::now();
            merge(contents, lists);
            bestMerge = std::min(bestMerge, millisecondsSince(start));
            records = contents.blocks.size();
            merged = lists.catalogue.size();
        }
        {
            Merged lists;
            start = Clock::now();
            merge(readFile(argv[1]), lists);
            bestTogether = std::min(bestTogether, millisecondsSince(start));
        }
    }
    std::printf("%.3f %.3f %.3f %zu %d\n", bestRead, bestMerge, bestTogether, records, merged);
    return 0;
}
