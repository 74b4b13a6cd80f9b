#pragma once
// Small pictures of album pages as they print (photos, texts, labels, lines), for the page
// overview. They are drawn on worker threads and kept by what they show: the bytes of the
// page's record and the side its number binds it on, so a page moved to a place of the same
// side is not drawn again.

#include <QByteArray>
#include <QCache>
#include <QHash>
#include <QImage>
#include <QObject>
#include <QThreadPool>
#include <memory>

#include "album/layout_settings.h"
#include "album/page_content.h"

namespace komasu {

inline constexpr int kPageThumbnailWidth = 150;

// Page `n` drawn as it prints, `width` pixels wide (A4 portrait). Photos come from their EXIF
// thumbnails where they carry one, else from a decode at the picture's size; for a draft
// (`draft` given) they are not decoded but stand as grey boxes, and `draft` tells whether one
// had to.
QImage DrawPageThumbnail(const PageContent& page, int n, const LayoutSettings& layout,
                         const CalloutSettings& callout, int width = kPageThumbnailWidth,
                         bool* draft = nullptr);

// The key a page's picture is kept by: its record's bytes and its side.
QByteArray PageThumbnailKey(const QByteArray& record, PageSide side);

class PageThumbnails : public QObject {
  Q_OBJECT

 public:
  explicit PageThumbnails(QObject* parent = nullptr);
  ~PageThumbnails() override;

  // The picture kept for `key`, or null.
  QImage Find(const QByteArray& key) const;
  // Whether a picture for `key` is neither kept nor under way.
  bool Wanted(const QByteArray& key) const {
    return !kept_.contains(key) && !pending_.contains(key);
  }
  // The draft of a picture under way (its photos without EXIF thumbnail not yet decoded), or
  // null.
  QImage FindDraft(const QByteArray& key) const;
  // Starts drawing `page` (number `n`) for `key` unless it is kept or under way; pages with
  // lower numbers go first. Ready() tells when a draft or the picture is done.
  void Request(const QByteArray& key, const PageContent& page, int n, const LayoutSettings& layout,
               const CalloutSettings& callout);
  // Drops requests not yet started (the pages scrolled out of view).
  void DropQueued();
  // Waits for the drawings under way (tests, benchmarks).
  void WaitForDone() { pool_.waitForDone(); }
  qsizetype BytesKept() const { return kept_.totalCost(); }

 signals:
  void Ready(const QByteArray& key);

 private:
  struct Job;
  void Drafted(const QByteArray& key, const QImage& image);
  void Finished(const QByteArray& key, const QImage& image);

  QThreadPool pool_;
  QCache<QByteArray, QImage> kept_;
  QHash<QByteArray, std::shared_ptr<Job>> pending_;
  QHash<QByteArray, QImage> drafts_;  // of pictures under way
};

}  // namespace komasu
