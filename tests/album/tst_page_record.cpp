#include <QtTest>

#include "album/page_record.h"
#include "platform/cp932.h"
#include "support/test_folder.h"

using namespace komasu;
using komasu::test::JoinFields;

namespace {

TextStyle Style(int i, const QString& font, double size, bool bold, int32_t color) {
  TextStyle s{.font_name = font,
              .size = size,
              .italic = i % 3 == 0,
              .underline = i % 4 == 0,
              .strikethrough = i % 5 == 0,
              .charset = int16_t(i == 7 ? 0 : 128),
              .color = color};
  s.SetBold(bold);
  return s;
}

// A page in which every stored attribute differs from its cleared value.
PageContent FullPage() {
  PageContent page;
  page.rule_style = RuleStyle::kFrame;
  page.guide_lines = 1;
  for (int i = 1; i <= kPhotoElements; ++i) {
    page.Photo(i) = {7100.5f + i, 1150, 3100, 2325, QString(), false};
    if (i <= kPhotoSlots) page.Photo(i).path = QString("D:\\写真\\AL0%1.jpg").arg(i);
  }
  for (int i = 0; i < kSlotTextLines; ++i) {
    page.lines[i] = {"説明" + QString::number(i) + "①Ⅱ",
                     Style(i, i % 2 ? "ＭＳ 明朝" : "ＭＳ Ｐゴシック", 9.75 + i, i % 2 == 0,
                           i == 5 ? 255 : kWindowTextColor)};
  }
  for (int i = 1; i <= kStoredFreeLabels; ++i) {
    const TextStyle style = Style(i, "ＭＳ ゴシック", 8.25 + i, i % 2 == 1, 65280 + i);
    page.Label(i) = {6480 + 10.25f * i, 1080.0f + 100 * i, 500.0f + i, 165, "ラベル", style};
    page.Label(i).text += QString::number(i);
  }
  for (int i = 0; i < kCalloutLines; ++i) {
    CalloutLine& c = page.callouts[i];
    c.line = {7000.0f + i, 3000.5f, 8000.0f - i, -20.25f, i % 2 == 0};
    c.arrow_a = {7000.0f + i, 3000.5f, 7100, 3050, true};
    c.arrow_b = {7000.0f + i, 3000.5f, 7100, 2950, i == 3};
  }
  return page;
}

// What a page reads back as: photo geometry is placed by the layout and not read, lines 0 and
// 1 of each slot (0, 1, 9, 10, 18, 19) get 8 and 6 points.
PageContent AsReadBack(PageContent page) {
  for (PhotoElement& p : page.photos) p = PhotoElement();
  for (int i : {0, 9, 18}) {
    page.lines[i].style.size = 8;
    page.lines[i + 1].style.size = 6;
  }
  return page;
}

QStringList Fields(const PageContent& page) { return SplitRecordFields(SerializePage(page)); }

PageContent Decode(const QString& record, DecodedRecord* decoded = nullptr) {
  PageContent read;
  const DecodedRecord d = DecodePageRecord(record, read);
  if (decoded) *decoded = d;
  return read;
}

// The first element in which two pages differ; empty when they agree.
QString FirstDifference(const PageContent& a, const PageContent& b) {
  if (a.rule_style != b.rule_style || a.guide_lines != b.guide_lines) return "page switches";
  for (int i = 0; i < kSlotTextLines; ++i)
    if (!(a.lines[i] == b.lines[i])) return QString("line %1").arg(i);
  for (int i = 1; i <= kFreeLabels; ++i)
    if (!(a.Label(i) == b.Label(i))) return QString("label %1").arg(i);
  for (int i = 0; i < kCalloutLines; ++i)
    if (!(a.callouts[i] == b.callouts[i])) return QString("callout %1").arg(i);
  return a == b ? QString() : QString("photos");
}

}  // namespace

