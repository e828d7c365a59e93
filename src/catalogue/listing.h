#ifndef LISTING_H
#define LISTING_H

#include <QByteArray>
#include <QStringList>

// The catalogue's directory on its server, which every name of its listing lies in.
constexpr char kCatalogueDirectory[] = "/TARVIK/Calibrations/";

// The file names of a catalogue directory listing, in listing order. A name is the
// link target of a line holding "<li><a href="NAME">", taken as it stands (already
// percent-escaped), so it can be appended to the catalogue address unchanged.
// Lines without a target, and targets that are not a plain file name of the catalogue
// directory (parent and subdirectories, ".", "..", escapes of either, a "?" or "#") name nothing.
// A listing larger than the catalogue body cap names nothing.
QStringList catalogueFileNames(const QByteArray &listing);

#endif
