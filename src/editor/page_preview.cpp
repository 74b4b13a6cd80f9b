#include "editor/page_preview.h"

#include <QPainter>

#include "album/album.h"

namespace komasu {

PagePreview::PagePreview(Album& album, QWidget* parent) : QWidget(parent), album_(album) {
  setObjectName(QStringLiteral("PageView"));
  setAutoFillBackground(true);
  setPalette(QPalette(QColor(128, 128, 128)));
  connect(&album_, &Album::PageShown, this, qOverload<>(&QWidget::update));
}

void PagePreview::paintEvent(QPaintEvent*) {
  QPainter p(this);
  const QRectF paper = QRectF(0, 0, 210, 297).translated(0, 0);
  const double scale = std::min((width() - 20) / paper.width(), (height() - 20) / paper.height());
  p.translate((width() - paper.width() * scale) / 2, 10);
  p.scale(scale, scale);
  p.fillRect(paper, Qt::white);
  p.setPen(Qt::black);
  QFont f = font();
  f.setPixelSize(5);
  p.setFont(f);
  p.drawText(QRectF(10, 4, 190, 6), Qt::AlignRight,
             QStringLiteral("%1 ／ %2").arg(album_.CurrentPage()).arg(album_.PageCount()));
  for (int s = 0; s < kPhotoSlots; ++s) {
    const double top = 12 + 95 * s;
    p.drawRect(QRectF(10, top, 110, 82.5));
    for (int j = 0; j < kLinesPerSlot; ++j) {
      const SlotTextLine& line = album_.page.Line(s, j);
      if (!line.visible) continue;
      const QString text = j == 0 ? QStringLiteral("No. ") + line.text : line.text;
      p.drawText(QRectF(125, top + 8.5 * j, 80, 8), Qt::AlignLeft | Qt::AlignVCenter, text);
    }
  }
}

}  // namespace komasu
