#pragma once
// The CSV form of slot texts: one line per page of 27 values, each ended by a comma, and the
// reader that takes a file back as one stream of values, whatever its lines.

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

namespace komasu {

// One value of a slot text: between double quotes when it holds an ASCII or full-width comma,
// or starts with a blank the reader would skip; otherwise unchanged. Quotes inside are kept as
// they are.
QString CsvField(const QString& text);

// A page's line without its line end: every value followed by a comma, the last one too.
QString CsvLine(const QStringList& texts);

// A value read back, with where it starts: the file's line (1-based) and its number among the
// values starting on that line (1-based).
struct CsvValue {
  QString text;
  int line = 0;
  int number = 0;
};

// The text of a CSV file: UTF-8 after a UTF-8 byte order mark, otherwise CP932.
QString DecodeCsvBytes(const QByteArray& bytes);

// The values of a CSV text as one stream. Values end at a comma or a line end (CR LF, LF or
// CR); a comma directly before a line end ends that line without an extra value, and a line
// with no values gives none. Leading blanks are skipped. A value starting with a double quote
// runs to the next single double quote, commas and line ends included; a doubled quote inside
// stands for one, and whatever follows the closing quote up to the next separator is dropped.
// Every value is text, numbers included.
QList<CsvValue> ReadCsvValues(QStringView text);

}  // namespace komasu
