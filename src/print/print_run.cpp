#include "print/print_run.h"

#include <QFileInfo>

#include "album/page_geometry.h"
#include "album/page_reader.h"
#include "album/slot_text_font.h"
#include "platform/prompter.h"
#include "print/page_renderer.h"
#include "print/print_photo_loader.h"

namespace komasu {

namespace {

void PrefetchShownPage(const PageContent& page, PrintPhotoLoader& photos) {
  for (const PhotoElement& p : page.photos) {
    if (!p.path.isEmpty()) photos.Prefetch(p.path, PrintedPhotoBox(p).size());
  }
}

// Starts decoding the photos of page `n` from its record while the shown page is printed.
void PrefetchRecord(Album& album, int n, PrintPhotoLoader& photos) {
  if (const std::optional<PageContent> page = ReadPage(album.Records(), n, album.Layout())) {
    PrefetchShownPage(*page, photos);
  }
}

}  // namespace

QString PrintJobName(const Album& album, int page_number) {
  QString name = album.Header().name.trimmed();
  if (name.isEmpty()) name = QFileInfo(album.Path()).completeBaseName();
  return QStringLiteral("%1 p.%2").arg(name).arg(page_number);
}

QString NotPrintedText(const QList<int>& pages) {
  const QString sentence = QStringLiteral("ページ %1 は印刷されませんでした。");
  if (pages.size() <= 2) {
    QStringList numbers;
    for (int n : pages) numbers.append(QString::number(n));
    return sentence.arg(numbers.join(QStringLiteral(", ")));
  }
  if (pages[1] - pages[0] == 1) {
    return sentence.arg(QStringLiteral("%1～%2").arg(pages.first()).arg(pages.last()));
  }
  return QStringLiteral("ページ %1～%2 の%3ページ（%4 ページ）は印刷されませんでした。")
      .arg(pages.first())
      .arg(pages.last())
      .arg(pages.first() % 2 != 0 ? QStringLiteral("奇数") : QStringLiteral("偶数"))
      .arg(pages.size());
}

int PagesToPrint(const PrintRequest& r, int page_count) {
  if (r.start < 1 || r.start > page_count) return 0;
  const int last = std::min(r.end, page_count);
  if (last < r.start) return 0;
  return (last - r.start) / (r.every_second ? 2 : 1) + 1;
}

PrintRunResult PrintPageRun(Album& album, const PrintRequest& r, PrintSurface& surface,
                            PrintRunMonitor* monitor, RunPageMoves moves) {
  PrintRunResult result;
  if (r.start == 0 || !album.IsOpen()) return result;
  if (r.start < 0 || r.start > album.PageCount()) return result;

  auto write_back = [&album, moves] {
    return moves == RunPageMoves::kWithoutWriteBack || album.SaveCurrentPage();
  };
  // Album::NextPage, with the write-back as the run's moves say.
  auto next_page = [&album, &write_back] {
    if (album.CurrentPage() < album.PageCount() && write_back())
      album.SetCurrentPage(album.CurrentPage() + 1);
  };

  // Write-backs of the run go to the records in memory; the file is rewritten once at its end.
  Album::Batch batch(album);
  if (album.CurrentPage() != r.start) {
    if (!write_back()) {
      if (monitor) monitor->Finished();
      return result;
    }
    album.ClearPage();
    album.SetCurrentPage(r.start);
  }

  const int step = r.every_second ? 2 : 1;
  const int last = std::min(r.end, album.PageCount());
  const int total = PagesToPrint(r, album.PageCount());
  PrintPhotoLoader photos(surface.PhotoDpi());
  // Every page prints its slot texts in the font the shown page takes from fontinfo.ini; the
  // pages keep their stored fonts.
  const QStringList fontinfo = ReadFontInfoValues(album.Folder());
  PageContent printed;
  for (int counter = r.start; last >= counter; counter += step) {
    album.ReadLayoutSettings();
    const LayoutSettings layout = album.Layout();
    const int shown = album.CurrentPage();
    if (monitor && !monitor->BeforePage(static_cast<int>(result.printed.size()), total, shown)) {
      result.cancelled = true;
      break;
    }
    PrefetchShownPage(album.Page(), photos);
    if (counter + step <= last) PrefetchRecord(album, shown + step, photos);
    surface.SetJobName(PrintJobName(album, shown));
    printed = album.Page();
    ApplySlotTextFont(printed.lines, fontinfo);
    PrintPage(printed, shown, layout, album.Callout(), photos, surface);
    if (surface.Failed()) {
      result.failed = true;
      if (surface.PagesAreSeparateJobs()) {
        for (int n = shown; n <= last; n += step) result.not_printed.append(n);
      }
      break;
    }
    result.printed.append(shown);
    for (int k = 0; k < step; ++k) next_page();
    // The page did not move although pages remain: its write-back was refused.
    if (album.CurrentPage() == shown && last >= counter + step) {
      for (int n = counter + step; n <= last; n += step) result.not_printed.append(n);
      break;
    }
  }
  photos.Clear();
  // The page moves below can report a failed write-back as well.
  if (monitor) monitor->Finished();

  if (album.CurrentPage() != r.end && write_back()) {
    album.ClearPage();
    if (album.CurrentPage() == r.start) {
      album.LoadPage();  // the cleared page shows its content again
    } else {
      album.SetCurrentPage(r.start);
    }
  }
  batch.Finish();

  if (result.failed) {
    QString text = surface.ErrorText();
    if (!result.not_printed.isEmpty())
      text += QLatin1Char('\n') + NotPrintedText(result.not_printed);
    album.Prompts().Notify(text, QStringLiteral("印刷"), MessageIcon::kExclamation);
  }
  return result;
}

}  // namespace komasu
