#include <QtTest>

#include "album/page_record.h"
#include "photos/photo_batch.h"
#include "support/exif_fixture.h"
#include "support/test_folder.h"

using namespace komasu;
using namespace komasu::test;

namespace {

const QDate kDay(2026, 12, 9);

// Photos named against their shooting order: b, c (no EXIF: its file time), a, d.
QStringList FourPhotos(const QString& folder) {
  const QByteArray jpeg = EncodeJpeg(QImage(40, 30, QImage::Format_RGB32));
  QStringList paths;
  for (const auto& [name, second] : {std::pair{"a", 3}, {"b", 1}, {"c", 0}, {"d", 4}}) {
    paths << QDir(folder).filePath(QStringLiteral("%1.jpg").arg(name));
    WriteBytes(paths.back(),
               second ? WithExif(jpeg, 0, QDateTime(kDay, QTime(10, 0, second))) : jpeg);
    QFile file(paths.back());
    file.open(QIODevice::ReadWrite);
    file.setFileTime(QDateTime(kDay, QTime(10, 0, 2)), QFileDevice::FileModificationTime);
  }
  return paths;
}

}  // namespace

class TstPhotoBatch : public QObject {
  Q_OBJECT

 private slots:
  // Several photos fill the empty slots from the given one on, in shooting order, appending
  // pages as needed; a slot that holds a photo keeps it, and the start page is shown again.
  // A file that is no photo takes no slot and is named.
  void ManyPhotosFillEmptySlots_data() {
    QTest::addColumn<int>("slot");
    QTest::addColumn<bool>("with_bad_file");
    QTest::addColumn<QStringList>("names");  // names in the slots of pages 1 and 2
    QTest::newRow("from the top, the full slot kept")
        << 1 << false << QStringList{"b", "old", "c", "a", "d", ""};
    QTest::newRow("from the bottom, a page appended")
        << 3 << false << QStringList{"", "old", "b", "c", "a", "d"};
    QTest::newRow("a file that is no photo")
        << 1 << true << QStringList{"b", "old", "c", "a", "d", ""};
  }
  void ManyPhotosFillEmptySlots() {
    QFETCH(int, slot);
    QFETCH(bool, with_bad_file);
    QFETCH(QStringList, names);
    AlbumFixture f;
    PageContent first;
    first.Photo(2).path = f.folder.File("old.jpg");
    f.Open("a.apt", {SerializeHeader({}), SerializePage(first)});
    QStringList files = FourPhotos(f.folder.Path());
    if (with_bad_file) {
      files.insert(1, f.folder.File("notes.jpg"));
      WriteBytes(files[1], "not a photo");
    }
    const PlacementOptions options{false, {}, 1};
    QCOMPARE(PlaceManyPhotos(*f.commands, slot, files, options, f.clock), 4);

    QCOMPARE(f.album->CurrentPage(), 1);
    QCOMPARE(f.album->PageCount(), 2);
    QVERIFY(f.album->IsModified());
    QCOMPARE(f.prompter.Notices().size(), with_bad_file ? 1 : 0);
    if (with_bad_file) QVERIFY(f.prompter.Notices()[0].contains("notes.jpg"));
    // The shooting date of the first photo went into line 1 of its slot.
    QCOMPARE(f.album->Page().Line(slot - 1, 1).text, QStringLiteral("2026/12/09"));
    QStringList placed;
    for (int page = 1; page <= 2; ++page) {
      f.album->JumpToPage(page);
      for (int s = 1; s <= 3; ++s) placed << QFileInfo(f.album->Page().Photo(s).path).baseName();
    }
    QCOMPARE(placed, names);
  }
};

QTEST_GUILESS_MAIN(TstPhotoBatch)
#include "tst_photo_batch.moc"
