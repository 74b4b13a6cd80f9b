#include <QtTest>

#include "album/page_record.h"
#include "platform/cp932.h"

using namespace komasu;

namespace {

// A page in which every stored attribute differs from its cleared value.
PageContent FullPage() {
  PageContent page;
  page.rule_style = RuleStyle::kFrame;
  page.guide_lines = 1;
  for (int i = 1; i <= kPhotoElements; ++i) {
    PhotoElement& p = page.Photo(i);
    p.left = 7100.5f + i;
    p.top = 1150;
    p.width = 3100;
    p.height = 2325;
    if (i <= kPhotoSlots) p.path = QString("D:\\写真\\AL0%1.jpg").arg(i);
  }
  for (int i = 0; i < kSlotTextLines; ++i) {
    SlotTextLine& l = page.lines[i];
    l.text = "説明" + QString::number(i) + "①Ⅱ";
    l.style.font_name = i % 2 ? "ＭＳ 明朝" : "ＭＳ Ｐゴシック";
    l.style.size = 9.75 + i;
    l.style.italic = i % 3 == 0;
    l.style.underline = i % 4 == 0;
    l.style.strikethrough = i % 5 == 0;
    l.style.SetBold(i % 2 == 0);
    l.style.charset = static_cast<int16_t>(i == 7 ? 0 : 128);
    l.style.color = i == 5 ? 255 : kWindowTextColor;
  }
  for (int i = 1; i <= kStoredFreeLabels; ++i) {
    FreeLabel& l = page.Label(i);
    l.left = 6480 + 10.25f * i;
    l.top = 1080 + 100 * i;
    l.width = 500 + i;
    l.height = 165;
    l.text = QString("ラベル%1").arg(i);
    l.style.font_name = "ＭＳ ゴシック";
    l.style.size = 8.25 + i;
    l.style.SetBold(i % 2 == 1);
    l.style.italic = i % 3 == 0;
    l.style.underline = i % 4 == 0;
    l.style.strikethrough = i % 5 == 0;
    l.style.color = 65280 + i;
  }
  for (int i = 0; i < kCalloutLines; ++i) {
    CalloutLine& c = page.callouts[i];
    c.line = {7000.0f + i, 3000.5f, 8000.0f - i, -20.25f, i % 2 == 0};
    c.arrow_a = {7000.0f + i, 3000.5f, 7100, 3050, true};
    c.arrow_b = {7000.0f + i, 3000.5f, 7100, 2950, i == 3};
  }
  return page;
}

// What a page reads back as: photo geometry is placed by the layout and not read, the first
// two lines of each slot get their fixed sizes, labels 20.. are not stored.
PageContent AsReadBack(PageContent page) {
  for (PhotoElement& p : page.photos) p = PhotoElement();
  for (int s = 0; s < kPhotoSlots; ++s) {
    page.Line(s, 0).style.size = 8;
    page.Line(s, 1).style.size = 6;
  }
  return page;
}

QStringList Fields(const PageContent& page) { return SplitRecordFields(SerializePage(page)); }

QString Join(const QStringList& fields) {
  const QString z(kSeparator);
  return z + fields.join(z) + z;
}

}  // namespace

