#include "album/page_reader.h"

#include "album/album_file.h"
#include "album/layout_settings.h"
#include "album/page_geometry.h"
#include "platform/cp932.h"

namespace komasu {

void PlaceSlotPhoto(PageContent& page, const LayoutSettings& layout, int n, int slot,
                    const QString& path) {
  PhotoElement& p = page.Photo(slot);
  const QRectF box = SlotPhotoBox(layout, n, slot);
  p.left = static_cast<float>(box.left());
  p.top = static_cast<float>(box.top());
  p.width = static_cast<float>(box.width());
  p.height = static_cast<float>(box.height());
  p.path = path;
}

void LayOutPage(PageContent& page, const LayoutSettings& layout, int n) {
  const float column_left = ColumnLeftFor(layout.SideFor(n));
  for (int i = 0; i < kSlotTextLines; ++i) {
    page.lines[i].left = column_left + SlotLineIndent(i % kLinesPerSlot);
  }
  for (SlotTextLine& l : page.lines) l.visible = true;
  for (int i = 1; i <= kPhotoSlots; ++i) page.Photo(i).visible = true;
  for (int i = 1; i <= 20; ++i) page.Label(i).visible = !page.Label(i).text.isEmpty();
  for (CalloutLine& c : page.callouts) c.line.visible = c.line.x1 != 0;
}

int PhotoSlotAt(const PageContent& page, const LayoutSettings& layout, int n, QPointF twips) {
  for (int slot = 1; slot <= kPhotoSlots; ++slot) {
    const PhotoElement& photo = page.Photo(slot);
    const QRectF shown(photo.left, photo.top, photo.width, photo.height);
    if (!photo.path.isEmpty() && photo.visible && shown.contains(twips)) return slot;
  }
  for (int slot = 1; slot <= kPhotoSlots; ++slot) {
    if (SlotPhotoBox(layout, n, slot).contains(twips)) return slot;
  }
  return 0;
}

DecodedRecord ReadPageText(const QString& text, int n, const LayoutSettings& layout,
                           PageContent& page) {
  const DecodedRecord decoded = DecodePageRecord(text, page);
  if (!decoded.version_ok) return decoded;
  for (int s = 0; s < kPhotoSlots; ++s) {
    if (!decoded.slot_paths[s].isEmpty()) {
      PlaceSlotPhoto(page, layout, n, s + 1, decoded.slot_paths[s]);
    }
  }
  LayOutPage(page, layout, n);
  return decoded;
}

std::optional<PageContent> ReadPage(const QList<QByteArray>& records, int n,
                                    const LayoutSettings& layout) {
  if (n < 1 || n >= records.size() || records[n].size() > kMaxRecordBytes) return std::nullopt;
  PageContent page;
  if (!ReadPageText(DecodeCp932(records[n]), n, layout, page).version_ok) return std::nullopt;
  return page;
}

}  // namespace komasu
