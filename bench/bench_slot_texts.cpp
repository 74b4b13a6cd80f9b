// Times "アルバム全体に貼付" and 連番 (with their undo and redo, and the memory of a full
// history), the copy tool's "各ページにコピー", CSV export and CSV import on
// a 499-page album, each started on the middle page.
// Usage: bench_slot_texts [--page-by-page]  (the second also times the unbatched moves and
// checks the batched import against the page-by-page one byte for byte)

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QImage>
#include <QTemporaryDir>
#include <cstdio>

#include "album/album.h"
#include "commands/album_commands.h"
#include "album/album_file.h"
#include "album/page_record.h"
#include "editor/editor_controller.h"
#include "editor/slot_text_commands.h"
#include "platform/clock.h"
#include "platform/cp932.h"
#include "platform/scripted_prompter.h"
#include "platform/text_file.h"
#include "texttools/copy_tool.h"
#include "texttools/csv_format.h"
#include "texttools/csv_transfer.h"

using namespace komasu;

namespace {

constexpr int kPages = 499;

// A full page: three photos, 27 texts, 19 labels, 15 callouts with arrow heads.
QString FullPage(int p, const QString& folder) {
  PageContent page;
  page.guide_lines = 1;
  page.rule_style = p % 2 ? RuleStyle::kFrame : RuleStyle::kUnderline;
  for (int s = 1; s <= 3; ++s) {
    page.Photo(s).path = QStringLiteral("%1/AL2612%2_%3.jpg").arg(folder).arg(p).arg(s);
  }
  for (int i = 0; i < kSlotTextLines; ++i) {
    page.lines[i].text = i % 9 == 0
                             ? QString::number(3 * (p - 1) + i / 9 + 1)
                             : QStringLiteral("第%1頁 基礎配筋検査 北側通り芯 %2").arg(p).arg(i);
  }
  for (int i = 1; i <= kStoredFreeLabels; ++i) {
    page.Label(i).text = QStringLiteral("ラベル%1").arg(i);
    page.Label(i).left = 6500 + 100 * i;
  }
  for (int i = 0; i < kCalloutLines; ++i) {
    page.callouts[i].line = {7000.f + i, 2000.f, 8000.f, 2500.f + i, true};
    page.callouts[i].arrow_a = {8000.f, 2500.f, 7900.f, 2450.f, true};
    page.callouts[i].arrow_b = {8000.f, 2500.f, 7950.f, 2400.f, true};
  }
  return SerializePage(page);
}

double Run(const char* name, const std::function<void()>& work) {
  QElapsedTimer t;
  t.start();
  work();
  const double ms = t.nsecsElapsed() / 1e6;
  std::printf("%-40s %8.1f ms\n", name, ms);
  return ms;
}

struct Session {
  std::unique_ptr<Album> album;
  std::unique_ptr<AlbumCommands> commands;
  std::unique_ptr<EditorController> editor;
};

void PageByPagePaste(EditorController& editor) {
  Album& album = editor.Doc();
  const int remembered = album.CurrentPage();
  const auto lines = editor.PanelLines();
  album.FirstPage();
  for (int done = 0; done < album.PageCount(); ++done) {
    editor.Commands().ChangeShownPage(
        QStringLiteral("貼付"),
        [&](PageContent& p, PageDecor&) {
          for (int i = 0; i < kSlotTextLines; ++i) p.lines[i].text = lines[i % 9];
        });
    album.NextPage();
  }
  if (album.CurrentPage() != remembered) {
    album.SaveCurrentPage();
    album.ClearPage();
    album.SetCurrentPage(remembered);
  }
}

// The CSV import as the page moves run it page by page, each write-back rewriting the file.
void PageByPageImport(AlbumCommands& commands, const QString& csv) {
  Album& album = commands.Doc();
  QStringList values;
  for (const CsvRow& row : ReadCsvRows(DecodeCsvBytes(ReadFileBytes(csv)))) {
    for (int i = 0; i < kSlotTextLines; ++i) values << row.values.value(i).text;
  }
  const int pages = static_cast<int>((values.size() + kSlotTextLines - 1) / kSlotTextLines);
  album.FirstPage();
  for (int p = 1; p <= pages; ++p) {
    if (p > 1) p <= album.PageCount() ? album.NextPage() : commands.AppendPage();
    commands.ChangeShownPage(QStringLiteral("CSV読込"), [&](PageContent& page, PageDecor&) {
      for (int i = 0; i < kSlotTextLines && (p - 1) * kSlotTextLines + i < values.size(); ++i)
        page.lines[i].text = values[(p - 1) * kSlotTextLines + i];
    });
  }
  album.SaveCurrentPage();
  album.SetCurrentPage(1);
}

}  // namespace

