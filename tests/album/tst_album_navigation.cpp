#include <QtTest>

#include "album/page_record.h"
#include "platform/text_file.h"
#include "support/test_folder.h"

using namespace komasu;
using namespace komasu::test;

namespace {

// An album of `pages` pages whose line 1 of the top slot reads "pN".
QStringList Records(int pages) {
  QStringList records{SerializeHeader({"アルバム", "作者", "2026/12/09"})};
  for (int p = 1; p <= pages; ++p) records << PageWithTexts({"", QStringLiteral("p%1").arg(p)});
  return records;
}

// Line 1 of the top slot of every page record in the file.
QStringList PageMarks(const QString& path) {
  QStringList marks;
  const QStringList records = ReadAlbum(path);
  for (qsizetype i = 1; i < records.size(); ++i) {
    PageContent page;
    DecodePageRecord(records[i], page);
    marks << page.lines[1].text;
  }
  return marks;
}

void WritePosition(const TestFolder& folder,
                   std::initializer_list<std::pair<int, QString>> values) {
  QStringList lines = DefaultPositionLines();
  for (const auto& [k, v] : values) lines[k] = v;
  WriteTextLines(folder.Program().PositionIni(), lines);
}

}  // namespace

class TstAlbumNavigation : public QObject {
  Q_OBJECT

 private slots:
  void EdgeMovesWriteNothing_data() {
    QTest::addColumn<int>("start");
    QTest::addColumn<int>("move");  // 0 first, 1 previous, 2 next, 3 last
    QTest::newRow("first on page 1") << 1 << 0;
    QTest::newRow("previous on page 1") << 1 << 1;
    QTest::newRow("next on the last page") << 5 << 2;
    QTest::newRow("last on the last page") << 5 << 3;
  }
  void EdgeMovesWriteNothing() {
    QFETCH(int, start);
    QFETCH(int, move);
    AlbumFixture f;
    const QString path = f.Open("a.apt", Records(5));
    Album& a = *f.album;
    a.JumpToPage(start);
    const QByteArray before = ReadBytes(path);
    a.page.lines[5].text = "edited";
    QSignalSpy shown(&a, &Album::PageShown);
    switch (move) {
      case 0:
        a.FirstPage();
        break;
      case 1:
        a.PreviousPage();
        break;
      case 2:
        a.NextPage();
        break;
      default:
        a.LastPage();
        break;
    }
    QCOMPARE(a.CurrentPage(), start);
    QCOMPARE(ReadBytes(path), before);
    QCOMPARE(shown.size(), 0);
    QCOMPARE(a.page.lines[5].text, QStringLiteral("edited"));
  }

  void MovesWriteTheShownPageBack_data() {
    QTest::addColumn<int>("start");
    QTest::addColumn<int>("move");
    QTest::addColumn<int>("target");
    QTest::newRow("first") << 3 << 0 << 1;
    QTest::newRow("previous") << 3 << 1 << 2;
    QTest::newRow("next") << 3 << 2 << 4;
    QTest::newRow("last") << 3 << 3 << 5;
  }
  void MovesWriteTheShownPageBack() {
    QFETCH(int, start);
    QFETCH(int, move);
    QFETCH(int, target);
    AlbumFixture f;
    const QString path = f.Open("a.apt", Records(5));
    Album& a = *f.album;
    a.JumpToPage(start);
    a.page.lines[1].text = "changed";
    switch (move) {
      case 0:
        a.FirstPage();
        break;
      case 1:
        a.PreviousPage();
        break;
      case 2:
        a.NextPage();
        break;
      default:
        a.LastPage();
        break;
    }
    QCOMPARE(a.CurrentPage(), target);
    QCOMPARE(a.page.lines[1].text, QStringLiteral("p%1").arg(target));
    QCOMPARE(PageMarks(path).value(start - 1), QStringLiteral("changed"));
  }

  void AppendFromPageTwoOfFive() {
    AlbumFixture f;
    const QString path = f.Open("a.apt", Records(5));
    Album& a = *f.album;
    a.NextPage();
    a.page.lines[1].text = "two";
    a.AppendPage();
    QCOMPARE(a.CurrentPage(), 6);
    QCOMPARE(a.PageCount(), 6);
    QCOMPARE(PageMarks(path), (QStringList{"p1", "two", "p3", "p4", "p5"}));
    for (const SlotTextLine& line : a.page.lines) QVERIFY(line.text.isEmpty());
    for (const QString& line : a.PanelLines()) QVERIFY(line.isEmpty());
    // The new page reaches the file with the next write-back.
    a.page.lines[1].text = "six";
    a.FirstPage();
    QCOMPARE(PageMarks(path), (QStringList{"p1", "two", "p3", "p4", "p5", "six"}));
  }

