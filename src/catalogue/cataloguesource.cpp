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
    // A local server whose port is only known when the program starts, such as the tests' own.
    const QString server = qEnvironmentVariable("TARVIK_CATALOGUE_SERVER");
    return (server.isEmpty() ? QStringLiteral(TARVIK_CATALOGUE_HOST) : server) + QLatin1String(kCatalogueDirectory);
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
