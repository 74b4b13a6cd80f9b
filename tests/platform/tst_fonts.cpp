#include <QFontDatabase>
#include <QtTest>

#include "platform/fonts.h"
#include "platform/qt_prompter.h"
#include "support/dialog_driver.h"

using namespace komasu;
using komasu::test::DialogDriver;

class TstFonts : public QObject {
  Q_OBJECT
 private slots:
  void initTestCase() {
    InstallFontSubstitutions();
    QVERIFY2(!QFontDatabase::families().filter(QStringLiteral("IPA")).isEmpty(),
             "the IPA fonts (fonts-ipafont) are not installed");
  }

  // Each Windows face opens on an installed IPA family the chooser lists, and that family is
  // stored under the Windows name again; other families are stored as they are named.
  void MapsFacesBothWays_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("stored");
    QTest::newRow("P gothic") << "ＭＳ Ｐゴシック"
                              << "ＭＳ Ｐゴシック";
    QTest::newRow("half-width MS") << "MS Pゴシック"
                                   << "ＭＳ Ｐゴシック";
    QTest::newRow("gothic") << "ＭＳ ゴシック"
                            << "ＭＳ ゴシック";
    QTest::newRow("mincho") << "ＭＳ 明朝"
                            << "ＭＳ 明朝";
    QTest::newRow("P mincho") << "ＭＳ Ｐ明朝"
                              << "ＭＳ Ｐ明朝";
  }
  void MapsFacesBothWays() {
    QFETCH(QString, name);
    QFETCH(QString, stored);
    const QString family = DisplayFamilyFor(name);
    QVERIFY2(QFontDatabase::families().contains(family), qPrintable(family));
    QCOMPARE(StoredFaceName(family), stored);
  }

  void StoresFamiliesByTheirWindowsName_data() {
    QTest::addColumn<QString>("family");
    QTest::addColumn<QString>("stored");
    QTest::newRow("English name") << "IPAPGothic"
                                  << "ＭＳ Ｐゴシック";
    QTest::newRow("Japanese name") << "IPA P明朝"
                                   << "ＭＳ Ｐ明朝";
    QTest::newRow("fallback stands for two faces") << "IPAexGothic"
                                                   << "IPAexGothic";
    QTest::newRow("other family") << "DejaVu Sans"
                                  << "DejaVu Sans";
  }
  void StoresFamiliesByTheirWindowsName() {
    QFETCH(QString, family);
    QFETCH(QString, stored);
    QCOMPARE(StoredFaceName(family), stored);
  }

  // The Qt font chooser opens on the mapped face and the shown size; OK keeps what the user
  // left alone, even where the chooser cannot show it (Windows names, 9.75 points, bold).
  void ChooserRoundTrip_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<double>("size");
    QTest::addColumn<bool>("bold");
    QTest::addColumn<QString>("pick_face");  // a Windows face picked in the chooser
    QTest::addColumn<int>("pick_size");      // 0: none
    QTest::addColumn<QString>("name_after");
    QTest::addColumn<double>("size_after");
    QTest::newRow("unchanged") << "ＭＳ Ｐゴシック" << 9.75 << false << "" << 0 << "ＭＳ Ｐゴシック"
                               << 9.75;
    QTest::newRow("half-width name, bold, half point")
        << "MS 明朝" << 10.5 << true << "" << 0 << "MS 明朝" << 10.5;
    QTest::newRow("face not installed") << "Arial" << 11.0 << false << "" << 0 << "Arial" << 11.0;
    QTest::newRow("IPA face picked")
        << "ＭＳ 明朝" << 9.75 << false << "ＭＳ Ｐゴシック" << 0 << "ＭＳ Ｐゴシック" << 9.75;
    QTest::newRow("size picked") << "ＭＳ Ｐゴシック" << 9.75 << true << "" << 14
                                 << "ＭＳ Ｐゴシック" << 14.0;
  }
  void ChooserRoundTrip() {
    QFETCH(QString, name);
    QFETCH(double, size);
    QFETCH(bool, bold);
    QFETCH(QString, pick_face);
    QFETCH(int, pick_size);
    QFETCH(QString, name_after);
    QFETCH(double, size_after);
    FontChoice stored;
    stored.name = name;
    stored.size = size;
    stored.bold = bold;
    stored.color = 255;
    DialogDriver driver([&](QFontDialog& dialog) {
      QFont font = dialog.currentFont();
      if (!pick_face.isEmpty()) font.setFamily(DisplayFamilyFor(pick_face));
      if (pick_size > 0) font.setPointSize(pick_size);
      dialog.setCurrentFont(font);
    });
    QtPrompter prompter;
    const std::optional<FontChoice> chosen = prompter.ChooseFont(stored);
    QCOMPARE(driver.Accepted(), (QStringList{"フォント", "文字の色"}));
    QCOMPARE(driver.FontShown().family(), DisplayFamilyFor(name));
    QCOMPARE(driver.FontShown().pointSize(), qRound(size));
    QVERIFY(chosen);
    QCOMPARE(chosen->name, name_after);
    QCOMPARE(chosen->size, size_after);
    QCOMPARE(chosen->bold, bold);
    QCOMPARE(chosen->color, 255);
  }
};

QTEST_MAIN(TstFonts)
#include "tst_fonts.moc"
