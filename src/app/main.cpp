// ＫＯＭＡＳＵⅡ: the photo album program.

#include <QApplication>
#include <QFileInfo>

#include "album/album.h"
#include "editor/main_window.h"
#include "platform/clock.h"
#include "platform/fonts.h"
#include "platform/program_folder.h"
#include "platform/qt_prompter.h"

int main(int argc, char* argv[]) {
  QApplication app(argc, argv);
  QApplication::setApplicationName(QStringLiteral("komasu2"));
  QApplication::setApplicationDisplayName(QStringLiteral("ＫＯＭＡＳＵⅡ"));
  komasu::InstallFontSubstitutions();

  const komasu::ProgramFolder folder =
      komasu::ProgramFolder::Resolve(QApplication::applicationDirPath());
  komasu::QtPrompter prompter;
  komasu::SystemClock clock;
  komasu::Album album(folder, prompter, clock);
  komasu::MainWindow window(album, prompter);
  prompter.SetParent(&window);

  // An album given on the command line (the desktop's "open with") opens directly.
  const QStringList args = QApplication::arguments().mid(1);
  const QString path = args.isEmpty() ? QString() : args.constLast();
  if (path.isEmpty() || !album.OpenAlbumAt(QFileInfo(path).absoluteFilePath())) {
    window.RunStartDialog();
  }
  if (!album.IsOpen()) return 0;
  album.modified = false;
  window.show();
  window.OnActivated();
  return app.exec();
}
