#pragma once

#include "data/AddressRecord.h"

#include <QByteArray>
#include <QList>
#include <optional>

// The list file: Windows-1252, one record per line ended by CR LF, each field
// between double quotes, separated by commas, nothing escaped.

struct ParsedList {
    QList<AddressRecord> records; // records with a blank name are left out
    bool complete = true;         // false when the file ended inside a record
    qsizetype firstWithQuote = -1; // the first record holding a double quote, which cannot be saved
};

ParsedList parseAddressList(QByteArrayView bytes);
// The file's bytes, or nothing when a character cannot be stored; one pass.
std::optional<QByteArray> encodeAddressList(const QList<AddressRecord>& records);

// A character the list file cannot hold: a double quote (the format cannot
// escape it) or anything outside Windows-1252.
struct UnstorableChar {
    qsizetype position; // in the text
    QString character;  // the whole character, also when it takes two QChars
};
std::optional<UnstorableChar> findUnstorableChar(QStringView text);

// The text with each character the list cannot store replaced by the nearest
// one it can: the accent dropped or one it has taken instead (ş to s, ő to ö),
// a few letters by table (ı to i, ł to l), typographic marks in their plain
// forms. A character without a stand-in (Chinese, emoji) stays as it is.
QString withStandIns(QStringView text);

// The first field of the list that cannot be stored, with a Dutch reason.
std::optional<QString> unstorableReason(const QList<AddressRecord>& records);

// Windows-1252 text as the list file holds it; the importers read older
// exports with it too.
QString decodeFileText(QByteArrayView bytes);
// One field's text in those bytes, or nothing when it holds a character the file cannot.
std::optional<QByteArray> encodeFileText(QStringView text);
