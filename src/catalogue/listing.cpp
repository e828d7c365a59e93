// SPDX-License-Identifier: MIT
#include "listing.h"

#include "bodylimit.h"

#include <QCoreApplication>
#include <QSet>
#include <QUrl>

#include <algorithm>

namespace {
const QByteArray entryPrefix = QByteArrayLiteral("<li><a href=\"");
const QByteArray targetEnd = QByteArrayLiteral("\">");

bool isLineEnd(char c)
{
    return c == '\r' || c == '\n';
}

// A name is appended to the catalogue address and requested; only one that stays a file
// of that directory names anything. ".", "..", their escapes, a query or a fragment would
// ask for the listing itself or for something outside the catalogue: the address the
// name makes, appended or resolved, must be the directory's followed by the name. An
// escaped slash survives both, so it is looked for in the decoded name.
bool isPlainFileName(const QString &name)
{
    static const QString dir = QString::fromLatin1(kCatalogueDirectory);
    static const QUrl base(QStringLiteral("http://catalogue.invalid") + dir);
    const QString decoded = QUrl::fromPercentEncoding(name.toUtf8());
    if (name.isEmpty() || decoded.contains('/') || decoded.contains('\\'))
        return false;
    const QUrl appended(base.toString() + name, QUrl::TolerantMode);
    const QUrl resolved = base.resolved(QUrl(name, QUrl::TolerantMode));
    return appended.isValid() && appended.host() == base.host() && appended.path() == dir + decoded
        && resolved.host() == base.host() && resolved.path() == dir + decoded;
}
}

CatalogueListing catalogueFileNames(const QByteArray &listing)
{
    CatalogueListing result;
    const auto fail = [&result](const char *why, qint64 bound) {
        result.names.clear();
        result.failure = QCoreApplication::translate("dialog", why).arg(bound);
        return result;
    };
    if (listing.size() > maxCatalogueBodyBytes)
        return fail("the listing is larger than %1 MiB", maxCatalogueBodyBytes >> 20);
    QSet<QString> seen;
    const char *const data = listing.constData();
    // Jumps from one entry prefix to the next, so lines without one cost no more than
    // the search; any CR or LF ends a line, so CR LF and LF listings split alike.
    for (int from = 0;;) {
        const int prefix = listing.indexOf(entryPrefix, from);
        if (prefix < 0)
            return result;
        const int start = prefix + entryPrefix.size();
        const int lineEnd = int(std::find_if(data + start, data + listing.size(), isLineEnd) - data);
        const int end = QByteArray::fromRawData(data + start, lineEnd - start).indexOf(targetEnd);
        if (end > maxListedNameBytes)
            return fail("the listing names a file longer than %1 bytes", maxListedNameBytes);
        if (end > 0) {
            const QString name = QString::fromUtf8(data + start, end);
            if (!seen.contains(name) && isPlainFileName(name)) {
                if (seen.size() == maxListedFiles)
                    return fail("the listing names more than %1 files", maxListedFiles);
                seen.insert(name);
                result.names.append(name);
            }
        }
        from = lineEnd + 1;
    }
}

bool endsAsDirectoryListing(const QByteArray &listing)
{
    const QByteArray end = "</html>";
    int last = listing.size();
    while (last > 0 && (listing[last - 1] == ' ' || (listing[last - 1] >= '\t' && listing[last - 1] <= '\r')))
        --last;
    return last >= end.size() && qstrnicmp(listing.constData() + last - end.size(), end.constData(), end.size()) == 0;
}
