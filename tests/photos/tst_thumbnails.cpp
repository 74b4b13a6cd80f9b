#include <sys/stat.h>

#include <QDir>
#include <QSignalSpy>
#include <QtTest>

#include "photos/thumbnail_model.h"
#include "photos/thumbnail_provider.h"
#include "photos/thumbnail_reader.h"
#include "support/exif_fixture.h"
#include "support/test_folder.h"

using namespace komasu;
using namespace komasu::test;

namespace {

QImage Solid(QSize size, QColor color) {
  QImage image(size, QImage::Format_RGB32);
  image.fill(color);
  return image;
}

bool Near(QColor a, QColor b) {
  return std::abs(a.red() - b.red()) < 40 && std::abs(a.green() - b.green()) < 40 &&
         std::abs(a.blue() - b.blue()) < 40;
}

// A 640 × 480 red photo; its EXIF thumbnail (when asked for) is green, so the two differ.
QByteArray RedPhotoWithGreenThumbnail() {
  return EmbedExifThumbnail(EncodeJpeg(Solid({640, 480}, Qt::red)),
                            EncodeJpeg(Solid({160, 120}, Qt::green)));
}

// A 3:2 photo whose camera letterboxed its thumbnail to 4:3 with black bars.
QByteArray WidePhotoWithLetterboxedThumbnail() {
  QImage thumb = Solid({160, 120}, Qt::black);
  thumb.fill(Qt::black);
  for (int y = 6; y < 113; ++y) {
    for (int x = 0; x < 160; ++x) thumb.setPixelColor(x, y, Qt::green);
  }
  return EmbedExifThumbnail(EncodeJpeg(Solid({600, 400}, Qt::red)), EncodeJpeg(thumb));
}

// Writes the file named by `kind` into `dir` and returns its path.
QString MakeFile(const QString& kind, const QString& dir) {
  const QString path = dir + "/photo.jpg";
  if (kind == "exif") {
    WriteBytes(path, RedPhotoWithGreenThumbnail());
  } else if (kind == "letterboxed") {
    WriteBytes(path, WidePhotoWithLetterboxedThumbnail());
  } else if (kind == "exif, sideways") {
    WriteBytes(path, WithExif(RedPhotoWithGreenThumbnail(), 6));
  } else if (kind == "heic, sideways") {
    WriteBytes(path, EncodeHeic(Solid({640, 480}, Qt::blue), 6));
  } else if (kind == "plain jpeg") {
    WriteBytes(path, EncodeJpeg(Solid({640, 480}, Qt::blue)));
  } else if (kind == "bmp") {
    Solid({300, 400}, Qt::blue).save(dir + "/photo.bmp", "BMP");
    return dir + "/photo.bmp";
  } else if (kind == "damaged thumbnail") {
    WriteBytes(path, EmbedExifThumbnail(EncodeJpeg(Solid({640, 480}, Qt::blue)),
                                        QByteArray("\xFF\xD8 not really a jpeg", 21)));
  } else if (kind == "zero bytes") {
    WriteBytes(path, {});
  } else if (kind == "truncated in exif") {
    WriteBytes(path, RedPhotoWithGreenThumbnail().left(400));
  } else if (kind == "segment beyond end") {
    WriteBytes(path, QByteArray("\xFF\xD8\xFF\xE1\xFF\xF0"
                                "Exif\0\0II*\0",
                                16));
  } else if (kind == "text named jpg") {
    WriteBytes(path, "not a photo\r\n");
  } else if (kind == "folder named jpg") {
    QDir(dir).mkdir("photo.jpg");
  } else if (kind == "fifo") {
    mkfifo(QFile::encodeName(path).constData(), 0600);
  } else if (kind == "missing") {
  }
  return path;
}

}  // namespace

class TstThumbnails : public QObject {
  Q_OBJECT

 private slots:
  void ReadsEmbeddedThumbnailElseDecodes_data() {
    QTest::addColumn<QString>("kind");
    QTest::addColumn<int>("source");
    QTest::addColumn<QColor>("center");
    QTest::addColumn<QSize>("size");
    const auto exif = static_cast<int>(ThumbnailSource::kExif);
    const auto decoded = static_cast<int>(ThumbnailSource::kDecoded);
    const auto none = static_cast<int>(ThumbnailSource::kNone);
    QTest::newRow("embedded thumbnail preferred")
        << "exif" << exif << QColor(Qt::green) << QSize(160, 120);
    // The bars are cut to the photo's 3:2 shape.
    QTest::newRow("letterbox bars cut")
        << "letterboxed" << exif << QColor(Qt::green) << QSize(160, 107);
    // A photo stored sideways shows upright, its camera thumbnail too.
    QTest::newRow("sideways: thumbnail turned")
        << "exif, sideways" << exif << QColor(Qt::green) << QSize(90, 120);
    QTest::newRow("sideways HEIC: decoded upright")
        << "heic, sideways" << decoded << QColor(Qt::blue) << QSize(90, 120);
    QTest::newRow("no EXIF: scaled decode")
        << "plain jpeg" << decoded << QColor(Qt::blue) << QSize(160, 120);
    QTest::newRow("bmp: scaled decode, tall")
        << "bmp" << decoded << QColor(Qt::blue) << QSize(90, 120);
    QTest::newRow("undecodable thumbnail: scaled decode")
        << "damaged thumbnail" << decoded << QColor(Qt::blue) << QSize(160, 120);
    // Hostile files: nothing to show, and no read blocks or runs away.
    QTest::newRow("zero bytes") << "zero bytes" << none << QColor() << QSize();
    QTest::newRow("truncated inside EXIF") << "truncated in exif" << none << QColor() << QSize();
    QTest::newRow("segment past the end") << "segment beyond end" << none << QColor() << QSize();
    QTest::newRow("text named .jpg") << "text named jpg" << none << QColor() << QSize();
    QTest::newRow("folder named .jpg") << "folder named jpg" << none << QColor() << QSize();
    QTest::newRow("FIFO named .jpg") << "fifo" << none << QColor() << QSize();
    QTest::newRow("missing") << "missing" << none << QColor() << QSize();
  }
  void ReadsEmbeddedThumbnailElseDecodes() {
    QFETCH(QString, kind);
    QFETCH(int, source);
    QFETCH(QColor, center);
    QFETCH(QSize, size);
    QTemporaryDir dir;
    const QString path = MakeFile(kind, dir.path());
    const Thumbnail thumb = ReadThumbnail(path);
    QCOMPARE(static_cast<int>(thumb.source), source);
    QCOMPARE(thumb.image.isNull(), !size.isValid());
    if (!size.isValid()) return;
    QVERIFY2(
        std::abs(thumb.image.width() - size.width()) <= 1 &&
            std::abs(thumb.image.height() - size.height()) <= 1,
        qPrintable(QStringLiteral("%1×%2").arg(thumb.image.width()).arg(thumb.image.height())));
    // The corners too: letterbox bars would show black there.
    QVERIFY(
        Near(thumb.image.pixelColor(thumb.image.width() / 2, thumb.image.height() / 2), center));
    QVERIFY(Near(thumb.image.pixelColor(1, 1), center));
  }

