#include "texttools/csv_transfer.h"

#include <QDir>
#include <QFileInfo>

#include "album/album.h"
#include "album/album_file.h"
#include "album/page_record.h"
#include "commands/album_commands.h"
#include "commands/page_walk.h"
#include "platform/cp932.h"
#include "platform/file_error.h"
#include "platform/prompter.h"
#include "platform/regular_file.h"
#include "platform/text_file.h"
#include "texttools/csv_format.h"

namespace komasu {

namespace {

const QString kFilter = QStringLiteral("CSVファイル (*.csv)");

// A CSV file of a full album is about a megabyte; anything far larger is not one.
constexpr qint64 kMaxCsvBytes = 64ll * 1024 * 1024;

// Room for the fields a page's layout sets when it is shown (photo geometry), which the size
// estimate of an imported page takes from the record instead.
constexpr qsizetype kRecordSlackBytes = 4096;

CsvResult Failure(QString error) { return CsvResult{false, std::move(error), {}}; }

const QString kUnchanged = QStringLiteral("アルバムは変更していません。");

// Why `text` cannot go into a slot line of the page stored as `stored`; empty when it can. A
// text the page already stores (a line break read from the album, say) is written back with
// its stored bytes, as the album does; control characters never are.
QString ValueProblem(const QString& text, const StoredRecord& stored) {
  if (text.contains(QChar(kUnreadable))) {
    return QStringLiteral(
        "Shift_JIS（CP932）としてもUTF-8としても読めない文字があります。"
        "CSVファイルはShift_JISかUTF-8で保存してください。");
  }
  for (const QChar c : text) {
    if (c.unicode() < 0x20 && c != u'\r' && c != u'\n') {
      return QStringLiteral("制御文字（U+%1）は使用できません。")
          .arg(QString::number(c.unicode(), 16).toUpper().rightJustified(4, u'0'));
    }
  }
  if (const QString why = UnstorableTextMessage(text); !why.isEmpty() && !stored.Holds(text)) {
    return why;
  }
  return {};
}

// Checks every row against the page it goes to before anything changes: its number of values,
// the values the slot lines can store, and the size of the page record they make. `records`
// are the album's records as a write-back would leave them.
QString RowsProblem(const QList<CsvRow>& rows, const QList<QByteArray>& records) {
  PageContent previous;  // an appended page starts as the page before it, cleared
  for (qsizetype r = 0; r < rows.size(); ++r) {
    const CsvRow& row = rows[r];
    const qsizetype p = r + 1;
    if (row.values.size() > kSlotTextLines) {
      return QStringLiteral(
                 "CSVファイルの %1 行目には値が %2 個あります。"
                 "1行は1ページ分で、値は%3個までです。")
                 .arg(row.line)
                 .arg(row.values.size())
                 .arg(kSlotTextLines) +
             kUnchanged;
    }
    const bool exists = p < records.size();
    const StoredRecord stored(exists ? records[p] : QByteArray());
    for (const CsvValue& v : row.values) {
      if (const QString why = ValueProblem(v.text, stored); !why.isEmpty()) {
        return QStringLiteral("CSVファイルの %1 行目、%2 番目の値はアルバムに保存できません。")
                   .arg(v.line)
                   .arg(v.number) +
               kUnchanged + u'\n' + why;
      }
    }
    PageContent page;
    if (exists) {
      // Pages the album keeps as they are take no values.
      if (records[p].size() > kMaxRecordBytes) continue;
      if (!DecodePageRecord(stored.Text(), page).version_ok) continue;
    } else {
      page = previous;
      ClearElements(page);
    }
    for (qsizetype i = 0; i < kSlotTextLines; ++i) {
      page.lines[static_cast<size_t>(i)].text =
          i < row.values.size() ? row.values[i].text : QString();
    }
    previous = page;
    bool encoded = false;
    const qsizetype size = stored.Encode(SerializePage(page), &encoded).size();
    if (size + kRecordSlackBytes > kMaxRecordBytes) {
      return QStringLiteral(
                 "CSVファイルの %1 行目の値を読み込むと、ページ %2 のデータが大きすぎて"
                 "（%3 KB、上限 %4 KB）表示できなくなります。")
                 .arg(row.line)
                 .arg(p)
                 .arg((size + 1023) / 1024)
                 .arg((kMaxRecordBytes - kRecordSlackBytes) / 1024) +
             kUnchanged;
    }
  }
  return {};
}

}  // namespace

CsvResult WriteCsvFile(Album& album, const QString& path, const ProgressCallback& progress) {
  if (SameFile(path, album.Path())) {
    return Failure(QStringLiteral("アルバムファイルにCSVデータを書き出すことはできません。"));
  }
  if (QString problem = CsvOutputProblem(path); !problem.isEmpty()) {
    return Failure(std::move(problem));
  }
  const int count = album.PageCount();
  QByteArray out;
  QString failure;
  {
    // Nothing is written back; the views update once at the end.
    Album::Batch batch(album);
    WalkPages(album, {count, false, {}}, [&](int p) {
      QStringList texts;
      for (const SlotTextLine& l : album.Page().lines) texts << l.text;
      bool ok = false;
      out += EncodeCp932(CsvLine(texts), &ok);
      if (!ok) {
        failure =
            QStringLiteral("ページ %1 の説明文にCSVファイルに書き出せない文字があります。").arg(p);
        return false;
      }
      out += "\r\n";
      if (progress) progress(p, count);
      return true;
    });
  }
  if (!failure.isEmpty()) return Failure(failure);
  const WriteResult written = WriteFileAtomically(path, out);
  if (!written.ok) return Failure(written.error);
  return CsvResult{true, {}, {}};
}

CsvResult ReadCsvFile(AlbumCommands& commands, const QString& path,
                      const ProgressCallback& progress) {
  Album& album = commands.Doc();
  if (!album.IsOpen()) return Failure(QStringLiteral("アルバムが開かれていません。"));
  if (album.IsReadOnly()) {
    return Failure(
        QStringLiteral("アルバムは読み取り専用で開いているため、CSVデータを読み込めません。"));
  }
  const QFileInfo info(path);
  if (!info.isFile()) {
    return Failure(QStringLiteral("CSVファイル「%1」が見つかりません。").arg(path));
  }
  if (info.size() > kMaxCsvBytes) {
    return Failure(QStringLiteral("CSVファイル「%1」は大きすぎます。").arg(path));
  }
  const FileRead read = ReadRegularFile(path, kMaxReadFileBytes);
  if (!read.ok()) {
    return Failure(WithFileErrorReason(
        QStringLiteral("CSVファイル「%1」を読み込めません。").arg(path), read.error_number));
  }
  const QByteArray& bytes = read.bytes;
  const QList<CsvRow> rows = ReadCsvRows(DecodeCsvBytes(bytes));
  const int pages = static_cast<int>(rows.size());
  if (pages > kMaxPages) {
    return Failure(QStringLiteral("CSVファイルには %1 ページ分の行があります。"
                                  "ページは最大%2ページまでです。アルバムは変更していません。")
                       .arg(pages)
                       .arg(kMaxPages));
  }
  if (pages == 0) return CsvResult{true, {}, {}};
  bool storable = false;
  const QList<QByteArray> records = album.RecordsAsShown(&storable);
  if (!storable) {
    album.SaveCurrentPage();  // tells why the shown page cannot be written back
    return Failure({});
  }
  if (QString problem = RowsProblem(rows, records); !problem.isEmpty()) {
    return Failure(std::move(problem));
  }

  CsvResult result;
  const bool ok = commands.ChangeAlbum(QStringLiteral("CSV読込"), [&] {
    const PageWalk walk{pages, true, [&] { commands.AppendPage(); }};
    const bool walked = WalkPages(album, walk, [&](int p) {
      const QList<CsvValue>& values = rows[p - 1].values;
      const bool placed = commands.ChangeShownPage(
          QStringLiteral("CSV読込"), [&](PageContent& page, PageDecor&) {
            for (qsizetype i = 0; i < kSlotTextLines; ++i) {
              page.lines[static_cast<size_t>(i)].text =
                  i < values.size() ? values[i].text : QString();
            }
          });
      if (!placed) result.pages_kept << p;
      if (progress) progress(p, pages);
      return true;
    });
    if (!walked || !album.SaveCurrentPage()) return false;
    if (album.CurrentPage() == 1) {
      album.LoadPage();  // the views take the imported texts of the page still shown
    } else {
      album.SetCurrentPage(1);
    }
    return true;
  });
  if (!ok) return Failure({});
  result.ok = true;
  return result;
}

QString ChooseCsvExportFile(Album& album) {
  Prompter& prompts = album.Prompts();
  if (!prompts.AskYesNo(QStringLiteral("CSVデータ(カンマ)区切りに書き出しされます。"),
                        QStringLiteral("確認"), MessageIcon::kQuestion, true)) {
    return {};
  }
  QString name = prompts.ChooseSaveFile(QStringLiteral("CSV書出"), album.FileSaveFolder(), kFilter);
  if (name.isEmpty()) return {};
  if (QFileInfo(name).suffix().isEmpty()) name += QStringLiteral(".csv");
  if (const QString problem = CsvOutputProblem(name); !problem.isEmpty()) {
    prompts.Notify(problem, QString(), MessageIcon::kExclamation);
    return {};
  }
  if (QFileInfo::exists(name) &&
      !prompts.AskYesNo(QStringLiteral("同じファイル名が存在します！上書きしますか？"),
                        QStringLiteral("上書き"), MessageIcon::kQuestion, true)) {
    return {};
  }
  return name;
}

CsvResult ExportCsv(Album& album, const QString& path, const ProgressCallback& progress) {
  // Text typed on the shown page belongs in the file; leaving a page that cannot be written
  // back would lose it.
  if (!album.SaveCurrentPage()) return Failure({});
  return WriteCsvFile(album, path, progress);
}

bool TellCsvExported(Album& album, const CsvResult& result) {
  if (result.ok) {
    album.Prompts().Notify(QStringLiteral("CSVデータ保存しました"));
  } else if (!result.error.isEmpty()) {
    album.Prompts().Notify(QStringLiteral("CSVファイルを保存できませんでした。\n\n") + result.error,
                           QString(), MessageIcon::kExclamation);
  }
  return result.ok;
}

QString CsvOutputProblem(const QString& path) {
  return OutputFileProblem(path, QStringLiteral("CSVファイル"));
}

QString ChooseCsvImportFile(Album& album) {
  return album.Prompts().ChooseOpenFile(QStringLiteral("CSV読込"), album.FileSaveFolder(), kFilter);
}

bool TellCsvImported(Album& album, const CsvResult& result) {
  if (!result.ok) {
    if (!result.error.isEmpty()) {
      album.Prompts().Notify(result.error, QString(), MessageIcon::kExclamation);
    }
    return false;
  }
  album.Prompts().Notify(QStringLiteral("CSVデータ読込完了しました"));
  if (!result.pages_kept.isEmpty()) {
    album.Prompts().Notify(KeptPagesNotice(result.pages_kept), QString(),
                           MessageIcon::kExclamation);
  }
  return true;
}

QString KeptPagesNotice(const QList<int>& pages) {
  QStringList numbers;
  for (int p : pages) numbers << QString::number(p);
  return QStringLiteral("ページ %1 は別の形式で保存されているため、読み込みませんでした。")
      .arg(numbers.join(QStringLiteral(", ")));
}

}  // namespace komasu
