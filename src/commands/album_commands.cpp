#include "commands/album_commands.h"

#include "album/guide_rules.h"

namespace komasu {

AlbumCommands::AlbumCommands(Album& album, QObject* parent) : QObject(parent), album_(album) {}

bool AlbumCommands::ChangeShownPage(const QString& /*name*/, const Album::PageEdit& edit,
                                    bool marks_modified) {
  return album_.EditPage(edit, marks_modified);
}

bool AlbumCommands::ChangeAlbum(const QString& /*name*/, const std::function<bool()>& work) {
  Album::Batch batch(album_);
  const bool ok = work();
  return batch.Finish() && ok;
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

bool AlbumCommands::ClearCallout(int index) {
  return ChangeShownPage(QStringLiteral("線の消去"), [index](PageContent& page, PageDecor&) {
    page.callouts[index] = CalloutLine();
  });
}

bool AlbumCommands::SetGuideSwitch(bool ticked) {
  return ChangeShownPage(QStringLiteral("補助線"), [ticked](PageContent& p, PageDecor& d) {
    komasu::SetGuideSwitch(p, d, ticked);
  }, false);
}

bool AlbumCommands::SetRuleStyle(RuleStyle style) {
  return ChangeShownPage(QStringLiteral("罫線の種類"), [style](PageContent& p, PageDecor& d) {
    SelectRuleStyle(p, d, style);
  }, false);
}

void AlbumCommands::SetCoverField(int index, const QString& text) {
  album_.SetCoverField(index, text);
}

void AlbumCommands::SetModified(bool modified) { album_.SetModified(modified); }

void AlbumCommands::AppendPage() { album_.AppendPage(); }

void AlbumCommands::InsertPage() { album_.InsertPage(); }

void AlbumCommands::AskDeletePage() { album_.AskDeleteCurrentPage(); }

void AlbumCommands::DeletePage() { album_.DeleteCurrentPage(); }

void AlbumCommands::RefillShownPage() { album_.RefillShownPage(); }

}  // namespace komasu
