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

const QString kUnderlineRuns = QStringLiteral("4-12,16-24,28-36");
const QString kAll = QStringLiteral("1-36");
const QString kFrameWidth2 = QStringLiteral("1,2,3,5,12,13,14,15,17,24,25,26,27,29,36");
const QString kUnderlineWidth2 = QStringLiteral("1,2,3,13,14,15,25,26,27");
const QString kDottedRows = QStringLiteral("4,16,28");

QString PageRecord(int guide, RuleStyle style) {
  PageContent page;
  page.guide_lines = guide;
  page.rule_style = style;
  return SerializePage(page);
}

}  // namespace

class TstGuideRules : public QObject {
  Q_OBJECT
 private slots:
  // Clicks: "t" ticks, "u" unticks, "1" selects 下線, "3" selects 枠線, from the start state.
  void ClicksShowRulesOfTheSelectedStyle_data() {
    QTest::addColumn<QString>("clicks");
    QTest::addColumn<QString>("visible");
    QTest::addColumn<bool>("marks");
    QTest::addColumn<QString>("dotted");
    QTest::addColumn<QString>("width2");
    QTest::addColumn<bool>("style_enabled");
    QTest::newRow("tick with underline")
        << "t" << kUnderlineRuns << true << "" << kUnderlineWidth2 << true;
    QTest::newRow("tick then frame") << "t3" << kAll << true << kDottedRows << kFrameWidth2 << true;
    QTest::newRow("frame then back to underline")
        << "t31" << kUnderlineRuns << true << "" << kUnderlineWidth2 << true;
    QTest::newRow("back and forth twice")
        << "t3131" << kUnderlineRuns << true << "" << kUnderlineWidth2 << true;
    QTest::newRow("untick hides all") << "t3u"
                                      << "-" << false << kDottedRows << kFrameWidth2 << false;
    QTest::newRow("style while unticked draws nothing")
        << "3"
        << "-" << false << kDottedRows << kFrameWidth2 << false;
    QTest::newRow("tick after frame chosen unticked")
        << "3t" << kAll << true << kDottedRows << kFrameWidth2 << true;
    QTest::newRow("untick with underline") << "tu"
                                           << "-" << false << "" << kUnderlineWidth2 << false;
    QTest::newRow("retick shows frame again")
        << "t3ut" << kAll << true << kDottedRows << kFrameWidth2 << true;
  }
  void ClicksShowRulesOfTheSelectedStyle() {
    QFETCH(QString, clicks);
    PageContent page;
    PageDecor decor;
    for (QChar c : clicks) {
      if (c == u't') SetGuideSwitch(page, decor, true);
      if (c == u'u') SetGuideSwitch(page, decor, false);
      if (c == u'1') SelectRuleStyle(page, decor, RuleStyle::kUnderline);
      if (c == u'3') SelectRuleStyle(page, decor, RuleStyle::kFrame);
    }
    QTEST(VisibleRuns(decor), "visible");
    QTEST(MarksVisible(decor), "marks");
    QTEST(Numbers(decor, [](const RuleLine& l) { return l.dotted; }), "dotted");
    QTEST(Numbers(decor, [](const RuleLine& l) { return l.width == 2; }), "width2");
    QTEST(decor.style_enabled, "style_enabled");
  }

  // Two pages shown one after the other: the second page's switch and style as stored.
  void PageLoaderSetsSwitchThenStyle_data() {
    QTest::addColumn<int>("guide1");
    QTest::addColumn<int>("style1");
    QTest::addColumn<int>("guide2");
    QTest::addColumn<int>("style2");
    QTest::addColumn<QString>("visible");
    QTest::addColumn<bool>("marks");
    QTest::addColumn<QString>("dotted");
    QTest::newRow("unticked frame after ticked underline") << 1 << 0 << 0 << 1 << "-" << false;
    QTest::newRow("ticked frame after ticked underline")
        << 1 << 0 << 1 << 1 << kAll << true << kDottedRows;
    QTest::newRow("ticked underline after ticked frame")
        << 1 << 1 << 1 << 0 << kUnderlineRuns << true << "";
    QTest::newRow("ticked frame after unticked frame")
        << 0 << 1 << 1 << 1 << kAll << true << kDottedRows;
    QTest::newRow("unticked underline after ticked frame") << 1 << 1 << 0 << 0 << "-" << false;
    QTest::newRow("same settings keep the rules")
        << 1 << 1 << 1 << 1 << kAll << true << kDottedRows;
  }
  void PageLoaderSetsSwitchThenStyle() {
    QFETCH(int, guide1);
    QFETCH(int, style1);
    QFETCH(int, guide2);
    QFETCH(int, style2);
    AlbumFixture f;
    f.Open(QStringLiteral("a.apt"),
           {SerializeHeader({}), PageRecord(guide1, static_cast<RuleStyle>(style1)),
            PageRecord(guide2, static_cast<RuleStyle>(style2))});
    Album& album = *f.album;
    QVERIFY(album.decor.guide_switch_enabled);
    QCOMPARE(album.page.guide_lines, guide1);
    album.NextPage();
    QCOMPARE(album.CurrentPage(), 2);
    QCOMPARE(album.page.guide_lines, guide2);
    QCOMPARE(static_cast<int>(album.page.rule_style), style2);
    QCOMPARE(album.decor.style_enabled, guide2 == 1);
    QTEST(VisibleRuns(album.decor), "visible");
    QTEST(MarksVisible(album.decor), "marks");
    if (guide2 == 1)
      QTEST(Numbers(album.decor, [](const RuleLine& l) { return l.dotted; }), "dotted");
  }

  void SwitchAndStyleAreStoredWithThePageWithoutMarkingModified() {
    AlbumFixture f;
    const QString path =
        f.Open(QStringLiteral("a.apt"), {SerializeHeader({}), PageRecord(0, RuleStyle::kUnderline),
                                         PageRecord(0, RuleStyle::kUnderline)});
    Album& album = *f.album;
    album.modified = false;
    SetGuideSwitch(album.page, album.decor, true);
    SelectRuleStyle(album.page, album.decor, RuleStyle::kFrame);
    QVERIFY(!album.modified);
    album.NextPage();
    const QStringList fields = SplitRecordFields(ReadAlbum(path).at(1));
    QCOMPARE(fields.at(1), QStringLiteral("1"));
    QCOMPARE(fields.at(2), QStringLiteral("1"));
    album.PreviousPage();
    QCOMPARE(VisibleRuns(album.decor), kAll);
  }
};

QTEST_GUILESS_MAIN(TstGuideRules)
#include "tst_guide_rules.moc"