class TstPageRecord : public QObject {
  Q_OBJECT
 private slots:
  void WritesEachFieldInItsPlace_data() {
    QTest::addColumn<int>("field");
    QTest::addColumn<QString>("text");
    QTest::newRow("1 constant") << 1 << "1";
    QTest::newRow("2 frame rules") << 2 << "1";
    QTest::newRow("3 guide lines") << 3 << "1";
    QTest::newRow("4 version") << 4 << "3.50";
    QTest::newRow("5 pic") << 5 << "<pic>";
    QTest::newRow("6 photo 1 left") << 6 << "7101.5";
    QTest::newRow("10 photo 1 path") << 10 << "D:\\写真\\AL01.jpg";
    QTest::newRow("56 text") << 56 << "<text>";
    QTest::newRow("57 line 0 text") << 57 << "説明0①Ⅱ";
    QTest::newRow("58 line 0 bold") << 58 << "True";
    QTest::newRow("59 line 0 charset") << 59 << "128";
    QTest::newRow("61 line 0 font") << 61 << "ＭＳ Ｐゴシック";
    QTest::newRow("62 line 0 size") << 62 << "9.75";
    QTest::newRow("65 line 0 weight") << 65 << "700";
    QTest::newRow("66 line 0 colour") << 66 << "-2147483640";
    QTest::newRow("107 line 5 colour") << 57 + 50 + 9 << "255";
    QTest::newRow("327 label") << 327 << "<label>";
    QTest::newRow("328 label 1 left") << 328 << "6490.25";
    QTest::newRow("332 label 1 text") << 332 << "ラベル1";
    QTest::newRow("337 label 1 font again") << 337 << "ＭＳ ゴシック";
    QTest::newRow("338 label 1 size") << 338 << "9.25";
    QTest::newRow("341 label 1 weight") << 341 << "700";
    QTest::newRow("342 label 1 colour") << 342 << "65281";
    QTest::newRow("613 line") << 613 << "<line>";
    QTest::newRow("614 line 0 X1") << 614 << "7000";
    QTest::newRow("616 line 0 Y1") << 616 << "3000.5";
    QTest::newRow("617 line 0 Y2") << 617 << "-20.25";
    QTest::newRow("618 line 0 visible") << 618 << "True";
    QTest::newRow("689 yj") << 689 << "<yj>";
    QTest::newRow("695 yjm 0 X1") << 695 << "7000";
    QTest::newRow("839 last yjm visible") << 839 << "False";
  }
  void WritesEachFieldInItsPlace() {
    QFETCH(int, field);
    QFETCH(QString, text);
    const QStringList fields = Fields(FullPage());
    QCOMPARE(fields.size(), kRecordFields);
    QCOMPARE(fields.at(field - 1), text);
  }

  void RecordIsFramedBySeparators() {
    const QString record = SerializePage(PageContent());
    QVERIFY(record.startsWith(u"ζ1ζ0ζ0ζ3.50ζ<pic>ζ6840ζ360ζ375ζ375ζζ"));
    QVERIFY(record.endsWith(u"ζFalseζ"));
  }

  void ReadsBackEveryStoredAttribute() {
    const PageContent original = FullPage();
    PageContent read;
    const DecodedRecord d = DecodePageRecord(SerializePage(original), read);
    QVERIFY(d.version_ok);
    QVERIFY(!d.legacy);
    QCOMPARE(d.slot_paths[0], original.Photo(1).path);
    QCOMPARE(d.slot_paths[2], original.Photo(3).path);
    PageContent expected = AsReadBack(original);
    for (int i = 1; i <= kStoredFreeLabels; ++i) read.Label(i).visible = false;
    QCOMPARE(read.rule_style, expected.rule_style);
    QCOMPARE(read.guide_lines, expected.guide_lines);
    for (int i = 0; i < kSlotTextLines; ++i) QCOMPARE(read.lines[i], expected.lines[i]);
    for (int i = 1; i <= kStoredFreeLabels; ++i) QCOMPARE(read.Label(i), expected.Label(i));
    for (int i = 0; i < kCalloutLines; ++i) QCOMPARE(read.callouts[i], expected.callouts[i]);
    // Written again, the record is the first one with the fixed sizes.
    QCOMPARE(SerializePage(read), SerializePage(expected));
  }

  void FirstTwoLinesOfEachSlotGetFixedSizes_data() {
    QTest::addColumn<int>("line");
    QTest::addColumn<double>("size");
    QTest::newRow("0") << 0 << 8.0;
    QTest::newRow("1") << 1 << 6.0;
    QTest::newRow("2 keeps") << 2 << 13.5;
    QTest::newRow("9") << 9 << 8.0;
    QTest::newRow("10") << 10 << 6.0;
    QTest::newRow("11 keeps") << 11 << 13.5;
    QTest::newRow("18") << 18 << 8.0;
    QTest::newRow("19") << 19 << 6.0;
    QTest::newRow("26 keeps") << 26 << 13.5;
  }
  void FirstTwoLinesOfEachSlotGetFixedSizes() {
    QFETCH(int, line);
    QFETCH(double, size);
    PageContent page;
    for (SlotTextLine& l : page.lines) l.style.size = 13.5;
    PageContent read;
    DecodePageRecord(SerializePage(page), read);
    QCOMPARE(read.lines[line].style.size, size);
  }

