#include <unistd.h>

#include <QtTest>
#include <cerrno>

#include "platform/regular_file.h"
#include "platform/text_file.h"
#include "platform/write_access.h"
#include "support/test_folder.h"

using namespace komasu;
using komasu::test::ReadBytes;

class TstTextFile : public QObject {
  Q_OBJECT
  QTemporaryDir dir_;

 private slots:
  // Lines the code page cannot hold are refused and the old file stays.
  void WritesJapaneseCodePageWithCrLf() {
    const QString path = dir_.filePath("out.txt");
    QVERIFY(WriteTextLines(path, {"ζⅡ①", "", "abc"}).ok);
    QCOMPARE(ReadBytes(path), QByteArray::fromHex("83c487558740") + "\r\n\r\nabc\r\n");
    const WriteResult r = WriteTextLines(path, {"new", "café"});
    QVERIFY(!r.ok);
    QVERIFY(!r.error.isEmpty());
    QCOMPARE(ReadBytes(path), QByteArray::fromHex("83c487558740") + "\r\n\r\nabc\r\n");
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

  // A failed write leaves the old file, no temporary file, and says why. Tests run as root,
  // so an unwritable target is a file standing where a folder must be, or a folder where the
  // file must be; a full disk shows only when the buffered bytes are flushed.
  void FailedWriteKeepsTheOldFile_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("full_disk_size");  // 0: no size limit
    QTest::addColumn<QString>("reason");      // in Japanese, never the system's English
    const QString full = "ディスクの空き容量が足りません。";
    QTest::newRow("parent is a file")
        << "plain.txt/album.apt" << 0 << "保存先のフォルダがありません。";
    QTest::newRow("target is a folder") << "folder.apt" << 0 << "同じ名前のフォルダがあります。";
    QTest::newRow("full disk within the write buffer") << "plain.txt" << 5000 << full;
    QTest::newRow("full disk beyond the write buffer") << "plain.txt" << 100000 << full;
  }
  void FailedWriteKeepsTheOldFile() {
    QFETCH(QString, name);
    QFETCH(int, full_disk_size);
    QTemporaryDir dir;
    QVERIFY(WriteFileAtomically(dir.filePath("plain.txt"), "keep me").ok);
    QVERIFY(QDir(dir.path()).mkdir("folder.apt"));
    WriteResult r;
    {
      std::optional<test::FileSizeLimit> limit;
      if (full_disk_size > 0) limit.emplace(100);
      r = WriteFileAtomically(dir.filePath(name), QByteArray(qMax(full_disk_size, 9), 'x'));
    }
    QVERIFY(!r.ok);
    QVERIFY(r.error.contains(QFileInfo(name).fileName()));
    QFETCH(QString, reason);
    QVERIFY2(r.error.endsWith(reason), qPrintable(r.error));
    QCOMPARE(ReadBytes(dir.filePath("plain.txt")), QByteArray("keep me"));
    QVERIFY(QFileInfo(dir.filePath("folder.apt")).isDir());
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files), QStringList{"plain.txt"});
  }

  // Every file error reaches the user in Japanese, reads as writes, from the error number of
  // the failed call; a number that says nothing useful leaves the caller's own advice.
  void FileErrorsAreGivenInJapanese_data() {
    QTest::addColumn<int>("read_error");  // FileReadError; kNone: a write
    QTest::addColumn<int>("error_number");
    QTest::addColumn<QString>("ending");
    const int write = int(FileReadError::kNone), read = int(FileReadError::kFailed);
    QTest::newRow("write, no permission") << write << EACCES << "アクセス権がありません。";
    QTest::newRow("write, unknown") << write << EINVAL << "保存先と空き容量を確かめてください。";
    QTest::newRow("read, no permission")
        << read << EACCES << "を読み込めません。\nアクセス権がありません。";
    QTest::newRow("read, unknown") << read << 0 << "を読み込めません。";
    QTest::newRow("read, missing")
        << int(FileReadError::kMissing) << ENOENT << "」が見つかりません。";
  }
  void FileErrorsAreGivenInJapanese() {
    QFETCH(int, read_error);
    QFETCH(int, error_number);
    QFETCH(QString, ending);
    const QString path = dir_.filePath("a.apt");
    const QString text =
        read_error == int(FileReadError::kNone)
            ? WriteFailureReason(path, error_number)
            : FileReadErrorText(path, static_cast<FileReadError>(read_error), error_number);
    QVERIFY2(text.endsWith(ending), qPrintable(text));
  }

  // The probe that decides whether an album opens read-only. Permission bits do not stop root
  // (CI), so those rows are skipped there.
  void ProbesFileFolderAndMedium_data() {
    QTest::addColumn<QString>("situation");
    QTest::addColumn<int>("expected");
    QTest::newRow("writable") << "" << int(WriteAccess::kWritable);
    QTest::newRow("file not there yet") << "new" << int(WriteAccess::kWritable);
    QTest::newRow("file 0444") << "0444" << int(WriteAccess::kReadOnlyFile);
    QTest::newRow("folder 0555") << "0555" << int(WriteAccess::kFolderClosed);
  }
  void ProbesFileFolderAndMedium() {
    QFETCH(QString, situation);
    QFETCH(int, expected);
    if (situation.startsWith('0') && ::geteuid() == 0) QSKIP("permission bits do not stop root");
    QTemporaryDir dir;
    const QString folder = dir.path(), file = folder + "/a.apt";
    if (situation != "new") QVERIFY(WriteFileAtomically(file, "x").ok);
    if (situation == "0444") QFile::setPermissions(file, QFile::ReadOwner);
    if (situation == "0555") QFile::setPermissions(folder, QFile::ReadOwner | QFile::ExeOwner);
    const WriteAccess access = ProbeWriteAccess(file);
    const QStringList left = QDir(folder).entryList(QDir::Files | QDir::Hidden);
    QFile::setPermissions(folder, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    QCOMPARE(int(access), expected);
    QCOMPARE(left, situation == "new" ? QStringList() : QStringList{"a.apt"});  // nothing left
  }

  void CopiesBytesOver() {
    const QString from = dir_.filePath("from.bin"), to = dir_.filePath("to.bin");
    const QByteArray bytes = QByteArray::fromHex("878f8790ed40fa5c22000d0a");
    QVERIFY(WriteFileAtomically(from, bytes).ok);
    QVERIFY(WriteFileAtomically(to, "older and longer content").ok);
    QVERIFY(CopyFileOver(from, to).ok);
    QCOMPARE(ReadBytes(to), bytes);
    QVERIFY(!CopyFileOver(dir_.filePath("none.bin"), to).ok);
    QCOMPARE(ReadBytes(to), bytes);
  }
};

QTEST_GUILESS_MAIN(TstTextFile)
#include "tst_text_file.moc"
