// Writes PNG pictures of the page view: page 1 (left-bound) and page 2 (right-bound) of a
// small album with three photos per page, slot texts, a label, a callout and guide rules;
// and of the layout settings dialog.
//
//   shot_page_view <output folder> [--keep]   (--keep leaves the album and photos in place)

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QLinearGradient>
#include <QPainter>
#include <QTemporaryDir>

#include "album/album.h"
#include "commands/album_commands.h"
#include "album/album_file.h"
#include "album/page_record.h"
#include "editor/editor_controller.h"
#include "editor/page_view.h"
#include "platform/clock.h"
#include "platform/cp932.h"
#include "platform/fonts.h"
#include "platform/scripted_prompter.h"
#include "platform/settings_values.h"
#include "print/layout_settings_dialog.h"

using namespace komasu;

namespace {

QString Photo(const QString& dir, const QString& name, QSize size, QColor sky, QColor ground) {
  QImage image(size, QImage::Format_RGB32);
  QPainter p(&image);
  QLinearGradient g(0, 0, 0, size.height());
  g.setColorAt(0, sky);
  g.setColorAt(0.6, sky.lighter(150));
  g.setColorAt(0.61, ground);
  g.setColorAt(1, ground.darker(150));
  p.fillRect(image.rect(), g);
  p.setBrush(QColor(250, 220, 90));
  p.setPen(Qt::NoPen);
  p.drawEllipse(QPointF(size.width() * 0.75, size.height() * 0.2), size.height() * 0.08,
                size.height() * 0.08);
  p.setPen(QPen(Qt::white, size.height() / 60.0));
  p.drawText(image.rect().adjusted(10, 10, -10, -10), Qt::AlignLeft | Qt::AlignBottom, name);
  p.end();
  const QString path = QDir(dir).filePath(name + ".jpg");
  image.save(path, "JPEG", 90);
  return path;
}

QString Page(const QStringList& photos, int number) {
  PageContent page;
  page.guide_lines = 1;
  for (int s = 0; s < 3; ++s) {
    page.Photo(s + 1).path = photos.value(s);
    page.Line(s, 0).text = QString::number(number + s);
    page.Line(s, 1).text = QStringLiteral("工種　土工");
    page.Line(s, 2).text = QStringLiteral("種別　掘削工");
    page.Line(s, 3).text = QStringLiteral("測点　No.%1+5.0").arg(number + s);
    page.Line(s, 4).text = QStringLiteral("施工状況");
  }
  page.Label(1).text = QStringLiteral("掘削完了");
  page.Label(1).left = 7400;
  page.Label(1).top = 2950;
  page.Label(1).style.size = 11;
  page.Label(1).style.color = 255;
  page.callouts[0].line = {8300, 2300, 8900, 3000, true};
  page.callouts[0].arrow_a = {8300, 2300, 8364, 2384, true};
  page.callouts[0].arrow_b = {8300, 2300, 8386, 2360, true};
  return SerializePage(page);
}

}  // namespace

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  InstallFontSubstitutions();
  const QString out = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QDir::currentPath();
  QTemporaryDir dir;
  if (argc > 2 && QByteArray(argv[2]) == "--keep") dir.setAutoRemove(false);
  const QStringList first = {
      Photo(dir.path(), "top-landscape", {1600, 1200}, QColor(90, 140, 210), QColor(110, 90, 60)),
      Photo(dir.path(), "middle-portrait", {900, 1600}, QColor(120, 170, 230), QColor(70, 120, 60)),
      Photo(dir.path(), "bottom-panorama", {2400, 800}, QColor(200, 120, 90), QColor(60, 60, 70))};
  const QStringList second = {
      Photo(dir.path(), "p2-top", {1600, 1200}, QColor(60, 90, 160), QColor(150, 130, 90)),
      Photo(dir.path(), "p2-middle", {1600, 1200}, QColor(150, 190, 240), QColor(90, 90, 90)),
      Photo(dir.path(), "p2-bottom", {1600, 1200}, QColor(240, 200, 150), QColor(40, 80, 40))};
  const QString path = QDir(dir.path()).filePath("shot.apt");
  if (!dir.autoRemove()) qInfo("album: %s", qPrintable(path));
  QFile file(path);
  file.open(QIODevice::WriteOnly);
  file.write(JoinAlbumRecords({EncodeCp932(SerializeHeader({"撮影", "", ""})),
                               EncodeCp932(Page(first, 1)), EncodeCp932(Page(second, 4))}));
  file.close();

  ProgramFolder folder(dir.path());
  folder.WriteMissingDefaults();
  ScriptedPrompter prompter;
  SystemClock clock;
  Album album(folder, prompter, clock);
  AlbumCommands commands(album);
  EditorController editor(commands);
  PageView view(editor);
  view.resize(640, 820);
  view.show();
  album.OpenAlbumAt(path);
  // As the main window does when it becomes active.
  album.ApplySettingsFiles();
  for (int page = 1; page <= 2; ++page) {
    album.JumpToPage(page);
    // Rules are switched by the guide rule commands; here every underline rule is shown.
    commands.ChangeShownPage(QStringLiteral("罫線"), [](PageContent&, PageDecor& decor) {
      for (int n = 1; n <= kRuleLines; ++n) decor.Rule(n).visible = (n - 1) % 12 >= 3;
      for (NoMark& m : decor.no_marks) m.visible = true;
    });
    editor.SelectSlot(page == 1 ? 0 : 1);
    view.RequestPhotos();
    while (!view.PhotosComplete()) QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    QCoreApplication::processEvents();
    view.grab().save(QDir(out).filePath(QStringLiteral("page%1.png").arg(page)));
  }
  LayoutSettingsDialog settings(folder, prompter);
  settings.show();
  QCoreApplication::processEvents();
  settings.grab().save(QDir(out).filePath(QStringLiteral("settings.png")));
  return 0;
}
