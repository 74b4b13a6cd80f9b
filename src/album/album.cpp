#include "album/album.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLocale>

#include "album/album_file.h"
#include "album/drive_settings.h"
#include "album/guide_rules.h"
#include "album/page_record.h"
#include "platform/clock.h"
#include "platform/cp932.h"
#include "platform/number_text.h"
#include "platform/prompter.h"
#include "platform/settings_values.h"
#include "platform/text_file.h"

namespace komasu {

namespace {

const QString kFileFilter = QStringLiteral("すべてのファイル (*.apt)");
const QString kOverwriteQuestion = QStringLiteral("同じファイル名が存在します！上書きしますか？");

QString Shown(const QString& path) { return QDir::toNativeSeparators(path); }

QByteArray Sha256(const QByteArray& bytes) {
  return QCryptographicHash::hash(bytes, QCryptographicHash::Sha256);
}

}  // namespace

Album::Album(ProgramFolder folder, Prompter& prompter, const Clock& clock, QObject* parent)
    : QObject(parent), folder_(std::move(folder)), prompter_(prompter), clock_(clock) {
  file_save_folder_ = ReadDriveSettings(folder_.OptIni()).file_save_folder;
}

// ---------------------------------------------------------------- records

void Album::Report(const QString& text) {
  prompter_.Notify(text, ApplicationTitle(), MessageIcon::kExclamation);
}

void Album::BeginBatch() { ++batch_depth_; }

bool Album::EndBatch() {
  if (batch_depth_ == 0) return true;
  if (--batch_depth_ > 0) return true;
  bool ok = true;
  if (batch_dirty_) {
    batch_dirty_ = false;
    ok = WriteRecords(records_);
    // The records in memory are ahead of a file that kept its old content: read it anew.
    if (!ok) records_path_.clear();
  }
  if (batch_page_shown_) {
    batch_page_shown_ = false;
    emit PageShown();
  }
  return ok;
}

void Album::EmitPageShown() {
  if (batch_depth_ > 0) {
    batch_page_shown_ = true;
  } else {
    emit PageShown();
  }
}

bool Album::EnsureRecords() {
  if (batch_depth_ > 0 && records_path_ == path_) return true;  // memory is ahead of the file
  const QFileInfo info(path_);
  const qint64 size = info.exists() ? info.size() : -1;
  const QDateTime mtime = info.exists() ? info.lastModified() : QDateTime();
  if (records_path_ == path_ && records_size_ == size && records_mtime_ == mtime) return true;
  if (size < 0 || size > kMaxAlbumFileBytes) return false;  // keep what was known
  bool ok = false;
  const QByteArray bytes = ReadFileBytes(path_, &ok);
  if (!ok) return false;
  records_ = SplitAlbumRecords(bytes);
  records_path_ = path_;
  records_size_ = size;
  records_mtime_ = mtime;
  return true;
}

const QList<QByteArray>& Album::Records() {
  EnsureRecords();
  return records_;
}

bool Album::WriteRecords(const QList<QByteArray>& records) {
  if (batch_depth_ > 0) {
    records_ = records;
    records_path_ = path_;
    batch_dirty_ = true;
    return true;
  }
  if (RefuseReadOnly() || !MayOverwriteChanged()) return false;
  const WriteResult result = WriteFileAtomically(path_, JoinAlbumRecords(records));
  if (!result.ok) {
    Report(
        QStringLiteral("アルバムを保存できませんでした。元のファイルはそのまま残っています。\n\n") +
        result.error);
    return false;
  }
  records_ = records;
  records_path_ = path_;
  const QFileInfo info(path_);
  records_size_ = info.size();
  records_mtime_ = info.lastModified();
  shown_stamp_ = RecordsStamp();
  return true;
}

Album::FileStamp Album::StampOf(const QString& path) {
  const QFileInfo info(path);
  if (!info.exists()) return {path, -1, {}};
  return {path, info.size(), info.lastModified()};
}

bool Album::ChangedBehindUs() const {
  return !path_.isEmpty() && shown_stamp_.path == path_ && StampOf(path_) != shown_stamp_;
}

bool Album::MayOverwriteChanged() {
  if (!ChangedBehindUs()) return true;
  if (prompter_.AskYesNo(
          QStringLiteral("アルバム「%1」は他のプログラムによって変更されています。上書きしますか？")
              .arg(Shown(path_)),
          QStringLiteral("上書き"), MessageIcon::kExclamation, true)) {
    shown_stamp_ = StampOf(path_);
    return true;
  }
  Report(QStringLiteral("アルバム「%1」は書き込まれませんでした。"
                        "他のプログラムによる変更はそのまま残っています。")
             .arg(Shown(path_)));
  return false;
}

bool Album::RefuseReadOnly() {
  if (!read_only_) return false;
  Report(QStringLiteral("アルバム「%1」は読み取り専用で開いているため、変更を保存できません。")
             .arg(Shown(path_)));
  return true;
}

bool Album::CheckStorable() {
  auto refuse = [this](const QString& what, const QString& why) {
    Report(QStringLiteral("%1に保存できない文字があるため、アルバムを保存できませんでした。\n%2")
               .arg(what, why));
    return false;
  };
  // Text read from the file is written back with the bytes it was read from.
  auto why_not = [](const StoredRecord& stored, const QString& text, bool line_breaks = false) {
    QString why = UnstorableTextMessage(text, line_breaks);
    if (!why.isEmpty() && stored.Holds(text)) why.clear();
    return why;
  };
  for (const QString& field : {header_.name, header_.author, header_.date}) {
    if (const QString why = why_not(header_record_, field); !why.isEmpty()) {
      return refuse(QStringLiteral("表紙の項目"), why);
    }
  }
  if (preserved_record_) return true;
  for (const PhotoElement& p : page_.photos) {
    if (const QString why = why_not(shown_record_, p.path); !why.isEmpty()) {
      return refuse(QStringLiteral("写真のファイル名"), why);
    }
  }
  for (const SlotTextLine& l : page_.lines) {
    if (const QString why = why_not(shown_record_, l.text); !why.isEmpty()) {
      return refuse(QStringLiteral("写真の説明文"), why);
    }
  }
  for (int i = 1; i <= kStoredFreeLabels; ++i) {
    if (const QString why = why_not(shown_record_, page_.Label(i).text, true); !why.isEmpty()) {
      return refuse(QStringLiteral("ラベル"), why);
    }
  }
  return true;
}

QByteArray Album::EncodedShownPage(bool* ok) {
  if (preserved_record_) {
    *ok = true;
    return *preserved_record_;
  }
  return shown_record_.Encode(SerializePage(page_), ok);
}

bool Album::SaveCurrentPage() {
  if (path_.isEmpty() || read_only_) return true;
  if (!CheckStorable()) return false;
  const bool changed = batch_depth_ == 0 && ChangedBehindUs();
  if (changed && !MayOverwriteChanged()) return false;
  // A file that cannot be read leaves the records last known.
  if (EnsureRecords() && changed) {
    // The other program's pages stay: only the shown page and the cover replace theirs.
    page_count_ = std::max(static_cast<int>(records_.size()) - 1, current_page_);
    shown_stamp_ = RecordsStamp();
  }
  bool ok = false;
  const QList<QByteArray> out = RecordsAsShown(&ok);
  if (!ok) {
    Report(QStringLiteral("保存できない文字があるため、アルバムを保存できませんでした。"));
    return false;
  }
  if (!WriteRecords(out)) return false;
  emit PageWrittenBack();
  if (changed) EmitPageShown();  // the page count may have changed
  return true;
}

QList<QByteArray> Album::RecordsAsShown(bool* ok) {
  QList<QByteArray> out;
  out.reserve(page_count_ + 1);
  out.append(header_record_.Encode(SerializeHeader(header_), ok));
  for (int j = 1; j <= page_count_; ++j) {
    if (j == current_page_) {
      if (delete_pending_) continue;
      bool page_ok = false;
      out.append(EncodedShownPage(&page_ok));
      *ok = *ok && page_ok;
    } else {
      out.append(records_.value(j));
    }
  }
  return out;
}

bool Album::TakeSnapshot() {
  // back.apt may still hold another album (an earlier run, a failed copy); it must never be
  // restored over this one.
  snapshot_.reset();
  if (read_only_) return true;  // back.apt belongs to the program that holds the album
  bool ok = false;
  const QByteArray bytes = ReadFileBytes(path_, &ok);
  if (!ok || !WriteFileAtomically(folder_.BackApt(), bytes).ok) return false;
  snapshot_ = SnapshotId{path_, bytes.size(), Sha256(bytes)};
  return true;
}

bool Album::Save() {
  if (RefuseReadOnly() || !SaveCurrentPage()) return false;
  // When the snapshot cannot be renewed, the one taken before still belongs here (back.apt is
  // replaced atomically, so it still holds those bytes).
  const std::optional<SnapshotId> snapshot = snapshot_;
  if (!TakeSnapshot()) snapshot_ = snapshot;
  SetModified(false);
  return true;
}

void Album::ReportSnapshotFailed() {
  Report(
      QStringLiteral("バックアップファイル（back.apt）を作成できませんでした。"
                     "閉じるときに保存しなくても、変更は元に戻せません。"));
}

bool Album::RestoreSnapshot() {
  if (path_.isEmpty() || !snapshot_ || snapshot_->of != path_) return false;
  // Read once, checked and written from the same bytes: another copy of the program may
  // replace back.apt at any moment.
  bool ok = false;
  const QByteArray bytes = ReadFileBytes(folder_.BackApt(), &ok);
  if (!ok || bytes.size() != snapshot_->size || Sha256(bytes) != snapshot_->sha256) {
    Report(QStringLiteral("バックアップファイル（back.apt）が他のアルバムなどで置き換えられたため、"
                          "アルバム「%1」の変更を元に戻せません。\n"
                          "アルバムは最後に書き込まれた内容のままです。")
               .arg(QDir::toNativeSeparators(path_)));
    return false;
  }
  if (!MayOverwriteChanged()) return false;
  const WriteResult r = WriteFileAtomically(path_, bytes);
  if (!r.ok) Report(r.error);
  return r.ok;
}

bool Album::ConfirmClose() {
  if (!modified_ || read_only_) return true;
  if (prompter_.AskYesNo(QStringLiteral("アルバムを保存しますか"), QStringLiteral("確認"),
                         MessageIcon::kQuestion)) {
    return SaveCurrentPage();
  }
  RestoreSnapshot();
  return true;
}

// ---------------------------------------------------------------- file commands

QString Album::ChooseTargetName(const QString& title, bool save_dialog) {
  QString name = save_dialog ? prompter_.ChooseSaveFile(title, file_save_folder_, kFileFilter)
                             : prompter_.ChooseOpenFile(title, file_save_folder_, kFileFilter);
  if (name.isEmpty()) return {};
  if (!name.endsWith(QStringLiteral(".apt"))) name += QStringLiteral(".apt");
  if (QFile::exists(name) && !prompter_.AskYesNo(kOverwriteQuestion, QStringLiteral("上書き"),
                                                 MessageIcon::kQuestion, true)) {
    return {};
  }
  return name;
}

bool Album::CanOpenAsAlbum(const QString& path, QString* damage_notice) {
  QByteArray bytes;
  QList<qsizetype> damaged;
  if (const QString problem = AlbumFileProblem(path, &bytes, &damaged); !problem.isEmpty()) {
    Report(problem);
    return false;
  }
  *damage_notice = DamagedRecordsNotice(damaged);
  return true;
}

std::optional<Album::OpenLock> Album::LockForOpening(const QString& path) {
  auto lock = std::make_unique<AlbumLock>(path);
  switch (lock->TryLock()) {
    case AlbumLock::Outcome::kLocked:
      return OpenLock{std::move(lock), false};
    case AlbumLock::Outcome::kUnavailable:
      return OpenLock{nullptr, false};  // nothing else can lock it either
    case AlbumLock::Outcome::kInUse:
      break;
  }
  if (!prompter_.AskYesNo(
          QStringLiteral("アルバム「%1」は他のプログラムで使用中です。\n\n"
                         "読み取り専用で開きますか？\n"
                         "（表示と印刷だけができます。「いいえ」を選ぶと開きません。）")
              .arg(Shown(path)),
          QStringLiteral("使用中"), MessageIcon::kExclamation)) {
    return std::nullopt;
  }
  return OpenLock{nullptr, true};
}

bool Album::RefuseInUse(const QString& path) {
  if (lock_ && SameFile(path, path_)) return false;
  if (!QFileInfo::exists(path) || AlbumLock(path).TryLock() != AlbumLock::Outcome::kInUse) {
    return false;
  }
  Report(QStringLiteral("アルバム「%1」は他のプログラムで使用中のため、上書きできません。")
             .arg(Shown(path)));
  return true;
}

bool Album::SwitchTo(const QString& path) {
  // The shown page of the album open so far is written back before another one replaces it.
  if (!path_.isEmpty() && page_count_ > 0 && !SaveCurrentPage()) return false;
  path_ = path;
  return true;
}

bool Album::OpenAlbum() {
  QString path = path_;
  const bool from_dialog = !pending_open_path_ && !delete_pending_;
  if (pending_open_path_) {
    path = *pending_open_path_;
  } else if (!delete_pending_) {
    path =
        prompter_.ChooseOpenFile(QStringLiteral("アルバムを開く"), file_save_folder_, kFileFilter);
    if (path.isEmpty()) return false;
  }
  pending_open_path_.reset();
  QString damage_notice;
  if (!CanOpenAsAlbum(path, &damage_notice)) return false;
  // Reopening the album this program holds (after a page was deleted) keeps its lock.
  const bool keeps_lock = lock_ && SameFile(path, path_);
  std::optional<OpenLock> opened;
  if (!keeps_lock) {
    opened = LockForOpening(path);
    if (!opened) return false;
  }
  if (from_dialog) {
    if (!SwitchTo(path)) return false;
  } else {
    path_ = path;
  }
  if (opened) {
    lock_ = std::move(opened->lock);
    read_only_ = opened->read_only;
  }

  ClearPage();
  if (!TakeSnapshot()) ReportSnapshotFailed();
  records_path_.clear();  // always read the file anew
  EnsureRecords();
  if (current_page_ == 1) {
    LoadPage();
  } else {
    SetCurrentPage(1);
  }
  page_count_ = static_cast<int>(records_.size()) - 1;
  header_record_ = StoredRecord(records_.value(0));
  header_ = DecodeHeader(header_record_.Text());
  emit AlbumOpened();
  EmitPageShown();
  // Reopening after a deletion does not repeat what opening said.
  if (!damage_notice.isEmpty() && !delete_pending_) Report(damage_notice);
  return true;
}

bool Album::OpenAlbumAt(const QString& path) {
  pending_open_path_ = path;
  return OpenAlbum();
}

bool Album::NewAlbum() {
  const QString name = ChooseTargetName(QStringLiteral("新規アルバム"), true);
  if (name.isEmpty() || RefuseInUse(name)) return false;
  const QString old_path = path_;
  const int old_count = page_count_;
  const bool old_read_only = read_only_;
  if (!SwitchTo(name)) return false;

  ClearPage();
  const AlbumHeader old_header = header_;
  const StoredRecord old_header_record = header_record_;
  header_ = AlbumHeader();
  header_record_ = StoredRecord();
  read_only_ = false;
  if (!WriteRecords({EncodeCp932(SerializeHeader(header_))})) {
    path_ = old_path;  // the album open before stays open
    header_ = old_header;
    header_record_ = old_header_record;
    page_count_ = old_count;
    read_only_ = old_read_only;
    LoadPage();
    return false;
  }
  if (!(lock_ && SameFile(name, old_path))) {
    lock_ = std::make_unique<AlbumLock>(name);
    if (lock_->TryLock() != AlbumLock::Outcome::kLocked) lock_.reset();
  }
  header_.date = QLocale(QLocale::Japanese).toString(clock_.Now().date(), QLocale::ShortFormat);
  suppress_page_load_ = true;
  page_count_ = 1;
  if (current_page_ == 1) {
    LoadPage();  // only lays the page out and clears the suppression
  } else {
    SetCurrentPage(1);
  }
  SaveCurrentPage();
  if (!TakeSnapshot()) ReportSnapshotFailed();
  emit AlbumOpened();
  EmitPageShown();
  return true;
}

bool Album::SaveAlbumAs() {
  pending_open_path_.reset();
  const QString name = ChooseTargetName(QStringLiteral("名前を付けて保存"), true);
  if (name.isEmpty()) return false;
  if (SameFile(name, path_)) return Save();
  if (RefuseInUse(name) || !SaveCurrentPage()) return false;
  const WriteResult copied = CopyFileOver(path_, name);
  if (!copied.ok) {
    Report(copied.error);
    return false;
  }
  RestoreSnapshot();
  pending_open_path_ = name;
  if (!OpenAlbum()) return false;
  SetModified(false);
  return true;
}

// ---------------------------------------------------------------- page display

void Album::ReadLayoutSettings() { layout_.Read(folder_.PositionIni()); }

QStringList Album::ApplySettingsFiles() {
  const QStringList fontinfo = ReadSettingsFile(folder_.FontInfoIni(), 11);
  ApplySlotTextFont(fontinfo);
  ReadLayoutSettings();
  callout_ = layout_.Callout();
  emit PageChanged();
  return fontinfo;
}

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