class TstPageRecord : public QObject {
  Q_OBJECT
 private slots:
  // Each section at its fixed fields (`first` is the field number of texts[0]); every record
  // is framed by separators.
  void WritesEachFieldInItsPlace_data() {
    QTest::addColumn<bool>("full");
    QTest::addColumn<int>("first");
    QTest::addColumn<QStringList>("texts");
    QTest::newRow("empty page, switches and photo 1")
        << false << 1
        << QStringList{"1", "0", "0", "3.50", "<pic>", "6840", "360", "375", "375", ""};
    QTest::newRow("empty page, last field") << false << 839 << QStringList{"False"};
    QTest::newRow("switches and photo 1")
        << true << 1 << QStringList{"1",      "1",    "1",    "3.50", "<pic>",
                                    "7101.5", "1150", "3100", "2325", "D:\\写真\\AL01.jpg"};
    QTest::newRow("line 0") << true << 56
                            << QStringList{"<text>",          "説明0①Ⅱ", "True", "128",  "True",
                                           "ＭＳ Ｐゴシック", "9.75",    "True", "True", "700",
                                           "-2147483640"};
    QTest::newRow("line 5 colour") << true << 116 << QStringList{"255"};
    QTest::newRow("label 1") << true << 327
                             << QStringList{"<label>", "6490.25", "1180",          "501",
                                            "165",     "ラベル1", "ＭＳ ゴシック", "True",
                                            "128",     "False",   "ＭＳ ゴシック", "9.25",
                                            "False",   "False",   "700",           "65281"};
    QTest::newRow("callout line 0")
        << true << 613 << QStringList{"<line>", "7000", "8000", "3000.5", "-20.25", "True"};
    QTest::newRow("arrow heads 0")
        << true << 689 << QStringList{"<yj>", "7000", "7100",   "3000.5", "3050", "True",
                                      "7000", "7100", "3000.5", "2950",   "False"};
    QTest::newRow("last field") << true << 839 << QStringList{"False"};
  }
  void WritesEachFieldInItsPlace() {
    QFETCH(bool, full);
    QFETCH(int, first);
    QFETCH(QStringList, texts);
    const QString record = SerializePage(full ? FullPage() : PageContent());
    QVERIFY(record.startsWith(kSeparator) && record.endsWith(kSeparator));
    const QStringList fields = SplitRecordFields(record);
    QCOMPARE(fields.size(), kRecordFields);
    QCOMPARE(fields.mid(first - 1, texts.size()), texts);
  }

  // Every stored attribute survives; written again, the record is the first one with the
  // fixed sizes of the first two lines of each slot.
  void ReadsBackEveryStoredAttribute() {
    const PageContent original = FullPage();
    DecodedRecord d;
    const PageContent read = Decode(SerializePage(original), &d);
    QVERIFY(d.version_ok);
    QVERIFY(!d.legacy);
    QCOMPARE(d.slot_paths[0], original.Photo(1).path);
    QCOMPARE(d.slot_paths[2], original.Photo(3).path);
    QCOMPARE(FirstDifference(read, AsReadBack(original)), QString());
    QCOMPARE(SerializePage(read), SerializePage(AsReadBack(original)));
  }

  // The weight is applied after the bold field, so it decides boldness.
  void WeightDecidesBoldness_data() {
    QTest::addColumn<QString>("bold");
    QTest::addColumn<int>("weight");
    QTest::addColumn<bool>("shows_bold");
    QTest::newRow("weight 700, bold False") << "False" << 700 << true;
    QTest::newRow("weight 400, bold True") << "True" << 400 << false;
  }
  void WeightDecidesBoldness() {
    QFETCH(QString, bold);
    QFETCH(int, weight);
    QFETCH(bool, shows_bold);
    QStringList f = Fields(PageContent());
    f[334 - 1] = f[58 - 1] = bold;  // label 1, line 0
    f[341 - 1] = f[65 - 1] = QString::number(weight);
    const PageContent read = Decode(JoinFields(f));
    QCOMPARE(read.Label(1).style.bold, shows_bold);
    QCOMPARE(read.Label(1).style.weight, weight);
    QCOMPARE(read.lines[0].style.bold, shows_bold);
  }

  // Fields that do not convert: numbers read their leading number, strict conversions
  // (callout coordinates, colours) leave the attribute as it was.
  void ConvertsFieldsLeniently_data() {
    QTest::addColumn<int>("field");
    QTest::addColumn<QString>("text");
    QTest::addColumn<double>("value");
    QTest::newRow("label left leading number") << 328 << "12.5abc" << 12.5;
    QTest::newRow("label top word gives 0") << 329 << "abc" << 0.0;
    QTest::newRow("label left beyond single keeps") << 328 << "1E+39" << 4680.0;
    QTest::newRow("callout X1 bad keeps") << 614 << "12x" << 0.0;
    QTest::newRow("callout Y2 number") << 617 << "-1.5" << -1.5;
    QTest::newRow("colour bad keeps") << 66 << "red" << -2147483640.0;
    QTest::newRow("size leading number") << 82 << "10.5pt" << 10.5;
    QTest::newRow("size zero keeps") << 82 << "0" << 8.25;
    QTest::newRow("charset leading number") << 79 << "0x" << 0.0;
  }
  void ConvertsFieldsLeniently() {
    QFETCH(int, field);
    QFETCH(QString, text);
    QFETCH(double, value);
    QStringList f = Fields(PageContent());
    f[field - 1] = text;
    const PageContent read = Decode(JoinFields(f));
    const std::map<int, double> attribute_of_field = {
        {328, read.Label(1).left},         {329, read.Label(1).top},
        {614, read.callouts[0].line.x1},   {617, read.callouts[0].line.y2},
        {66, read.lines[0].style.color},   {82, read.lines[2].style.size},
        {79, read.lines[2].style.charset},
    };
    QCOMPARE(attribute_of_field.at(field), value);
  }

