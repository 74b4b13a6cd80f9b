#pragma once
// The open album: its file, page count, shown page number, cover fields, flags and the shown
// page, with the operations that read and write the album file. Every page change goes
// through LoadPage; every write-back through SaveCurrentPage. The file is the only store of
// pages other than the shown one; its records are kept as raw bytes between operations and
// re-read whenever the file changed on disk. An open album is locked against other copies of
// the program; one opened while another program holds it is read-only.

#include <QByteArray>
#include <QDateTime>
#include <QList>
#include <QObject>
#include <QRectF>
#include <functional>
#include <optional>

#include "album/album_lock.h"
#include "album/album_snapshot.h"
#include "album/layout_settings.h"
#include "album/page_content.h"
#include "album/page_decor.h"
#include "album/page_geometry.h"
#include "album/record_store.h"
#include "album/stored_record.h"
#include "platform/program_folder.h"

namespace komasu {

class Clock;
class Prompter;

inline constexpr int kMaxPages = 499;

class Album : public QObject {
  Q_OBJECT

 public:
  Album(ProgramFolder folder, Prompter& prompter, const Clock& clock, QObject* parent = nullptr);

  // --- state ---
  const QString& Path() const { return path_; }
  bool IsOpen() const { return !path_.isEmpty() && page_count_ > 0; }
  int PageCount() const { return page_count_; }
  int CurrentPage() const { return current_page_; }
  const ProgramFolder& Folder() const { return folder_; }
  Prompter& Prompts() { return prompter_; }
  const Clock& TimeSource() const { return clock_; }
  const LayoutSettings& Layout() const { return layout_; }
  const AlbumHeader& Header() const { return header_; }
  // The shown page, possibly ahead of its record.
  const PageContent& Page() const { return page_; }
  // Guide rules and "No." marks of the shown page.
  const PageDecor& Decor() const { return decor_; }
  bool IsModified() const { return modified_; }
  // Opened while another program held the album, or where it cannot be saved (a read-only
  // medium or file, a folder that takes no new file): it can be viewed and printed, but nothing
  // writes its file.
  bool IsReadOnly() const { return read_only_; }
  // How opening finds out whether an album can be written where it is; ProbeWriteAccess unless
  // a test sets another.
  void SetWriteAccessProbe(std::function<WriteAccess(const QString&)> probe) {
    write_access_ = std::move(probe);
  }
  // The third value of OPT.ini: where album and CSV file dialogs open.
  const QString& FileSaveFolder() const { return file_save_folder_; }
  // The callout settings taken from position.ini when the settings files were last applied.
  const CalloutSettings& Callout() const { return callout_; }

  // The text column's left and right edges of the current layout (twips).
  float TextColumnLeft() const { return column_left_; }
  float TextColumnRight() const { return column_left_ + kTextColumnWidth; }
  // False when the album is read-only, and when the shown page's record belongs to another
  // format version: it is shown empty, kept byte for byte and cannot be edited, so nothing
  // typed on it would be lost.
  bool PageEditable() const { return !read_only_ && !preserved_record_.has_value(); }

  // Changes go through AlbumCommands (commands/), the only caller of the mutators below.
  using PageEdit = std::function<void(PageContent& page, PageDecor& decor)>;

  // --- file operations ---
  // Rewrites the album file with the shown page. False (after telling the user) when the
  // file could not be written; the old file then stays as it was. When another program
  // changed the file since the shown page was read, the user is asked first; on Yes every
  // other page is taken from the file as it is now. A read-only album is never written (true).
  bool SaveCurrentPage();
  // "上書き保存": write back, renew the snapshot, clear the modified flag.
  bool Save();
  bool OpenAlbum();
  // Opens `path` without a file dialog (the desktop's "open with").
  bool OpenAlbumAt(const QString& path);
  bool NewAlbum();
  // "名前を付けて保存": the copy is opened and starts unmodified.
  bool SaveAlbumAs();
  // The "No" answer at closing: the snapshot back.apt replaces the album file. Only the
  // snapshot this album took is restored: back.apt must still hold the very bytes taken (a
  // second copy of the program shares the program folder); otherwise the user is told and
  // the album stays as last written. False when nothing was restored.
  bool RestoreSnapshot();
  // The closing question (はい / いいえ / キャンセル); false when the window must stay open.
  bool ConfirmClose();

  // --- page display ---
  // Shows page `n` (runs LoadPage) when it differs from the current page.
  void SetCurrentPage(int n);
  void LoadPage();
  void ClearPage();

  // --- page moves ---
  void FirstPage();
  void PreviousPage();
  void NextPage();
  void LastPage();
  // Moves to page n after writing the shown page back; out-of-range numbers do nothing.
  void JumpToPage(int n);

  // --- settings files ---
  // What becoming active applies, for the window and the command line alike: fontinfo.ini to
  // the 27 slot text lines, position.ini to the layout, and its callout values. Returns the
  // fontinfo.ini values (up to 11) for the panel's line fields.
  QStringList ApplySettingsFiles();
  // Applies fontinfo.ini values (name, size, strikethrough, bold, italic, colour) to the 27
  // slot text lines: size minus 5; then the first line of each slot 8 pt, the second 6 pt.
  void ApplySlotTextFont(const QStringList& fontinfo_values);
  // Re-reads position.ini (the printer does so before every page).
  void ReadLayoutSettings();

