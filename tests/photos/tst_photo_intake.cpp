#include <sys/stat.h>

#include <QtTest>

#include "album/drive_settings.h"
#include "album/page_record.h"
#include "photos/drive_settings_form.h"
#include "photos/photo_folder_model.h"
#include "photos/photo_insert_form.h"
#include "photos/photo_placement.h"
#include "photos/photo_places.h"
#include "photos/preview_loader.h"
#include "platform/photo_decoder.h"
#include "platform/photo_exif.h"
#include "support/exif_fixture.h"
#include "support/test_folder.h"

using namespace komasu;
using namespace komasu::test;

namespace {

QString MakePhoto(const QString& path, QSize size = QSize(40, 30), QColor color = Qt::red) {
  QImage image(size, QImage::Format_RGB32);
  image.fill(color);
  image.save(path, "JPG");
  return path;
}

QStringList ThreePages() {
  QStringList records{SerializeHeader({"アルバム", "作者", "2026/12/09"})};
  for (int p = 1; p <= 3; ++p) records << PageWithTexts({"", QStringLiteral("p%1").arg(p)});
  return records;
}

QString Opt(const QString& a, const QString& b, const QString& c) {
  return a + "\r\n" + b + "\r\n" + c + "\r\n";
}

}  // namespace

class TstPhotoIntake : public QObject {
  Q_OBJECT

 private slots:
  // OPT.ini is always exactly three CR LF lines and reads back as written.
  void DriveSettingsRoundTrip_data() {
    QTest::addColumn<QString>("camera");
    QTest::addColumn<QString>("data");
    QTest::addColumn<QString>("save");
    QTest::newRow("all empty") << ""
                               << ""
                               << "";
    QTest::newRow("network path") << "\\\\server\\share"
                                  << "smb://nas/写真"
                                  << "";
    QTest::newRow("drive roots") << "E:\\"
                                 << "C:\\写真データ"
                                 << "  D:\\アルバム";
  }
  void DriveSettingsRoundTrip() {
    QFETCH(QString, camera);
    QFETCH(QString, data);
    QFETCH(QString, save);
    TestFolder folder;
    const QString path = folder.Program().OptIni();
    QVERIFY(WriteDriveSettings(path, {camera, data, save}).ok);
    const QByteArray bytes = ReadBytes(path);
    QCOMPARE(bytes.count("\r\n"), 3);
    QVERIFY(bytes.endsWith("\r\n"));
    // Leading blanks are dropped by the settings reading rule.
    QCOMPARE(ReadDriveSettings(path), (DriveSettings{camera, data, save.trimmed()}));
  }

  // A comma would split a value on reading; the dialog refuses it and writes nothing. A write
  // that fails is reported instead of the confirmation.
  void DriveSettingsSave_data() {
    QTest::addColumn<QString>("data");
    QTest::addColumn<bool>("opt_is_folder");
    QTest::addColumn<bool>("saved");
    QTest::addColumn<QString>("notice");
    QTest::newRow("saved") << "/home/u/写真" << false << true << "次回起動から適応されます！";
    QTest::newRow("comma") << "/home/u/a,b" << false << false << "カンマ";
    QTest::newRow("not CP932") << "/home/u/café" << false << false << "café";
    QTest::newRow("typed wave dash") << "/home/u/5〜10" << false << false << "5〜10";
    QTest::newRow("write fails") << "/home/u/写真" << true << false << "設定を保存できませんでした";
  }
  void DriveSettingsSave() {
    QFETCH(QString, data);
    QFETCH(bool, opt_is_folder);
    QFETCH(bool, saved);
    QFETCH(QString, notice);
    TestFolder folder;
    const QString path = folder.Program().OptIni();
    WriteBytes(path, "E:\\\r\nD:\\\r\nC:\\\r\n");
    if (opt_is_folder) {
      QFile::remove(path);
      QDir().mkdir(path);
    }
    DriveSettingsForm form(folder.Program());
    form.Load();
    form.SetField(1, data);
    ScriptedPrompter prompter;
    QCOMPARE(form.Save(prompter), saved);
    QCOMPARE(prompter.asked.size(), size_t{1});
    QVERIFY2(prompter.asked[0].text.contains(notice), qPrintable(prompter.asked[0].text));
    if (!opt_is_folder) {
      QCOMPARE(ReadDriveSettings(path).data_folder, saved ? data : QStringLiteral("D:\\"));
    }
  }

