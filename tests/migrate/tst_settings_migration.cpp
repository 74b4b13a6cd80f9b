#include <QDirIterator>
#include <QTemporaryDir>
#include <QtTest>

#include "migrate/settings_migration.h"
#include "migrate/wine_paths.h"
#include "platform/cp932.h"
#include "platform/scripted_prompter.h"
#include "platform/settings_values.h"
#include "support/test_folder.h"

using namespace komasu;
using namespace komasu::test;

namespace {

QByteArray Lines(const QStringList& lines) {
  QByteArray bytes;
  for (const QString& l : lines) bytes += EncodeCp932(l) + "\r\n";
  return bytes;
}

const QStringList kFifteenValues = {"5",  "6",  "7",  "8",  "9",  "10", "11", "12",
                                    "13", "14", "15", "16", "17", "18", "19"};

// The previous version's folder with its five files; position.ini holds fifteen values.
void FillOldFolder(const QString& folder) {
  WriteBytes(folder + "/list.ini", Lines({"ζ場所ζ玄関ζ", "ζ工種ζ"}));
  WriteBytes(folder + "/position.ini", Lines(kFifteenValues));
  WriteBytes(folder + "/PRS.ini", QByteArray("\x01\x02printer\r\n", 11));
  WriteBytes(folder + "/fontinfo.ini", Lines({"ＭＳ 明朝", "9", "0"}));
  WriteBytes(folder + "/OPT.ini", Lines({"/media/card", "/home/u/写真", "/home/u"}));
}

// Every file under `folder` with its bytes, to prove a folder unchanged.
QMap<QString, QByteArray> Snapshot(const QString& folder) {
  QMap<QString, QByteArray> files;
  QDirIterator it(folder, QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
  while (it.hasNext()) {
    const QString path = it.next();
    files.insert(QDir(folder).relativeFilePath(path), ReadBytes(path));
  }
  return files;
}

// A Wine prefix in `root`/prefix: c: is its drive_c, e: a card folder `root`/card, z: the root.
QString MakeWinePrefix(const QString& root) {
  const QDir prefix(root + "/prefix");
  QDir().mkpath(prefix.filePath("dosdevices"));
  QDir().mkpath(prefix.filePath("drive_c/Program Files/Ｋｏｍａｓｕ300/Data"));
  QDir().mkpath(root + "/card");
  QFile::link("../drive_c", prefix.filePath("dosdevices/c:"));
  QFile::link(root + "/card", prefix.filePath("dosdevices/e:"));
  QFile::link("/", prefix.filePath("dosdevices/z:"));
  return prefix.path();
}

}  // namespace

class TestSettingsMigration : public QObject {
  Q_OBJECT

 private slots:
  void UpdatesPositionToTwentyLines_data() {
    QTest::addColumn<QStringList>("old_values");
    QTest::addColumn<QStringList>("expected");
    QStringList from_fifteen = kFifteenValues;
    from_fifteen << "1"
                 << "100"
                 << "20"
                 << "0"
                 << "";
    QTest::newRow("fifteen values, twentieth line empty") << kFifteenValues << from_fifteen;
    QStringList many;
    for (int k = 0; k < 51; ++k) many << QString::number(k + 100);
    QStringList from_many = many.mid(0, 20);
    from_many[15] = "1";
    from_many[16] = "100";
    from_many[17] = "20";
    from_many[18] = "0";
    QTest::newRow("values beyond twenty dropped") << many << from_many;
    QStringList from_none(20);
    from_none[15] = "1";
    from_none[16] = "100";
    from_none[17] = "20";
    from_none[18] = "0";
    QTest::newRow("empty file") << QStringList() << from_none;
  }
  void UpdatesPositionToTwentyLines() {
    QFETCH(QStringList, old_values);
    QFETCH(QStringList, expected);
    QCOMPARE(UpdatedPositionLines(old_values), expected);
  }

  // The target is any folder chosen, not the program's own; the old folder stays byte-identical.
  void MigratesIntoChosenTarget_data() {
    QTest::addColumn<QByteArray>("list_ini");
    QTest::newRow("small list") << QByteArray();
    // Ten categories of 5000 words, as the word list allows: far beyond 64 KiB.
    QStringList full;
    for (int k = 0; k < 10; ++k) {
      QStringList words;
      for (int w = 0; w < 5000; ++w) words << QStringLiteral("言葉%1").arg(w);
      full << QStringLiteral("ζ分類ζ") + words.join(u'ζ') + u'ζ';
    }
    QTest::newRow("full list") << Lines(full);
  }
  void MigratesIntoChosenTarget() {
    QFETCH(QByteArray, list_ini);
    QTemporaryDir old_dir, target;
    FillOldFolder(old_dir.path());
    if (!list_ini.isEmpty()) WriteBytes(old_dir.filePath("list.ini"), list_ini);
    WriteBytes(target.filePath("OPT.ini"), "old target\r\n");
    const auto before = Snapshot(old_dir.path());
    ScriptedPrompter prompter;

    QVERIFY(MigrateSettingsAndNotify(old_dir.path(), target.path(), prompter));

    QCOMPARE(Snapshot(old_dir.path()), before);
    QStringList position = kFifteenValues;
    position << "1"
             << "100"
             << "20"
             << "0"
             << "";
    QCOMPARE(ReadBytes(target.filePath("position.ini")), Lines(position));
    for (const char* name : {"list.ini", "PRS.ini", "fontinfo.ini", "OPT.ini"}) {
      QCOMPARE(ReadBytes(target.filePath(name)), before.value(name));
    }
    QCOMPARE(prompter.asked.size(), size_t(1));
    QCOMPARE(prompter.asked[0].text, QString::fromUtf8(kMigrationDoneMessage));
    QVERIFY(prompter.asked[0].title.isEmpty());  // the application's title
  }