  // The weight is applied after the bold field, so it decides boldness.
  void WeightDecidesBoldness_data() {
    QTest::addColumn<QString>("bold");
    QTest::addColumn<QString>("weight");
    QTest::addColumn<bool>("shows_bold");
    QTest::newRow("weight 700, bold False") << "False"
                                            << "700" << true;
    QTest::newRow("weight 400, bold True") << "True"
                                           << "400" << false;
    QTest::newRow("weight 700, bold True") << "True"
                                           << "700" << true;
    QTest::newRow("weight 400, bold False") << "False"
                                            << "400" << false;
  }
  void WeightDecidesBoldness() {
    QFETCH(QString, bold);
    QFETCH(QString, weight);
    QFETCH(bool, shows_bold);
    QStringList f = Fields(PageContent());
    f[334 - 1] = bold;  // label 1
    f[341 - 1] = weight;
    f[58 - 1] = bold;  // line 0
    f[65 - 1] = weight;
    PageContent read;
    DecodePageRecord(Join(f), read);
    QCOMPARE(read.Label(1).style.bold, shows_bold);
    QCOMPARE(read.Label(1).style.weight, int16_t(weight.toInt()));
    QCOMPARE(read.lines[0].style.bold, shows_bold);
  }

  // Fields that do not convert: numbers read their leading number, strict conversions
  // (callout coordinates, colours) leave the attribute as it was.
  void ConvertsFieldsLeniently_data() {
    QTest::addColumn<int>("field");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("attribute");
    QTest::addColumn<double>("value");
    QTest::newRow("label left leading number") << 328 << "12.5abc"
                                               << "label left" << 12.5;
    QTest::newRow("label left empty") << 328 << ""
                                      << "label left" << 0.0;
    QTest::newRow("label top word") << 329 << "abc"
                                    << "label top" << 0.0;
    QTest::newRow("label left beyond single keeps") << 328 << "1E+39"
                                                    << "label left" << 4680.0;
    QTest::newRow("callout X1 bad keeps") << 614 << "12x"
                                          << "callout x1" << 0.0;
    QTest::newRow("callout Y2 number") << 617 << "-1.5"
                                       << "callout y2" << -1.5;
    QTest::newRow("colour bad keeps") << 66 << "red"
                                      << "line 0 colour" << -2147483640.0;
    QTest::newRow("colour number") << 66 << "255"
                                   << "line 0 colour" << 255.0;
    QTest::newRow("size leading number") << 82 << "10.5pt"
                                         << "line 2 size" << 10.5;
    QTest::newRow("size zero keeps") << 82 << "0"
                                     << "line 2 size" << 8.25;
    QTest::newRow("charset leading number") << 79 << "0x"
                                            << "line 2 charset" << 0.0;
  }
  void ConvertsFieldsLeniently() {
    QFETCH(int, field);
    QFETCH(QString, text);
    QFETCH(QString, attribute);
    QFETCH(double, value);
    QStringList f = Fields(PageContent());
    f[field - 1] = text;
    PageContent read;
    DecodePageRecord(Join(f), read);
    const std::map<QString, double> got = {
        {"label left", read.Label(1).left},
        {"label top", read.Label(1).top},
        {"callout x1", read.callouts[0].line.x1},
        {"callout y2", read.callouts[0].line.y2},
        {"line 0 colour", read.lines[0].style.color},
        {"line 2 size", read.lines[2].style.size},
        {"line 2 charset", read.lines[2].style.charset},
    };
    QCOMPARE(got.at(attribute), value);
  }

