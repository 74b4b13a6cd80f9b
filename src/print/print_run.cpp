#include "print/print_run.h"

#include <QFileInfo>
#include <algorithm>

#include "album/page_geometry.h"
#include "album/page_reader.h"
#include "album/slot_text_font.h"
#include "platform/prompter.h"
#include "print/page_renderer.h"
#include "print/print_photo_loader.h"
#include "print/print_preflight.h"

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

namespace {

// "ページ 3～5 " or "ページ 3～9 の奇数ページ（4 ページ）", for a sentence that goes on with "は…".
QString PagesSubject(const QList<int>& pages) {
  const QString subject = QStringLiteral("ページ %1 ");
  if (pages.size() <= 2) return subject.arg(PageListText(pages));
  const int step = pages[1] - pages[0];
  bool one_run = step == 1 || step == 2;
  for (qsizetype i = 2; i < pages.size() && one_run; ++i) one_run = pages[i] - pages[i - 1] == step;
  if (one_run && step == 1) {
    return subject.arg(QStringLiteral("%1～%2").arg(pages.first()).arg(pages.last()));
  }
  if (one_run) {
    return QStringLiteral("ページ %1～%2 の%3ページ（%4 ページ）")
        .arg(pages.first())
        .arg(pages.last())
        .arg(pages.first() % 2 != 0 ? QStringLiteral("奇数") : QStringLiteral("偶数"))
        .arg(pages.size());
  }
  // Pages here and there: runs of three or more consecutive pages as "a～b".
  return subject.arg(PageListText(pages));
}

}  // namespace

QString NotPrintedText(const QList<int>& pages) {
  return PagesSubject(pages) + QStringLiteral("は印刷されませんでした。");
}

QString UncertainPagesText(const QList<int>& pages) {
  return PagesSubject(pages) +
         QStringLiteral("は、印刷されたかどうか分かりません。プリンタの出力を確かめてください。");
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
  // A queue can drop jobs it took (a job cancelled) or take them with it when it goes (deleted
  // mid-run): those pages count as not printed as well.
  const SentJobs sent = surface.JobsAfterRun();
  const UnprintedJobs unprinted = JobsNotCompleted(sent);
  QList<int> dropped;
  QList<int> uncertain;
  // The surface's jobs are the pages printed, in order.
  for (int i : unprinted.dropped) dropped.append(result.printed.at(i));
  for (int i : unprinted.unknown) uncertain.append(result.printed.at(i));
  for (int n : dropped + uncertain) result.printed.removeOne(n);
  QList<int> certain = result.not_printed + dropped;
  std::sort(certain.begin(), certain.end());
  result.not_printed = certain + uncertain;
  std::sort(result.not_printed.begin(), result.not_printed.end());

  if (album.CurrentPage() != r.end && write_back()) {
    album.ClearPage();
    if (album.CurrentPage() == r.start) {
      album.LoadPage();  // the cleared page shows its content again
    } else {
      album.SetCurrentPage(r.start);
    }
  }
  batch.Finish();

  if (result.failed || !dropped.isEmpty() || !uncertain.isEmpty()) {
    QString text = result.failed ? surface.ErrorText()
                                 : DroppedJobsText(surface.PrinterName(), sent.queue_gone);
    if (!certain.isEmpty()) text += QLatin1Char('\n') + NotPrintedText(certain);
    if (!uncertain.isEmpty()) text += QLatin1Char('\n') + UncertainPagesText(uncertain);
    album.Prompts().Notify(text, QStringLiteral("印刷"), MessageIcon::kExclamation);
  }
  return result;
}

}  // namespace komasu
