#include "commands/page_walk.h"

#include "album/album.h"
#include "commands/album_commands.h"

namespace komasu {

bool WalkPages(Album& album, const PageWalk& walk, const std::function<bool(int n)>& visit) {
  for (int n = walk.first; n <= (walk.last > 0 ? walk.last : album.PageCount()); ++n) {
    if (!walk.write_back) {
      album.SetCurrentPage(n);
    } else if (n == walk.first) {
      if (album.CurrentPage() != n) album.JumpToPage(n);
    } else if (n <= album.PageCount()) {
      album.NextPage();
    } else if (walk.append) {
      walk.append();
    }
    // A refused write-back must end the walk instead of repeating on the same page.
    if (album.CurrentPage() != n) return false;
    if (!visit(n)) return false;
  }
  return true;
}

bool EditEveryPage(AlbumCommands& commands, int remembered, const ProgressCallback& progress,
                   const std::function<void(int done)>& edit,
                   bool last_stays_shown_unwritten) {
  Album& album = commands.Doc();
  const bool walked = WalkPages(album, {}, [&](int n) {
    edit(n);
    if (progress) progress(n, album.PageCount());
    return true;
  });
  if (!walked) return false;
  const bool leaves = album.CurrentPage() != remembered;
  if ((leaves || !last_stays_shown_unwritten) && !album.SaveCurrentPage()) return false;
  if (leaves) {
    album.SetCurrentPage(remembered);
  } else {
    commands.RefillShownPage();
  }
  return true;
}

}  // namespace komasu
