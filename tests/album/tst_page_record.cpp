#include <QtTest>

#include "album/page_record.h"

using namespace komasu;

class TstPageRecord : public QObject {
  Q_OBJECT
 private slots:
  void EmptyPageHas839Fields() {
    PageContent page;
    QCOMPARE(SplitRecordFields(SerializePage(page)).size(), kRecordFields);
  }
};

QTEST_APPLESS_MAIN(TstPageRecord)
#include "tst_page_record.moc"
