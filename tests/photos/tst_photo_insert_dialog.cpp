#include <QAction>
#include <QCheckBox>
#include <QLabel>
#include <QListView>
#include <QPushButton>
#include <QtTest>

#include "app/main_window.h"
#include "editor/page_view.h"
#include "photos/photo_insert_dialog.h"
#include "photos/photo_insert_form.h"
#include "photos/thumbnail_view.h"
#include "support/test_folder.h"

using namespace komasu;
using namespace komasu::test;

class TstPhotoInsertDialog : public QObject {
  Q_OBJECT

 private slots:
  // The toolbar button opens the dialog modeless, owned by the window; a file clicked in the
  // folder gets a preview, and 上-設定 with the copy on puts the copy into the shown page.
  void ToolbarButtonPutsCopyIntoSlot() {
    AlbumFixture f;
    f.Open("a.apt", {"ζ名前ζ作者ζ2026/01/02ζ", PageWithTexts({"1"}), PageWithTexts({"4"})});
    const QString photos = f.folder.File("photos");
    const QString data = f.folder.File("data");
    QDir().mkdir(photos);
    QDir().mkdir(data);
    QImage image(400, 300, QImage::Format_RGB32);
    image.fill(Qt::green);
    QVERIFY(image.save(photos + "/DSC0001.JPG", "JPG"));
    WriteBytes(f.folder.Program().OptIni(), (photos + "\r\n" + data + "\r\n\r\n").toUtf8());
    MainWindow window(*f.editor, f.prompter);
    window.Command("hensV1")->trigger();
    auto* dialog = window.findChild<PhotoInsertDialog*>("pict");
    QVERIFY(dialog);
    QVERIFY(dialog->isVisible());
    QVERIFY(!dialog->isModal());

    dialog->findChild<QPushButton*>("Command3(1)")->click();
    QListView* list = dialog->FileList();
    QTRY_COMPARE(list->model()->rowCount(), 1);
    list->clicked(list->model()->index(0, 0));
    auto* preview = dialog->findChild<QLabel*>("Image1");
    QTRY_VERIFY(preview->isVisible());

    dialog->findChild<QCheckBox*>("Check1")->setChecked(true);
    dialog->findChild<QPushButton*>("Command1(1)")->click();
    const QString copy = QDir(data).filePath("AL261209102030.jpg");
    QCOMPARE(f.album->Page().Photo(1).path, copy);
    QVERIFY(QFileInfo::exists(copy));
    // The page view decodes the new photo at once, not at the next page move.
    auto* view = window.findChild<PageView*>();
    QVERIFY(view);
    QTRY_VERIFY(view->PhotosComplete() && view->Photos().Idle());
    QCOMPARE(view->Photos().DecodeCount(), 1);
    QCOMPARE(dialog->findChild<QLabel*>("Label2(1)")->text(), QDir::toNativeSeparators(copy));
    dialog->findChild<QPushButton*>("Command4(1)")->click();
    QCOMPARE(f.album->Page().Photo(1).path, QString());
    QVERIFY(f.prompter.Notices().isEmpty());
  }

  // As a user works in it: it opens where the last photo came from; the keys choose files in
  // the list; Enter starts nothing; the views follow 写真消去 and a card read again.
  void KeysRefreshesAndTheStartFolder() {
    AlbumFixture f;
    f.Open("a.apt", {"ζ名前ζ作者ζ2026/01/02ζ", PageWithTexts({"1"})});
    const QString card = f.folder.File("card");
    QDir().mkdir(card);
    QImage image(40, 30, QImage::Format_RGB32);
    for (const char* name : {"A.JPG", "B.JPG", "C.JPG"}) QVERIFY(image.save(card + "/" + name));
    WriteBytes(f.folder.Program().OptIni(), (card + "\r\n\r\n\r\n").toUtf8());
    PhotoInsertForm form(*f.commands, f.prompter);
    form.Load();
    form.Choose(card + "/A.JPG");
    QVERIFY(form.PutIntoSlot(1, false));
    PhotoInsertDialog dialog(*f.commands, f.prompter);
    dialog.show();
    QVERIFY(QTest::qWaitForWindowActive(&dialog));
    QCOMPARE(dialog.Files().Folder(), card);
    QListView* list = dialog.FileList();
    list->setFocus();
    const std::pair<Qt::Key, const char*> keys[] = {
        {Qt::Key_End, "C"}, {Qt::Key_Up, "B"}, {Qt::Key_Home, "A"}, {Qt::Key_Down, "B"}};
    for (auto [key, file] : keys) {
      QTest::keyClick(list, key);
      QCOMPARE(dialog.Form().ChosenFile(), card + "/" + file + ".JPG");
    }
    QTest::keyClick(list, Qt::Key_Return);
    QVERIFY(f.prompter.asked.empty());

    const QByteArray old_home = qgetenv("XDG_DATA_HOME");
    qputenv("XDG_DATA_HOME", f.folder.File("xdg").toLocal8Bit());  // the trash of the test
    dialog.findChild<QCheckBox*>("thumbnailMode")->setChecked(true);
    f.prompter.yes_no = {true, true};
    dialog.findChild<QPushButton*>("Command5")->click();
    qputenv("XDG_DATA_HOME", old_home);
    QVERIFY(image.save(card + "/D.JPG"));
    QCOMPARE(list->model()->rowCount(), 2);
    dialog.findChild<QPushButton*>("Command3(1)")->click();
    QCOMPARE(list->model()->rowCount(), 3);
    QCOMPARE(dialog.findChild<ThumbnailView*>("thumbnails")->model()->rowCount(), 3);
  }
};

QTEST_MAIN(TstPhotoInsertDialog)
#include "tst_photo_insert_dialog.moc"
