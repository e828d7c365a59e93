// SPDX-License-Identifier: MIT
#include "filebatch.h"

#include "filedownloader.h"

#include <QCoreApplication>
#include <QList>

namespace {
// The toolkit's connections to one host for HTTP/1.1.
constexpr int kFilesHeld = 6;
}

FileBatch::FileBatch(FileDownloader *downloader, int count, qint64 bodyBound, Start start, Take take)
    : m_count(count)
    , m_bodyBound(bodyBound)
    , m_start(std::move(start))
    , m_take(std::move(take))
{
    connect(downloader, &FileDownloader::received, this, &FileBatch::bodyGrew);
    connect(downloader, &FileDownloader::finished, this, &FileBatch::fileEnded);
}

FileBatch::Failure FileBatch::run()
{
    startMore();
    // The loop also ends when the application is told to quit; the result must still be whole.
    while (!over())
        m_loop.exec();
    return m_failure;
}

void FileBatch::stop(const QString &why)
{
    if (over())
        return;
    fail(m_taken, QNetworkReply::OperationCanceledError, why);
    m_loop.quit();
}

bool FileBatch::over() const
{
    return m_taken == m_count || m_taken == m_failure.index;
}

void FileBatch::startMore()
{
    // Nothing after a failure is asked for; the files before it are awaited, since one of them
    // may fail too and is then the one to report.
    while (m_failure.index < 0 && m_next < m_count && m_next < m_taken + kFilesHeld) {
        m_inFlight.insert(m_start(m_next), m_next);
        m_heldBytes.insert(m_next, 0);
        ++m_next;
    }
}

void FileBatch::bodyGrew(QNetworkReply *reply, qint64 bytes)
{
    const auto it = m_inFlight.constFind(reply);
    if (it == m_inFlight.cend())
        return;
    m_heldBytes[it.value()] = bytes;
    checkBound();
    if (over())
        m_loop.quit();
}

void FileBatch::fileEnded(QNetworkReply *reply, const QByteArray &body, QNetworkReply::NetworkError code, const QString &reason)
{
    const auto it = m_inFlight.constFind(reply);
    if (it == m_inFlight.cend())
        return; // ended by the batch itself, or not one of its own
    const int index = it.value();
    m_inFlight.erase(it);
    if (code != QNetworkReply::NoError) {
        fail(index, code, reason);
    } else {
        ++m_whole;
        m_heldBytes[index] = body.size();
        m_waiting.insert(index, body);
        checkBound();
        takeInOrder();
        startMore();
    }
    if (over())
        m_loop.quit();
    // Last, with the batch in order: showing the count may run the event loop.
    if (code == QNetworkReply::NoError)
        emit progressed(m_whole);
}

// The bound holds for the bodies in flight too, so it is met by the first file in list order
// that carries the bytes so far past it, whichever reply brought the last of them.
void FileBatch::checkBound()
{
    qint64 bytes = m_takenBytes;
    for (int index = m_taken; index < m_next; ++index) {
        bytes += m_heldBytes.value(index);
        if (bytes > m_bodyBound)
            return fail(index, QNetworkReply::UnknownContentError,
                        QCoreApplication::translate("dialog", "the catalogue is larger than %1 MiB").arg(m_bodyBound >> 20));
    }
}

void FileBatch::takeInOrder()
{
    while (m_waiting.contains(m_taken)) {
        const QByteArray body = m_waiting.take(m_taken);
        m_heldBytes.remove(m_taken);
        const QString refused = m_take(m_taken, body);
        if (!refused.isEmpty())
            return fail(m_taken, QNetworkReply::UnknownContentError, refused);
        m_takenBytes += body.size();
        ++m_taken;
    }
}

void FileBatch::fail(int index, QNetworkReply::NetworkError code, const QString &reason)
{
    if (m_failure.index >= 0 && m_failure.index <= index)
        return; // one before it is reported anyway
    m_failure = {index, code, reason};
    // Nothing from here on can change what is reported: end those requests, drop those bodies.
    QList<QNetworkReply *> ended;
    for (auto it = m_inFlight.begin(); it != m_inFlight.end();) {
        if (it.value() < index) {
            ++it;
            continue;
        }
        ended.append(it.key());
        it = m_inFlight.erase(it);
    }
    for (int later = index; later < m_next; ++later) {
        m_heldBytes.remove(later);
        m_waiting.remove(later);
    }
    // An end comes back at once, to a batch that no longer waits for it; a reply that has failed
    // already ends by itself.
    for (QNetworkReply *reply : ended) {
        if (reply->error() == QNetworkReply::NoError)
            reply->abort();
    }
}
