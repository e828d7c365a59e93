// SPDX-License-Identifier: MIT
#include "cataloguesource.h"

#include "manifest.h"

namespace {
QString g_baseOverride;
int g_timeoutOverride = 0;
int g_deadlineOverride = 0;
int g_fetchDeadlineOverride = 0;
int g_progressDelayOverride = 0;
constexpr int kTransferTimeoutMs = 30000;
constexpr int kDeadlineMs = 120000;
constexpr int kFetchDeadlineMs = 10 * 60 * 1000;
constexpr int kProgressDelayMs = 2000;

int orDefault(int override, int value)
{
    return override > 0 ? override : value;
}
}

QString catalogueBaseAddress()
{
    if (!g_baseOverride.isEmpty())
        return g_baseOverride;
    // A local server whose port is only known when the program starts, such as the tests' own.
    const QString server = qEnvironmentVariable("TARVIK_CATALOGUE_SERVER");
    return (server.isEmpty() ? QStringLiteral(TARVIK_CATALOGUE_HOST) : server) + QLatin1String(kCatalogueDirectory);
}

QString catalogueKeys()
{
    return qEnvironmentVariableIsSet("TARVIK_CATALOGUE_KEYS") ? qEnvironmentVariable("TARVIK_CATALOGUE_KEYS")
                                                              : QStringLiteral(TARVIK_CATALOGUE_KEYS);
}

QString catalogueManifestAddress(const QString &baseAddress)
{
    QString address = baseAddress;
    if (address.endsWith('/'))
        address.chop(1);
    return address + QLatin1String(kManifestSuffix);
}

int catalogueTransferTimeoutMs()
{
    return orDefault(g_timeoutOverride, kTransferTimeoutMs);
}

int catalogueDeadlineMs()
{
    return orDefault(g_deadlineOverride, kDeadlineMs);
}

int catalogueFetchDeadlineMs()
{
    return orDefault(g_fetchDeadlineOverride, kFetchDeadlineMs);
}

int catalogueProgressDelayMs()
{
    return orDefault(g_progressDelayOverride, kProgressDelayMs);
}

void overrideCatalogueSourceForTesting(const QString &baseAddress, int transferTimeoutMs, int deadlineMs,
                                       int fetchDeadlineMs, int progressDelayMs)
{
    g_baseOverride = baseAddress;
    g_timeoutOverride = transferTimeoutMs;
    g_deadlineOverride = deadlineMs;
    g_fetchDeadlineOverride = fetchDeadlineMs;
    g_progressDelayOverride = progressDelayMs;
}
