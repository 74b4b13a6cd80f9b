#include <QPainter>
#include <QtTest>

#include "platform/photo_decoder.h"
#include "platform/photo_exif.h"
#include "support/exif_fixture.h"
#include "support/test_folder.h"

using namespace komasu;
using namespace komasu::test;

namespace {

// Blue, with the quarter at the top left of the stored pixels red.
QImage Marked(QSize size) {
  QImage image(size, QImage::Format_RGB32);
  image.fill(Qt::blue);
  QPainter(&image).fillRect(0, 0, size.width() / 2, size.height() / 2, Qt::red);
  return image;
}

bool Red(const QImage& image, QPointF at) {
  const QColor c = image.pixelColor(int(at.x() * image.width()), int(at.y() * image.height()));
  return c.red() > 150 && c.blue() < 100 && c.alpha() == 255;
}

}  // namespace

class TstPhotoDecoder : public QObject {
  Q_OBJECT

 private slots:
  // The orientation a camera or phone wrote turns the photo upright; the file is not touched.
  // Shown in a slot, only a photo that its orientation turns from landscape to portrait keeps
  // its aspect ratio (centred, transparent beside it); every other one fills the box as before.
  void PhotosShowUpright_data() {
    QTest::addColumn<bool>("heic");
    QTest::addColumn<QSize>("stored");
    QTest::addColumn<int>("orientation");
    QTest::addColumn<QSize>("upright");
    QTest::addColumn<QPointF>("marker");  // where the red quarter ends up, as fractions
    QTest::addColumn<bool>("fitted");
    QTest::newRow("JPEG without orientation")
        << false << QSize(80, 60) << 0 << QSize(80, 60) << QPointF(0.25, 0.25) << false;
    QTest::newRow("JPEG tagged upright")
        << false << QSize(80, 60) << 1 << QSize(80, 60) << QPointF(0.25, 0.25) << false;
    QTest::newRow("JPEG upside down")
        << false << QSize(80, 60) << 3 << QSize(80, 60) << QPointF(0.75, 0.75) << false;
    QTest::newRow("JPEG turned right to portrait")
        << false << QSize(80, 60) << 6 << QSize(60, 80) << QPointF(0.75, 0.25) << true;
    QTest::newRow("JPEG turned left to portrait")
        << false << QSize(80, 60) << 8 << QSize(60, 80) << QPointF(0.25, 0.75) << true;
    QTest::newRow("JPEG portrait turned to landscape")
        << false << QSize(60, 80) << 6 << QSize(80, 60) << QPointF(0.75, 0.25) << false;
    QTest::newRow("HEIC") << true << QSize(80, 60) << 1 << QSize(80, 60) << QPointF(0.25, 0.25)
                          << false;
    QTest::newRow("HEIC turned right")
        << true << QSize(80, 60) << 6 << QSize(60, 80) << QPointF(0.75, 0.25) << false;
  }
  void PhotosShowUpright() {
    QFETCH(bool, heic);
    QFETCH(QSize, stored);
    QFETCH(int, orientation);
    QFETCH(QSize, upright);
    QFETCH(QPointF, marker);
    QFETCH(bool, fitted);
    TestFolder folder;
    const QString path = folder.File("photo");
    const QDateTime shot(QDate(2026, 12, 9), QTime(10, 20, 30));
    const QByteArray bytes = heic ? EncodeHeic(Marked(stored), orientation, shot)
                                  : WithExif(EncodeJpeg(Marked(stored)), orientation, shot);
    WriteBytes(path, bytes);

    QCOMPARE(PhotoSize(path), upright);
    QCOMPARE(PhotoShotTime(path), shot);
    const QImage whole = DecodePhoto(path, QSize(200, 200), PhotoFit::kKeepAspect);
    QCOMPARE(whole.size(), upright);
    QVERIFY(Red(whole, marker));
    QVERIFY(!Red(whole, QPointF(1, 1) - marker));
    QCOMPARE(ReadBytes(path), bytes);
    if (heic) return;  // HEIC photos reach slots only as their JPEG copies

    const QImage slot = DecodePhoto(path, QSize(40, 30), PhotoFit::kSlot);
    QCOMPARE(slot.size(), QSize(40, 30));
    QCOMPARE(slot.pixelColor(0, 15).alpha() == 0, fitted);
    QCOMPARE(slot.pixelColor(20, 15).alpha(), 255);
  }
};

QTEST_GUILESS_MAIN(TstPhotoDecoder)
#include "tst_photo_decoder.moc"
