// SPDX-License-Identifier: MIT
#ifndef LISTING_H
#define LISTING_H

#include <QByteArray>
#include <QString>
#include <QStringList>

// The catalogue's directory on its server, which every name of its listing lies in.
constexpr char kCatalogueDirectory[] = "/TARVIK/Calibrations/";

// A real catalogue lists a few hundred files with short names; a listing past these bounds
// is broken or hostile, and fetching what it names would run for hours or fill memory.
constexpr int maxListedFiles = 10000;
constexpr int maxListedNameBytes = 255;

// What a catalogue directory listing names: each distinct file name once, in order of
// first appearance, or why the listing cannot be used (then no names).
struct CatalogueListing
{
    QStringList names;
    QString failure;
};

// A name is the link target of a line holding "<li><a href="NAME">", taken as it stands
// (already percent-escaped), so it can be appended to the catalogue address unchanged.
// Lines without a target, and targets that are not a plain file name of the catalogue
// directory (parent and subdirectories, ".", "..", escapes of either, a "?" or "#") name nothing.
// A listing larger than the catalogue body cap, one naming more than maxListedFiles files, or
// one with a target longer than maxListedNameBytes fails.
CatalogueListing catalogueFileNames(const QByteArray &listing);

// Whether listing ends as a server's directory listing does, with "</html>" and nothing but
// white space after it. A listing that announced no length is known whole only so: the
// toolkit ends a chunked body at a malformed chunk size, or at a closed connection, without
// an error, and a catalogue with its newer files cut off would be offered as whole.
bool endsAsDirectoryListing(const QByteArray &listing);

#endif
