#include <QtTest>

#include "platform/cp932.h"

using namespace komasu;

class TstCp932 : public QObject {
  Q_OBJECT
 private slots:
  void EncodesToTheBytesOfWindowsFiles_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<QByteArray>("bytes");
    QTest::newRow("ascii") << "No.12" << QByteArray("No.12");
    QTest::newRow("separator zeta") << "ζ" << QByteArray::fromHex("83c4");
    QTest::newRow("roman two") << "ⅡA" << QByteArray::fromHex("875541");
    QTest::newRow("circled one") << "①" << QByteArray::fromHex("8740");
    QTest::newRow("fullwidth tilde") << "～" << QByteArray::fromHex("8160");
    QTest::newRow("kana and kanji") << "写真ｱ" << QByteArray::fromHex("8eca905eb1");
  }
  void EncodesToTheBytesOfWindowsFiles() {
    QFETCH(QString, text);
    QFETCH(QByteArray, bytes);
    bool ok = false;
    QCOMPARE(EncodeCp932(text, &ok), bytes);
    QVERIFY(ok);
    QCOMPARE(DecodeCp932(bytes), text);
  }

  // Characters with two codes decode to one character; only a byte copy keeps the code.
  void DecodesBothCodesOfDoubleCodedCharacters_data() {
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("text");
    QTest::newRow("nearly equal, NEC row 13") << QByteArray::fromHex("8790") << "≒";
    QTest::newRow("nearly equal, JIS") << QByteArray::fromHex("81e0") << "≒";
    QTest::newRow("kanji, NEC selected") << QByteArray::fromHex("ed40") << "纊";
    QTest::newRow("kanji, IBM extension") << QByteArray::fromHex("fa5c") << "纊";
  }
  void DecodesBothCodesOfDoubleCodedCharacters() {
    QFETCH(QByteArray, bytes);
    QFETCH(QString, text);
    QCOMPARE(DecodeCp932(bytes), text);
  }

  void EncodingReportsCharactersOutsideTheCodePage_data() {
    QTest::addColumn<QString>("text");
    QTest::newRow("accented") << "café";
    QTest::newRow("emoji") << "写真\U0001F600";
    QTest::newRow("wave dash U+301C") << "〜";
    QTest::newRow("lone high surrogate") << QString(QChar(0xD800));
    QTest::newRow("lone low surrogate") << QString(QChar(0xDC00)) + "a";
  }
  void EncodingReportsCharactersOutsideTheCodePage() {
    QFETCH(QString, text);
    bool ok = true;
    EncodeCp932(text, &ok);
    QVERIFY(!ok);
  }

  void UnstorableTextIsRefusedWithAMessage_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("allow_line_breaks");
    QTest::addColumn<QString>("message");
    const QString none;
    QTest::newRow("plain") << "運動会の写真" << false << none;
    QTest::newRow("cp932-only characters") << "Ⅱ①～" << false << none;
    QTest::newRow("empty") << "" << false << none;
    QTest::newRow("separator") << "αζβ" << false
                               << "「ζ」はアルバムの区切り文字のため使用できません。";
    QTest::newRow("double quote") << "a\"b" << false
                                  << "ダブルクォーテーション（\"）は使用できません。";
    QTest::newRow("accented") << "café" << false << "文字「é」は保存できないため使用できません。";
    QTest::newRow("emoji whole") << "A\U0001F600B" << false
                                 << "文字「\U0001F600」は保存できないため使用できません。";
    QTest::newRow("wave dash") << "1〜2" << false << "文字「〜」は保存できないため使用できません。";
    QTest::newRow("lone surrogate")
        << QString(QChar(0xD83D)) + "x" << true
        << QString("文字「%1」は保存できないため使用できません。").arg(QChar(0xD83D));
    QTest::newRow("line break refused") << "a\r\nb" << false << "改行は使用できません。";
    QTest::newRow("line break allowed") << "a\r\nb" << true << none;
    QTest::newRow("first fault named")
        << "é\"ζ" << true << "文字「é」は保存できないため使用できません。";
  }
  void UnstorableTextIsRefusedWithAMessage() {
    QFETCH(QString, text);
    QFETCH(bool, allow_line_breaks);
    QFETCH(QString, message);
    QCOMPARE(UnstorableTextMessage(text, allow_line_breaks), message);
  }
};

QTEST_APPLESS_MAIN(TstCp932)
#include "tst_cp932.moc"
