#include "commands/album_commands.h"

#include <QDataStream>
#include <QIODevice>

#include "album/guide_rules.h"

namespace komasu {

// A change of one page: the page and its rules before and after.
class ShownPageStep : public UndoStep {
 public:
  struct State {
    PageContent page;
    PageDecor decor;
  };
  ShownPageStep(AlbumCommands& commands, const QString& name, QString field, int page,
                State before, State after)
      : UndoStep(name),
        commands_(commands),
        field_(std::move(field)),
        page_(page),
        before_(std::move(before)),
        after_(std::move(after)) {}
  bool Undo() override { return commands_.PutShownPage(page_, before_.page, before_.decor); }
  bool Redo() override { return commands_.PutShownPage(page_, after_.page, after_.decor); }
  qsizetype Bytes() const override { return 2 * qsizetype(sizeof(State)) + 4096; }
  bool Absorb(const UndoStep& next) override {
    const auto* same = dynamic_cast<const ShownPageStep*>(&next);
    if (!same || field_.isEmpty() || same->field_ != field_ || same->page_ != page_) return false;
    after_ = same->after_;
    return true;
  }

 private:
  AlbumCommands& commands_;
  QString field_;
  int page_;
  State before_, after_;
};

// An album-wide change or a change of the page order: the records before and after, packed,
// and the page shown with each.
class RecordsStep : public UndoStep {
 public:
  RecordsStep(AlbumCommands& commands, const QString& name, const QList<QByteArray>& before,
              int shown_before, const QList<QByteArray>& after, int shown_after)
      : UndoStep(name),
        commands_(commands),
        before_(Pack(before)),
        after_(Pack(after)),
        shown_before_(shown_before),
        shown_after_(shown_after) {}
  bool Undo() override { return commands_.RestoreRecords(Unpack(before_), shown_before_); }
  bool Redo() override { return commands_.RestoreRecords(Unpack(after_), shown_after_); }
  qsizetype Bytes() const override { return before_.size() + after_.size(); }

 private:
  static QByteArray Pack(const QList<QByteArray>& records) {
    QByteArray bytes;
    QDataStream out(&bytes, QIODevice::WriteOnly);
    out << records;
    return qCompress(bytes, 1);
  }
  static QList<QByteArray> Unpack(const QByteArray& packed) {
    QByteArray bytes = qUncompress(packed);
    QDataStream in(&bytes, QIODevice::ReadOnly);
    QList<QByteArray> records;
    in >> records;
    return records;
  }

  AlbumCommands& commands_;
  QByteArray before_, after_;
  int shown_before_, shown_after_;
};

AlbumCommands::AlbumCommands(Album& album, QObject* parent) : QObject(parent), album_(album) {
  connect(&album_, &Album::AlbumOpened, &history_, &History::Clear);
  // Saved (or just opened): this is the state undo may return to without a question at closing.
  connect(&album_, &Album::ModifiedChanged, this, [this](bool modified) {
    if (!modified && !replaying_) history_.SetClean();
  });
  connect(&history_, &History::CleanChanged, this, &AlbumCommands::ReachedClean);
}

bool AlbumCommands::Undo() {
  replaying_ = true;
  const bool ok = history_.Undo();
  replaying_ = false;
  return ok;
}

bool AlbumCommands::Redo() {
  replaying_ = true;
  const bool ok = history_.Redo();
  replaying_ = false;
  return ok;
}

void AlbumCommands::ReachedClean(bool clean) {
  if (!replaying_) return;
  if (clean) {
    // The file holds the state saved again once the shown page is written back.
    if (album_.SaveCurrentPage()) album_.SetModified(false);
  } else {
    album_.SetModified(true);
  }
}

bool AlbumCommands::PutShownPage(int n, const PageContent& page, const PageDecor& decor) {
  if (n < 1 || n > album_.PageCount()) return false;
  if (album_.CurrentPage() != n) {
    album_.JumpToPage(n);
    if (album_.CurrentPage() != n) return false;  // the page shown could not be written back
  }
  if (!album_.EditPage(
          [&](PageContent& p, PageDecor& d) {
            p = page;
            d = decor;
          },
          true)) {
    return false;
  }
  album_.RefillShownPage();  // the editor's panel shows the lines as they are again
  return true;
}

bool AlbumCommands::ChangeShownPage(const QString& name, const Album::PageEdit& edit,
                                    const QString& field) {
  if (!Recording()) return album_.EditPage(edit, true);
  const int n = album_.CurrentPage();
  ShownPageStep::State before{album_.Page(), album_.Decor()};
  if (!album_.EditPage(edit, true)) return false;
  if (album_.CurrentPage() == n && !(album_.Page() == before.page && album_.Decor() == before.decor)) {
    history_.Push(std::make_unique<ShownPageStep>(*this, name, field, n, std::move(before),
                                                  ShownPageStep::State{album_.Page(), album_.Decor()}));
  }
  return true;
}

void AlbumCommands::GroupShownPage(const QString& name, const std::function<void()>& changes) {
  if (!Recording()) return changes();
  const int n = album_.CurrentPage();
  ShownPageStep::State before{album_.Page(), album_.Decor()};
  ++depth_;
  changes();
  --depth_;
  if (album_.CurrentPage() == n && !(album_.Page() == before.page && album_.Decor() == before.decor)) {
    history_.Push(std::make_unique<ShownPageStep>(*this, name, QString(), n, std::move(before),
                                                  ShownPageStep::State{album_.Page(), album_.Decor()}));
  }
}

bool AlbumCommands::RecordRecords(const QString& name, const std::function<bool()>& change) {
  if (!Recording()) {
    ++depth_;
    const bool ok = change();
    --depth_;
    return ok;
  }
  bool storable = false;
  const QList<QByteArray> before = album_.RecordsAsShown(&storable);
  const int shown_before = album_.CurrentPage();
  ++depth_;
  const bool ok = change();
  --depth_;
  bool after_ok = false;
  const QList<QByteArray> after = album_.RecordsAsShown(&after_ok);
  if (storable && after_ok && after != before) {
    history_.Push(std::make_unique<RecordsStep>(*this, name, before, shown_before, after,
                                                album_.CurrentPage()));
  }
  return ok;
}

bool AlbumCommands::ChangeAlbum(const QString& name, const std::function<bool()>& work) {
  Album::Batch batch(album_);
  bool ok = false;
  RecordRecords(name, [&] {
    ok = work();
    return ok;
  });
  if (ok) album_.SetModified(true);
  return batch.Finish() && ok;
}

void AlbumCommands::ChangePageOrder(const QString& name, const std::function<void()>& change) {
  const int before = album_.PageCount();
  RecordRecords(name, [&] {
    change();
    return true;
  });
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
  return ChangeShownPage(
      QStringLiteral("説明文の入力"),
      [&](PageContent& page, PageDecor&) { page.Line(slot, line).text = text; },
      QStringLiteral("line %1 %2").arg(slot).arg(line));
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