  // The records a write-back would write now: the cover and the shown page as they are, the
  // other pages as last read. `ok` is false when a changed text cannot be stored.
  QList<QByteArray> RecordsAsShown(bool* ok);

  // Raw record bytes of the album file as last read or written (header at 0).
  const QList<QByteArray>& Records();

  // Album-wide operations run as a batch: write-backs inside it update the records in memory
  // and the file is rewritten once, atomically, when the outermost batch ends. Page-change
  // signals are held back until then. A crash mid-batch leaves the file as it was.
  class Batch {
   public:
    explicit Batch(Album& album) : album_(album) { album_.BeginBatch(); }
    ~Batch() {
      if (!done_) album_.EndBatch();
    }
    Batch(const Batch&) = delete;
    Batch& operator=(const Batch&) = delete;
    // Ends the batch now; false when the final rewrite failed (the user was told).
    bool Finish() {
      if (done_) return ok_;
      done_ = true;
      ok_ = album_.EndBatch();
      return ok_;
    }

   private:
    friend class Album;
    Album& album_;
    bool done_ = false;
    bool ok_ = true;
  };
  bool InBatch() const { return store_.InBatch(); }

 signals:
  // The shown page, page number or page count changed.
  void PageShown();
  // Another album was opened or created.
  void AlbumOpened();
  // SaveCurrentPage wrote the shown page back (inside a batch: into the records in memory).
  void PageWrittenBack();
  // The shown page or its rules changed in place.
  void PageChanged();
  void ModifiedChanged(bool modified);
  // ClearPage ran, and a loaded page's content is in place: the editor's slot text panel
  // empties and selects the top slot, then fills from the page, at exactly these points.
  void PageCleared();
  void PageFilled();

 private:
  friend class AlbumCommands;

  // --- the mutators, reached through AlbumCommands ---
  // Runs `edit` on the shown page and tells the views; `marks_modified` sets the modified flag.
  // False (nothing done) when the page is not editable.
  bool EditPage(const PageEdit& edit, bool marks_modified = true);
  // Cover field 0 (name), 1 (author) or 2 (date).
  void SetCoverField(int index, const QString& text);
  void SetModified(bool modified);
  void AppendPage();
  void InsertPage();
  // Asks "ページ N を削除します" and deletes the shown page on Yes.
  void AskDeleteCurrentPage();
  void DeleteCurrentPage();
  // What follows a loaded page follows the shown page again (its content was replaced in place).
  void RefillShownPage() { emit PageFilled(); }
  // Writes `records` (the cover at 0) as the album file, in one rewrite or into the batch, and
  // shows page `show` from them; the shown page is replaced, not written back. False (the
  // user was told) when the album is read-only or the file could not be written.
  bool RestoreRecords(const QList<QByteArray>& records, int show);

  // Tells the user and returns true when the album is read-only.
  bool RefuseReadOnly();
  // Refuses (telling the user) to write over an album another program holds.
  bool RefuseInUse(const QString& path);
  void BeginBatch();
  bool EndBatch();
  void EmitPageShown();
  bool EnsureRecords() { return store_.Ensure(path_); }
  bool WriteRecords(const QList<QByteArray>& records);
  bool CheckStorable();
  QByteArray EncodedShownPage(bool* ok);
  QString ChooseTargetName(const QString& title, bool save_dialog);
  bool SwitchTo(const QString& path);
  // Reads and checks `path`; its bytes go to `bytes`.
  bool CanOpenAsAlbum(const QString& path, QByteArray* bytes, QString* damage_notice);
  void Report(const QString& text);
  // Copies the album to back.apt (from `bytes` when they were just read from it).
  bool TakeSnapshot(const QByteArray* bytes = nullptr);
  bool RefuseAtPageLimit();
  void HidePageElements();
  // Sets the text column of the shown page's side.
  void PlaceColumn();

  ProgramFolder folder_;
  Prompter& prompter_;
  const Clock& clock_;
  LayoutSettings layout_;

  QString path_;
  int page_count_ = 0;
  int current_page_ = 0;
  bool delete_pending_ = false;
  bool suppress_page_load_ = false;
  std::optional<QString> pending_open_path_;
  std::optional<QByteArray> preserved_record_;
  // The stored records of the cover and the shown page: a write-back keeps the bytes of the
  // fields the user did not change.
  StoredRecord header_record_;
  StoredRecord shown_record_;
  AlbumSnapshot snapshot_;
  std::unique_ptr<AlbumLock> lock_;
  bool read_only_ = false;
  std::function<WriteAccess(const QString&)> write_access_ = ProbeWriteAccess;

  AlbumHeader header_;
  PageContent page_;
  PageDecor decor_;
  bool modified_ = false;
  QString file_save_folder_;
  CalloutSettings callout_;
  float column_left_ = ColumnLeftFor(PageSide::kLeftBound);

  bool batch_page_shown_ = false;
  RecordStore store_;
};

}  // namespace komasu