  // With no reads running, the queue order is visible: prioritised paths go first, in order,
  // and are not queued twice; reads then follow the queue.
  void VisibleItemsAreReadFirst() {
    QTemporaryDir dir;
    QStringList paths;
    for (int i = 0; i < 8; ++i) {
      paths << dir.filePath(QStringLiteral("p%1.jpg").arg(i));
      WriteBytes(paths.back(), EncodeJpeg(Solid({64, 48}, Qt::blue)));
    }
    ThumbnailProvider provider;
    provider.SetParallelReads(0);
    provider.Request(paths);
    provider.Prioritise({paths[6], paths[2], paths[7]});
    provider.Request({paths[6]});
    const QStringList expected = {paths[6], paths[2], paths[7], paths[0],
                                  paths[1], paths[3], paths[4], paths[5]};
    QCOMPARE(provider.QueuedPaths(), expected);
    QSignalSpy ready(&provider, &ThumbnailProvider::ThumbnailReady);
    provider.SetParallelReads(1);
    QTRY_VERIFY(provider.Idle());
    QStringList order;
    for (const QList<QVariant>& args : ready) order << args.at(0).toString();
    QCOMPARE(order, expected);
  }

  // Thumbnails are kept by path and modification time: an unchanged file is not read again,
  // a replaced one is.
  void ReplacedFileIsReadAgain() {
    QTemporaryDir dir;
    const QString path = dir.filePath("a.jpg");
    WriteBytes(path, EncodeJpeg(Solid({64, 48}, Qt::blue)));
    ThumbnailProvider provider;
    provider.Request({path});
    QTRY_VERIFY(provider.Idle());
    QVERIFY(Near(provider.Find(path).pixelColor(5, 5), Qt::blue));
    provider.Request({path});
    QVERIFY(provider.Idle());
    QCOMPARE(provider.ReadCount(), 1);

    WriteBytes(path, EncodeJpeg(Solid({64, 48}, Qt::red)));
    QFile file(path);
    QVERIFY(file.open(QIODevice::ReadWrite));
    QVERIFY(file.setFileTime(QDateTime::currentDateTime().addSecs(60),
                             QFileDevice::FileModificationTime));
    file.close();
    provider.Request({path});
    QTRY_VERIFY(provider.Idle());
    QCOMPARE(provider.ReadCount(), 2);
    QVERIFY(Near(provider.Find(path).pixelColor(5, 5), Qt::red));
  }

  // The icon list shows JPEG and BMP files whatever the case of their extension, and only
  // regular files; every item gets its thumbnail, or the crossed-out icon.
  void ModelListsPhotoFilesAndFillsIcons() {
    QTemporaryDir dir;
    WriteBytes(dir.filePath("b.JPG"), RedPhotoWithGreenThumbnail());
    WriteBytes(dir.filePath("a.jpeg"), EncodeJpeg(Solid({64, 48}, Qt::blue)));
    Solid({64, 48}, Qt::blue).save(dir.filePath("c.Bmp"), "BMP");
    WriteBytes(dir.filePath("d.jpg"), "broken");
    WriteBytes(dir.filePath("notes.txt"), "text");
    QDir(dir.path()).mkdir("folder.jpg");
    mkfifo(QFile::encodeName(dir.filePath("pipe.jpg")).constData(), 0600);

    ThumbnailProvider provider;
    ThumbnailModel model(provider);
    model.SetFolder(dir.path());
    QStringList names;
    for (int row = 0; row < model.rowCount(); ++row) {
      names << model.data(model.index(row), Qt::DisplayRole).toString();
    }
    QCOMPARE(names, QStringList({"a.jpeg", "b.JPG", "c.Bmp", "d.jpg"}));
    QCOMPARE(model.data(model.index(1), Qt::DecorationRole).value<QImage>(), model.PendingImage());

    QTRY_VERIFY(provider.Idle());
    const QImage exif = model.data(model.index(1), Qt::DecorationRole).value<QImage>();
    QVERIFY(Near(exif.pixelColor(80, 60), Qt::green));
    QCOMPARE(model.data(model.index(3), Qt::DecorationRole).value<QImage>(), model.FailedImage());
    QCOMPARE(model.PathAt(1), dir.filePath("b.JPG"));
  }
};

QTEST_MAIN(TstThumbnails)
#include "tst_thumbnails.moc"
