// Linked with every object of komasu_core and nothing of Qt Widgets or Qt PrintSupport: the
// link fails as soon as any core code needs either.

#include <QTextStream>

#include "album/page_record.h"
#include "platform/cp932.h"

int main() {
  komasu::PageContent page;
  page.lines[1].text = QStringLiteral("コア");
  const QByteArray record = komasu::EncodeCp932(komasu::SerializePage(page));
  QTextStream(stdout) << "komasu_core links without Qt Widgets and Qt PrintSupport (page record: "
                      << record.size() << " bytes)\n";
  return record.isEmpty() ? 1 : 0;
}