  void CopyName_data() {
    QTest::addColumn<QTime>("time");
    QTest::addColumn<QString>("name");
    QTest::newRow("9:05:03") << QTime(9, 5, 3) << "AL261209953";
    QTest::newRow("midnight") << QTime(0, 0, 0) << "AL261209000";
    QTest::newRow("23:59:58") << QTime(23, 59, 58) << "AL261209235958";
  }
  void CopyName() {
    QFETCH(QTime, time);
    QFETCH(QString, name);
    QCOMPARE(CopyBaseName(QDateTime(QDate(2026, 12, 9), time)), name);
  }

  // Fitted sizes in twips: the preview box and the inserted photo's box.
  void FittedSizes_data() {
    QTest::addColumn<QSize>("natural");
    QTest::addColumn<QSizeF>("preview");
    QTest::addColumn<QSizeF>("placed");
    QTest::newRow("wide") << QSize(4000, 3000) << QSizeF(2775, 2081) << QSizeF(3100, 2325);
    QTest::newRow("tall") << QSize(3000, 4000) << QSizeF(1500, 2000) << QSizeF(1650, 2200);
    QTest::newRow("square is wide") << QSize(900, 900) << QSizeF(2775, 2775) << QSizeF(3100, 3100);
  }
  void FittedSizes() {
    QFETCH(QSize, natural);
    QFETCH(QSizeF, preview);
    QFETCH(QSizeF, placed);
    QCOMPARE(FitPreview(natural), preview);
    QCOMPARE(FitInsertedPhoto(natural), placed);
  }

  // Left by page parity, top by slot; the photo reaches the album file at the next page move
  // and comes back placed by the page layout.
  void PutIntoSlot_data() {
    QTest::addColumn<int>("page");
    QTest::addColumn<int>("slot");
    QTest::addColumn<QPointF>("top_left");
    QTest::newRow("p1 top") << 1 << 1 << QPointF(7100, 1150);
    QTest::newRow("p2 middle") << 2 << 2 << QPointF(8400, 3800);
    QTest::newRow("p3 middle") << 3 << 2 << QPointF(7100, 3800);
    QTest::newRow("p2 bottom") << 2 << 3 << QPointF(8400, 6470);
  }
  void PutIntoSlot() {
    QFETCH(int, page);
    QFETCH(int, slot);
    QFETCH(QPointF, top_left);
    AlbumFixture f;
    const QString album_path = f.Open("a.apt", ThreePages());
    f.album->JumpToPage(page);
    const QString photo = MakePhoto(f.folder.File("tall.jpg"), QSize(30, 40));
    QString error;
    QVERIFY(PlacePhotoInSlot(*f.commands, slot, photo, false, {}, f.clock, &error));
    const PhotoElement& p = f.album->Page().Photo(slot);
    QCOMPARE(QPointF(p.left, p.top), top_left);
    QCOMPARE(QSizeF(p.width, p.height), QSizeF(1650, 2200));
    QVERIFY(p.visible);
    QVERIFY(f.album->IsModified());

    f.album->JumpToPage(page == 1 ? 2 : 1);
    PageContent stored;
    const auto decoded = DecodePageRecord(ReadAlbum(album_path)[page], stored);
    QCOMPARE(decoded.slot_paths[static_cast<size_t>(slot - 1)], photo);
    f.album->JumpToPage(page);
    QCOMPARE(f.album->Page().Photo(slot).path, photo);
    QCOMPARE(f.album->Page().Photo(slot).width, 3100.0f);  // the layout's 4:3 box again
  }

  // With the copy on, the slot gets the copy; copies never overwrite each other, also when
  // distinct times read alike.
  void CopiesNeverOverwrite() {
    AlbumFixture f;
    f.Open("a.apt", ThreePages());
    const QString data = f.folder.File("data");
    QDir().mkdir(data);
    const QString red = MakePhoto(f.folder.File("red.JPG"));
    const QString blue = MakePhoto(f.folder.File("blue.bmp"), QSize(40, 30), Qt::blue);
    QString error;
    f.clock.Set(QDateTime(QDate(2026, 12, 9), QTime(1, 23, 45)));
    QVERIFY(PlacePhotoInSlot(*f.commands, 1, red, true, data, f.clock, &error));
    f.clock.Set(QDateTime(QDate(2026, 12, 9), QTime(12, 3, 45)));
    QVERIFY(PlacePhotoInSlot(*f.commands, 2, blue, true, data, f.clock, &error));
    QVERIFY(PlacePhotoInSlot(*f.commands, 3, blue, true, data, f.clock, &error));
    const QString first = f.album->Page().Photo(1).path;
    QCOMPARE(first, QDir(data).filePath("AL26120912345.jpg"));
    QCOMPARE(f.album->Page().Photo(2).path, QDir(data).filePath("AL26120912345_2.jpg"));
    QCOMPARE(f.album->Page().Photo(3).path, QDir(data).filePath("AL26120912345_3.jpg"));
    QCOMPARE(ReadBytes(first), ReadBytes(red));  // byte for byte
    QCOMPARE(ReadBytes(f.album->Page().Photo(2).path), ReadBytes(blue));
  }

