#include "texttools/csv_command.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>
#include <optional>

#include "album/album.h"
#include "commands/album_commands.h"
#include "album/album_file.h"
#include "platform/clock.h"
#include "platform/scripted_prompter.h"
#include "platform/text_file.h"
#include "texttools/csv_transfer.h"

namespace komasu {

namespace {

const QString kExport = QStringLiteral("--csv-export");
const QString kImport = QStringLiteral("--csv-import");
const QString kUsage = QStringLiteral(
    "使い方: komasu2 --csv-export 出力.csv アルバム.apt\n"
    "        komasu2 --csv-import 入力.csv アルバム.apt");

struct CommandLine {
  bool import = false;
  QString csv;
  QString album;
};

std::optional<CommandLine> Parse(const QStringList& args, QString* error) {
  CommandLine c;
  for (int i = 0; i < args.size(); ++i) {
    const QString& a = args[i];
    if (a == kExport || a == kImport) {
      if (!c.csv.isEmpty()) {
        *error = QStringLiteral("CSVの書き出しか読み込みを一つだけ指定してください。");
        return std::nullopt;
      }
      if (i + 1 >= args.size()) {
        *error = QStringLiteral("%1 の後にCSVファイルがありません。").arg(a);
        return std::nullopt;
      }
      c.import = a == kImport;
      c.csv = args[++i];
    } else if (a.startsWith(QLatin1String("--"))) {
      *error = QStringLiteral("不明なオプション %1 です。").arg(a);
      return std::nullopt;
    } else if (c.album.isEmpty()) {
      c.album = a;
    } else {
      *error = QStringLiteral("アルバムファイルは一つだけ指定してください。");
      return std::nullopt;
    }
  }
  if (c.csv.isEmpty() || c.album.isEmpty()) {
    *error = QStringLiteral("CSVファイルとアルバムファイルを指定してください。");
    return std::nullopt;
  }
  return c;
}

}  // namespace

bool IsCsvCommand(const QStringList& arguments) {
  return arguments.contains(kExport) || arguments.contains(kImport);
}

int RunCsvCommand(const QStringList& arguments, QTextStream& err) {
  return RunCsvCommand(arguments, ProgramFolder::Resolve(QCoreApplication::applicationDirPath()),
                       err);
}

int RunCsvCommand(const QStringList& arguments, const ProgramFolder& folder, QTextStream& err) {
  QString error;
  const std::optional<CommandLine> line = Parse(arguments, &error);
  auto fail = [&err](const QString& text, int code) {
    err << "komasu2: " << text << '\n';
    err.flush();
    return code;
  };
  if (!line) return fail(error + QLatin1Char('\n') + kUsage, 2);
  if (SameFile(line->csv, line->album)) {
    return fail(QStringLiteral("CSVファイルにアルバムファイルそのものは指定できません。"), 2);
  }
  if (!line->import) {
    if (const QString problem = CsvOutputProblem(line->csv); !problem.isEmpty()) {
      return fail(problem, 2);
    }
  }
  QByteArray bytes;
  if (const QString problem = AlbumFileProblem(line->album, &bytes); !problem.isEmpty()) {
    return fail(problem, 1);
  }

  // Another program (here or on another computer) holds it; the command asks nothing, so it
  // neither views it read-only nor takes the lock over.
  if (const std::optional<LockHolder> holder = AlbumInUseBy(line->album)) {
    return fail(AlbumInUseText(line->album, *holder), 2);
  }

  // The album is worked on in place with a program folder of its own: opening takes its
  // snapshot there, so the user's back.apt stays as it is.
  QTemporaryDir private_dir;
  if (!private_dir.isValid()) return fail(QStringLiteral("作業用フォルダを作成できません。"), 1);
  const ProgramFolder private_folder(private_dir.path());
  private_folder.TakeSettingsFrom(folder);
  ScriptedPrompter prompter;
  SystemClock clock;
  Album album(private_folder, prompter, clock);
  AlbumCommands commands(album);
  const QString album_path = QFileInfo(line->album).absoluteFilePath();
  auto notices = [&] {
    for (const QString& n : prompter.Notices()) err << "komasu2: " << n << '\n';
    prompter.asked.clear();
  };
  if (!album.OpenAlbumAt(album_path)) {
    notices();
    return fail(QStringLiteral("ファイル「%1」をアルバムとして開けません。").arg(line->album), 1);
  }
  notices();  // what opening said about damaged pages
  // What the main window does when it becomes active.
  album.ApplySettingsFiles();

  const CsvResult result =
      line->import ? ReadCsvFile(commands, line->csv) : WriteCsvFile(album, line->csv);
  notices();
  if (!result.ok) {
    if (!result.error.isEmpty()) err << "komasu2: " << result.error << '\n';
    err.flush();
    return 1;
  }
  if (!result.pages_kept.isEmpty()) {
    err << "komasu2: " << KeptPagesNotice(result.pages_kept) << '\n';
  }
  err.flush();
  return 0;
}

}  // namespace komasu
