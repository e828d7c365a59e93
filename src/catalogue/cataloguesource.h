#ifndef CATALOGUESOURCE_H
#define CATALOGUESOURCE_H

#include <QString>

// Where the catalogue lives: fixed when the program is built.
QString catalogueBaseAddress();

// How long a request may go without progress before it counts as failed.
int catalogueTransferTimeoutMs();

// Tests point a window at their own server and shorten the time limit; the program never calls this.
void overrideCatalogueSourceForTesting(const QString &baseAddress, int transferTimeoutMs);

#endif
