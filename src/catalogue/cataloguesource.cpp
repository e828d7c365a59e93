#include "cataloguesource.h"

namespace {
QString g_baseOverride;
int g_timeoutOverride = 0;
constexpr int kTransferTimeoutMs = 30000;
}

QString catalogueBaseAddress()
{
    if (!g_baseOverride.isEmpty())
        return g_baseOverride;
    return QStringLiteral(TARVIK_CATALOGUE_HOST "/TARVIK/Calibrations/");
}

int catalogueTransferTimeoutMs()
{
    return g_timeoutOverride > 0 ? g_timeoutOverride : kTransferTimeoutMs;
}

void overrideCatalogueSourceForTesting(const QString &baseAddress, int transferTimeoutMs)
{
    g_baseOverride = baseAddress;
    g_timeoutOverride = transferTimeoutMs;
}
