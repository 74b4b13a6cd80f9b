#include <QtTest>

#ifdef Q_OS_UNIX
#include <sys/stat.h>
#endif

#include "platform/photo_decoder.h"
#include "platform/regular_file.h"
#include "platform/settings_values.h"
#include "platform/text_file.h"

using namespace komasu;

namespace {

enum class Kind { kRegular, kLinkToRegular, kMissing, kFolder, kFifo, kLinkToFifo, kDevice };

// Puts a thing of `kind` at `path`; `content` goes into regular files.
bool Make(Kind kind, const QString& path, const QByteArray& content) {
  const QString target = path + QStringLiteral(".target");
  QFile file(kind == Kind::kLinkToRegular ? target : path);
  switch (kind) {
    case Kind::kRegular:
    case Kind::kLinkToRegular:
      if (!file.open(QIODevice::WriteOnly) || file.write(content) != content.size()) return false;
      file.close();
      return kind == Kind::kRegular || QFile::link(target, path);
    case Kind::kMissing:
      return true;
    case Kind::kFolder:
      return QDir().mkdir(path);
#ifdef Q_OS_UNIX
    case Kind::kFifo:
      return ::mkfifo(QFile::encodeName(path).constData(), 0600) == 0;
    case Kind::kLinkToFifo:
      return ::mkfifo(QFile::encodeName(target).constData(), 0600) == 0 &&
             QFile::link(target, path);
    case Kind::kDevice:
      return QFile::link(QStringLiteral("/dev/zero"), path);  // endless bytes
#else
    default:
      return false;
#endif
  }
  return false;
}

QByteArray TinyBmp() {
  QImage image(8, 6, QImage::Format_RGB32);
  image.fill(Qt::red);
  QByteArray bytes;
  QBuffer buffer(&bytes);
  buffer.open(QIODevice::WriteOnly);
  image.save(&buffer, "BMP");
  return bytes;
}

}  // namespace

Q_DECLARE_METATYPE(Kind)
Q_DECLARE_METATYPE(FileReadError)

// A FIFO or a device in the place of a file blocked or flooded the readers before they opened
// only regular files: a regression shows as a test that never ends (CTest's timeout).
class TstRegularFile : public QObject {
  Q_OBJECT
 private slots:
  void FileKinds_data() {
    QTest::addColumn<Kind>("kind");
    QTest::addColumn<FileReadError>("error");
    QTest::newRow("regular file") << Kind::kRegular << FileReadError::kNone;
    QTest::newRow("link to a regular file") << Kind::kLinkToRegular << FileReadError::kNone;
    QTest::newRow("missing") << Kind::kMissing << FileReadError::kMissing;
    QTest::newRow("folder") << Kind::kFolder << FileReadError::kNotRegular;
#ifdef Q_OS_UNIX
    QTest::newRow("FIFO") << Kind::kFifo << FileReadError::kNotRegular;
    QTest::newRow("link to a FIFO") << Kind::kLinkToFifo << FileReadError::kNotRegular;
    QTest::newRow("device") << Kind::kDevice << FileReadError::kNotRegular;
#endif
  }

  void OnlyRegularFilesAreRead_data() { FileKinds_data(); }
  void OnlyRegularFilesAreRead() {
    QFETCH(Kind, kind);
    QFETCH(FileReadError, error);
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("position.ini"));
    QVERIFY(Make(kind, path, "1\r\n2\r\n"));
    QCOMPARE(ReadRegularFile(path, 1024).error, error);
    bool ok = false;
    QCOMPARE(ReadFileBytes(path, &ok), error == FileReadError::kNone ? "1\r\n2\r\n" : "");
    QCOMPARE(ok, error == FileReadError::kNone);
    // Settings: a missing file is normal; anything else unreadable is reported once.
    QString why;
    QCOMPARE(ReadSettingsFile(path, 20, &why).size(), error == FileReadError::kNone ? 2 : 0);
    const bool reported = error != FileReadError::kNone && error != FileReadError::kMissing;
    QCOMPARE(!why.isEmpty(), reported);
    QCOMPARE(SettingsFileProblems({path}), reported ? QStringList{why} : QStringList{});
  }

  void OnlyRegularFilesAreDecodedAsPhotos_data() { FileKinds_data(); }
  void OnlyRegularFilesAreDecodedAsPhotos() {
    QFETCH(Kind, kind);
    QFETCH(FileReadError, error);
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("photo.bmp"));
    QVERIFY(Make(kind, path, TinyBmp()));
    const bool regular = error == FileReadError::kNone;
    QCOMPARE(PhotoSize(path), regular ? QSize(8, 6) : QSize());
    QCOMPARE(DecodePhoto(path, QSize(4, 3)).size(), regular ? QSize(4, 3) : QImage().size());
  }

  void ReadsAreBounded_data() {
    QTest::addColumn<qint64>("file_bytes");
    QTest::addColumn<qint64>("limit");
    QTest::addColumn<FileReadError>("error");
    QTest::newRow("empty") << qint64(0) << qint64(0) << FileReadError::kNone;
    QTest::newRow("at the limit") << qint64(100) << qint64(100) << FileReadError::kNone;
    QTest::newRow("one byte over") << qint64(101) << qint64(100) << FileReadError::kTooLarge;
    QTest::newRow("settings file at the limit")
        << kMaxSettingsFileBytes << kMaxSettingsFileBytes << FileReadError::kNone;
    QTest::newRow("settings file over")
        << kMaxSettingsFileBytes + 1 << kMaxSettingsFileBytes << FileReadError::kTooLarge;
  }
  void ReadsAreBounded() {
    QFETCH(qint64, file_bytes);
    QFETCH(qint64, limit);
    QFETCH(FileReadError, error);
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("fontinfo.ini"));
    QByteArray content(file_bytes, ' ');
    if (file_bytes > 0) content[0] = '7';
    QVERIFY(Make(Kind::kRegular, path, content));
    const FileRead read = ReadRegularFile(path, limit);
    QCOMPARE(read.error, error);
    QCOMPARE(read.bytes.size(), error == FileReadError::kNone ? file_bytes : 0);
    if (limit == kMaxSettingsFileBytes) {
      QString why;
      const QStringList values = ReadSettingsFile(path, 20, &why);
      QCOMPARE(values, error == FileReadError::kNone ? QStringList{"7"} : QStringList{});
      QCOMPARE(why.isEmpty(), error == FileReadError::kNone);
    }
  }
};

QTEST_GUILESS_MAIN(TstRegularFile)
#include "tst_regular_file.moc"
