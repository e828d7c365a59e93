// SPDX-License-Identifier: MIT
#ifndef CATALOGUES_H
#define CATALOGUES_H

#include "cataloguesource.h"
#include "httpstub.h"

#include <QByteArray>
#include <QString>

// Calibration text files for tests, and a stub server that serves them as the catalogue.
namespace catalogues {

// One record in the layout the catalogue server uses: a tag per line, values after it;
// `matrix` holds the nine numbers of its three rows.
inline QByteArray record(const QByteArray &name, float intensity = 1.1f, int base = 3,
                         const QByteArray &matrix = "1.02 0.01 -0.03 0.02 0.97 0.01 -0.01 0.04 1.05")
{
    const QByteArrayList m = matrix.split(' ');
    return "[CAL_NAME] " + name + "\n[ABS_INTENSITY_CAL] " + QByteArray::number(intensity) + "\n[XCAL] " + m.mid(0, 3).join(' ')
        + "\n[YCAL] " + m.mid(3, 3).join(' ') + "\n[ZCAL] " + m.mid(6).join(' ') + "\n[BASCAL_INDEX] " + QByteArray::number(base) + "\n";
}

inline QByteArray labDefault() { return record("Daylight D65", 1.1f, 3) + record("Tungsten A", 0.9f, 4); }

// Points every dialog built afterwards at `server`, which serves `body` as its only file.
inline void serve(HttpStub &server, const QByteArray &body)
{
    server.serve(kCatalogueDirectory, HttpStub::listingFor({"catalogue.txt"}));
    server.serve(kCatalogueDirectory + QByteArray("catalogue.txt"), body);
    overrideCatalogueSourceForTesting(server.baseAddress(), 5000);
}

} // namespace catalogues

#endif
