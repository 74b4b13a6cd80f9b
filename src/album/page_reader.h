#pragma once
// Page n of an album's records, laid out as the page view shows it and the printer prints it,
// without showing it: one reader for the shown page, printing, the photo loaders and anything
// that looks at pages it does not show. Where a page's photos and text column stand depends on
// the page number (left- or right-bound side) and the layout settings.

#include <QByteArray>
#include <QList>
#include <QPointF>
#include <QString>
#include <optional>

#include "album/page_content.h"
#include "album/page_record.h"

namespace komasu {

class LayoutSettings;

// Puts `path` into photo slot `slot` (1..3) of page `n`, in the box the layout gives it.
void PlaceSlotPhoto(PageContent& page, const LayoutSettings& layout, int n, int slot,
                    const QString& path);
// The text column's lines at their place on page `n`, and the page's elements visible as a
// shown page's are (labels with text, drawn callout lines).
void LayOutPage(PageContent& page, const LayoutSettings& layout, int n);

// The photo slot (1..3) of page `n` whose box holds `twips`, or 0: where a photo stands now,
// or else where the layout places a slot's photo.
int PhotoSlotAt(const PageContent& page, const LayoutSettings& layout, int n, QPointF twips);

// Decodes `text`, page `n`'s record, onto `page` (cleared by the caller: attributes the record
// does not convert keep what `page` held) and, when it is of this format version, places its
// photos and lays it out. The stored switch and style of the rules are left in `page`.
DecodedRecord ReadPageText(const QString& text, int n, const LayoutSettings& layout,
                           PageContent& page);

// Page `n` (1-based) of `records` on an empty page; nothing for a page that is missing, too
// large to decode or of another format version.
std::optional<PageContent> ReadPage(const QList<QByteArray>& records, int n,
                                    const LayoutSettings& layout);

}  // namespace komasu
