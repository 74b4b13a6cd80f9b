#include "commands/album_commands.h"

#include "album/guide_rules.h"

namespace komasu {

AlbumCommands::AlbumCommands(Album& album, QObject* parent) : QObject(parent), album_(album) {}

bool AlbumCommands::ChangeShownPage(const QString& /*name*/, const Album::PageEdit& edit) {
  return album_.EditPage(edit, true);
}

bool AlbumCommands::ChangeAlbum(const QString& /*name*/, const std::function<bool()>& work) {
  Album::Batch batch(album_);
  const bool ok = work();
  if (ok) album_.SetModified(true);
  return batch.Finish() && ok;
}

void AlbumCommands::ChangePageOrder(const QString& /*name*/, const std::function<void()>& change) {
  const int before = album_.PageCount();
  change();
  if (album_.PageCount() != before) album_.SetModified(true);
}

bool AlbumCommands::SetSlotPhoto(int slot, const QString& path, std::optional<QRectF> box) {
  if (slot < 1 || slot > kPhotoSlots) return false;
  const QString name = path.isEmpty() ? QStringLiteral("写真の削除") : QStringLiteral("写真の挿入");
  return ChangeShownPage(name, [&](PageContent& page, PageDecor&) {
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

bool AlbumCommands::SetSlotLine(int slot, int line, const QString& text) {
  return ChangeShownPage(QStringLiteral("説明文の入力"), [&](PageContent& page, PageDecor&) {
    page.Line(slot, line).text = text;
  });
}

bool AlbumCommands::SetLabel(int index, const FreeLabel& label, const QString& name) {
  return ChangeShownPage(name,
                         [&](PageContent& page, PageDecor&) { page.Label(index) = label; });
}

void AlbumCommands::MarkPressedLabel(int index) {
  album_.EditPage(
      [index](PageContent& page, PageDecor&) {
        for (FreeLabel& l : page.labels) l.border = false;
        page.Label(index).border = true;
      },
      false);
}

void AlbumCommands::FitLabelBoxes(const std::function<QSizeF(const FreeLabel&)>& size_of) {
  album_.EditPage(
      [&size_of](PageContent& page, PageDecor&) {
        for (FreeLabel& l : page.labels) {
          if (l.text.isEmpty()) continue;
          const QSizeF size = size_of(l);
          l.width = static_cast<float>(size.width());
          l.height = static_cast<float>(size.height());
        }
      },
      false);
}

bool AlbumCommands::ClearCallout(int index) {
  return ChangeShownPage(QStringLiteral("線の消去"), [index](PageContent& page, PageDecor&) {
    page.callouts[index] = CalloutLine();
  });
}

bool AlbumCommands::SetGuideSwitch(bool ticked) {
  return ChangeShownPage(QStringLiteral("補助線"), [ticked](PageContent& p, PageDecor& d) {
    komasu::SetGuideSwitch(p, d, ticked);
  });
}

bool AlbumCommands::SetRuleStyle(RuleStyle style) {
  return ChangeShownPage(QStringLiteral("罫線の種類"), [style](PageContent& p, PageDecor& d) {
    SelectRuleStyle(p, d, style);
  });
}

void AlbumCommands::SetCoverField(int index, const QString& text) {
  if (album_.IsReadOnly()) return;
  album_.SetCoverField(index, text);
  album_.SetModified(true);
}

void AlbumCommands::SetModified(bool modified) { album_.SetModified(modified); }

void AlbumCommands::AppendPage() {
  ChangePageOrder(QStringLiteral("ページの追加"), [this] { album_.AppendPage(); });
}

void AlbumCommands::InsertPage() {
  ChangePageOrder(QStringLiteral("ページの挿入"), [this] { album_.InsertPage(); });
}

void AlbumCommands::AskDeletePage() {
  ChangePageOrder(QStringLiteral("ページの削除"), [this] { album_.AskDeleteCurrentPage(); });
}

void AlbumCommands::DeletePage() {
  ChangePageOrder(QStringLiteral("ページの削除"), [this] { album_.DeleteCurrentPage(); });
}

void AlbumCommands::RefillShownPage() { album_.RefillShownPage(); }

}  // namespace komasu
