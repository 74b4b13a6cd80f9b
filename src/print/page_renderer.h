#pragma once
// One album page on the printer, in millimetres: photos, free labels 1 to 50, the text column
// while the guide-line switch is on, and the callout lines with their arrow strokes, from the
// page as shown (twips) through the fixed canvas mappings and the values of the page's side.

#include <QSizeF>
#include <optional>

#include "album/layout_settings.h"
#include "album/page_content.h"
#include "print/print_photo_loader.h"
#include "print/print_surface.h"
#include "print/print_text_column.h"

namespace komasu {

// The values that depend on which side the page is bound on.
struct PrintSideValues {
  double photo_dx = 0, photo_dy = -1;  // photo shifts
  double label_dx = 0;                 // free label x shift
  double text_shift = 0;               // S
  double rule_shift = 0;               // F
};

PrintSideValues SideValuesOf(PageSide side);

// Printed rectangle (mm) of a photo element before the side's shift.
QRectF PrintedPhotoBox(const PhotoElement& photo);
// Printed size (mm) of a photo box of the given twips size.
QSizeF PrintedPhotoSize(float width_twips, float height_twips);

// Printed colour of a callout line of colour setting `color`: the four named colours print as
// themselves, anything else (black included) grey.
QColor CalloutPrintColor(int32_t color);

// Prints the page: sets the page up, draws it and ends the document. `layout` is the fresh read
// of position.ini for this page; the callout lines use the width and colour of `callout`.
void PrintPage(const PageContent& page, int page_number, const LayoutSettings& layout,
               const CalloutSettings& callout, PrintPhotoSource& photos, PrintSurface& surface);

}  // namespace komasu
