#pragma once
// The one way the program changes an open album. Every change is a named command of one of
// three kinds: a change of the shown page (the page before and after), an album-wide change
// (records rewritten once, at the end of one batch) and a change of the page order. Widgets,
// dialogs and the editing concerns call these, never the album's own mutators, which only this
// class can reach; this is where the history of changes lives.

#include <QObject>
#include <QRectF>
#include <QString>
#include <functional>
#include <optional>

#include "album/album.h"
#include "commands/history.h"

namespace komasu {

class AlbumCommands : public QObject {
  Q_OBJECT

 public:
  explicit AlbumCommands(Album& album, QObject* parent = nullptr);

  Album& Doc() { return album_; }
  const Album& Doc() const { return album_; }

  // The undo history of the open album: every command below is one step (typing in one field
  // is one step), cleared when another album opens; a read-only album has none. Undoing a
  // change of another page shows that page first.
  History& Steps() { return history_; }
  bool Undo();
  bool Redo();

  // --- the kinds ---
  // Runs `edit` on the shown page and its rules, marks the album modified and tells the views.
  // False (nothing done) when the page is not editable.
  // Successive changes with the same non-empty `field` on one page are one step.
  bool ChangeShownPage(const QString& name, const Album::PageEdit& edit,
                       const QString& field = {});
  // Runs `changes` (several changes of the shown page) as one step.
  void GroupShownPage(const QString& name, const std::function<void()>& changes);
  // Runs `work` (page moves and shown-page changes over many pages) inside one batch: the file
  // is rewritten once, when it ends, and the album is marked modified. False when `work` failed
  // or the rewrite did.
  bool ChangeAlbum(const QString& name, const std::function<bool()>& work);
  // Runs `change` (adding, inserting or deleting a page); when the page count changed, the
  // album is marked modified.
  void ChangePageOrder(const QString& name, const std::function<void()>& change);

  // --- the shown page ---
  // Puts `path` into photo slot `slot` (1..3) in `box` when given; an empty path with no box
  // empties the slot and leaves its box where it was. Marks the album modified.
  bool SetSlotPhoto(int slot, const QString& path, std::optional<QRectF> box = std::nullopt);
  // Line `line` (0..8) of slot `slot` (0..2).
  bool SetSlotLine(int slot, int line, const QString& text);
  // Label `index` (1..100) replaced whole.
  bool SetLabel(int index, const FreeLabel& label, const QString& name);
  // The single border that marks the pressed label: shown, never stored, so the album stays
  // as modified as it was.
  void MarkPressedLabel(int index);
  // Sets each label's box to `size_of` it (labels without text keep theirs). The box follows
  // the text as the screen measures it, which is no change of the album: it stays as modified
  // as it was.
  void FitLabelBoxes(const std::function<QSizeF(const FreeLabel&)>& size_of);
  // Callout slot `index` (0..14) emptied.
  bool ClearCallout(int index);
  // "補助線" and "下　線" / "枠　線" of the shown page.
  bool SetGuideSwitch(bool ticked);
  bool SetRuleStyle(RuleStyle style);

  // --- the cover and the flag ---
  // Cover field 0 (name), 1 (author) or 2 (date), stored with the next write-back; the album is
  // marked modified.
  void SetCoverField(int index, const QString& text);
  void SetModified(bool modified);

  // --- the page order ---
  void AppendPage();
  void InsertPage();
  // Asks "ページ N を削除します" and deletes the shown page on Yes.
  void AskDeletePage();
  void DeletePage();

  // --- rearranging (commands/rearranging.cpp) ---
  // Moves `pages` (page numbers, no repeats) together, in their order, to stand before page
  // `before` (1..count + 1, numbered as before the move): one rewrite of the album file; the
  // shown page follows its record. False when nothing moves or the rewrite failed (the user
  // was told).
  bool MovePages(const QList<int>& pages, int before);
  // Asks for the number the shown page is to have and moves it there.
  void AskMovePage();
  // Swaps the photos of slots `a` and `b` (1..3) of the shown page, with their nine text lines
  // when `with_texts`; each slot keeps its place.
  bool SwapSlotPhotos(int a, int b, bool with_texts);
  // Moves the photo of slot `slot` of the shown page into the first empty slot of page `page`;
  // the shown page stays shown. False, the user told, when that page has no empty slot.
  bool MovePhotoToPage(int slot, int page);

  // The shown page's content was replaced in place by an album-wide change: what follows a
  // loaded page (the editor's panel) follows it.
  void RefillShownPage();

 private:
  friend class ShownPageStep;
  friend class RecordsStep;
  // Shows page `n` (writing the shown page back, as every page move does) and puts `page` and
  // `decor` in its place; false when the page could not be left.
  bool PutShownPage(int n, const PageContent& page, const PageDecor& decor);
  bool RestoreRecords(const QList<QByteArray>& records, int show) {
    return album_.RestoreRecords(records, show);
  }
  bool Recording() const { return depth_ == 0 && !replaying_ && !album_.IsReadOnly(); }
  // Runs `change` as one step that restores the album's records (and the page shown) on undo.
  bool RecordRecords(const QString& name, const std::function<bool()>& change);
  void ReachedClean(bool clean);

  Album& album_;
  History history_;
  int depth_ = 0;          // inside a command: the changes it makes are part of its step
  bool replaying_ = false;  // undoing or redoing
};

}  // namespace komasu
