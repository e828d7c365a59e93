#include "listing.h"

#include "bodylimit.h"

#include <algorithm>

namespace {
const QByteArray entryPrefix = QByteArrayLiteral("<li><a href=\"");
const QByteArray targetEnd = QByteArrayLiteral("\">");

bool isLineEnd(char c)
{
    return c == '\r' || c == '\n';
}
}

QStringList catalogueFileNames(const QByteArray &listing)
{
    QStringList names;
    if (listing.size() > maxCatalogueBodyBytes)
        return names;
    const char *const data = listing.constData();
    // Jumps from one entry prefix to the next, so lines without one cost no more than
    // the search; any CR or LF ends a line, so CR LF and LF listings split alike.
    for (int from = 0;;) {
        const int prefix = listing.indexOf(entryPrefix, from);
        if (prefix < 0)
            return names;
        const int start = prefix + entryPrefix.size();
        const int lineEnd = int(std::find_if(data + start, data + listing.size(), isLineEnd) - data);
        const int end = QByteArray::fromRawData(data + start, lineEnd - start).indexOf(targetEnd);
        if (end > 0) {
            const QString name = QString::fromUtf8(data + start, end);
            if (!name.contains('/'))
                names.append(name);
        }
        from = lineEnd + 1;
    }
}