  // Nothing is copied when the previous version is incomplete or a file cannot be read as the
  // program reads it; the message says which.
  void RefusesWithoutCopying_data() {
    QTest::addColumn<QString>("file");
    QTest::addColumn<bool>("remove");  // missing, otherwise too large to be a settings file
    QTest::addColumn<QString>("message_part");
    const QString missing = QString::fromUtf8(kPreviousVersionMissingMessage);
    for (const QString& name : MigratedSettingsFiles()) {
      QTest::addRow("%s missing", qPrintable(name)) << name << true << missing;
      QTest::addRow("%s unreadable", qPrintable(name)) << name << false << name;
    }
  }
  void RefusesWithoutCopying() {
    QFETCH(QString, file);
    QFETCH(bool, remove);
    QFETCH(QString, message_part);
    QTemporaryDir old_dir, target;
    FillOldFolder(old_dir.path());
    if (remove) {
      QVERIFY(QFile::remove(old_dir.filePath(file)));
    } else {
      const qint64 limit = file == u"list.ini" ? kMaxListIniBytes : kMaxSettingsFileBytes;
      WriteBytes(old_dir.filePath(file), QByteArray(limit + 1, '1'));
    }
    const auto before = Snapshot(old_dir.path());
    ScriptedPrompter prompter;

    QVERIFY(!MigrateSettingsAndNotify(old_dir.path(), target.path(), prompter));

    QVERIFY(Snapshot(target.path()).isEmpty());
    QCOMPARE(Snapshot(old_dir.path()), before);
    QCOMPARE(prompter.asked.size(), size_t(1));
    QVERIFY2(prompter.asked[0].text.contains(message_part), qPrintable(prompter.asked[0].text));
    QCOMPARE(prompter.asked[0].title, QStringLiteral("警告"));
  }

  // A failure while writing leaves the target exactly as it was: files replaced before it are
  // put back, new ones and staged copies are removed.
  void FailureLeavesTargetAsItWas_data() {
    QTest::addColumn<QString>("taken");  // a folder of this name in the target; none: disk full
    QTest::addColumn<QString>("message");
    const QString kept = QStringLiteral("\n移行先のフォルダは元のままです。");
    QTest::newRow("disk full at PRS.ini")
        << ""
        << "PRS.ini を移行できませんでした。ディスクの空き容量が足りません。" + kept;
    for (const char* name : {"list.ini", "fontinfo.ini", "OPT.ini"}) {
      QTest::addRow("folder named %s", name)
          << name
          << QString(name) + " を移行できませんでした。同じ名前のフォルダがあります。" + kept;
    }
  }
  void FailureLeavesTargetAsItWas() {
    QFETCH(QString, taken);
    QTemporaryDir old_dir, target;
    FillOldFolder(old_dir.path());
    WriteBytes(old_dir.filePath("PRS.ini"), QByteArray(1000, 'p'));
    WriteBytes(target.filePath("position.ini"), "0\r\n");
    WriteBytes(target.filePath("PRS.ini"), "old\r\n");
    if (!taken.isEmpty()) {
      QVERIFY(QDir(target.path()).mkdir(taken));
      WriteBytes(target.filePath(taken + "/inside.txt"), "x");
    }
    const auto before = Snapshot(target.path());

    MigrationResult result;
    if (taken.isEmpty()) {
      FileSizeLimit limit(200);
      result = MigrateSettings(old_dir.path(), target.path());
    } else {
      result = MigrateSettings(old_dir.path(), target.path());
    }

    QVERIFY(!result.ok);
    QTEST(result.message, "message");
    QCOMPARE(Snapshot(target.path()), before);
  }

  void MissingFolderReported_data() {
    QTest::addColumn<QString>("old_folder");
    QTest::newRow("empty path") << QString();
    QTest::newRow("no such folder") << QStringLiteral("/nonexistent/Ｋｏｍａｓｕ300");
  }
  void MissingFolderReported() {
    QFETCH(QString, old_folder);
    QTemporaryDir target;
    const MigrationResult result = MigrateSettings(old_folder, target.path());
    QVERIFY(!result.ok);
    QCOMPARE(result.message, QString::fromUtf8(kPreviousVersionMissingMessage));
    QVERIFY(Snapshot(target.path()).isEmpty());
  }