  QByteArray raw;
  if (!path_.isEmpty() && EnsureRecords() && !records_.isEmpty()) {
    raw = records_.value(std::min<qsizetype>(current_page_, records_.size() - 1));
    shown_stamp_ = RecordsStamp();
  }
  if (suppress_page_load_) {
    suppress_page_load_ = false;
    LayOutPage();
    EmitPageShown();
    return;
  }

  if (raw.size() > kMaxRecordBytes) {
    // Shown empty and written back untouched, as a page of another version.
    if (current_page_ >= 1 && current_page_ < records_.size()) preserved_record_ = raw;
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
  const DecodedRecord decoded = DecodePageRecord(shown_record_.Text(), page_);
  const int stored_switch = page_.guide_lines;
  const RuleStyle stored_style = page_.rule_style;
  page_.guide_lines = shown_switch;
  page_.rule_style = shown_style;
  SetGuideSwitch(page_, decor_, stored_switch != 0);
  SelectRuleStyle(page_, decor_, stored_style);
  if (!decoded.version_ok) {
    // A page of another format version is shown empty and written back untouched.
    if (current_page_ >= 1 && current_page_ < records_.size()) preserved_record_ = raw;
    EmitPageShown();
    return;
  }
  for (int s = 0; s < kPhotoSlots; ++s) {
    if (!decoded.slot_paths[s].isEmpty()) PlaceSlotPhoto(s + 1, decoded.slot_paths[s]);
  }
  LayOutPage();
  emit PageFilled();
  EmitPageShown();
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

void Album::ShowPageElements() {
  for (SlotTextLine& l : page_.lines) l.visible = true;
  for (int i = 1; i <= kPhotoSlots; ++i) page_.Photo(i).visible = true;
  for (int i = 1; i <= 20; ++i) page_.Label(i).visible = !page_.Label(i).text.isEmpty();
  for (CalloutLine& c : page_.callouts) c.line.visible = c.line.x1 != 0;
}

// The layout settings were read by LoadPage just before.
void Album::LayOutPage() {
  column_left_ = ColumnLeftFor(layout_.SideFor(current_page_));
  decor_.SetColumn(TextColumnLeft(), TextColumnRight());
  for (int i = 0; i < kSlotTextLines; ++i) {
    page_.lines[i].left = column_left_ + SlotLineIndent(i % kLinesPerSlot);
  }
  ShowPageElements();
}

void Album::PlaceSlotPhoto(int h, const QString& path) {
  PhotoElement& p = page_.Photo(h);
  const QRectF box = SlotPhotoBox(layout_, current_page_, h);
  p.left = static_cast<float>(box.left());
  p.top = static_cast<float>(box.top());
  p.width = static_cast<float>(box.width());
  p.height = static_cast<float>(box.height());
  p.path = path;
}

// ---------------------------------------------------------------- edits

bool Album::EditPage(const PageEdit& edit, bool marks_modified) {
  if (!PageEditable()) return false;
  edit(page_, decor_);
  if (marks_modified) SetModified(true);
  emit PageChanged();
  return true;
}

bool Album::SetSlotPhoto(int slot, const QString& path, std::optional<QRectF> box) {
  if (slot < 1 || slot > 3) return false;
  return EditPage([&](PageContent& page, PageDecor&) {
    PhotoElement& p = page.Photo(slot);
    p.path = path;
    if (box) {
      p.left = static_cast<float>(box->left());
      p.top = static_cast<float>(box->top());
      p.width = static_cast<float>(box->width());
      p.height = static_cast<float>(box->height());
    }
    p.visible = true;
  });
}

void Album::SetCoverField(int index, const QString& text) {
  if (read_only_) return;
  QString* fields[] = {&header_.name, &header_.author, &header_.date};
  *fields[std::clamp(index, 0, 2)] = text;
}

void Album::SetModified(bool modified) {
  if (modified_ == modified) return;
  modified_ = modified;
  emit ModifiedChanged(modified_);
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
  QList<QByteArray> out = records_;
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
  const bool saved = SaveCurrentPage();
  if (saved) {
    ClearPage();
    OpenAlbum();
  }
  delete_pending_ = false;
  if (!saved) return;
  if (target != current_page_) {
    SaveCurrentPage();
    ClearPage();
    SetCurrentPage(target);
  }
}

// ---------------------------------------------------------------- settings

void Album::ApplySlotTextFont(const QStringList& v) {
  for (SlotTextLine& line : page_.lines) {
    TextStyle& s = line.style;
    if (!v.value(0).isEmpty()) s.font_name = v.value(0);
    // The same bounds as sizes read from records: 1e30 would be written into every page.
    if (const auto size = ParseNumber(v.value(1)); size && IsFontSize(*size - 5)) {
      s.size = *size - 5;
    }
    if (const auto b = ParseBool(v.value(2))) s.strikethrough = *b;
    if (const auto b = ParseBool(v.value(3))) s.SetBold(*b);
    if (const auto b = ParseBool(v.value(4))) s.italic = *b;
    if (const auto c = ParseInt32(v.value(5))) s.color = *c;
  }
  for (int s = 0; s < kPhotoSlots; ++s) {
    page_.Line(s, 0).style.size = 8;
    page_.Line(s, 1).style.size = 6;
  }
  emit PageChanged();
}

}  // namespace komasu
