#include <QLineEdit>
#include <QPushButton>
#include <QtTest>

#include "print/print_dialog.h"
#include "support/test_folder.h"

using namespace komasu;
using namespace komasu::test;

namespace {

QStringList Pages(int n) {
  QStringList records = {QStringLiteral("ζζζζ")};
  for (int i = 1; i <= n; ++i) records.append(PageWithTexts({QString::number(i)}));
  return records;
}

}  // namespace

class TstPrintDialog : public QObject {
  Q_OBJECT

  std::unique_ptr<AlbumFixture> f_;
  std::unique_ptr<PrintDialog> dialog_;
  QList<PrintRequest> runs_;

  void Show(int pages, int current) {
    f_->Open(QStringLiteral("a.apt"), Pages(pages));
    f_->album->SetCurrentPage(current);
    dialog_ = std::make_unique<PrintDialog>(*f_->album, f_->prompter);
    dialog_->SetPrintRunner([this](const PrintRequest& r) { runs_.append(r); });
    dialog_->show();
  }
  QPushButton* Button(const QString& name) { return dialog_->findChild<QPushButton*>(name); }
  QLineEdit* Field(int i) {
    return dialog_->findChild<QLineEdit*>(QStringLiteral("Text1(%1)").arg(i));
  }

 private slots:
  void init() {
    f_ = std::make_unique<AlbumFixture>();
    runs_.clear();
  }
  void cleanup() {
    dialog_.reset();
    f_.reset();
  }

  void OnePageAlbumOffersOnlyTheCurrentPage() {
    Show(1, 1);
    QCOMPARE(dialog_->windowTitle(), QStringLiteral("ＫＯＭＡＳＵ-印刷"));
    for (const char* name : {"Command1(0)", "Command3", "Command2", "Command1(2)"}) {
      QVERIFY2(Button(QString::fromLatin1(name))->isEnabled(), name);
    }
    for (const char* name : {"Command1(1)", "Command1(3)", "Command1(4)"}) {
      QVERIFY2(!Button(QString::fromLatin1(name))->isEnabled(), name);
    }
  }

  void CommandsConfirmAndRun_data() {
    QTest::addColumn<QString>("button");
    QTest::addColumn<QStringList>("range");  // typed into the fields; none: as offered
    QTest::addColumn<QString>("question");
    QTest::addColumn<PrintRequest>("request");
    QTest::newRow("current") << QStringLiteral("Command1(0)") << QStringList()
                             << QStringLiteral("現在のページのプリントを開始します")
                             << PrintRequest{7, 7, false};
    QTest::newRow("range") << QStringLiteral("Command1(1)") << QStringList{"3", "5"}
                           << QStringLiteral("3～5ページのプリントを開始します")
                           << PrintRequest{3, 5, false};
    QTest::newRow("odd") << QStringLiteral("Command1(3)") << QStringList()
                         << QStringLiteral("奇数(1,3,5…)ページのプリントを開始します")
                         << PrintRequest{1, 12, true};
    QTest::newRow("even") << QStringLiteral("Command1(4)") << QStringList()
                          << QStringLiteral("偶数(2,4,6…)ページのプリントを開始します")
                          << PrintRequest{2, 12, true};
  }
  void CommandsConfirmAndRun() {
    QFETCH(QString, button);
    QFETCH(QStringList, range);
    QFETCH(QString, question);
    QFETCH(PrintRequest, request);
    for (bool yes : {false, true}) {
      Show(12, 7);
      QCOMPARE(Field(0)->text(), QStringLiteral("1"));  // offered: the whole album
      QCOMPARE(Field(1)->text(), QStringLiteral("12"));
      for (int i = 0; i < range.size(); ++i) Field(i)->setText(range[i]);
      f_->prompter.yes_no = {yes};
      f_->prompter.asked.clear();
      Button(button)->click();
      QCOMPARE(f_->prompter.asked.size(), size_t{1});
      QCOMPARE(f_->prompter.asked[0].text, question);
      QCOMPARE(f_->prompter.asked[0].title, QStringLiteral("印刷"));
      QCOMPARE(f_->prompter.asked[0].icon, MessageIcon::kExclamation);
      QCOMPARE(dialog_->isVisible(), !yes);
      QCOMPARE(runs_, yes ? QList<PrintRequest>{request} : QList<PrintRequest>{});
    }
  }

  void NonNumericRangeIsRefusedBeforeAsking() {
    Show(5, 1);
    Field(1)->setText(QStringLiteral("五"));
    Button(QStringLiteral("Command1(1)"))->click();
    QCOMPARE(f_->prompter.Notices().size(), 1);
    QVERIFY(runs_.isEmpty());
    QVERIFY(dialog_->isVisible());
  }

  void LayoutSettingsButtonAsksTheMainWindowAndStaysOpen() {
    Show(5, 1);
    QSignalSpy spy(dialog_.get(), &PrintDialog::LayoutSettingsRequested);
    Button(QStringLiteral("Command3"))->click();
    QCOMPARE(spy.count(), 1);
    QVERIFY(dialog_->isVisible());
  }

  void PdfOutputWritesTheRangeIntoTheChosenFile() {
    Show(3, 2);
    Field(0)->setText(QStringLiteral("2"));
    Field(1)->setText(QStringLiteral("3"));
    const QString out = f_->folder.File(QStringLiteral("range"));
    f_->prompter.files = {out};
    Button(QStringLiteral("pdf"))->click();
    QVERIFY(QFile::exists(out + QStringLiteral(".pdf")));
    QCOMPARE(f_->prompter.asked[0].kind, QStringLiteral("save"));
    QCOMPARE(f_->prompter.asked[0].title, QStringLiteral("PDF出力"));
    QCOMPARE(f_->album->CurrentPage(), 3);
    QVERIFY(dialog_->isVisible());
  }
};

QTEST_MAIN(TstPrintDialog)
#include "tst_print_dialog.moc"
