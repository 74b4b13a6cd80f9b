#pragma once
// The album file as raw records: one record per line between double quotes, in CP932. Records
// are split at the double-quote byte (0x22 is never the second byte of a CP932 character) and
// kept as bytes, so records that are not changed are written back byte for byte.

#include <QByteArray>
#include <QList>

namespace komasu {

// Splits the bytes of an album file into records (the bytes between the quotes). A record
// runs from its opening to its closing quote, line breaks inside included; a line that does
// not start with a quote is taken whole as a record. Empty lines between records are skipped.
QList<QByteArray> SplitAlbumRecords(QByteArrayView bytes);

// Joins records into file bytes: each as a quote, its bytes, a quote and CR LF.
QByteArray JoinAlbumRecords(const QList<QByteArray>& records);

// Albums larger than this are not opened (an album of 499 full pages is a few MB).
inline constexpr qint64 kMaxAlbumFileBytes = 256ll * 1024 * 1024;
// A page record is a few KB; one larger than this is damaged and is not decoded (a 50 MB text
// took half a minute and a gigabyte to show).
inline constexpr qsizetype kMaxRecordBytes = 1024 * 1024;

}  // namespace komasu
