#include <QtTest>

#include "platform/text_file.h"
#include "support/test_folder.h"

using namespace komasu;

namespace {
QByteArray Bytes(const QString& path) {
  QFile f(path);
  return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}
}  // namespace

class TstTextFile : public QObject {
  Q_OBJECT
  QTemporaryDir dir_;

 private slots:
  void WritesJapaneseCodePageWithCrLf() {
    const QString path = dir_.filePath("out.txt");
    QVERIFY(WriteTextLines(path, {"ζⅡ①", "", "abc"}).ok);
    QCOMPARE(Bytes(path), QByteArray::fromHex("83c487558740") + "\r\n\r\nabc\r\n");
    bool ok = false;
    QCOMPARE(ReadTextLines(path, &ok), (QStringList{"ζⅡ①", "", "abc"}));
    QVERIFY(ok);
  }

  void RefusesLinesTheCodePageCannotHold() {
    const QString path = dir_.filePath("kept.txt");
    QVERIFY(WriteTextLines(path, {"old"}).ok);
    const WriteResult r = WriteTextLines(path, {"new", "café"});
    QVERIFY(!r.ok);
    QVERIFY(!r.error.isEmpty());
    QCOMPARE(Bytes(path), QByteArray("old\r\n"));
  }

  void SplitsLinesAtAnyLineEnd_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<QStringList>("lines");
    QTest::newRow("crlf") << "a\r\nb\r\n" << QStringList{"a", "b"};
    QTest::newRow("no final line end") << "a\r\nb" << QStringList{"a", "b"};
    QTest::newRow("lf and cr") << "a\nb\rc" << QStringList{"a", "b", "c"};
    QTest::newRow("empty lines kept") << "\r\n\r\nx" << QStringList{"", "", "x"};
    QTest::newRow("empty") << "" << QStringList{};
  }
  void SplitsLinesAtAnyLineEnd() {
    QFETCH(QString, text);
    QFETCH(QStringList, lines);
    QCOMPARE(SplitLines(text), lines);
  }

  // Tests run as root, so an unwritable target is made from a file standing where a folder
  // must be, or a folder standing where the file must be.
  void FailedWriteKeepsTheOldFileAndSaysWhy_data() {
    QTest::addColumn<QString>("name");
    QTest::newRow("parent is a file") << "plain.txt/album.apt";
    QTest::newRow("target is a folder") << "folder.apt";
  }
  void FailedWriteKeepsTheOldFileAndSaysWhy() {
    QFETCH(QString, name);
    QTemporaryDir dir;
    QVERIFY(WriteFileAtomically(dir.filePath("plain.txt"), "keep me").ok);
    QVERIFY(QDir(dir.path()).mkdir("folder.apt"));
    const WriteResult r = WriteFileAtomically(dir.filePath(name), "new bytes");
    QVERIFY(!r.ok);
    QVERIFY(r.error.contains("folder.apt") || r.error.contains("album.apt"));
    QCOMPARE(Bytes(dir.filePath("plain.txt")), QByteArray("keep me"));
    QVERIFY(QFileInfo(dir.filePath("folder.apt")).isDir());
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files), QStringList{"plain.txt"});
  }

  // A full disk shows only when the buffered bytes are flushed.
  void FullDiskKeepsTheOldFile_data() {
    QTest::addColumn<int>("size");
    QTest::newRow("within the write buffer") << 5000;
    QTest::newRow("beyond the write buffer") << 100000;
  }
  void FullDiskKeepsTheOldFile() {
    QFETCH(int, size);
    const QString path = dir_.filePath("full.txt");
    QVERIFY(WriteFileAtomically(path, "old").ok);
    WriteResult r;
    {
      test::FileSizeLimit limit(100);
      r = WriteFileAtomically(path, QByteArray(size, 'x'));
    }
    QVERIFY(!r.ok);
    QCOMPARE(Bytes(path), QByteArray("old"));
    QCOMPARE(QDir(dir_.path()).entryList({"full.txt*"}), QStringList{"full.txt"});
  }

  void CopiesBytesOver() {
    const QString from = dir_.filePath("from.bin"), to = dir_.filePath("to.bin");
    const QByteArray bytes = QByteArray::fromHex("878f8790ed40fa5c22000d0a");
    QVERIFY(WriteFileAtomically(from, bytes).ok);
    QVERIFY(WriteFileAtomically(to, "older and longer content").ok);
    QVERIFY(CopyFileOver(from, to).ok);
    QCOMPARE(Bytes(to), bytes);
    const WriteResult missing = CopyFileOver(dir_.filePath("none.bin"), to);
    QVERIFY(!missing.ok);
    QCOMPARE(Bytes(to), bytes);
  }
};

QTEST_APPLESS_MAIN(TstTextFile)
#include "tst_text_file.moc"
