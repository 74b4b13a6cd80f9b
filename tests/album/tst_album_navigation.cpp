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

QStringList Marks(int pages) {
  QStringList marks;
  for (int p = 1; p <= pages; ++p) marks << QStringLiteral("p%1").arg(p);
  return marks;
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

// "first", "previous", "next", "last" or "jump N"; false for any other move.
bool Move(Album& a, const QString& move) {
  static const QHash<QString, void (Album::*)()> moves{{"first", &Album::FirstPage},
                                                       {"previous", &Album::PreviousPage},
                                                       {"next", &Album::NextPage},
                                                       {"last", &Album::LastPage}};
  if (move.startsWith(u"jump ")) {
    bool ok = false;
    const int n = move.mid(5).toInt(&ok);
    if (ok) a.JumpToPage(n);
    return ok;
  }
  if (!moves.contains(move)) return false;
  (a.*moves.value(move))();
  return true;
}

}  // namespace

class TstAlbumNavigation : public QObject {
  Q_OBJECT

 private slots:
  // Moves on a 5-page album; a move that cannot leave the page, or a jump out of range,
  // writes nothing.
  void Moves_data() {
    QTest::addColumn<int>("start");
    QTest::addColumn<QString>("move");
    QTest::addColumn<int>("target");
    QTest::newRow("first") << 3 << "first" << 1;
    QTest::newRow("previous") << 3 << "previous" << 2;
    QTest::newRow("next") << 3 << "next" << 4;
    QTest::newRow("last") << 3 << "last" << 5;
    QTest::newRow("first on page 1") << 1 << "first" << 1;
    QTest::newRow("previous on page 1") << 1 << "previous" << 1;
    QTest::newRow("next on the last page") << 5 << "next" << 5;
    QTest::newRow("last on the last page") << 5 << "last" << 5;
    QTest::newRow("jump") << 3 << "jump 2" << 2;
    QTest::newRow("jump to the last page") << 1 << "jump 5" << 5;
    QTest::newRow("jump to 0") << 3 << "jump 0" << 3;
    QTest::newRow("jump below 0") << 3 << "jump -2" << 3;
    QTest::newRow("jump beyond") << 3 << "jump 6" << 3;
  }
  void Moves() {
    QFETCH(int, start);
    QFETCH(QString, move);
    QFETCH(int, target);
    AlbumFixture f;
    const QString path = f.Open("a.apt", Records(5));
    Album& a = *f.album;
    a.JumpToPage(start);
    const QByteArray before = ReadBytes(path);
    Edit(a, [&](PageContent& p) { p.lines[1].text = "changed"; });
    QSignalSpy shown(&a, &Album::PageShown);
    QVERIFY2(Move(a, move), qPrintable("unknown move " + move));
    QCOMPARE(a.CurrentPage(), target);
    if (target == start) {
      QCOMPARE(ReadBytes(path), before);
      QCOMPARE(shown.size(), 0);
      QCOMPARE(a.Page().lines[1].text, QStringLiteral("changed"));
    } else {
      QCOMPARE(a.Page().lines[1].text, QStringLiteral("p%1").arg(target));
      QCOMPARE(PageMarks(path).value(start - 1), QStringLiteral("changed"));
    }
  }

  void AppendFromPageTwoOfFive() {
    AlbumFixture f;
    const QString path = f.Open("a.apt", Records(5));
    Album& a = *f.album;
    a.NextPage();
    Edit(a, [&](PageContent& p) { p.lines[1].text = "two"; });
    f.commands->AppendPage();
    QCOMPARE(a.CurrentPage(), 6);
    QCOMPARE(a.PageCount(), 6);
    QCOMPARE(PageMarks(path), (QStringList{"p1", "two", "p3", "p4", "p5"}));
    for (const SlotTextLine& line : a.Page().lines) QVERIFY(line.text.isEmpty());
    for (const QString& line : (*f.editor).PanelLines()) QVERIFY(line.isEmpty());
    // The new page reaches the file with the next write-back.
    Edit(a, [&](PageContent& p) { p.lines[1].text = "six"; });
    a.FirstPage();
    QCOMPARE(PageMarks(path), (QStringList{"p1", "two", "p3", "p4", "p5", "six"}));
  }

