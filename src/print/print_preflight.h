#pragma once
// What a run of pages will print differently from what the editor shows, found before it starts
// from the pages' records (and the shown page as it is), without moving a page: slot texts on
// pages whose 補助線 is off (the column prints only where it is on), slot lines the column cuts,
// and photos whose files are missing. The print dialog, the preview, PDF output and --pdf all
// check through here; the dialogs only show the result.

#include <QList>
#include <QString>
#include <QStringList>

#include "commands/page_walk.h"
#include "print/print_run.h"

namespace komasu {

class AlbumCommands;

struct CutLine {
  int page = 0;
  int slot = 0;     // 0 top, 1 middle, 2 bottom
  int line = 0;     // 0..8
  QString printed;  // what is left of it on paper
  bool operator==(const CutLine&) const = default;
};

struct MissingPhoto {
  int page = 0;
  int slot = 1;  // 1..3
  QString path;
  bool operator==(const MissingPhoto&) const = default;
};

struct PrintPreflight {
  // Pages holding slot texts whose 補助線 is off: their texts do not print.
  QList<int> texts_without_rules;
  // Slot lines the column cuts, on every page of the run, printed or not.
  QList<CutLine> cut_lines;
  QList<MissingPhoto> missing_photos;

  // The cut lines that go on paper: those of the pages whose column prints, with the pages of
  // `texts_without_rules` when their 補助線 is ticked on first.
  QList<CutLine> CutLinesPrinted(bool rules_ticked_on) const;
};

// The pages a request prints on an album of `page_count` pages, in order.
QList<int> PagesOfRun(const PrintRequest& request, int page_count);

// Checks the pages of `request` as the run will print them: slot texts in the fontinfo.ini font
// the run prints them with, measured as the printers measure.
PrintPreflight PreflightRun(Album& album, const PrintRequest& request);

// Page numbers, runs of three or more joined: "1～3, 5, 8".
QString PageListText(const QList<int>& pages);

// The findings in words, one text each; empty when there is nothing to say.
QString TextsWithoutRulesText(const QList<int>& pages);
QString CutLinesText(const QList<CutLine>& lines);
QString MissingPhotosText(const QList<MissingPhoto>& photos);

// The findings of a run that prints the album as it is stored (the command line's warnings).
QStringList PreflightWarnings(const PrintPreflight& found);

// Before a run of `request`: tells the user what the preflight found and asks how to go on, one
// question per finding, titled `title`. "補助線をオンにして印刷" ticks 補助線 on the pages named,
// as one album-wide change (after the last question, so a cancel changes nothing). False when
// the user cancelled or the change failed.
bool ConfirmPrintRun(AlbumCommands& commands, const PrintRequest& request, const QString& title,
                     const ProgressCallback& progress = {});

}  // namespace komasu
