#pragma once
// The album file as raw records: one record per line between double quotes, in CP932. Records
// are split at the double-quote byte (0x22 is never the second byte of a CP932 character) and
// kept as bytes, so records that are not changed are written back byte for byte. Every byte of
// a damaged file that is not framing ends up in some record: nothing the reader did not
// understand is lost when the records are joined again.

#include <QByteArray>
#include <QList>
#include <QString>

namespace komasu {

// Splits the bytes of an album file into records (the bytes between the quotes). A record
// runs from its opening to its closing quote, line breaks inside included. Empty lines between
// records are skipped. Damaged framing is repaired and the record's index added to `damaged`:
// - a quote that starts a line and is followed by more than a line end opens the next record,
//   so a record that lost its closing quote ends at the line before (its line end dropped);
// - bytes after a closing quote on its line stay in the record, up to a quote ending the line;
// - a line that does not start with a quote is taken whole (without a quote ending it);
// - a record without a closing quote runs to the end of the file, without its last line end.
QList<QByteArray> SplitAlbumRecords(QByteArrayView bytes, QList<qsizetype>* damaged = nullptr);

// Joins records into file bytes: each as a quote, its bytes, a quote and CR LF.
QByteArray JoinAlbumRecords(const QList<QByteArray>& records);

// Albums larger than this are not opened (an album of 499 full pages is a few MB).
inline constexpr qint64 kMaxAlbumFileBytes = 256ll * 1024 * 1024;
// A page record is a few KB; one larger than this is damaged and is not decoded (a 50 MB text
// took half a minute and a gigabyte to show).
inline constexpr qsizetype kMaxRecordBytes = 1024 * 1024;

// Why the bytes of a file are not an album, as the end of a sentence about the file ("…は
// UTF-8 で保存されています。…"), or an empty text. An album has a header and at least one
// page, both starting with the separator "ζ" in CP932 (83 C4). The damaged records are
// added to `damaged` as SplitAlbumRecords finds them.
QString AlbumBytesProblem(QByteArrayView bytes, QList<qsizetype>* damaged = nullptr);

// The one check before a file is opened as an album, for the window and the command line
// alike: why `path` cannot be opened (a Japanese sentence naming the file), or an empty text.
// The bytes read are left in `bytes`, the damaged records in `damaged`.
QString AlbumFileProblem(const QString& path, QByteArray* bytes,
                         QList<qsizetype>* damaged = nullptr);

// The notice for damaged records (0: the cover) of an album, or an empty text when none.
QString DamagedRecordsNotice(const QList<qsizetype>& damaged);

}  // namespace komasu
