#include "texttools/csv_transfer.h"

#include <QDir>
#include <QFileInfo>

#include "album/album.h"
#include "commands/album_commands.h"
#include "commands/page_walk.h"
#include "platform/cp932.h"
#include "platform/prompter.h"
#include "platform/text_file.h"
#include "texttools/csv_format.h"

namespace komasu {

namespace {

const QString kFilter = QStringLiteral("CSVファイル (*.csv)");

// A CSV file of a full album is about a megabyte; anything far larger is not one.
constexpr qint64 kMaxCsvBytes = 64ll * 1024 * 1024;

CsvResult Failure(QString error) { return CsvResult{false, std::move(error), {}}; }

}  // namespace

CsvResult WriteCsvFile(Album& album, const QString& path, const ProgressCallback& progress) {
  if (SameFile(path, album.Path())) {
    return Failure(QStringLiteral("アルバムファイルにCSVデータを書き出すことはできません。"));
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
  bool read = false;
  const QByteArray bytes = ReadFileBytes(path, &read);
  if (!read) return Failure(QStringLiteral("CSVファイル「%1」を読み込めません。").arg(path));
  const QList<CsvValue> values = ReadCsvValues(DecodeCsvBytes(bytes));
  for (const CsvValue& v : values) {
    if (const QString why = UnstorableTextMessage(v.text); !why.isEmpty()) {
      return Failure(QStringLiteral("CSVファイルの %1 行目、%2 番目の値はアルバムに保存できません。"
                                    "アルバムは変更していません。\n%3")
                         .arg(v.line)
                         .arg(v.number)
                         .arg(why));
    }
  }
  const int pages = static_cast<int>((values.size() + kSlotTextLines - 1) / kSlotTextLines);
  if (pages > kMaxPages) {
    return Failure(QStringLiteral("CSVファイルには %1 ページ分の値があります。"
                                  "ページは最大%2ページまでです。アルバムは変更していません。")
                       .arg(pages)
                       .arg(kMaxPages));
  }
  if (pages == 0) return CsvResult{true, {}, {}};

  CsvResult result;
  const bool ok = commands.ChangeAlbum(QStringLiteral("CSV読込"), [&] {
    const PageWalk walk{pages, true, [&] { commands.AppendPage(); }};
    const bool walked = WalkPages(album, walk, [&](int p) {
      const qsizetype first = static_cast<qsizetype>(p - 1) * kSlotTextLines;
      const bool placed = commands.ChangeShownPage(
          QStringLiteral("CSV読込"), [&](PageContent& page, PageDecor&) {
            for (qsizetype i = first; i < values.size() && i < first + kSlotTextLines; ++i) {
              page.lines[static_cast<size_t>(i - first)].text = values[i].text;
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
