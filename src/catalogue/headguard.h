// SPDX-License-Identifier: MIT
#ifndef HEADGUARD_H
#define HEADGUARD_H

#include <QByteArray>
#include <QList>
#include <QPair>
#include <QtGlobal>

class QEvent;
class QObject;

// The bytes of a reply head, as its lines would be sent.
qint64 headBytes(const QList<QPair<QByteArray, QByteArray>> &pairs);

#if QT_VERSION < QT_VERSION_CHECK(6, 0, 0)
// The size of the head that event is about to hand to reply, or -1 when it hands none.
// Qt 5 reads a reply's head without a bound and then, on the GUI thread and before anyone
// can look at it, copies it into the reply line by line with a search through the lines
// copied so far: a megabyte of short header lines holds the window still for most of a
// minute. Read from the queued call that carries the head, its size lets such a head be
// refused before that copy. Qt 6 bounds the head itself.
qint64 headBytesDelivered(const QObject *reply, const QEvent *event);
#endif

#endif
