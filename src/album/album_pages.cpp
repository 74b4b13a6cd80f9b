// The shown page: showing a page from the records, the page moves, and adding, inserting and
// deleting pages.
#include "album/album.h"
#include "album/album_file.h"
#include "album/guide_rules.h"
#include "album/page_reader.h"
#include "album/page_record.h"
#include "platform/cp932.h"
#include "platform/prompter.h"

namespace komasu {

void Album::SetCurrentPage(int n) {
  if (n == current_page_) return;
  current_page_ = n;
  LoadPage();
}

void Album::LoadPage() {
  ReadLayoutSettings();
  if (current_page_ != 0) decor_.guide_switch_enabled = true;
  ClearPage();
  HidePageElements();
  preserved_record_.reset();
  shown_record_ = StoredRecord();

  const QList<QByteArray>& records = store_.Records();
  QByteArray raw;
  if (!path_.isEmpty() && EnsureRecords() && !records.isEmpty()) {
    raw = records.value(std::min<qsizetype>(current_page_, records.size() - 1));
    store_.MarkShownStamp();
  }
  if (suppress_page_load_) {
    suppress_page_load_ = false;
    PlaceColumn();
    LayOutPage(page_, layout_, current_page_);
    EmitPageShown();
    return;
  }

  if (raw.size() > kMaxRecordBytes) {
    // Shown empty and written back untouched, as a page of another version.
    if (current_page_ >= 1 && current_page_ < records.size()) preserved_record_ = raw;
    Report(QStringLiteral("ページ%1のデータは大きすぎるため（%2 KB）、表示できません。\n"
                          "このページは変更されずにそのまま残ります。")
               .arg(current_page_)
               .arg(raw.size() / 1024));
    EmitPageShown();
    return;
  }

  // The record's switch and style reach the page as the user's clicks would: switch first,
  // then style, each handler running only when its value changes.
  const int shown_switch = page_.guide_lines;
  const RuleStyle shown_style = page_.rule_style;
  shown_record_ = StoredRecord(raw);
  const DecodedRecord decoded = ReadPageText(shown_record_.Text(), current_page_, layout_, page_);
  const int stored_switch = page_.guide_lines;
  const RuleStyle stored_style = page_.rule_style;
  page_.guide_lines = shown_switch;
  page_.rule_style = shown_style;
  SetGuideSwitch(page_, decor_, stored_switch != 0);
  SelectRuleStyle(page_, decor_, stored_style);
  if (!decoded.version_ok) {
    // A page of another format version is shown empty and written back untouched.
    if (current_page_ >= 1 && current_page_ < records.size()) preserved_record_ = raw;
    EmitPageShown();
    return;
  }
  PlaceColumn();
  emit PageFilled();
  EmitPageShown();
}

bool Album::RestoreRecords(const QList<QByteArray>& records, int show) {
  if (RefuseReadOnly() || records.size() < 2 || !WriteRecords(records)) return false;
  page_count_ = static_cast<int>(records.size()) - 1;
  header_record_ = StoredRecord(records.value(0));
  header_ = DecodeHeader(header_record_.Text());
  current_page_ = std::clamp(show, 1, page_count_);
  LoadPage();
  return true;
}

void Album::ClearPage() {
  ClearElements(page_);
  emit PageCleared();
  emit PageChanged();
}

void Album::HidePageElements() {
  for (SlotTextLine& l : page_.lines) l.visible = false;
  for (int i = 1; i <= kPhotoSlots; ++i) page_.Photo(i).visible = false;
  for (int i = 1; i <= 20; ++i) page_.Label(i).visible = false;
  for (CalloutLine& c : page_.callouts) c.line.visible = false;
}

// The layout settings were read by LoadPage just before.
void Album::PlaceColumn() {
  column_left_ = ColumnLeftFor(layout_.SideFor(current_page_));
  decor_.SetColumn(TextColumnLeft(), TextColumnRight());
}

// ---------------------------------------------------------------- page moves

void Album::FirstPage() {
  if (current_page_ == 1 || !SaveCurrentPage()) return;
  SetCurrentPage(1);
}

void Album::PreviousPage() {
  if (current_page_ == 1 || !SaveCurrentPage()) return;
  SetCurrentPage(current_page_ - 1);
}

void Album::NextPage() {
  if (current_page_ == page_count_ || !SaveCurrentPage()) return;
  SetCurrentPage(current_page_ + 1);
}

void Album::LastPage() {
  if (current_page_ == page_count_ || !SaveCurrentPage()) return;
  SetCurrentPage(page_count_);
}

void Album::JumpToPage(int n) {
  if (n <= 0 || n > page_count_ || !SaveCurrentPage()) return;
  SetCurrentPage(n);
}

bool Album::RefuseAtPageLimit() {
  if (page_count_ < kMaxPages) return false;
  Report(QStringLiteral("ページは最大%1ページまでです。これ以上ページを追加できません。")
             .arg(kMaxPages));
  return true;
}

void Album::AppendPage() {
  if (RefuseReadOnly() || RefuseAtPageLimit() || !SaveCurrentPage()) return;
  ClearPage();
  suppress_page_load_ = true;
  ++page_count_;
  SetCurrentPage(page_count_);  // its ClearPage has emptied the panel
}

void Album::InsertPage() {
  if (RefuseReadOnly() || RefuseAtPageLimit() || !SaveCurrentPage()) return;
  PageContent empty = page_;  // the new record is what the cleared page serializes to
  ClearElements(empty);
  bool ok = false;
  QList<QByteArray> out = store_.Records();
  const QByteArray record = EncodeCp932(SerializePage(empty), &ok);
  const qsizetype at = std::min<qsizetype>(current_page_ + 1, out.size());
  out.insert(at, record);
  if (!ok || !WriteRecords(out)) return;
  ++page_count_;
  SetCurrentPage(current_page_ + 1);
}

void Album::AskDeleteCurrentPage() {
  if (RefuseReadOnly()) return;
  if (prompter_.AskYesNo(QStringLiteral("ページ %1 を削除します").arg(current_page_),
                         QStringLiteral("削除"), MessageIcon::kQuestion)) {
    DeleteCurrentPage();
  }
}

void Album::DeleteCurrentPage() {
  if (RefuseReadOnly()) return;
  if (page_count_ <= 1) {
    prompter_.Notify(QStringLiteral("１ページしかありません"));
    return;
  }
  const int target = current_page_ == page_count_ ? page_count_ - 1 : current_page_;
  delete_pending_ = true;
  const bool saved = SaveCurrentPage();  // writes every record but the shown page's
  delete_pending_ = false;
  if (!saved) return;
  --page_count_;
  // The album as it now is becomes what closing without saving returns to.
  if (!TakeSnapshot()) snapshot_.ReportTakeFailed();
  ClearPage();
  current_page_ = target;
  LoadPage();
}

}  // namespace komasu
