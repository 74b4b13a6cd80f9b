#include <QScrollBar>
#include <QSignalSpy>
#include <QtTest>

#include "photos/thumbnail_model.h"
#include "photos/thumbnail_provider.h"
#include "photos/thumbnail_view.h"
#include "support/exif_fixture.h"
#include "support/test_folder.h"

using namespace komasu;
using namespace komasu::test;

class TstThumbnailView : public QObject {
  Q_OBJECT

 private slots:
  // Scrolled to the end, the view puts the items it shows at the front of the queue; a click
  // names the clicked photo once.
  void ShownItemsAreQueuedFirst() {
    QTemporaryDir dir;
    QImage image(64, 48, QImage::Format_RGB32);
    image.fill(Qt::gray);
    const QByteArray jpeg = EncodeJpeg(image);
    for (int i = 0; i < 80; ++i)
      WriteBytes(dir.filePath(QStringLiteral("p%1.jpg").arg(i, 2, 10, QLatin1Char('0'))), jpeg);

    ThumbnailView view;
    view.Provider().SetParallelReads(0);
    view.resize(400, 300);
    view.show();
    view.SetFolder(dir.path());
    QTRY_COMPARE(view.Provider().QueuedPaths().value(0), dir.filePath("p00.jpg"));
    QTRY_VERIFY(view.verticalScrollBar()->maximum() > 0);  // laid out
    view.verticalScrollBar()->setValue(view.verticalScrollBar()->maximum());
    const auto [first, last] = view.VisibleRows();
    QVERIFY(first > 40);
    QCOMPARE(last, 79);
    QTRY_COMPARE(view.Provider().QueuedPaths().value(0), view.Thumbnails().PathAt(first));
    QCOMPARE(view.Provider().QueuedPaths().value(last - first), view.Thumbnails().PathAt(last));

    QSignalSpy clicked(&view, &ThumbnailView::PhotoClicked);
    const QRect item = view.visualRect(view.Thumbnails().index(last));
    QTest::mouseClick(view.viewport(), Qt::LeftButton, {}, item.center());
    QCOMPARE(clicked.size(), 1);
    QCOMPARE(clicked.at(0).at(0).toString(), dir.filePath("p79.jpg"));
    QTest::mouseClick(view.viewport(), Qt::LeftButton, {}, item.center());
    QCOMPARE(clicked.size(), 2);
  }
};

QTEST_MAIN(TstThumbnailView)
#include "tst_thumbnail_view.moc"
