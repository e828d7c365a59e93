// SPDX-License-Identifier: MIT
// Feeds arbitrary bytes to the catalogue listing parser. Besides crashes and memory
// errors it checks what every name must satisfy, since each is appended to the
// catalogue address and requested.
#include "listing.h"

#include <QUrl>

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const QByteArray listing = QByteArray::fromRawData(reinterpret_cast<const char *>(data), int(size));
    const QStringList names = catalogueFileNames(listing).names;
    if (names.size() > listing.count("<li><a href=\""))
        std::abort(); // at most one name per entry prefix
    for (const QString &name : names) {
        const QString decoded = QUrl::fromPercentEncoding(name.toUtf8());
        if (name.isEmpty() || decoded.contains(QLatin1Char('/')) || name.contains(QLatin1Char('\n'))
            || name.contains(QLatin1Char('\r')) || name.contains(QLatin1String("\">")) || name.contains(QLatin1Char('?'))
            || name.contains(QLatin1Char('#')) || decoded == QLatin1String(".") || decoded == QLatin1String(".."))
            std::abort(); // it would ask for the listing itself or for something outside the catalogue
    }
    return 0;
}