  // HEIC and PNG photos always go in as JPEG copies in the data folder, upright and with their
  // shooting date; one that cannot be decoded, or has no data folder to go to, is refused by
  // name. The shooting date goes into the chosen line of the slot's text.
  void OtherFormatsGoInAsJpegCopies_data() {
    QTest::addColumn<QString>("kind");
    QTest::addColumn<bool>("data_folder");
    QTest::addColumn<QSize>("upright");  // invalid: refused
    QTest::addColumn<QString>("date");
    const QSize wide(80, 60), tall(60, 80);
    // centred on white of the slot's landscape shape (3100:2325), never to be stretched
    QTest::newRow("HEIC turned to portrait") << "heic" << true << QSize(106, 80) << "2026/12/09";
    QTest::newRow("PNG without EXIF") << "png" << true << wide << "";
    QTest::newRow("JPEG stays itself") << "jpeg" << false << tall << "2026/12/09";
    QTest::newRow("HEIC without data folder") << "heic" << false << QSize() << "";
    QTest::newRow("damaged HEIC") << "cut heic" << true << QSize() << "";
  }
  void OtherFormatsGoInAsJpegCopies() {
    QFETCH(QString, kind);
    QFETCH(bool, data_folder);
    QFETCH(QSize, upright);
    QFETCH(QString, date);
    AlbumFixture f;
    f.Open("a.apt", ThreePages());
    const QString data = f.folder.File("data");
    QDir().mkdir(data);
    QImage image(80, 60, QImage::Format_RGB32);
    image.fill(Qt::green);
    const QDateTime shot(QDate(2026, 12, 9), QTime(8, 1, 2));
    const QString file = f.folder.File("IMG_0001." + kind.section(' ', -1));
    const QByteArray heic = EncodeHeic(image, 6, shot);
    if (kind == "heic") WriteBytes(file, heic);
    if (kind == "cut heic") WriteBytes(file, heic.left(heic.size() / 2));
    if (kind == "png") image.save(file, "PNG");
    if (kind == "jpeg") WriteBytes(file, WithExif(EncodeJpeg(image), 6, shot));

    QString error;
    const PlacementOptions options{false, data_folder ? data : QString(), 4};
    QCOMPARE(PlacePhotoInSlot(*f.commands, 2, file, options, f.clock, &error), upright.isValid());
    const QString placed = f.album->Page().Photo(2).path;
    QCOMPARE(f.album->Page().Line(1, 4).text, date);
    if (!upright.isValid()) {
      QVERIFY2(error.contains(QDir::toNativeSeparators(file)) || !data_folder, qPrintable(error));
      QCOMPARE(placed, QString());
      QCOMPARE(QDir(data).entryList(QDir::Files), QStringList());
      return;
    }
    QCOMPARE(QFileInfo(placed).absolutePath() == data, kind != "jpeg");
    const PhotoShape shape = ReadPhotoShape(placed);
    QCOMPARE(shape.format, PhotoFormat::kJpeg);
    QCOMPARE(shape.upright, upright);
    QCOMPARE(shape.stored == upright, kind != "jpeg");  // a copy needs no turn
    QCOMPARE(PhotoShotTime(placed).isValid(), !date.isEmpty());
    const QImage copy(placed);
    QCOMPARE(qRed(copy.pixel(0, 40)) > 200, upright.width() > 80);  // white beside, else green
    QCOMPARE(QSizeF(f.album->Page().Photo(2).width, f.album->Page().Photo(2).height),
             FitInsertedPhoto(upright));
  }

