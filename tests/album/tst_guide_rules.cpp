#include <QtTest>

#include "album/guide_rules.h"
#include "album/page_record.h"
#include "support/test_folder.h"

using namespace komasu;
using namespace komasu::test;

namespace {

// The visible rule lines as runs of line numbers ("4-12,16-24"), "-" when none.
QString VisibleRuns(const PageDecor& decor) {
  QStringList runs;
  int n = 1;
  while (n <= kRuleLines) {
    if (!decor.Rule(n).visible) {
      ++n;
      continue;
    }
    const int first = n;
    while (n + 1 <= kRuleLines && decor.Rule(n + 1).visible) ++n;
    runs << (first == n ? QString::number(n) : QStringLiteral("%1-%2").arg(first).arg(n));
    ++n;
  }
  return runs.isEmpty() ? QStringLiteral("-") : runs.join(u',');
}

QString Numbers(const PageDecor& decor, const std::function<bool(const RuleLine&)>& pick) {
  QStringList out;
  for (int n = 1; n <= kRuleLines; ++n) {
    if (pick(decor.Rule(n))) out << QString::number(n);
  }
  return out.join(u',');
}

bool MarksVisible(const PageDecor& decor) {
  const bool first = decor.no_marks[0].visible;
  for (const NoMark& m : decor.no_marks) {
    if (m.visible != first) return false;  // the three marks always go together
  }
  return first;
}

// The rules of the chosen style, shown only when ticked; `attributes` also checks the dotted
// lines and double widths the style sets.
void CheckRules(const PageDecor& decor, bool ticked, bool frame, bool attributes) {
  const QString shown = frame ? QStringLiteral("1-36") : QStringLiteral("4-12,16-24,28-36");
  QCOMPARE(VisibleRuns(decor), ticked ? shown : QStringLiteral("-"));
  QCOMPARE(MarksVisible(decor), ticked);
  QCOMPARE(decor.style_enabled, ticked);
  if (!attributes) return;
  QCOMPARE(Numbers(decor, [](const RuleLine& l) { return l.dotted; }),
           frame ? QStringLiteral("4,16,28") : QString());
  QCOMPARE(Numbers(decor, [](const RuleLine& l) { return l.width == 2; }),
           frame ? QStringLiteral("1,2,3,5,12,13,14,15,17,24,25,26,27,29,36")
                 : QStringLiteral("1,2,3,13,14,15,25,26,27"));
}

QString PageRecord(int guide, int style) {
  PageContent page;
  page.guide_lines = guide;
  page.rule_style = static_cast<RuleStyle>(style);
  return SerializePage(page);
}

}  // namespace

class TstGuideRules : public QObject {
  Q_OBJECT
 private slots:
  // Clicks: "t" ticks, "u" unticks, "1" selects 下線, "3" selects 枠線, from the start state.
  void ClicksShowRulesOfTheSelectedStyle_data() {
    QTest::addColumn<QString>("clicks");
    QTest::addColumn<bool>("ticked");
    QTest::addColumn<bool>("frame");
    QTest::newRow("tick with underline") << "t" << true << false;
    QTest::newRow("tick then frame") << "t3" << true << true;
    QTest::newRow("back and forth twice") << "t3131" << true << false;
    QTest::newRow("untick hides all") << "t3u" << false << true;
    QTest::newRow("style while unticked draws nothing") << "3" << false << true;
    QTest::newRow("tick after frame chosen unticked") << "3t" << true << true;
    QTest::newRow("untick with underline") << "tu" << false << false;
    QTest::newRow("retick shows frame again") << "t3ut" << true << true;
  }
  void ClicksShowRulesOfTheSelectedStyle() {
    QFETCH(QString, clicks);
    QFETCH(bool, ticked);
    QFETCH(bool, frame);
    PageContent page;
    PageDecor decor;
    for (QChar c : clicks) {
      if (c == u't' || c == u'u') {
        SetGuideSwitch(page, decor, c == u't');
      } else if (c == u'1' || c == u'3') {
        SelectRuleStyle(page, decor, c == u'1' ? RuleStyle::kUnderline : RuleStyle::kFrame);
      } else {
        QFAIL(qPrintable(QStringLiteral("unknown click ") + c));
      }
    }
    CheckRules(decor, ticked, frame, true);
  }

  // Two pages shown one after the other: the second page's switch and style as stored.
  void PageLoaderSetsSwitchThenStyle_data() {
    QTest::addColumn<int>("guide1");
    QTest::addColumn<int>("style1");
    QTest::addColumn<int>("guide2");
    QTest::addColumn<int>("style2");
    QTest::newRow("unticked frame after ticked underline") << 1 << 0 << 0 << 1;
    QTest::newRow("ticked frame after ticked underline") << 1 << 0 << 1 << 1;
    QTest::newRow("ticked underline after ticked frame") << 1 << 1 << 1 << 0;
    QTest::newRow("ticked frame after unticked frame") << 0 << 1 << 1 << 1;
    QTest::newRow("unticked underline after ticked frame") << 1 << 1 << 0 << 0;
    QTest::newRow("same settings keep the rules") << 1 << 1 << 1 << 1;
  }
  void PageLoaderSetsSwitchThenStyle() {
    QFETCH(int, guide1);
    QFETCH(int, style1);
    QFETCH(int, guide2);
    QFETCH(int, style2);
    AlbumFixture f;
    f.Open(QStringLiteral("a.apt"),
           {SerializeHeader({}), PageRecord(guide1, style1), PageRecord(guide2, style2)});
    Album& album = *f.album;
    QVERIFY(album.Decor().guide_switch_enabled);
    CheckRules(album.Decor(), guide1 == 1, style1 == 1, guide1 == 1);
    album.NextPage();
    QCOMPARE(album.CurrentPage(), 2);
    QCOMPARE(album.Page().guide_lines, guide2);
    QCOMPARE(static_cast<int>(album.Page().rule_style), style2);
    CheckRules(album.Decor(), guide2 == 1, style2 == 1, guide2 == 1);
  }

  // Both are stored with the page, so changing them marks the album modified: closing asks.
  void SwitchAndStyleAreStoredWithThePageAndMarkModified() {
    AlbumFixture f;
    const QString path =
        f.Open(QStringLiteral("a.apt"), {SerializeHeader({}), PageRecord(0, 0), PageRecord(0, 0)});
    Album& album = *f.album;
    f.commands->SetModified(false);
    f.commands->SetGuideSwitch(true);
    f.commands->SetRuleStyle(RuleStyle::kFrame);
    QVERIFY(album.IsModified());
    album.NextPage();
    const QStringList fields = SplitRecordFields(ReadAlbum(path).at(1));
    QCOMPARE(fields.at(1), QStringLiteral("1"));
    QCOMPARE(fields.at(2), QStringLiteral("1"));
    album.PreviousPage();
    CheckRules(album.Decor(), true, true, true);
  }
};

QTEST_GUILESS_MAIN(TstGuideRules)
#include "tst_guide_rules.moc"