  void InsertOnPageThreeOfFive() {
    AlbumFixture f;
    const QString path = f.Open("a.apt", Records(5));
    Album& a = *f.album;
    a.JumpToPage(3);
    a.page.lines[1].text = "three";
    a.InsertPage();
    QCOMPARE(a.CurrentPage(), 4);
    QCOMPARE(a.PageCount(), 6);
    QCOMPARE(PageMarks(path), (QStringList{"p1", "p2", "three", "", "p4", "p5"}));
    QVERIFY(a.page.lines[1].text.isEmpty());
    QCOMPARE(a.page.lines[1].left, 6555.0f + 420);  // laid out as the even page 4
  }

  void DeleteAsksFirst() {
    AlbumFixture f;
    const QString path = f.Open("a.apt", Records(3));
    f.album->JumpToPage(2);
    const QByteArray before = ReadBytes(path);
    f.prompter.yes_no = {false};
    f.album->AskDeleteCurrentPage();
    const auto& q = f.prompter.asked.back();
    QCOMPARE(q.text, QStringLiteral("ページ 2 を削除します"));
    QCOMPARE(q.title, QStringLiteral("削除"));
    QCOMPARE(q.icon, MessageIcon::kQuestion);
    QCOMPARE(f.album->PageCount(), 3);
    QCOMPARE(ReadBytes(path), before);
  }

  void DeleteRenewsTheSnapshot_data() {
    QTest::addColumn<int>("shown");
    QTest::addColumn<int>("expected_page");
    QTest::addColumn<QString>("expected_mark");
    QTest::addColumn<QStringList>("remaining");
    QTest::newRow("5 of 5") << 5 << 4 << "p4" << QStringList{"p1", "p2", "p3", "p4"};
    QTest::newRow("2 of 5") << 2 << 2 << "p3" << QStringList{"p1", "p3", "p4", "p5"};
    QTest::newRow("1 of 5") << 1 << 1 << "p2" << QStringList{"p2", "p3", "p4", "p5"};
  }
  void DeleteRenewsTheSnapshot() {
    QFETCH(int, shown);
    QFETCH(int, expected_page);
    QFETCH(QString, expected_mark);
    QFETCH(QStringList, remaining);
    AlbumFixture f;
    const QString path = f.Open("a.apt", Records(5));
    Album& a = *f.album;
    a.JumpToPage(shown);
    f.prompter.yes_no = {true};
    a.AskDeleteCurrentPage();
    QCOMPARE(a.PageCount(), 4);
    QCOMPARE(a.CurrentPage(), expected_page);
    QCOMPARE(a.page.lines[1].text, expected_mark);
    QCOMPARE(PageMarks(path), remaining);
    QCOMPARE(ReadBytes(f.folder.Program().BackApt()), ReadBytes(path));
  }

  void DeleteTheOnlyPage() {
    AlbumFixture f;
    const QString path = f.Open("a.apt", Records(1));
    const QByteArray before = ReadBytes(path);
    f.album->DeleteCurrentPage();
    QCOMPARE(f.prompter.Notices(), QStringList{QStringLiteral("１ページしかありません")});
    QCOMPARE(f.album->PageCount(), 1);
    QCOMPARE(ReadBytes(path), before);
  }

  void JumpRange_data() {
    QTest::addColumn<int>("target");
    QTest::addColumn<int>("expected");
    QTest::newRow("zero") << 0 << 1;
    QTest::newRow("negative") << -2 << 1;
    QTest::newRow("beyond") << 6 << 1;
    QTest::newRow("last") << 5 << 5;
    QTest::newRow("middle") << 3 << 3;
  }
  void JumpRange() {
    QFETCH(int, target);
    QFETCH(int, expected);
    AlbumFixture f;
    f.Open("a.apt", Records(5));
    f.album->JumpToPage(target);
    QCOMPARE(f.album->CurrentPage(), expected);
    QCOMPARE(f.album->page.lines[1].text, QStringLiteral("p%1").arg(expected));
  }