  // Paths given relative to the test folder; absolute ones stand as they are.
  void MapsWindowsPathsThroughWinePrefix_data() {
    QTest::addColumn<QString>("windows");
    QTest::addColumn<QString>("mapped");  // empty: cannot be mapped
    QTest::newRow("drive root") << "E:\\"
                                << "card";
    QTest::newRow("drive without separator") << "e:"
                                             << "card";
    QTest::newRow("case differs from the folders")
        << "c:\\PROGRAM FILES\\Ｋｏｍａｓｕ300\\data"
        << "prefix/drive_c/Program Files/Ｋｏｍａｓｕ300/Data";
    QTest::newRow("missing folder kept as written") << "C:\\写真\\新"
                                                    << "prefix/drive_c/写真/新";
    QTest::newRow("forward slashes") << "C:/Program Files/"
                                     << "prefix/drive_c/Program Files";
    QTest::newRow("Z: is the root") << "Z:\\tmp"
                                    << "/tmp";
    QTest::newRow("drive without a link") << "D:\\写真"
                                          << "";
    QTest::newRow("network path") << "\\\\server\\share"
                                  << "";
    QTest::newRow("relative path") << "写真"
                                   << "";
  }
  void MapsWindowsPathsThroughWinePrefix() {
    QFETCH(QString, windows);
    QFETCH(QString, mapped);
    QTemporaryDir root;
    const QString prefix = MakeWinePrefix(root.path());
    if (!mapped.isEmpty() && !mapped.startsWith(u'/')) mapped = root.filePath(mapped);
    QCOMPARE(MapWindowsPath(windows, prefix), mapped);
  }

  // OPT.ini leads to the same folders after the migration; what cannot be mapped is kept and
  // named. Migrating a folder onto itself, in any spelling, is refused.
  void MigratesDriveSettingsThroughWinePrefix() {
    QTemporaryDir root, target;
    const QString prefix = MakeWinePrefix(root.path());
    const QString old_folder = prefix + "/drive_c/Program Files/Ｋｏｍａｓｕ300";
    FillOldFolder(old_folder);
    WriteBytes(old_folder + "/OPT.ini",
               Lines({"E:\\", "C:\\Program Files\\Ｋｏｍａｓｕ300\\data", "\\\\server\\share"}));

    const MigrationResult result = MigrateSettings(old_folder, target.path());

    QVERIFY(result.ok);
    QCOMPARE(ReadBytes(target.filePath("OPT.ini")),
             Lines({root.filePath("card"), old_folder + "/Data", "\\\\server\\share"}));
    QCOMPARE(result.message,
             QString::fromUtf8(kMigrationDoneMessage) +
                 "\n\n次のフォルダはこのコンピューターの場所に置き換えられなかったため、"
                 "そのまま移行しました。ドライブの設定で設定し直してください。\n"
                 "ファイル保存ドライブ：\\\\server\\share");
    const auto before = Snapshot(old_folder);
    const MigrationResult same =
        MigrateSettings(old_folder, prefix + "/dosdevices/c:/Program Files/Ｋｏｍａｓｕ300");
    QVERIFY(!same.ok);
    QVERIFY(same.message.startsWith("移行元と移行先が同じフォルダです。"));
    QCOMPARE(Snapshot(old_folder), before);
  }

  // The automatic migration looks in the default Wine prefix, 64-bit program folder first.
  void FindsPreviousVersionInWinePrefix() {
    QTemporaryDir home;
    qunsetenv("WINEPREFIX");
    QVERIFY(FindPreviousVersionFolder(home.path()).isEmpty());
    const QString x86 = home.filePath(".wine/drive_c/Program Files (x86)/Ｋｏｍａｓｕ300");
    QVERIFY(QDir().mkpath(x86));
    QCOMPARE(FindPreviousVersionFolder(home.path()), x86);
    const QString plain = home.filePath(".wine/drive_c/Program Files/Ｋｏｍａｓｕ300");
    QVERIFY(QDir().mkpath(plain));
    QCOMPARE(FindPreviousVersionFolder(home.path()), plain);
    // A prefix named by WINEPREFIX comes first.
    const QString chosen = home.filePath("other/drive_c/Program Files (x86)/Ｋｏｍａｓｕ300");
    QVERIFY(QDir().mkpath(chosen));
    qputenv("WINEPREFIX", home.filePath("other").toUtf8());
    const QString found = FindPreviousVersionFolder(home.path());
    qunsetenv("WINEPREFIX");
    QCOMPARE(found, chosen);
  }
};

QTEST_GUILESS_MAIN(TestSettingsMigration)
#include "tst_settings_migration.moc"
