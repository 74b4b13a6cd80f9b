#pragma once
// The CSV form of slot texts: one line per page of 27 values, each ended by a comma, and the
// reader that takes a file back line by line, one line a page.

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

namespace komasu {

// One value of a slot text: between double quotes when it holds an ASCII or full-width comma or
// a line break, or starts with a blank the reader would skip; otherwise unchanged. Quotes
// inside are kept as they are.
QString CsvField(const QString& text);

// A page's line without its line end: every value followed by a comma, the last one too.
QString CsvLine(const QStringList& texts);

// A value read back, with where it starts: the file's line (1-based) and its number among the
// values of its row (1-based).
struct CsvValue {
  QString text;
  int line = 0;
  int number = 0;
};

// One row of the file: the values of one page, and the file line it starts on.
struct CsvRow {
  int line = 0;
  QList<CsvValue> values;
};

// The text of a CSV file: UTF-8 after a UTF-8 byte order mark, and UTF-8 when the bytes are
// valid UTF-8 holding a character of three bytes or more, as Japanese text does (what
// spreadsheets write when told UTF-8, without a mark); otherwise CP932, so the export's CP932
// file of half-width kana alone reads back as written.
QString DecodeCsvBytes(const QByteArray& bytes);

// The rows of a CSV text. A row ends at a line end (CR LF, LF or CR) outside quotes; values end
// at a comma. A comma directly before the line end adds no value, so the export's lines read as
// 27 values and a spreadsheet's line that stops early reads as fewer. A line with nothing but
// blanks is a row without values; such rows at the end of the file are dropped. Leading blanks
// of a value are skipped. A value starting with a double quote runs to the next single double
// quote, commas and line ends included; a doubled quote inside stands for one, and whatever
// follows the closing quote up to the next separator is dropped. Every value is text, numbers
// included.
QList<CsvRow> ReadCsvRows(QStringView text);

}  // namespace komasu
