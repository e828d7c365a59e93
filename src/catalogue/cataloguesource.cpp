#include "cataloguesource.h"

namespace {
QString g_baseOverride;
int g_timeoutOverride = 0;
int g_deadlineOverride = 0;
constexpr int kTransferTimeoutMs = 30000;
constexpr int kDeadlineMs = 120000;
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

int catalogueDeadlineMs()
{
    return g_deadlineOverride > 0 ? g_deadlineOverride : kDeadlineMs;
}

void overrideCatalogueSourceForTesting(const QString &baseAddress, int transferTimeoutMs, int deadlineMs)
{
    g_baseOverride = baseAddress;
    g_timeoutOverride = transferTimeoutMs;
    g_deadlineOverride = deadlineMs;
}