  void PhotoGeometry_data() {
    QTest::addColumn<QString>("binding");
    QTest::addColumn<int>("page");
    QTest::addColumn<QString>("dx");
    QTest::addColumn<QString>("dy");
    QTest::addColumn<QString>("scale");
    QTest::addColumn<int>("slot");
    QTest::addColumn<QRectF>("box");
    QTest::newRow("top, left-bound") << "0" << 1 << "0"
                                     << "0"
                                     << "100" << 1 << QRectF(7100, 1150, 3100, 2325);
    QTest::newRow("middle") << "0" << 1 << "0"
                            << "0"
                            << "100" << 2 << QRectF(7100, 3800, 3100, 2325);
    QTest::newRow("bottom") << "0" << 1 << "0"
                            << "0"
                            << "100" << 3 << QRectF(7100, 6470, 3100, 2325);
    QTest::newRow("even page right-bound") << "0" << 2 << "0"
                                           << "0"
                                           << "100" << 1 << QRectF(8400, 1150, 3100, 2325);
    QTest::newRow("always left") << "1" << 2 << "0"
                                 << "0"
                                 << "100" << 1 << QRectF(7100, 1150, 3100, 2325);
    QTest::newRow("always right") << "2" << 1 << "0"
                                  << "0"
                                  << "100" << 1 << QRectF(8400, 1150, 3100, 2325);
    QTest::newRow("offsets and scale")
        << "0" << 1 << "7"
        << "-3"
        << "50" << 2 << QRectF(7100 + 7 * 28.57142857f, 3800 - 3 * 28.57142857f, 1550, 1162.5);
    // A binding outside 0..2 leaves the left edge where ClearPage put it.
    QTest::newRow("binding 5") << "5" << 1 << "0"
                               << "0"
                               << "100" << 1 << QRectF(6840, 1150, 3100, 2325);
    QTest::newRow("binding -1") << "-1" << 2 << "0"
                                << "4"
                                << "100" << 3 << QRectF(6840, 6470 + 4 * 28.57142857f, 3100, 2325);
  }
  void PhotoGeometry() {
    QFETCH(QString, binding);
    QFETCH(int, page);
    QFETCH(QString, dx);
    QFETCH(QString, dy);
    QFETCH(QString, scale);
    QFETCH(int, slot);
    QFETCH(QRectF, box);
    AlbumFixture f;
    WritePosition(f.folder, {{19, binding}, {11, dx}, {12, dy}, {13, scale}});
    PageContent with_photos;
    for (int s = 1; s <= 3; ++s)
      with_photos.Photo(s).path = QStringLiteral("/no/such/%1.jpg").arg(s);
    const QString record = SerializePage(with_photos);
    f.Open("a.apt", {SerializeHeader({}), record, record});
    f.album->JumpToPage(page);
    const PhotoElement& p = f.album->page.Photo(slot);
    QCOMPARE(p.left, float(box.left()));
    QCOMPARE(p.top, float(box.top()));
    QCOMPARE(p.width, float(box.width()));
    QCOMPARE(p.height, float(box.height()));
    QVERIFY(p.visible);
    QCOMPARE(p.path, QStringLiteral("/no/such/%1.jpg").arg(slot));  // kept though missing
  }

  void TextColumnChangesSidesWithParity() {
    AlbumFixture f;
    f.Open("a.apt", Records(2));
    Album& a = *f.album;
    QCOMPARE(a.page.lines[0].left, 10680.0f + 60);
    QCOMPARE(a.page.lines[10].left, 10680.0f + 420);
    QCOMPARE(a.decor.no_marks[1].left, 10680.0f + 70);
    QCOMPARE(a.decor.Rule(14).x1, 11925.0f);
    a.NextPage();
    QCOMPARE(a.page.lines[18].left, 6555.0f + 60);
    QCOMPARE(a.page.lines[26].left, 6555.0f + 420);
    QCOMPARE(a.decor.Rule(16).x2, 6555.0f + 940);
  }

  void EmptySlotsShowAtTheClearedPlace() {
    AlbumFixture f;
    f.Open("a.apt", Records(1));
    for (int s = 1; s <= 3; ++s) {
      const PhotoElement& p = f.album->page.Photo(s);
      QVERIFY(p.visible);
      QCOMPARE(QRectF(p.left, p.top, p.width, p.height), QRectF(6840, 360, 375, 375));
    }
  }

  void ClearPageResetsEveryElement() {
    AlbumFixture f;
    f.Open("a.apt", Records(2));
    Album& a = *f.album;
    a.SelectSlot(2);
    a.page.Photo(4).path = "x.jpg";
    a.page.Photo(2).left = 1;
    FreeLabel& label = a.page.Label(50);
    label = {1, 2, 300, 400, "text", {}, true, true};
    label.style.size = 20;
    a.page.callouts[14].arrow_a = {1, 2, 3, 4, true};
    a.page.lines[26].text = "t";
    a.ClearPage();
    for (int i = 1; i <= kPhotoElements; ++i) QCOMPARE(a.page.Photo(i), PhotoElement());
    QCOMPARE(a.page.Photo(1).left, 6840.0f);
    QVERIFY(!label.visible);
    QVERIFY(!label.border);
    QVERIFY(label.text.isEmpty());
    QCOMPARE(label.left, 4680.0f);
    QCOMPARE(label.top, 3600.0f);
    QCOMPARE(label.style.size, 20.0);  // fonts stay
    QCOMPARE(a.page.callouts[14], CalloutLine());
    QVERIFY(a.page.lines[26].text.isEmpty());
    QCOMPARE(a.SelectedSlot(), 0);
    for (const QString& line : a.PanelLines()) QVERIFY(line.isEmpty());
  }
};

QTEST_GUILESS_MAIN(TstAlbumNavigation)
#include "tst_album_navigation.moc"
