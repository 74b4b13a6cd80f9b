#include "print/print_preflight.h"

#include <QDir>

#include "album/missing_photo.h"
#include "album/page_reader.h"
#include "album/slot_text_font.h"
#include "commands/album_commands.h"
#include "platform/prompter.h"
#include "print/print_text_column.h"

namespace komasu {

namespace {

// Lists longer than this are cut short with a count of the rest.
constexpr int kListedAtMost = 20;

QString SlotName(int slot) {
  static const QString names[] = {QStringLiteral("上"), QStringLiteral("中"), QStringLiteral("下")};
  return names[std::clamp(slot, 1, kPhotoSlots) - 1];
}

bool HasTexts(const PageContent& page) {
  for (const SlotTextLine& line : page.lines) {
    if (!line.text.trimmed().isEmpty()) return true;
  }
  return false;
}

bool TickGuideLines(AlbumCommands& commands, const QList<int>& pages,
                    const ProgressCallback& progress) {
  const int remembered = commands.Doc().CurrentPage();
  return commands.ChangeAlbum(QStringLiteral("補助線をオン"), [&] {
    return EditEveryPage(commands, remembered, progress, [&](int n) {
      if (pages.contains(n)) commands.SetGuideSwitch(true);
    });
  });
}

}  // namespace

QList<CutLine> PrintPreflight::CutLinesPrinted(bool rules_ticked_on) const {
  QList<CutLine> out;
  for (const CutLine& c : cut_lines) {
    if (rules_ticked_on || !texts_without_rules.contains(c.page)) out.append(c);
  }
  return out;
}

QList<int> PagesOfRun(const PrintRequest& r, int page_count) {
  QList<int> pages;
  if (r.start < 1) return pages;
  const int last = std::min(r.end, page_count);
  for (int n = r.start; n <= last; n += r.every_second ? 2 : 1) pages.append(n);
  return pages;
}

PrintPreflight PreflightRun(Album& album, const PrintRequest& request) {
  PrintPreflight found;
  if (!album.IsOpen()) return found;
  const QStringList fontinfo = ReadFontInfoValues(album.Folder());
  const QList<QByteArray>& records = album.Records();
  for (const int n : PagesOfRun(request, album.PageCount())) {
    // The shown page prints as it is shown, ahead of its record.
    std::optional<PageContent> page =
        n == album.CurrentPage() ? album.Page() : ReadPage(records, n, album.Layout());
    if (!page) continue;
    ApplySlotTextFont(page->lines, fontinfo);
    if (HasTexts(*page) && page->guide_lines != 1) found.texts_without_rules.append(n);
    for (int i = 0; i < kSlotTextLines; ++i) {
      const SlotTextLine& line = page->lines[static_cast<size_t>(i)];
      if (line.text.trimmed().isEmpty()) continue;
      if (const std::optional<QString> printed = CutSlotLine(line.style, line.text)) {
        found.cut_lines.append({n, i / kLinesPerSlot, i % kLinesPerSlot, *printed});
      }
    }
    for (int slot = 1; slot <= kPhotoSlots; ++slot) {
      if (PhotoMissing(page->Photo(slot))) {
        found.missing_photos.append({n, slot, page->Photo(slot).path});
      }
    }
  }
  return found;
}

QString PageListText(const QList<int>& pages) {
  QStringList parts;
  for (qsizetype i = 0; i < pages.size();) {
    qsizetype j = i;
    while (j + 1 < pages.size() && pages[j + 1] == pages[j] + 1) ++j;
    if (j - i >= 2) {
      parts.append(QStringLiteral("%1～%2").arg(pages[i]).arg(pages[j]));
    } else {
      for (qsizetype k = i; k <= j; ++k) parts.append(QString::number(pages[k]));
    }
    i = j + 1;
  }
  return parts.join(QStringLiteral(", "));
}

QString TextsWithoutRulesText(const QList<int>& pages) {
  if (pages.isEmpty()) return {};
  return QStringLiteral(
             "ページ %1 は補助線がオフのため、写真の番号と説明文が印刷されません。\n"
             "番号と説明文は補助線がオンのページにだけ印刷されます。")
      .arg(PageListText(pages));
}

QString CutLinesText(const QList<CutLine>& lines) {
  if (lines.isEmpty()) return {};
  QList<std::pair<int, int>> per_page;  // page, lines
  for (const CutLine& c : lines) {
    if (per_page.isEmpty() || per_page.last().first != c.page) per_page.append({c.page, 0});
    ++per_page.last().second;
  }
  QStringList listed;
  for (const auto& [page, count] : per_page.mid(0, kListedAtMost)) {
    listed.append(QStringLiteral("ページ %1（%2 行）").arg(page).arg(count));
  }
  if (per_page.size() > kListedAtMost) {
    listed.append(QStringLiteral("ほか %1 ページ").arg(per_page.size() - kListedAtMost));
  }
  return QStringLiteral(
             "説明文 %1 行が印刷欄の幅（%2 mm）に収まらないため、途中までしか"
             "印刷されません。\n%3")
      .arg(lines.size())
      .arg(kPrintTextMaxWidth)
      .arg(listed.join(QStringLiteral("、")));
}

QString MissingPhotosText(const QList<MissingPhoto>& photos) {
  if (photos.isEmpty()) return {};
  QStringList text = {QStringLiteral("写真のファイルが %1 枚見つかりません。これらの写真は印刷"
                                     "されません。")
                          .arg(photos.size())};
  for (const MissingPhoto& p : photos.mid(0, kListedAtMost)) {
    text.append(QStringLiteral("ページ %1 %2: %3")
                    .arg(p.page)
                    .arg(SlotName(p.slot), QDir::toNativeSeparators(p.path)));
  }
  if (photos.size() > kListedAtMost) {
    text.append(QStringLiteral("ほか %1 枚").arg(photos.size() - kListedAtMost));
  }
  return text.join(QLatin1Char('\n'));
}

QStringList PreflightWarnings(const PrintPreflight& found) {
  QStringList out;
  for (const QString& text :
       {TextsWithoutRulesText(found.texts_without_rules),
        CutLinesText(found.CutLinesPrinted(false)), MissingPhotosText(found.missing_photos)}) {
    if (!text.isEmpty()) out.append(text);
  }
  return out;
}

bool ConfirmPrintRun(AlbumCommands& commands, const PrintRequest& request, const QString& title,
                     const ProgressCallback& progress) {
  Album& album = commands.Doc();
  const PrintPreflight found = PreflightRun(album, request);
  Prompter& prompter = album.Prompts();
  const QString as_is = QStringLiteral("そのまま印刷");
  const QString tick = QStringLiteral("補助線をオンにして印刷");
  const QStringList go_on = {as_is, QStringLiteral("キャンセル")};

  bool tick_on = false;
  if (!found.texts_without_rules.isEmpty()) {
    // An album another program holds is not changed; it prints as it is or not at all.
    const QStringList buttons = album.IsReadOnly() ? go_on : QStringList{tick} + go_on;
    const int answer = prompter.Choose(TextsWithoutRulesText(found.texts_without_rules), title,
                                       MessageIcon::kExclamation, buttons);
    if (answer < 0 || answer >= buttons.size() - 1) return false;
    tick_on = buttons[answer] == tick;
  }
  if (const QList<CutLine> cut = found.CutLinesPrinted(tick_on); !cut.isEmpty()) {
    const QString text =
        CutLinesText(cut) + QStringLiteral("\n説明文の入力欄では、切れる行に色が付きます。");
    if (prompter.Choose(text, title, MessageIcon::kExclamation, go_on) != 0) return false;
  }
  if (!found.missing_photos.isEmpty() &&
      prompter.Choose(MissingPhotosText(found.missing_photos), title, MessageIcon::kExclamation,
                      go_on) != 0) {
    return false;
  }
  return !tick_on || TickGuideLines(commands, found.texts_without_rules, progress);
}

}  // namespace komasu
