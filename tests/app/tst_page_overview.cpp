#include <QtTest>

#include "album/page_reader.h"
#include "album/page_record.h"
#include "app/page_overview.h"
#include "commands/album_commands.h"
#include "editor/page_view.h"
#include "support/test_folder.h"

using namespace komasu;
using namespace komasu::test;

namespace {

// Five pages named by their number line; page 1 holds a red photo in slot 2.
QStringList FivePages(const QString& photo) {
  QStringList records{SerializeHeader({})};
  for (int p = 1; p <= 5; ++p) {
    PageContent page;
    page.lines[0].text = QStringLiteral("p%1").arg(p);
    if (p == 1) page.Photo(2).path = photo;
    records << SerializePage(page);
  }
  return records;
}

QString Order(Album& album) {
  QStringList names;
  for (int n = 1; n <= album.PageCount(); ++n) {
    const auto page = ReadPage(album.Records(), n, album.Layout());
    QString name = page ? page->lines[0].text : QStringLiteral("?");
    for (int slot = 1; slot <= 3; ++slot) {
      if (page && !page->Photo(slot).path.isEmpty()) name += QStringLiteral("+%1").arg(slot);
    }
    names << name;
  }
  return names.join(' ');
}

}  // namespace

class TstPageOverview : public QObject {
  Q_OBJECT

 private slots:
  // Pages dragged between or onto pictures move before that place, several together in their
  // order; a photo dragged onto a picture moves into that page's first free slot, and between
  // two pictures it goes nowhere.
  void DropsRearrangeTheAlbum_data() {
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QList<int>>("dragged");  // pages, or the photo's slot
    QTest::addColumn<int>("row");             // -1: onto `onto`, or after the last
    QTest::addColumn<int>("onto");            // row of the picture dropped on, or -1
    QTest::addColumn<QString>("order");
    QTest::newRow("page between pictures") << "pages" << QList<int>{4} << 1 << -1
                                           << "p1+2 p4 p2 p3 p5";
    QTest::newRow("pages onto a picture") << "pages" << QList<int>{2, 5} << -1 << 0
                                          << "p2 p5 p1+2 p3 p4";
    QTest::newRow("page after the last") << "pages" << QList<int>{1} << -1 << -1
                                         << "p2 p3 p4 p5 p1+2";
    QTest::newRow("photo onto a page") << "photo" << QList<int>{2} << -1 << 3
                                       << "p1 p2 p3 p4+1 p5";
    QTest::newRow("photo between pages") << "photo" << QList<int>{2} << 3 << -1
                                         << "p1+2 p2 p3 p4 p5";
  }
  void DropsRearrangeTheAlbum() {
    QFETCH(QString, kind);
    QFETCH(QList<int>, dragged);
    QFETCH(int, row);
    QFETCH(int, onto);
    QFETCH(QString, order);
    AlbumFixture f;
    f.Open(QStringLiteral("a.apt"), FivePages(f.folder.File("red.jpg")));
    PageOverviewModel model(*f.commands);
    QCOMPARE(model.rowCount(), 5);
    QMimeData* data = nullptr;
    if (kind == "pages") {
      QModelIndexList indexes;
      for (int n : dragged) indexes << model.index(n - 1);
      data = model.mimeData(indexes);
    } else {
      data = new QMimeData;
      data->setData(QString::fromLatin1(kPhotoSlotMimeType), QByteArray::number(dragged[0]));
    }
    const QModelIndex parent = onto >= 0 ? model.index(onto) : QModelIndex();
    QCOMPARE(model.canDropMimeData(data, Qt::MoveAction, row, 0, parent), kind == "pages" || onto >= 0);
    // The view must not take rows away itself: the album tells the rows.
    QVERIFY(!model.dropMimeData(data, Qt::MoveAction, row, 0, parent));
    delete data;
    QCoreApplication::processEvents();
    QCOMPARE(Order(*f.album), order);
    QCOMPARE(model.rowCount(), 5);
  }

  // A page's picture is drawn as it prints, off the user-interface thread, and kept by its
  // record and side: the page moved to a place of the same side is not drawn again.
  void PicturesAreDrawnAndKeptByRecord() {
    AlbumFixture f;
    const QString red = f.folder.File("red.jpg");
    QImage photo(400, 300, QImage::Format_RGB32);
    photo.fill(Qt::red);
    QVERIFY(photo.save(red));
    f.Open(QStringLiteral("a.apt"), FivePages(red));
    PageOverviewModel model(*f.commands);
    f.album->JumpToPage(5);  // page 1 is not the shown one: its picture comes from its record
    const QImage blank = model.data(model.index(0), Qt::DecorationRole).value<QImage>();
    model.Thumbnails().WaitForDone();
    QCoreApplication::processEvents();
    const QImage picture = model.data(model.index(0), Qt::DecorationRole).value<QImage>();
    QCOMPARE(picture.size(), blank.size());
    QVERIFY(picture != blank);
    // The photo of slot 2 stands on the page's middle third.
    const QColor middle = picture.pixelColor(picture.width() / 2, picture.height() / 2);
    QVERIFY2(middle.red() > 200 && middle.green() < 80, qPrintable(middle.name()));

    const QByteArray record = f.album->Records().value(1);
    QVERIFY(PageThumbnailKey(record, PageSide::kLeftBound) !=
            PageThumbnailKey(record, PageSide::kRightBound));
    QVERIFY(f.commands->MovePages({1}, 4));  // page 1 becomes page 3: the same side
    f.album->JumpToPage(5);
    const QImage moved = model.data(model.index(2), Qt::DecorationRole).value<QImage>();
    QCOMPARE(moved, picture);

    // The shown page's picture follows its changes once they pause; shown unchanged, it is
    // the picture of its record.
    f.album->JumpToPage(3);
    QCOMPARE(model.data(model.index(2), Qt::DecorationRole).value<QImage>(), picture);
    auto drawn = [&] {
      model.data(model.index(2), Qt::DecorationRole);
      model.Thumbnails().WaitForDone();
      QCoreApplication::processEvents();
      return model.data(model.index(2), Qt::DecorationRole).value<QImage>();
    };
    QCOMPARE(drawn(), picture);
    QVERIFY(f.commands->SwapSlotPhotos(2, 3, false));
    QTRY_VERIFY(drawn() != picture);
  }
};

QTEST_MAIN(TstPageOverview)
#include "tst_page_overview.moc"