  // A record of the layout before callout lines: no version, no tags. The next write-back is
  // in the current layout.
  void ReadsLegacyRecords() {
    const QString legacy = test::ToLegacyRecord(SerializePage(FullPage()));
    QCOMPARE(SplitRecordFields(legacy).size(), 3 + 50 + 270 + 285);
    DecodedRecord d;
    const PageContent read = Decode(legacy, &d);
    QVERIFY(d.legacy);
    QVERIFY(d.version_ok);
    QCOMPARE(d.slot_paths[1], FullPage().Photo(2).path);
    PageContent expected = AsReadBack(FullPage());
    expected.callouts = PageContent().callouts;
    QCOMPARE(FirstDifference(read, expected), QString());
    const QStringList rewritten = Fields(read);
    QCOMPARE(rewritten.size(), kRecordFields);
    QCOMPARE(rewritten.at(3), QString("3.50"));
    QCOMPARE(rewritten.at(56), expected.lines[0].text);
  }

  // The writer puts the tags in fixed fields; a text that equals a tag is just a text.
  void TextsEqualToATagMoveNoSection_data() {
    QTest::addColumn<bool>("in_label");
    QTest::addColumn<int>("index");
    QTest::addColumn<QString>("tag");
    QTest::newRow("slot line <label>") << false << 0 << "<label>";
    QTest::newRow("slot line <pic>") << false << 26 << "<pic>";
    QTest::newRow("label <label>") << true << 1 << "<label>";
    QTest::newRow("label <text>") << true << 2 << "<text>";
    QTest::newRow("label <pic>") << true << 19 << "<pic>";
    QTest::newRow("label <yj>") << true << 5 << "<yj>";
  }
  void TextsEqualToATagMoveNoSection() {
    QFETCH(bool, in_label);
    QFETCH(int, index);
    QFETCH(QString, tag);
    PageContent page = FullPage();
    (in_label ? page.Label(index).text : page.lines[index].text) = tag;
    DecodedRecord d;
    QCOMPARE(FirstDifference(Decode(SerializePage(page), &d), AsReadBack(page)), QString());
    QVERIFY(d.version_ok);
  }

  // Records whose tags are not in the fixed fields (a stray separator in a text of an old
  // file) find their sections by the last occurrence of each tag, so later sections read
  // right.
  void StraySeparatorShiftsOnlyItsOwnText() {
    QStringList f = Fields(FullPage());
    f.insert(57, "後半");  // line 0 text "説明0①Ⅱ" followed by a stray field
    const PageContent read = Decode(JoinFields(f));
    const PageContent expected = AsReadBack(FullPage());
    QCOMPARE(read.Label(1), expected.Label(1));
    QCOMPARE(read.callouts[14], expected.callouts[14]);
  }

  // A record of another version reads only the switches before its version field; short and
  // empty records read as empty fields.
  void RecordsThatHoldNoPage_data() {
    QTest::addColumn<QString>("record");
    QTest::addColumn<bool>("version_ok");
    QStringList f = Fields(FullPage());
    for (const QString version : {"3.40", "", "3.50 "}) {
      f[3] = version;
      QTest::addRow("version \"%s\"", qPrintable(version)) << JoinFields(f) << false;
    }
    QTest::newRow("empty") << "" << true;
    QTest::newRow("no separator") << "abc" << true;
    QTest::newRow("header only fields") << "ζ1ζ0ζ" << true;
    QTest::newRow("cut after pic") << "ζ1ζ0ζ0ζ3.50ζ<pic>ζ" << true;
    QTest::newRow("unterminated last field") << "ζ1ζ0ζ0ζ3.50ζ<pic>ζ1ζ2ζ3ζ4ζD:\\a.jpg" << true;
  }
  void RecordsThatHoldNoPage() {
    QFETCH(QString, record);
    QFETCH(bool, version_ok);
    DecodedRecord d;
    PageContent read = Decode(record, &d);
    QCOMPARE(d.version_ok, version_ok);
    for (const QString& p : d.slot_paths) QCOMPARE(p, QString());
    for (const SlotTextLine& l : read.lines) QCOMPARE(l.text, QString());
    for (const FreeLabel& l : read.labels) QCOMPARE(l.text, QString());
    if (version_ok) return;
    read.rule_style = RuleStyle::kUnderline;  // the switches come before the version field
    read.guide_lines = 0;
    QCOMPARE(FirstDifference(read, PageContent()), QString());
  }
};

QTEST_APPLESS_MAIN(TstPageRecord)
#include "tst_page_record.moc"
