#include <sys/stat.h>

#include <QDir>
#include <QtTest>

#include "album/page_record.h"
#include "photos/photo_drop.h"
#include "photos/photo_insert_form.h"
#include "support/exif_fixture.h"
#include "support/test_folder.h"

using namespace komasu;
using namespace komasu::test;

namespace {

QByteArray Photo() {
  QImage image(400, 300, QImage::Format_RGB32);
  image.fill(Qt::darkGreen);
  return EncodeJpeg(image);
}

// An album of two empty pages showing `page`, with OPT.ini naming `data_folder`.
void OpenTwoPages(AlbumFixture& f, int page, const QString& data_folder) {
  WriteBytes(f.folder.File("OPT.ini"), ("C:\\camera\r\n" + data_folder + "\r\n\r\n").toUtf8());
  f.Open("a.apt", {SerializeHeader({}), SerializePage({}), SerializePage({})});
  f.album->SetCurrentPage(page);
  QCOMPARE(f.album->CurrentPage(), page);
}

}  // namespace

class TstPhotoDrop : public QObject {
  Q_OBJECT

 private slots:
  // The copy choice lives for the run of the program: each test starts with it off.
  void init() { SetLastCopyChoice(false); }

  // Photo boxes stand at left 7100 on odd pages and 8400 on even ones, tops 1150, 3800 and
  // 6470, 3100 × 2325 twips; a drop elsewhere does nothing and says nothing.
  void DropLandsInSlotUnderPoint_data() {
    QTest::addColumn<int>("page");
    QTest::addColumn<QPointF>("point");
    QTest::addColumn<bool>("copy");
    QTest::addColumn<int>("slot");
    QTest::newRow("top box, odd page") << 1 << QPointF(7200, 1250) << false << 1;
    QTest::newRow("middle box, even page") << 2 << QPointF(8500, 3900) << false << 2;
    QTest::newRow("bottom box, far corner") << 1 << QPointF(10199, 8794) << false << 3;
    QTest::newRow("left of an even page's box") << 2 << QPointF(8300, 3900) << false << 0;
    QTest::newRow("between two boxes") << 1 << QPointF(7200, 3600) << false << 0;
    QTest::newRow("text column") << 1 << QPointF(10800, 1250) << false << 0;
    QTest::newRow("copy on: the slot gets the copy") << 2 << QPointF(8500, 6600) << true << 3;
  }
  void DropLandsInSlotUnderPoint() {
    QFETCH(int, page);
    QFETCH(QPointF, point);
    QFETCH(bool, copy);
    QFETCH(int, slot);
    AlbumFixture f;
    QTemporaryDir photos;
    const QString data_folder = f.folder.File("data");
    QDir().mkpath(data_folder);
    OpenTwoPages(f, page, data_folder);
    const QString file = photos.filePath("DSC0001.JPG");
    WriteBytes(file, Photo());
    SetLastCopyChoice(copy);

    QCOMPARE(PhotoSlotAt(*f.album, point), slot);
    QCOMPARE(DropPhotoFiles(*f.commands, point, {file}), slot != 0);
    QCOMPARE(f.prompter.Notices(), QStringList());
    for (int s = 1; s <= 3; ++s) {
      const QString stored = f.album->Page().Photo(s).path;
      if (s != slot) {
        QCOMPARE(stored, QString());
      } else if (!copy) {
        QCOMPARE(stored, file);
      } else {
        QCOMPARE(QFileInfo(stored).absolutePath(), data_folder);
        QVERIFY(QFileInfo(stored).fileName().startsWith("AL"));
        QCOMPARE(ReadBytes(stored), ReadBytes(file));
      }
    }
    QCOMPARE(f.album->IsModified(), slot != 0);
  }

  // A file is taken when its content is a readable photo; anything else, or a folder without
  // photos, is refused with a message and the slot stays empty. A PNG needs a JPEG copy, which
  // cannot be made without a data folder.
  void NonPhotoDropIsRefused_data() {
    QTest::addColumn<QString>("kind");
    QTest::newRow("text named .jpg") << "text";
    QTest::newRow("PNG named .jpg") << "png";
    QTest::newRow("zero bytes") << "empty";
    QTest::newRow("folder named .jpg") << "folder";
    QTest::newRow("FIFO named .jpg") << "fifo";
    QTest::newRow("missing file") << "missing";
    QTest::newRow("folder without photos") << "empty folder";
  }
  void NonPhotoDropIsRefused() {
    QFETCH(QString, kind);
    AlbumFixture f;
    QTemporaryDir dir;
    OpenTwoPages(f, 1, QString());
    const QString path = dir.filePath("photo.jpg");
    QStringList files{path};
    if (kind == "text") {
      WriteBytes(path, "hello");
    } else if (kind == "png") {
      QImage image(40, 30, QImage::Format_RGB32);
      image.fill(Qt::red);
      image.save(path, "PNG");
    } else if (kind == "empty") {
      WriteBytes(path, {});
    } else if (kind == "folder") {
      QDir(dir.path()).mkdir("photo.jpg");
    } else if (kind == "fifo") {
      mkfifo(QFile::encodeName(path).constData(), 0600);
    } else if (kind == "empty folder") {
      files = QStringList{dir.path()};
    }
    QVERIFY(!DropPhotoFiles(*f.commands, QPointF(7200, 1250), files));
    QCOMPARE(f.prompter.Notices().size(), 1);
    QCOMPARE(f.album->Page().Photo(1).path, QString());
    QVERIFY(!f.album->IsModified());
  }

  // A dropped folder, or several files, fill the empty slots from the one under the point, in
  // shooting order.
  void DroppedFolderFillsSlotsFromThePoint() {
    AlbumFixture f;
    QTemporaryDir dir;
    OpenTwoPages(f, 1, QString());
    WriteBytes(dir.filePath("1.jpg"), WithExif(Photo(), 0, QDateTime(QDate(2026, 1, 2), {})));
    WriteBytes(dir.filePath("2.jpg"), WithExif(Photo(), 0, QDateTime(QDate(2026, 1, 1), {})));
    QVERIFY(DropPhotoFiles(*f.commands, QPointF(7200, 3900), {dir.path()}));
    const PageContent& page = f.album->Page();
    QCOMPARE(QStringList({page.Photo(1).path, page.Photo(2).path, page.Photo(3).path}),
             QStringList({"", dir.filePath("2.jpg"), dir.filePath("1.jpg")}));
  }

  // A BMP is a photo, whatever its name says.
  void BmpIsTaken() {
    AlbumFixture f;
    QTemporaryDir dir;
    OpenTwoPages(f, 1, QString());
    const QString path = dir.filePath("scan.dat");
    QImage image(30, 40, QImage::Format_RGB32);
    image.fill(Qt::blue);
    QVERIFY(image.save(path, "BMP"));
    QVERIFY(DropPhotoFiles(*f.commands, QPointF(7200, 3900), {path}));
    QCOMPARE(f.album->Page().Photo(2).path, path);
  }
};

QTEST_MAIN(TstPhotoDrop)
#include "tst_photo_drop.moc"