int main(int argc, char** argv) {
  QCoreApplication app(argc, argv);
  const bool page_by_page = app.arguments().contains(QStringLiteral("--page-by-page"));
  QTemporaryDir dir;
  ProgramFolder folder(dir.path());
  folder.WriteMissingDefaults();
  QImage photo(1600, 1200, QImage::Format_RGB32);
  photo.fill(Qt::darkCyan);
  for (int p = 1; p <= 3; ++p) {
    for (int s = 1; s <= 3; ++s) {
      photo.save(QStringLiteral("%1/AL2612%2_%3.jpg").arg(dir.path()).arg(p).arg(s), "JPG");
    }
  }

  QList<QByteArray> records{EncodeCp932(SerializeHeader(
      {QStringLiteral("現場写真"), QStringLiteral("工務課"), QStringLiteral("2026/12/09")}))};
  for (int p = 1; p <= kPages; ++p) records << EncodeCp932(FullPage(p, dir.path()));
  const QByteArray bytes = JoinAlbumRecords(records);
  const QString path = dir.filePath(QStringLiteral("bench.apt"));
  std::printf("album: %d pages, %.2f MB\n", kPages, bytes.size() / 1e6);

  ScriptedPrompter prompter;
  FixedClock clock(QDateTime(QDate(2026, 12, 9), QTime(10, 0)));
  const auto fresh_album = [&]() {
    WriteFileAtomically(path, bytes);
    Session s{std::make_unique<Album>(folder, prompter, clock), nullptr, nullptr};
    s.commands = std::make_unique<AlbumCommands>(*s.album);
    s.editor = std::make_unique<EditorController>(*s.commands);
    s.album->OpenAlbumAt(path);
    s.album->JumpToPage(250);
    s.editor->SetPanelLine(1, QStringLiteral("共通の説明文"));
    return s;
  };

  // The CSV file the import reads: the exported texts with every first text line changed.
  const QString exported = dir.filePath(QStringLiteral("bench.csv"));
  const QString edited = dir.filePath(QStringLiteral("edited.csv"));
  {
    auto album = fresh_album();
    WriteCsvFile(*album.album, exported);
    WriteFileAtomically(edited, EncodeCp932(DecodeCp932(ReadFileBytes(exported))
                                                .replace(QStringLiteral("基礎配筋検査"),
                                                         QStringLiteral("基礎配筋の確認"))));
  }

  for (int round = 1; round <= 2; ++round) {
    std::printf("round %d\n", round);
    {
      auto album = fresh_album();
      prompter.yes_no = {true};
      Run("アルバム全体に貼付 (batched)", [&] { PasteIntoAlbum(*album.editor); });
      Run("  元に戻す", [&] { album.commands->Undo(); });
      Run("  やり直し", [&] { album.commands->Redo(); });
    }
    {
      auto album = fresh_album();
      prompter.texts = {QStringLiteral("1")};
      Run("連番 (batched)", [&] { NumberSlotsSerially(*album.editor); });
      Run("  元に戻す", [&] { album.commands->Undo(); });
      Run("  やり直し", [&] { album.commands->Redo(); });
    }
    {
      auto album = fresh_album();
      Run("各ページにコピー, 項目 (batched)",
          [&] { CopyLinesToEveryPage(*album.editor, std::nullopt); });
    }
    {
      auto album = fresh_album();
      Run("CSV書出", [&] { ExportCsv(*album.album, exported); });
    }
    {
      auto album = fresh_album();
      int rewrites = 0;
      QObject::connect(album.album.get(), &Album::PageWrittenBack,
                       [&] { rewrites += !album.album->InBatch(); });
      Run("CSV読込 (batched)", [&] { ReadCsvFile(*album.commands, edited); });
      if (rewrites != 0) std::printf("CSV読込 wrote back outside its batch %d times\n", rewrites);
    }
  }
  {
    // A full history: 100 album-wide steps, each renumbering every slot.
    auto album = fresh_album();
    for (int i = 0; i < History::kMaxSteps; ++i) {
      prompter.texts = {QString::number(i + 1)};
      NumberSlotsSerially(*album.editor);
    }
    std::printf("%-40s %8.1f MB (%d steps)\n", "history of 100 連番",
                album.commands->Steps().Bytes() / 1e6, album.commands->Steps().Count());
  }
  if (page_by_page) {
    auto album = fresh_album();
    Run("アルバム全体に貼付 (page by page)", [&] { PageByPagePaste(*album.editor); });
  }
  if (page_by_page) {
    auto batched = fresh_album();
    ReadCsvFile(*batched.commands, edited);
    const QByteArray batched_bytes = ReadFileBytes(path);
    auto album = fresh_album();
    Run("CSV読込 (page by page)", [&] { PageByPageImport(*album.commands, edited); });
    std::printf("batched import %s the page-by-page one\n",
                ReadFileBytes(path) == batched_bytes ? "is byte-identical to" : "DIFFERS from");
  }
  return prompter.Notices().isEmpty() ? 0 : 1;
}
