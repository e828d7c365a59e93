// SPDX-License-Identifier: MIT
#ifndef MINISIGN_H
#define MINISIGN_H

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <QVector>

// An Ed25519 public key as minisign writes it: the base64 of "Ed", the key id (8 bytes)
// and the key (32 bytes).
struct MinisignKey
{
    QByteArray id;
    QByteArray key;
};

// The keys of these public key strings (blanks, commas or line ends between them), or why
// one of them cannot be read (then no keys).
struct MinisignKeys
{
    QVector<MinisignKey> keys;
    QString failure;
};
MinisignKeys parseMinisignKeys(const QString &text);

// A key id as minisign shows it: 16 hexadecimal digits of the id read as a little-endian number.
QString minisignKeyId(const QByteArray &id);

// Checks a minisign signature file over message: the signature, by one of keys, over the
// message itself ("Ed") or its BLAKE2b-512 hash ("ED"), and the global signature over that
// signature and the trusted comment. On success, which key signed it; otherwise why not.
struct MinisignVerdict
{
    QString keyId;
    QString failure;
};
MinisignVerdict verifyMinisign(const QByteArray &message, const QByteArray &signatureFile, const QVector<MinisignKey> &keys);

#endif
