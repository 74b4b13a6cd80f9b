#pragma once
// The one walk over pages for album-wide work: the page moves from the first page on, each
// writing the page it leaves back (or, for work that only reads, showing each page without
// write-backs), inside the caller's batch (AlbumCommands::ChangeAlbum), so the album file is
// rewritten once at the end.

#include <functional>

namespace komasu {

class Album;
class AlbumCommands;

// Told after each page an album-wide command has finished: pages done, pages in all.
using ProgressCallback = std::function<void(int done, int total)>;

struct PageWalk {
  int last = 0;            // the last page shown; 0: the album's last page
  bool write_back = true;  // each move writes the page it leaves back, as the page moves do
  // Appends a page after the album's last (AlbumCommands::AppendPage); without it the walk
  // ends at the album's last page.
  std::function<void()> append;
  int first = 1;  // the first page shown: the walk starts on it
};

// Shows pages first..last in turn and runs `visit(n)` on each. False when a move was refused
// (the user was told once; the page then stays shown) or `visit` returned false.
bool WalkPages(Album& album, const PageWalk& walk,
               const std::function<bool(int n)>& visit);

// Runs `edit(done)` on every page in turn from the first, writes the last page back and shows
// page `remembered` again. With `last_stays_shown_unwritten`, the last page is written back
// only when the walk leaves it (it stays shown, ahead of its record, like any edited page).
// False when a write-back was refused (the user was told once); the page then stays shown with
// its edits.
bool EditEveryPage(AlbumCommands& commands, int remembered, const ProgressCallback& progress,
                   const std::function<void(int done)>& edit,
                   bool last_stays_shown_unwritten = false);

}  // namespace komasu