  // A copy that fails, a file that is no photo or a path the album cannot hold is reported
  // and leaves the slot as it was; no partial copy stays behind.
  void RefusedPlacementLeavesSlot_data() {
    QTest::addColumn<QString>("case_name");
    QTest::addColumn<bool>("copy");
    QTest::addColumn<QString>("message");
    QTest::newRow("no data folder") << "missing data" << true << "データフォルダが見つかりません";
    QTest::newRow("disk full") << "full" << true << "複製できませんでした";
    QTest::newRow("not CP932") << "unstorable" << false << "文字「é」";
    QTest::newRow("empty file") << "empty" << false << "読み込めない";
    QTest::newRow("folder named .jpg") << "folder" << false << "読み込めない";
    QTest::newRow("missing file") << "missing" << false << "読み込めない";
  }
  void RefusedPlacementLeavesSlot() {
    QFETCH(QString, case_name);
    QFETCH(bool, copy);
    QFETCH(QString, message);
    AlbumFixture f;
    f.Open("a.apt", ThreePages());
    const QString data = f.folder.File("data");
    QDir().mkdir(data);
    const QString old = MakePhoto(f.folder.File("old.jpg"));
    QString error;
    QVERIFY(PlacePhotoInSlot(*f.commands, 1, old, false, data, f.clock, &error));
    const PhotoElement before = f.album->Page().Photo(1);

    QString file = MakePhoto(f.folder.File("new.jpg"), QSize(1200, 900));
    QString data_folder = data;
    std::optional<FileSizeLimit> limit;
    if (case_name == "missing data") data_folder = f.folder.File("gone");
    if (case_name == "full") limit.emplace(1000);
    if (case_name == "unstorable") {
      const QString other = f.folder.File("café.jpg");
      QFile::rename(file, other);
      file = other;
    }
    if (case_name == "empty") WriteBytes(file, {});
    if (case_name == "folder") QDir().mkdir(file = f.folder.File("dir.jpg"));
    if (case_name == "missing") file = f.folder.File("none.jpg");

    error.clear();
    QVERIFY(!PlacePhotoInSlot(*f.commands, 1, file, copy, data_folder, f.clock, &error));
    limit.reset();
    QVERIFY2(error.contains(message), qPrintable(error));
    if (case_name == "unstorable") QVERIFY(error.contains(QStringLiteral("café.jpg")));
    QCOMPARE(f.album->Page().Photo(1), before);
    QCOMPARE(QDir(data).entryList(QDir::Files), QStringList());
  }

  // "写真消去" asks with the stop icon and No as default; Yes moves the file to the trash.
  // Where the trash cannot take it (a name too long for its note), a second question decides.
  void DeleteMovesToTrash_data() {
    QTest::addColumn<bool>("answer");
    QTest::addColumn<QString>("name");
    QTest::newRow("yes") << true << "p.jpg";
    QTest::newRow("no") << false << "p.jpg";
    QTest::newRow("no trash, delete for good") << true << QString(242, u'p') + ".jpg";
    QTest::newRow("no trash, keep") << false << QString(242, u'p') + ".jpg";
  }
  void DeleteMovesToTrash() {
    QFETCH(bool, answer);
    QFETCH(QString, name);
    AlbumFixture f;
    f.Open("a.apt", ThreePages());
    const QString home = f.folder.File("xdg");
    QDir().mkpath(home);
    const QByteArray old_home = qgetenv("XDG_DATA_HOME");
    qputenv("XDG_DATA_HOME", home.toLocal8Bit());
    const QString photo = MakePhoto(f.folder.File(name));
    PhotoInsertForm form(*f.commands, f.prompter);
    form.Load();
    form.Choose(photo);
    const bool trashable = name.size() < 100;
    f.prompter.yes_no = {true, answer};
    if (trashable) f.prompter.yes_no.pop_front();
    QCOMPARE(form.DeleteChosen(), answer);
    qputenv("XDG_DATA_HOME", old_home);
    QCOMPARE(f.prompter.asked.at(0).text, QStringLiteral("写真データが削除されます。"));
    QCOMPARE(f.prompter.asked.at(0).title, QStringLiteral("データ削除"));
    QCOMPARE(f.prompter.asked.at(0).icon, MessageIcon::kStop);
    QVERIFY(f.prompter.asked.at(0).default_no);
    QCOMPARE(QFileInfo::exists(photo), !answer);
    QCOMPARE(QFileInfo::exists(home + "/Trash/files/" + name), answer && trashable);
    QCOMPARE(f.prompter.asked.back().text,
             trashable ? "写真データが削除されます。" : "ゴミ箱に移せません。完全に削除しますか？");
    QVERIFY(f.prompter.asked.back().default_no);
  }

