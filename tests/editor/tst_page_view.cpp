#include <QLabel>
#include <QLineEdit>
#include <QMimeData>
#include <QPainter>
#include <QPushButton>
#include <QtTest>

#include "album/page_geometry.h"
#include "album/page_record.h"
#include "editor/page_view.h"
#include "photos/photo_drop.h"
#include "editor/photo_loader.h"
#include "editor/slot_text_commands.h"
#include "platform/photo_decoder.h"
#include "support/test_folder.h"

using namespace komasu;
using namespace komasu::test;

namespace {

QByteArray Jpeg(QSize size, QColor color) {
  QImage image(size, QImage::Format_RGB32);
  image.fill(color);
  QByteArray bytes;
  QBuffer buffer(&bytes);
  buffer.open(QIODevice::WriteOnly);
  image.save(&buffer, "JPEG", 90);
  return bytes;
}

QString SolidJpeg(const TestFolder& folder, const QString& name, QSize size, QColor color) {
  WriteBytes(folder.File(name), Jpeg(size, color));
  return folder.File(name);
}

QString PageWithPhotos(const QStringList& paths) {
  PageContent page;
  for (int s = 0; s < paths.size(); ++s) page.Photo(s + 1).path = paths[s];
  page.lines[1].text = QStringLiteral("説明");
  return SerializePage(page);
}

bool Near(QColor a, QColor b) {
  return std::abs(a.red() - b.red()) < 40 && std::abs(a.green() - b.green()) < 40 &&
         std::abs(a.blue() - b.blue()) < 40;
}

QColor PixelAt(PageView& view, QPointF twips) {
  const QImage shot = view.grab().toImage();
  const QPointF at = view.ToWidget(twips) * shot.devicePixelRatio();
  return shot.pixelColor(at.toPoint());
}

QPointF BoxPoint(const PhotoElement& p, double fx, double fy) {
  return {p.left + p.width * fx, p.top + p.height * fy};
}

// A page view of the album's shown page, on screen, its photos asked for when `photos`.
std::unique_ptr<PageView> ShowView(EditorController& editor, bool photos = false) {
  auto view = std::make_unique<PageView>(editor);
  view->resize(600, 760);
  view->show();
  if (photos) view->RequestPhotos();
  return view;
}

}  // namespace

class TstPageView : public QObject {
  Q_OBJECT

 private slots:
  void BrokenPhotosGiveEmptyBoxes_data() {
    QTest::addColumn<QByteArray>("bytes");  // empty: no file at all
    const QByteArray jpeg = Jpeg({64, 48}, Qt::red);
    // A header that claims 65000 × 65000 pixels: refused before any allocation.
    QByteArray bomb = jpeg;
    const qsizetype sof = bomb.indexOf("\xFF\xC0");
    bomb[sof + 5] = char(0xFD);
    bomb[sof + 6] = char(0xE8);
    bomb[sof + 7] = char(0xFD);
    bomb[sof + 8] = char(0xE8);
    QTest::newRow("missing") << QByteArray();
    QTest::newRow("not an image") << QByteArray("plain text, not a photo");
    QTest::newRow("truncated") << jpeg.left(jpeg.size() / 3);
    QTest::newRow("decompression bomb") << bomb;
  }
  void BrokenPhotosGiveEmptyBoxes() {
    QFETCH(QByteArray, bytes);
    AlbumFixture f;
    const QString path = f.folder.File("photo.jpg");
    if (!bytes.isEmpty()) WriteBytes(path, bytes);
    const QString album_path = f.Open("a.apt", {SerializeHeader({}), PageWithPhotos({path})});
    const auto view = ShowView(*f.editor, true);
    QTRY_VERIFY(view->PhotosComplete());
    const PhotoElement& box = f.album->Page().Photo(1);
    QCOMPARE(PixelAt(*view, BoxPoint(box, 0.5, 0.15)), QColor(Qt::white));
    // The path stays and is written back.
    f.album->SaveCurrentPage();
    PageContent stored;
    QCOMPARE(DecodePageRecord(ReadAlbum(album_path).value(1), stored).slot_paths[0], path);
  }

