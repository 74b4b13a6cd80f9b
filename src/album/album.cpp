#include "album/album.h"

#include <QDir>

#include "album/album_file.h"
#include "album/page_record.h"
#include "album/slot_text_font.h"
#include "album/drive_settings.h"
#include "platform/cp932.h"
#include "platform/prompter.h"

namespace komasu {

Album::Album(ProgramFolder folder, Prompter& prompter, const Clock& clock, QObject* parent)
    : QObject(parent),
      folder_(std::move(folder)),
      prompter_(prompter),
      clock_(clock),
      snapshot_(folder_.BackApt(), prompter),
      store_(prompter) {
  file_save_folder_ = ReadDriveSettings(folder_.OptIni()).file_save_folder;
}

// ---------------------------------------------------------------- records

void Album::Report(const QString& text) {
  prompter_.Notify(text, ApplicationTitle(), MessageIcon::kExclamation);
}

void Album::BeginBatch() { store_.BeginBatch(); }

bool Album::EndBatch() {
  bool dirty = false;
  if (!store_.EndBatchLevel(&dirty)) return true;
  bool ok = true;
  if (dirty) {
    ok = WriteRecords(store_.Records());
    // The records in memory are ahead of a file that kept its old content: read it anew.
    if (!ok) store_.Forget();
  }
  if (batch_page_shown_) {
    batch_page_shown_ = false;
    emit PageShown();
  }
  return ok;
}

void Album::EmitPageShown() {
  if (store_.InBatch()) {
    batch_page_shown_ = true;
  } else {
    emit PageShown();
  }
}

const QList<QByteArray>& Album::Records() {
  EnsureRecords();
  return store_.Records();
}

bool Album::WriteRecords(const QList<QByteArray>& records) {
  if (!store_.InBatch() && (RefuseReadOnly() || !store_.MayOverwriteChanged(path_))) {
    return false;
  }
  return store_.Write(path_, records);
}

bool Album::RefuseReadOnly() {
  if (!read_only_) return false;
  Report(QStringLiteral("アルバム「%1」は読み取り専用で開いているため、変更を保存できません。")
             .arg(QDir::toNativeSeparators(path_)));
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
  const bool changed = !store_.InBatch() && store_.ChangedBehindUs(path_);
  if (changed && !store_.MayOverwriteChanged(path_)) return false;
  // A file that cannot be read leaves the records last known.
  if (EnsureRecords() && changed) {
    // The other program's pages stay: only the shown page and the cover replace theirs.
    page_count_ = std::max(static_cast<int>(store_.Records().size()) - 1, current_page_);
    store_.MarkShownStamp();
  }
  bool ok = false;
  if (store_.InBatch() && !delete_pending_ && current_page_ >= 1 &&
      store_.Records().size() == page_count_ + 1) {
    // Inside a batch only the cover and the shown page change: no copy of every record.
    bool page_ok = false;
    const QByteArray header = header_record_.Encode(SerializeHeader(header_), &ok);
    const QByteArray page = EncodedShownPage(&page_ok);
    if (ok && page_ok && store_.ReplaceInBatch(path_, 0, header) &&
        store_.ReplaceInBatch(path_, current_page_, page)) {
      emit PageWrittenBack();
      return true;
    }
  }
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
      out.append(store_.Records().value(j));
    }
  }
  return out;
}

// ---------------------------------------------------------------- edits

bool Album::EditPage(const PageEdit& edit, bool marks_modified) {
  if (!PageEditable()) return false;
  edit(page_, decor_);
  if (marks_modified) SetModified(true);
  emit PageChanged();
  return true;
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

// ---------------------------------------------------------------- settings

void Album::ReadLayoutSettings() { layout_.Read(folder_.PositionIni()); }

QStringList Album::ApplySettingsFiles() {
  const QStringList fontinfo = ReadFontInfoValues(folder_);
  ApplySlotTextFont(fontinfo);
  ReadLayoutSettings();
  callout_ = layout_.Callout();
  emit PageChanged();
  return fontinfo;
}

void Album::ApplySlotTextFont(const QStringList& v) {
  komasu::ApplySlotTextFont(page_.lines, v);
  emit PageChanged();
}

}  // namespace komasu