  void InsertOnPageThreeOfFive() {
    AlbumFixture f;
    const QString path = f.Open("a.apt", Records(5));
    Album& a = *f.album;
    a.JumpToPage(3);
    Edit(a, [&](PageContent& p) { p.lines[1].text = "three"; });
    f.commands->InsertPage();
    QCOMPARE(a.CurrentPage(), 4);
    QCOMPARE(a.PageCount(), 6);
    QCOMPARE(PageMarks(path), (QStringList{"p1", "p2", "three", "", "p4", "p5"}));
    QVERIFY(a.Page().lines[1].text.isEmpty());
    QCOMPARE(a.Page().lines[1].left, 6555.0f + 420);  // laid out as the even page 4
  }

  void DeleteAsksAndRenewsTheSnapshot_data() {
    QTest::addColumn<int>("shown");
    QTest::addColumn<bool>("yes");
    QTest::addColumn<int>("now_shown");
    QTest::addColumn<QStringList>("remaining");
    QTest::newRow("5 of 5") << 5 << true << 4 << QStringList{"p1", "p2", "p3", "p4"};
    QTest::newRow("2 of 5") << 2 << true << 2 << QStringList{"p1", "p3", "p4", "p5"};
    QTest::newRow("1 of 5") << 1 << true << 1 << QStringList{"p2", "p3", "p4", "p5"};
    QTest::newRow("answered no") << 2 << false << 2 << Marks(5);
  }
  void DeleteAsksAndRenewsTheSnapshot() {
    QFETCH(int, shown);
    QFETCH(bool, yes);
    QFETCH(int, now_shown);
    QFETCH(QStringList, remaining);
    AlbumFixture f;
    const QString path = f.Open("a.apt", Records(5));
    Album& a = *f.album;
    a.JumpToPage(shown);
    const QByteArray before = ReadBytes(path);
    f.prompter.yes_no = {yes};
    f.commands->AskDeletePage();
    const auto& q = f.prompter.asked.back();
    QCOMPARE(q.text, QStringLiteral("ページ %1 を削除します").arg(shown));
    QCOMPARE(q.title, QStringLiteral("削除"));
    QCOMPARE(q.icon, MessageIcon::kQuestion);
    QCOMPARE(a.PageCount(), remaining.size());
    QCOMPARE(a.CurrentPage(), now_shown);
    QCOMPARE(a.Page().lines[1].text, remaining[now_shown - 1]);
    QCOMPARE(PageMarks(path), remaining);
    if (yes)
      QCOMPARE(ReadBytes(f.folder.Program().BackApt()), ReadBytes(path));
    else
      QCOMPARE(ReadBytes(path), before);
  }

  void DeleteTheOnlyPage() {
    AlbumFixture f;
    const QString path = f.Open("a.apt", Records(1));
    const QByteArray before = ReadBytes(path);
    f.commands->DeletePage();
    QCOMPARE(f.prompter.Notices(), QStringList{QStringLiteral("１ページしかありません")});
    QCOMPARE(f.album->PageCount(), 1);
    QCOMPARE(ReadBytes(path), before);
  }

