#include <QDialogButtonBox>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTranslator>
#include <QtTest>

#include "platform/qt_japanese.h"

using namespace komasu;

class TstQtJapanese : public QObject {
  Q_OBJECT
 private slots:
  // Qt's standard buttons read Japanese once the translations are installed; a folder
  // without them changes nothing.
  void StandardButtonsInJapanese_data() {
    QTest::addColumn<bool>("installed");
    QTest::newRow("folder without translations") << false;
    QTest::newRow("Qt's translations folder") << true;
  }
  void StandardButtonsInJapanese() {
    QFETCH(bool, installed);
    QTemporaryDir empty;
    const QString folder = installed ? QtTranslationsFolder() : empty.path();
    if (installed && !QFile::exists(folder + QStringLiteral("/qtbase_ja.qm"))) {
      QSKIP("qtbase_ja.qm is not installed (qt6-translations-l10n)");
    }
    QTranslator* translator = InstallQtJapanese(folder);
    QCOMPARE(translator != nullptr, installed);
    QDialogButtonBox box(QDialogButtonBox::Cancel);
    QCOMPARE(box.button(QDialogButtonBox::Cancel)->text().remove(u'&'),
             installed ? QStringLiteral("キャンセル") : QStringLiteral("Cancel"));
    QCOMPARE(QLocale().language(), QLocale::Japanese);
    delete translator;
  }
};

QTEST_MAIN(TstQtJapanese)
#include "tst_qt_japanese.moc"
