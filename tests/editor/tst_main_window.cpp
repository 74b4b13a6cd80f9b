#include <QtTest>

#include "editor/main_window.h"
#include "support/test_folder.h"

using namespace komasu;
using namespace komasu::test;

class TstMainWindow : public QObject {
  Q_OBJECT
 private slots:
  void Placeholder() { QVERIFY(true); }
};

QTEST_MAIN(TstMainWindow)
#include "tst_main_window.moc"