  // A photo whose file is gone is a crossed box until the file is back and the window active.
  void MissingPhotoIsMarkedUntilItsFileIsBack() {
    AlbumFixture f;
    f.Open("a.apt", {SerializeHeader({}), PageWithPhotos({f.folder.File("moved/photo.jpg")})});
    const auto view = ShowView(*f.editor, true);
    const PhotoElement& box = f.album->Page().Photo(1);
    QVERIFY(Near(PixelAt(*view, BoxPoint(box, 0, 0.5)), QColor(200, 40, 40)));
    QDir().mkpath(f.folder.File("moved"));
    SolidJpeg(f.folder, "moved/photo.jpg", {400, 300}, Qt::blue);
    f.album->ApplySettingsFiles();
    QTRY_VERIFY(Near(PixelAt(*view, BoxPoint(box, 0.1, 0.5)), Qt::blue));
  }

  void PhotosAreStretchedIntoTheirBoxes() {
    AlbumFixture f;
    const QString red = SolidJpeg(f.folder, "red.jpg", {400, 300}, Qt::red);
    const QString portrait = SolidJpeg(f.folder, "green.jpg", {150, 400}, Qt::green);
    f.Open("a.apt", {SerializeHeader({}), PageWithPhotos({red, portrait, ""})});
    const auto view = ShowView(*f.editor, true);
    QTRY_VERIFY(view->PhotosComplete());
    const PhotoElement& top = f.album->Page().Photo(1);
    const PhotoElement& middle = f.album->Page().Photo(2);
    QVERIFY(Near(PixelAt(*view, BoxPoint(top, 0.5, 0.5)), Qt::red));
    // The portrait photo fills the whole 4:3 box, edge to edge.
    QVERIFY(Near(PixelAt(*view, BoxPoint(middle, 0.05, 0.5)), Qt::green));
    QVERIFY(Near(PixelAt(*view, BoxPoint(middle, 0.95, 0.5)), Qt::green));
    // Decoded at the shown size, not at the file's.
    const QImage decoded = view->Photos().Find(red, QSize(1, 1));
    QVERIFY(!decoded.isNull());
    QVERIFY(decoded.width() < 400);
  }

  void NeighbouringPagesAreDecodedAhead() {
    AlbumFixture f;
    const QString red = SolidJpeg(f.folder, "red.jpg", {400, 300}, Qt::red);
    const QString blue = SolidJpeg(f.folder, "blue.jpg", {400, 300}, Qt::blue);
    const QString green = SolidJpeg(f.folder, "green.jpg", {400, 300}, Qt::green);
    f.Open("a.apt", {SerializeHeader({}), PageWithPhotos({red}), PageWithPhotos({blue}),
                     PageWithPhotos({green})});
    const auto view = ShowView(*f.editor, true);
    QTRY_VERIFY(view->PhotosComplete() && view->Photos().Idle());
    const int decodes = view->Photos().DecodeCount();
    QCOMPARE(decodes, 2);  // page 1 and page 2; page 3 is not next to page 1
    f.album->NextPage();
    QVERIFY(view->PhotosComplete());  // at once, without waiting
    QVERIFY(Near(PixelAt(*view, BoxPoint(f.album->Page().Photo(1), 0.5, 0.5)), Qt::blue));
    QTRY_VERIFY(view->Photos().Idle());
    QCOMPARE(view->Photos().DecodeCount(), 3);  // page 3 now
  }

  void PagesPassedInABatchAreNotDecoded() {
    AlbumFixture f;
    QStringList records{SerializeHeader({})};
    for (int p = 1; p <= 6; ++p) {
      records << PageWithPhotos(
          {SolidJpeg(f.folder, QStringLiteral("p%1.jpg").arg(p), {80, 60}, Qt::gray)});
    }
    f.Open("a.apt", records);
    const auto view = ShowView(*f.editor, true);
    QTRY_VERIFY(view->Photos().Idle());
    {
      Album::Batch batch(*f.album);
      for (int i = 0; i < 4; ++i) f.album->NextPage();
    }
    QTRY_VERIFY(view->Photos().Idle());
    QCOMPARE(view->Photos().DecodeCount(), 2 + 3);  // pages 1, 2, then 4, 5 and 6
  }

