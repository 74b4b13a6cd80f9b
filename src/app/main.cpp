// ＫＯＭＡＳＵⅡ: the photo album program.

#include <QApplication>
#include <QFileInfo>
#include <QGuiApplication>
#include <QTextStream>

#include "album/album.h"
#include "commands/album_commands.h"
#include "editor/editor_controller.h"
#include "app/main_window.h"
#include "platform/clock.h"
#include "platform/fonts.h"
#include "platform/program_folder.h"
#include "platform/qt_japanese.h"
#include "platform/qt_prompter.h"
#include "platform/settings_values.h"
#include "print/pdf_command.h"
#include "texttools/csv_command.h"

namespace {

// `komasu2 --pdf OUT.pdf [--pages …] ALBUM.apt` writes pages to a PDF, `--csv-export` and
// `--csv-import` move slot texts between an album and a CSV file, all without a display.
int RunHeadless(int argc, char* argv[], bool csv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QGuiApplication app(argc, argv);
  QGuiApplication::setApplicationName(QStringLiteral("komasu2"));
  komasu::InstallFontSubstitutions();
  QTextStream err(stderr);
  const QStringList args = QGuiApplication::arguments().mid(1);
  return csv ? komasu::RunCsvCommand(args, err) : komasu::RunPdfCommand(args, err);
}

}  // namespace

int main(int argc, char* argv[]) {
  QStringList raw_args;
  for (int i = 1; i < argc; ++i) raw_args << QString::fromLocal8Bit(argv[i]);
  // Before any application object: the usage needs no display.
  if (komasu::IsHelpCommand(raw_args)) {
    QTextStream out(stdout);
    out << komasu::UsageText();
    out.flush();
    return 0;
  }
  if (komasu::IsCsvCommand(raw_args)) return RunHeadless(argc, argv, true);
  if (komasu::IsPdfCommand(raw_args)) return RunHeadless(argc, argv, false);
  // Checked before the application object too: a mistyped option never opens a window.
  const komasu::WindowCommandLine line = komasu::ParseWindowCommandLine(raw_args);
  if (!line.error.isEmpty()) {
    QTextStream err(stderr);
    err << "komasu2: " << line.error << '\n' << komasu::UsageText();
    err.flush();
    return 2;
  }

  QApplication app(argc, argv);
  QApplication::setApplicationName(QStringLiteral("komasu2"));
  // No display name: the platform would append it to every window title ("確認 — …").
  komasu::InstallFontSubstitutions();
  komasu::InstallQtJapanese(komasu::QtTranslationsFolder());

  const komasu::ProgramFolder folder =
      komasu::ProgramFolder::Resolve(QApplication::applicationDirPath());
  komasu::QtPrompter prompter;
  komasu::SystemClock clock;
  komasu::Album album(folder, prompter, clock);
  komasu::AlbumCommands commands(album);
  komasu::EditorController editor(commands);
  komasu::MainWindow window(editor, prompter);
  prompter.SetParent(&window);
  // Settings files that cannot be read leave their values at the defaults; said once here.
  const QStringList problems =
      komasu::SettingsFileProblems({folder.PositionIni(), folder.FontInfoIni(), folder.OptIni()});
  if (!problems.isEmpty()) {
    prompter.Notify(problems.join(u'\n') + QStringLiteral("\n\n既定の設定で続けます。"),
                    komasu::ApplicationTitle(), komasu::MessageIcon::kExclamation);
  }

  // An album given on the command line (the desktop's "open with") opens directly.
  if (line.album.isEmpty() || !album.OpenAlbumAt(QFileInfo(line.album).absoluteFilePath())) {
    window.RunStartDialog();
  }
  if (!album.IsOpen()) return 0;
  commands.SetModified(false);
  window.show();
  window.OnActivated();
  return app.exec();
}