  void PhotoGeometry_data() {
    QTest::addColumn<int>("binding");
    QTest::addColumn<int>("page");
    QTest::addColumn<int>("dx");
    QTest::addColumn<int>("dy");
    QTest::addColumn<int>("scale");
    QTest::addColumn<int>("slot");
    QTest::addColumn<QRectF>("box");
    const float step = 28.57142857f;  // twips per offset unit
    QTest::newRow("top slot, left-bound")
        << 0 << 1 << 0 << 0 << 100 << 1 << QRectF(7100, 1150, 3100, 2325);
    QTest::newRow("even page right-bound")
        << 0 << 2 << 0 << 0 << 100 << 1 << QRectF(8400, 1150, 3100, 2325);
    QTest::newRow("always left") << 1 << 2 << 0 << 0 << 100 << 1 << QRectF(7100, 1150, 3100, 2325);
    QTest::newRow("always right") << 2 << 1 << 0 << 0 << 100 << 1 << QRectF(8400, 1150, 3100, 2325);
    QTest::newRow("offsets and scale")
        << 0 << 1 << 7 << -3 << 50 << 2 << QRectF(7100 + 7 * step, 3800 - 3 * step, 1550, 1162.5);
    // A binding outside 0..2 lays pages out as 0 does, as they print.
    QTest::newRow("binding 5") << 5 << 1 << 0 << 0 << 100 << 1 << QRectF(7100, 1150, 3100, 2325);
    QTest::newRow("binding -1") << -1 << 2 << 0 << 4 << 100 << 3
                                << QRectF(8400, 6470 + 4 * step, 3100, 2325);
  }
  void PhotoGeometry() {
    QFETCH(int, binding);
    QFETCH(int, page);
    QFETCH(int, dx);
    QFETCH(int, dy);
    QFETCH(int, scale);
    QFETCH(int, slot);
    QFETCH(QRectF, box);
    AlbumFixture f;
    QStringList position = DefaultPositionLines();
    position[19] = QString::number(binding);
    position[11] = QString::number(dx);
    position[12] = QString::number(dy);
    position[13] = QString::number(scale);
    WriteTextLines(f.folder.Program().PositionIni(), position);
    PageContent with_photos;
    for (int s = 1; s <= 3; ++s)
      with_photos.Photo(s).path = QStringLiteral("/no/such/%1.jpg").arg(s);
    const QString record = SerializePage(with_photos);
    f.Open("a.apt", {SerializeHeader({}), record, record});
    f.album->JumpToPage(page);
    const PhotoElement& p = f.album->Page().Photo(slot);
    QCOMPARE(QRectF(p.left, p.top, p.width, p.height), box);
    QVERIFY(p.visible);
    QCOMPARE(p.path, QStringLiteral("/no/such/%1.jpg").arg(slot));  // kept though missing
  }

  // Odd pages carry the text column on the right, even pages on the left.
  void TextColumnChangesSidesWithParity() {
    AlbumFixture f;
    f.Open("a.apt", Records(2));
    for (float left : {10680.0f, 6555.0f}) {
      const Album& a = *f.album;
      QCOMPARE(a.Page().lines[0].left, left + 60);
      QCOMPARE(a.Page().lines[26].left, left + 420);
      QCOMPARE(a.Decor().no_marks[1].left, left + 70);
      QCOMPARE(a.Decor().Rule(14).x1, left + 1245);
      QCOMPARE(a.Decor().Rule(16).x2, left + 940);
      f.album->NextPage();
    }
  }

  void ClearPageResetsEveryElement() {
    AlbumFixture f;
    f.Open("a.apt", Records(2));
    Album& a = *f.album;
    (*f.editor).SelectSlot(2);
    Edit(a, [&](PageContent& p) {
      p.Photo(4).path = "x.jpg";
      p.Photo(2).left = 1;
      p.Label(50) = {1, 2, 300, 400, "text", {}, true, true};
      p.Label(50).style.size = 20;
      p.callouts[14].arrow_a = {1, 2, 3, 4, true};
      p.lines[26].text = "t";
    });
    a.ClearPage();
    const FreeLabel& label = a.Page().Label(50);
    for (int i = 1; i <= kPhotoElements; ++i) QCOMPARE(a.Page().Photo(i), PhotoElement());
    QCOMPARE(a.Page().Photo(1).left, 6840.0f);
    QVERIFY(!label.visible);
    QVERIFY(!label.border);
    QVERIFY(label.text.isEmpty());
    QCOMPARE(QPointF(label.left, label.top), QPointF(4680, 3600));
    QCOMPARE(label.style.size, 20.0);  // fonts stay
    QCOMPARE(a.Page().callouts[14], CalloutLine());
    QVERIFY(a.Page().lines[26].text.isEmpty());
    QCOMPARE((*f.editor).SelectedSlot(), 0);
    for (const QString& line : (*f.editor).PanelLines()) QVERIFY(line.isEmpty());
  }
};

QTEST_GUILESS_MAIN(TstAlbumNavigation)
#include "tst_album_navigation.moc"
