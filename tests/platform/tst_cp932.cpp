#include <QtTest>

#include "platform/cp932.h"

using namespace komasu;

class TstCp932 : public QObject {
  Q_OBJECT
 private slots:
  // `other` is a second code of the same character: it decodes alike, but only a byte copy
  // keeps it.
  void EncodesToTheBytesOfWindowsFiles_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QByteArray>("other");
    QTest::newRow("ascii") << "No.12" << QByteArray("No.12") << QByteArray();
    QTest::newRow("separator zeta") << "ζ" << QByteArray::fromHex("83c4") << QByteArray();
    QTest::newRow("roman two") << "ⅡA" << QByteArray::fromHex("875541") << QByteArray();
    QTest::newRow("circled one") << "①" << QByteArray::fromHex("8740") << QByteArray();
    QTest::newRow("fullwidth tilde") << "～" << QByteArray::fromHex("8160") << QByteArray();
    QTest::newRow("kana and kanji") << "写真ｱ" << QByteArray::fromHex("8eca905eb1") << QByteArray();
    QTest::newRow("nearly equal") << "≒" << QByteArray::fromHex("81e0")
                                  << QByteArray::fromHex("8790");
    QTest::newRow("kanji with NEC code")
        << "纊" << QByteArray::fromHex("fa5c") << QByteArray::fromHex("ed40");
    QTest::newRow("typed forms of ～－∥―￠￡￢")
        << "〜−‖—¢£¬" << QByteArray::fromHex("8160817c8161815c8191819281ca") << QByteArray();
  }
  void EncodesToTheBytesOfWindowsFiles() {
    QFETCH(QString, text);
    QFETCH(QByteArray, bytes);
    QFETCH(QByteArray, other);
    bool ok = false;
    QCOMPARE(EncodeCp932(text, &ok), bytes);
    QVERIFY(ok);
    QCOMPARE(DecodeCp932(bytes), WithWindowsForms(text));
    if (!other.isEmpty()) QCOMPARE(DecodeCp932(other), text);
  }

  // A path must name the same file when read back; what the album cannot store is named.
  void UnstorablePathCharacterIsNamed_data() {
    QTest::addColumn<QString>("path");
    QTest::addColumn<QString>("character");
    QTest::newRow("storable") << "/home/u/写真～Ⅱ①/a b.jpg" << QString();
    QTest::newRow("double quote") << "/home/u/\"x\".jpg" << QStringLiteral("\"");
    QTest::newRow("separator") << "/mnt/ζ/a.jpg" << QStringLiteral("ζ");
    QTest::newRow("typed wave dash") << "/home/u/5〜10/a.jpg" << QStringLiteral("〜");
    QTest::newRow("line break") << "/a\nb.jpg" << QStringLiteral("改行");
    QTest::newRow("unreadable mark") << "/a\x1A.jpg" << QStringLiteral("\x1A");
  }
  void UnstorablePathCharacterIsNamed() {
    QFETCH(QString, path);
    QFETCH(QString, character);
    QCOMPARE(UnstorablePathCharacter(path), character);
  }

  // The message names the first character that cannot be stored; characters outside the code
  // page also fail the encoder.
  void UnstorableTextIsRefusedWithAMessage_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("allow_line_breaks");
    QTest::addColumn<QString>("message");
    const QString none;
    const QString lost = "文字「%1」は保存できないため使用できません。";
    QTest::newRow("plain") << "運動会の写真" << false << none;
    QTest::newRow("cp932-only characters") << "Ⅱ①～" << false << none;
    QTest::newRow("empty") << "" << false << none;
    QTest::newRow("separator") << "αζβ" << false
                               << "「ζ」はアルバムの区切り文字のため使用できません。";
    QTest::newRow("double quote") << "a\"b" << false
                                  << "ダブルクォーテーション（\"）は使用できません。";
    QTest::newRow("accented") << "café" << false << lost.arg("é");
    QTest::newRow("emoji whole") << "A\U0001F600B" << false << lost.arg("\U0001F600");
    QTest::newRow("typed forms") << "5〜10℃ −‖—¢£¬" << false << none;
    QTest::newRow("lone high surrogate")
        << QString(QChar(0xD83D)) + "x" << true << lost.arg(QChar(0xD83D));
    QTest::newRow("lone low surrogate")
        << QString(QChar(0xDC00)) + "a" << true << lost.arg(QChar(0xDC00));
    QTest::newRow("line break refused") << "a\r\nb" << false << "改行は使用できません。";
    QTest::newRow("line break allowed") << "a\r\nb" << true << none;
    QTest::newRow("byte CP932 cannot read")
        << "a\x1A" << true
        << "読み取れなかった文字（ファイルの壊れた部分）は保存できません。その文字を消すか、入力し"
           "直してください。";
    QTest::newRow("first fault named") << "é\"ζ" << true << lost.arg("é");
  }
  void UnstorableTextIsRefusedWithAMessage() {
    QFETCH(QString, text);
    QFETCH(bool, allow_line_breaks);
    QFETCH(QString, message);
    QCOMPARE(UnstorableTextMessage(text, allow_line_breaks), message);
    bool ok = true;
    EncodeCp932(text, &ok);
    QCOMPARE(ok, !message.contains("保存できない"));
  }
};

QTEST_APPLESS_MAIN(TstCp932)
#include "tst_cp932.moc"