  // A record of the layout before callout lines: no version, no tags.
  void ReadsLegacyRecords() {
    const QStringList current = Fields(FullPage());
    QStringList legacy = current.mid(0, 3);  // fields 1..3
    legacy += current.mid(5, 50);            // photos from field 4
    legacy += current.mid(56, 270);          // text lines from field 54
    legacy += current.mid(327, 285);         // labels from field 324
    QCOMPARE(legacy.size(), 3 + 50 + 270 + 285);
    PageContent read;
    const DecodedRecord d = DecodePageRecord(Join(legacy), read);
    QVERIFY(d.legacy);
    QVERIFY(d.version_ok);
    const PageContent expected = AsReadBack(FullPage());
    QCOMPARE(d.slot_paths[1], FullPage().Photo(2).path);
    QCOMPARE(read.rule_style, RuleStyle::kFrame);
    QCOMPARE(read.guide_lines, 1);
    for (int i = 0; i < kSlotTextLines; ++i) QCOMPARE(read.lines[i], expected.lines[i]);
    for (int i = 1; i <= kStoredFreeLabels; ++i) {
      read.Label(i).visible = expected.Label(i).visible;
      QCOMPARE(read.Label(i), expected.Label(i));
    }
    for (const CalloutLine& c : read.callouts) QCOMPARE(c, CalloutLine());
    // The next write-back is in the current layout.
    const QStringList rewritten = Fields(read);
    QCOMPARE(rewritten.size(), kRecordFields);
    QCOMPARE(rewritten.at(3), QString("3.50"));
    QCOMPARE(rewritten.at(56), expected.lines[0].text);
  }

  void OtherVersionReadsNothing_data() {
    QTest::addColumn<QString>("version");
    QTest::newRow("older") << "3.40";
    QTest::newRow("empty") << "";
    QTest::newRow("blank padded") << "3.50 ";
  }
  void OtherVersionReadsNothing() {
    QFETCH(QString, version);
    QStringList f = Fields(FullPage());
    f[3] = version;
    PageContent read;
    const DecodedRecord d = DecodePageRecord(Join(f), read);
    QVERIFY(!d.version_ok);
    QCOMPARE(d.slot_paths[0], QString());
    QCOMPARE(read.lines[0].text, QString());
    QCOMPARE(read.Label(1).text, QString());
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
    PageContent read;
    const DecodedRecord d = DecodePageRecord(SerializePage(page), read);
    QVERIFY(d.version_ok);
    const PageContent expected = AsReadBack(page);
    for (int i = 0; i < kSlotTextLines; ++i) QCOMPARE(read.lines[i], expected.lines[i]);
    for (int i = 1; i <= kStoredFreeLabels; ++i) QCOMPARE(read.Label(i), expected.Label(i));
    for (int i = 0; i < kCalloutLines; ++i) QCOMPARE(read.callouts[i], expected.callouts[i]);
  }

  // Records whose tags are not in the fixed fields (a stray separator in a text of an old
  // file) find their sections by the last occurrence of each tag, so later sections read
  // right.
  void StraySeparatorShiftsOnlyItsOwnText() {
    QStringList f = Fields(FullPage());
    f.insert(57, "後半");  // line 0 text "説明0①Ⅱ" followed by a stray field
    PageContent read;
    DecodePageRecord(Join(f), read);
    const PageContent expected = AsReadBack(FullPage());
    QCOMPARE(read.Label(1), expected.Label(1));
    QCOMPARE(read.callouts[14], expected.callouts[14]);
  }

  void ShortAndEmptyRecordsReadAsEmptyFields_data() {
    QTest::addColumn<QString>("record");
    QTest::newRow("empty") << "";
    QTest::newRow("no separator") << "abc";
    QTest::newRow("header only fields") << "ζ1ζ0ζ";
    QTest::newRow("cut after pic") << "ζ1ζ0ζ0ζ3.50ζ<pic>ζ";
    QTest::newRow("unterminated last field") << "ζ1ζ0ζ0ζ3.50ζ<pic>ζ1ζ2ζ3ζ4ζD:\\a.jpg";
  }
  void ShortAndEmptyRecordsReadAsEmptyFields() {
    QFETCH(QString, record);
    PageContent read;
    const DecodedRecord d = DecodePageRecord(record, read);
    QVERIFY(d.version_ok);
    for (const QString& p : d.slot_paths) QCOMPARE(p, QString());
    for (const SlotTextLine& l : read.lines) QCOMPARE(l.text, QString());
  }
};

QTEST_APPLESS_MAIN(TstPageRecord)
#include "tst_page_record.moc"