  // The dialog opens where the last photo put into a slot came from (not its copy), else at
  // the data folder, else at home; never at a folder that is gone.
  void StartFolder_data() {
    QTest::addColumn<int>("folders_gone");  // the last photo's folder, then the data folder
    QTest::addColumn<QString>("start");
    QTest::newRow("last photo's folder") << 0 << "shots";
    QTest::newRow("last folder gone") << 1 << "data";
    QTest::newRow("both gone") << 2 << QDir::homePath();
  }
  void StartFolder() {
    QFETCH(int, folders_gone);
    QFETCH(QString, start);
    AlbumFixture f;
    f.Open("a.apt", ThreePages());
    const QStringList folders = {f.folder.File("shots"), f.folder.File("data")};
    for (const QString& folder : folders) QDir().mkdir(folder);
    WriteBytes(f.folder.Program().OptIni(), Opt(f.folder.Path(), folders[1], "").toUtf8());
    PhotoInsertForm form(*f.commands, f.prompter);
    form.Load();
    form.Choose(MakePhoto(folders[0] + "/a.jpg"));
    QVERIFY(form.PutIntoSlot(1, true));
    for (int i = 0; i < folders_gone; ++i) QVERIFY(QDir(folders[i]).removeRecursively());
    form.Load();
    QCOMPARE(form.StartFolder(), start.startsWith('/') ? start : f.folder.File(start));
  }

  // The jumps show the three-line warning when the place is missing.
  void JumpToMissingPlaceWarns() {
    AlbumFixture f;
    f.Open("a.apt", ThreePages());
    WriteBytes(f.folder.Program().OptIni(),
               Opt(f.folder.File("card"), f.folder.Path(), "").toUtf8());
    PhotoInsertForm form(*f.commands, f.prompter);
    form.Load();
    QCOMPARE(form.JumpTarget(2), f.folder.Path());
    QVERIFY(!form.JumpTarget(1));
    QCOMPARE(f.prompter.asked.size(), size_t{1});
    QCOMPARE(f.prompter.asked[0].title, QStringLiteral("警告"));
    QCOMPARE(f.prompter.asked[0].text.count(u'\r'), 2);
  }

  // Only regular files matching the patterns, whatever the case of the extension.
  void FileListPattern() {
    TestFolder folder;
    for (const char* name :
         {"a.JPG", "b.jpeg", "c.Bmp", "d.png", "e.jpg.txt", "f.HEIC", "g.heif"}) {
      WriteBytes(folder.File(name), "x");
    }
    QDir().mkdir(folder.File("dir.jpg"));
    QCOMPARE(mkfifo(folder.File("fifo.jpg").toLocal8Bit().constData(), 0600), 0);
    PhotoFolderModel model;
    model.SetFolder(folder.Path());
    QStringList names;
    for (int r = 0; r < model.rowCount(); ++r) names << model.index(r).data().toString();
    QCOMPARE(names, (QStringList{"a.JPG", "b.jpeg", "c.Bmp", "d.png", "f.HEIC", "g.heif"}));
  }

  // A place that cannot be read is reported once and the choice stays where it was.
  void UnreadablePlaceKeepsPrevious() {
    TestFolder folder;
    const QList<PhotoPlace> places = {{folder.Path(), "ok"}, {folder.File("card"), "card"}};
    ScriptedPrompter prompter;
    QCOMPARE(ChoosePlace(places, 0, 1, prompter), 0);
    QCOMPARE(prompter.asked.size(), size_t{1});
    QDir().mkdir(folder.File("card"));
    QCOMPARE(ChoosePlace(places, 0, 1, prompter), 1);
    QCOMPARE(prompter.asked.size(), size_t{1});
  }

  // Hostile files give "cannot show" instead of hanging; only the last request is answered.
  void PreviewOfHostileFiles() {
    TestFolder folder;
    QDir().mkdir(folder.File("dir.jpg"));
    QCOMPARE(mkfifo(folder.File("fifo.jpg").toLocal8Bit().constData(), 0600), 0);
    WriteBytes(folder.File("empty.jpg"), {});
    const QString good = MakePhoto(folder.File("good.jpg"), QSize(400, 300));
    WriteBytes(folder.File("cut.jpg"), ReadBytes(good).left(20));
    PreviewLoader loader;
    QSignalSpy spy(&loader, &PreviewLoader::Ready);
    for (const char* name : {"dir.jpg", "fifo.jpg", "empty.jpg", "cut.jpg"}) {
      loader.Request(folder.File(name), 0.1);
      QVERIFY(spy.wait());
      QVERIFY(spy.takeFirst().at(1).value<QImage>().isNull());
    }
    loader.Request(folder.File("fifo.jpg"), 0.1);
    loader.Request(good, 0.1);
    QTRY_VERIFY(!loader.Busy());
    QCOMPARE(spy.size(), 1);
    QCOMPARE(spy[0].at(0).toString(), good);
    QVERIFY(!spy[0].at(1).value<QImage>().isNull());
  }
};

QTEST_GUILESS_MAIN(TstPhotoIntake)
#include "tst_photo_intake.moc"
