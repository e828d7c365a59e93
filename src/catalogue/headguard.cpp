// SPDX-License-Identifier: MIT
#include "headguard.h"

#include <QMetaMethod>
#include <QObject>

#if QT_VERSION < QT_VERSION_CHECK(6, 0, 0)
#include <QtCore/private/qobject_p.h>
#endif

qint64 headBytes(const QList<QPair<QByteArray, QByteArray>> &pairs)
{
    qint64 bytes = 0;
    for (const QPair<QByteArray, QByteArray> &pair : pairs)
        bytes += pair.first.size() + pair.second.size() + 4; // ": " and the line end
    return bytes;
}

#if QT_VERSION < QT_VERSION_CHECK(6, 0, 0)
qint64 headBytesDelivered(const QObject *reply, const QEvent *event)
{
    if (event->type() != QEvent::MetaCall)
        return -1;
    const auto *call = static_cast<const QMetaCallEvent *>(event);
    // Only the one private slot of Qt 5.15's HTTP reply that takes the parsed head; should a
    // later Qt name it otherwise, nothing matches and the head is checked once it is in place.
    const QMetaMethod slot = reply->metaObject()->method(call->id());
    if (slot.name() != "replyDownloadMetaData"
        || slot.parameterTypes().value(0) != "QList<QPair<QByteArray,QByteArray> >")
        return -1;
    return headBytes(*static_cast<const QList<QPair<QByteArray, QByteArray>> *>(call->args()[1]));
}
#endif
