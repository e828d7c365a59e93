// SPDX-License-Identifier: MIT
// Writes a catalogue of made-up calibrations to standard output, in the text format the
// program's own writer gives, for the benchmarks to read and serve.
//   generate_catalogue COUNT PREFIX SEED [--versions]
// Names are PREFIX followed by the record's number, cut to the 19 bytes a block holds (so
// keep PREFIX short). With --versions, every 20th record is a V1.1 update of an earlier name
// and every 50th a repeat of an earlier name.

#include "backup.h"
#include "calibrationrecord.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <random>

int main(int argc, char **argv)
{
    if (argc < 4 || argc > 5 || (argc == 5 && std::strcmp(argv[4], "--versions") != 0)) {
        std::fprintf(stderr, "usage: %s COUNT PREFIX SEED [--versions]\n", argv[0]);
        return 2;
    }
    const int count = std::atoi(argv[1]);
    const QByteArray prefix(argv[2]);
    const bool versions = argc == 5;
    std::mt19937 random(std::uint32_t(std::atoi(argv[3])));
    const auto near = [&](float centre, float spread) { return std::uniform_real_distribution<float>(centre - spread, centre + spread)(random); };
    QVector<CalibrationBlock> blocks;
    blocks.reserve(count);
    for (int i = 0; i < count; ++i) {
        CalibrationBlock b {};
        b.absIntensityCal = near(1.0f, 0.2f);
        for (int row = 0; row < 3; ++row) {
            float *numbers = row == 0 ? b.xCal : row == 1 ? b.yCal : b.zCal;
            for (int column = 0; column < 3; ++column)
                numbers[column] = row == column ? near(1.0f, 0.1f) : near(0.0f, 0.05f);
        }
        b.basCalIndex = 1 + i % 5;
        QByteArray name = prefix + QByteArray::number(i);
        if (versions && i % 20 == 19)
            name = prefix + QByteArray::number(i / 2) + " V1.1", b.basCalIndex = 2;
        else if (versions && i % 50 == 49)
            name = prefix + QByteArray::number(i / 3);
        setCalibrationName(b, name);
        blocks.append(b);
    }
    const QByteArray text = formatCalibrationFile(blocks);
    return std::fwrite(text.constData(), 1, std::size_t(text.size()), stdout) == std::size_t(text.size()) ? 0 : 1;
}