  void MarkerBarFollowsTheSelectedSlot() {
    AlbumFixture f;
    f.Open("a.apt", {SerializeHeader({}), PageWithPhotos({}), PageWithPhotos({})});
    const auto view = ShowView(*f.editor);
    for (int page : {1, 2}) {
      f.album->JumpToPage(page);
      for (int slot = 0; slot < 3; ++slot) {
        f.editor->SelectSlot(slot);
        QCoreApplication::processEvents();
        const QRectF bar =
            SlotMarkerBar(slot, f.album->TextColumnLeft(), page == 1 /* left-bound */);
        QVERIFY(Near(PixelAt(*view, bar.center()), SlotColor(slot)));
        const QRectF other = SlotMarkerBar((slot + 1) % 3, f.album->TextColumnLeft(), page == 1);
        QCOMPARE(PixelAt(*view, other.center()), QColor(Qt::white));
      }
    }
  }

  void CursorReadoutOverTheView() {
    AlbumFixture f;
    f.Open("a.apt", {SerializeHeader({}), PageWithPhotos({})});
    const auto view = ShowView(*f.editor);
    auto* x = view->findChild<QLabel*>("Label13(0)");
    auto* y = view->findChild<QLabel*>("Label13(1)");
    QVERIFY(x && y);
    QTest::mouseMove(view.get(), view->ToWidget({9000, 5000}).toPoint());
    QVERIFY(x->text().endsWith(" mm"));
    const QString last = x->text();
    QTest::mouseMove(view.get(), view->ToWidget({6300, 5000}).toPoint());  // left of the canvas
    QCOMPARE(x->text(), last);
  }

  void OverlayTakesCanvasPresses() {
    AlbumFixture f;
    f.Open("a.apt", {SerializeHeader({}), PageWithPhotos({})});
    const auto view = ShowView(*f.editor);
    QSignalSpy pressed(view.get(), &PageView::PagePressed);
    view->Mode().StartLineDrawing();
    const QPoint start = view->ToWidget({7000, 2000}).toPoint();
    QTest::mousePress(view.get(), Qt::LeftButton, {}, start);
    QVERIFY(!view->Mode().OverlayVisible());
    QCOMPARE(view->Mode().Activity(), 3);
    QTest::mouseRelease(view.get(), Qt::LeftButton, {}, view->ToWidget({8000, 2500}).toPoint());
    QCOMPARE(view->Mode().Activity(), 0);
    QCOMPARE(pressed.size(), 0);
    const QPointF line_start = view->Mode().LineStart();
    QVERIFY(std::abs(line_start.x() - 520) < 1 / view->Scale());
    QTest::mouseClick(view.get(), Qt::LeftButton, {}, start);  // no mode: the page gets it
    QCOMPARE(pressed.size(), 1);
  }

  // A file dragged from the file manager and dropped on the middle photo box lands in slot 2
  // and is painted there.
  void DroppedFileShowsInSlotUnderPointer() {
    AlbumFixture f;
    const QString photo = SolidJpeg(f.folder, "drop.jpg", {400, 300}, Qt::blue);
    f.Open("a.apt", {SerializeHeader({}), PageWithPhotos({})});
    const auto view = ShowView(*f.editor);
    // The window puts dropped files into the slot as the photo intake does.
    QObject::connect(view.get(), &PageView::PhotoFilesDropped,
                     [&](QPointF twips, const QStringList& files) {
                       DropPhotoFiles(*f.commands, twips, files);
                     });
    QMimeData mime;
    mime.setUrls({QUrl::fromLocalFile(photo)});
    const QPointF at = view->ToWidget({7600, 4500});
    // Qt sends moves and the drop to the widget that accepted the drag's entry.
    QDragEnterEvent enter(at.toPoint(), Qt::CopyAction, &mime, Qt::LeftButton, {});
    QCoreApplication::sendEvent(view.get(), &enter);
    QVERIFY(enter.isAccepted());
    QDragMoveEvent move(at.toPoint(), Qt::CopyAction, &mime, Qt::LeftButton, {});
    QCoreApplication::sendEvent(view.get(), &move);
    QVERIFY(move.isAccepted());
    QDropEvent drop(at, Qt::CopyAction, &mime, Qt::LeftButton, {});
    QCoreApplication::sendEvent(view.get(), &drop);
    QTRY_COMPARE(f.album->Page().Photo(2).path, photo);
    QTRY_VERIFY(view->PhotosComplete());
    QVERIFY(Near(PixelAt(*view, BoxPoint(f.album->Page().Photo(2), 0.5, 0.5)), Qt::blue));
  }
};

QTEST_MAIN(TstPageView)
#include "tst_page_view.moc"
