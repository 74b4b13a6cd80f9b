#include <unistd.h>

#include <QtTest>

#include "platform/write_access.h"
#include "support/test_folder.h"

using namespace komasu;
using komasu::test::WriteBytes;

// The probe that decides whether an album opens read-only. Permission bits do not stop an
// administrator (tests run as root in CI), so those rows are skipped there; the probe then
// rightly finds the folder writable. A read-only mount is tried for real where mounting is
// allowed.
class TstWriteAccess : public QObject {
  Q_OBJECT

 private slots:
  void ProbesFileFolderAndMedium_data() {
    QTest::addColumn<QString>("situation");
    QTest::addColumn<int>("expected");
    QTest::newRow("writable") << "writable" << int(WriteAccess::kWritable);
    QTest::newRow("file not there yet") << "new file" << int(WriteAccess::kWritable);
    QTest::newRow("file without write permission")
        << "file 0444" << int(WriteAccess::kReadOnlyFile);
    QTest::newRow("folder without write permission")
        << "folder 0555" << int(WriteAccess::kFolderClosed);
    QTest::newRow("read-only mount") << "ro mount" << int(WriteAccess::kReadOnlyMedium);
  }
  void ProbesFileFolderAndMedium() {
    QFETCH(QString, situation);
    QFETCH(int, expected);
    const bool root = ::geteuid() == 0;
    if (situation.contains("0") && root) QSKIP("permission bits do not stop root");
    QTemporaryDir dir;
    QString folder = dir.path();
    if (situation == "ro mount") {
      if (!root) QSKIP("mounting needs root");
      QProcess::execute("mount", {"-t", "tmpfs", "-o", "size=1m", "komasu-test", folder});
      WriteBytes(folder + "/a.apt", "x");
      if (QProcess::execute("mount", {"-o", "remount,ro", folder}) != 0) {
        QProcess::execute("umount", {folder});
        QSKIP("no read-only mount can be made here");
      }
    }
    const QString file = folder + "/a.apt";
    if (situation != "new file" && situation != "ro mount") WriteBytes(file, "x");
    if (situation == "file 0444") QFile::setPermissions(file, QFile::ReadOwner);
    if (situation == "folder 0555") {
      QFile::setPermissions(folder, QFile::ReadOwner | QFile::ExeOwner);
    }
    const WriteAccess access = ProbeWriteAccess(file);
    const QStringList left = QDir(folder).entryList(QDir::Files | QDir::Hidden);
    if (situation == "ro mount") QProcess::execute("umount", {folder});
    QFile::setPermissions(folder, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    QCOMPARE(int(access), expected);
    // The probe leaves nothing behind.
    QCOMPARE(left, situation == "new file" ? QStringList() : QStringList{"a.apt"});
  }
};

QTEST_GUILESS_MAIN(TstWriteAccess)
#include "tst_write_access.moc"
