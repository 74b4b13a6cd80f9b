#include "print/pdf_command.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>
#include <optional>

#include "album/album.h"
#include "album/album_file.h"
#include "platform/cp932.h"
#include "platform/scripted_prompter.h"
#include "platform/text_file.h"
#include "print/pdf_export.h"
#include "print/print_preflight.h"
#include "print/private_album_copy.h"

namespace komasu {

namespace {

const QString kUsage = QStringLiteral(
    "使い方: komasu2 --pdf 出力.pdf [--pages N | N-M | odd | even | all] アルバム.apt");

struct CommandLine {
  QString out;
  QString pages = QStringLiteral("all");
  QString album;
};

std::optional<CommandLine> Parse(const QStringList& args, QString* error) {
  CommandLine c;
  bool have_pages = false;
  for (int i = 0; i < args.size(); ++i) {
    const QString& a = args[i];
    if (a == QLatin1String("--pdf") || a == QLatin1String("--pages")) {
      if (i + 1 >= args.size()) {
        *error = QStringLiteral("%1 の後に値がありません。").arg(a);
        return std::nullopt;
      }
      if (a == QLatin1String("--pdf")) {
        if (!c.out.isEmpty()) {
          *error = QStringLiteral("--pdf が二度指定されています。");
          return std::nullopt;
        }
        c.out = args[++i];
      } else {
        if (have_pages) {
          *error = QStringLiteral("--pages が二度指定されています。");
          return std::nullopt;
        }
        have_pages = true;
        c.pages = args[++i].trimmed().toLower();
      }
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
  if (c.out.isEmpty() || c.album.isEmpty()) {
    *error = QStringLiteral("出力するPDFファイルとアルバムファイルを指定してください。");
    return std::nullopt;
  }
  return c;
}

// The request of a --pages value on an album of `count` pages; nullopt when it is not a range
// of existing pages.
std::optional<PrintRequest> RequestOf(const QString& pages, int count) {
  if (pages == QLatin1String("all")) return PrintRequest{1, count, false};
  if (pages == QLatin1String("odd")) return PrintRequest{1, count, true};
  if (pages == QLatin1String("even")) {
    if (count < 2) return std::nullopt;
    return PrintRequest{2, count, true};
  }
  static const QRegularExpression range(QStringLiteral("^(\\d{1,4})(?:-(\\d{1,4}))?$"));
  const QRegularExpressionMatch m = range.match(pages);
  if (!m.hasMatch()) return std::nullopt;
  const int from = m.captured(1).toInt();
  const int to = m.captured(2).isEmpty() ? from : m.captured(2).toInt();
  if (from < 1 || to < from || to > count) return std::nullopt;
  return PrintRequest{from, to, false};
}

}  // namespace

bool IsHelpCommand(const QStringList& arguments) {
  return arguments.contains(QStringLiteral("--help")) || arguments.contains(QStringLiteral("-h"));
}

QString UsageText() {
  return QStringLiteral(
      "使い方: komasu2 [アルバム.apt]\n"
      "        アルバムを開いて編集します（省略すると開始画面を表示します）。\n"
      "       komasu2 --pdf 出力.pdf [--pages N | N-M | odd | even | all] アルバム.apt\n"
      "        指定のページを画面なしでPDFファイルに書き出します（既定は all）。\n"
      "       komasu2 --csv-export 出力.csv アルバム.apt\n"
      "        写真の説明文を画面なしでCSVファイルに書き出します。\n"
      "       komasu2 --csv-import 入力.csv アルバム.apt\n"
      "        CSVファイルの値を画面なしで写真の説明文に読み込みます。\n"
      "       komasu2 --help | -h\n"
      "        この使い方を表示します。\n");
}

WindowCommandLine ParseWindowCommandLine(const QStringList& arguments) {
  // Qt reads these itself, with one dash or two; the first group takes a value.
  static const QStringList kWithValue =
      QStringLiteral("platform platformpluginpath platformtheme plugin qwindowgeometry geometry "
                     "qwindowtitle title qwindowicon icon session style stylesheet display name")
          .split(u' ');
  static const QStringList kFlags =
      QStringLiteral("reverse widgetcount nograb dograb sync").split(u' ');
  WindowCommandLine line;
  bool options = true;
  for (int i = 0; i < arguments.size(); ++i) {
    const QString& a = arguments[i];
    if (options && a == QLatin1String("--")) {
      options = false;
      continue;
    }
    if (options && a.startsWith(u'-')) {
      const QString name = a.mid(a.startsWith(QLatin1String("--")) ? 2 : 1).section(u'=', 0, 0);
      if (kFlags.contains(name) || (kWithValue.contains(name) && a.contains(u'='))) continue;
      if (kWithValue.contains(name) && i + 1 < arguments.size()) {
        ++i;
        continue;
      }
      line.error = kWithValue.contains(name) ? QStringLiteral("%1 の後に値がありません。").arg(a)
                                             : QStringLiteral("不明なオプション %1 です。").arg(a);
      return line;
    }
    if (!line.album.isEmpty()) {
      line.error = QStringLiteral("アルバムファイルは一つだけ指定してください。");
      return line;
    }
    line.album = a;
  }
  return line;
}

bool IsPdfCommand(const QStringList& arguments) {
  return arguments.contains(QStringLiteral("--pdf"));
}

int RunPdfCommand(const QStringList& arguments, QTextStream& err) {
  return RunPdfCommand(arguments, ProgramFolder::Resolve(QCoreApplication::applicationDirPath()),
                       err);
}

int RunPdfCommand(const QStringList& arguments, const ProgramFolder& folder, QTextStream& err) {
  QString error;
  const std::optional<CommandLine> line = Parse(arguments, &error);
  if (!line) {
    err << "komasu2: " << error << '\n' << kUsage << '\n';
    err.flush();
    return 2;
  }
  auto fail = [&err](const QString& text, int code = 1) {
    err << "komasu2: " << text << '\n';
    err.flush();
    return code;
  };

  if (const QString problem = PdfOutputProblem(line->out, line->album); !problem.isEmpty()) {
    return fail(problem, 2);
  }
  QByteArray bytes;
  if (const QString problem = AlbumFileProblem(line->album, &bytes); !problem.isEmpty()) {
    return fail(problem);
  }

  // The run's page moves write back and opening takes a snapshot; neither may touch the
  // user's files.
  ScriptedPrompter prompter;
  QString copy_error;
  const std::unique_ptr<PrivateAlbumCopy> copy = PrivateAlbumCopy::FromBytes(
      bytes, QFileInfo(line->album).fileName(), folder, prompter, &copy_error);
  if (!copy) {
    return fail(copy_error);
  }
  Album& album = copy->album();
  const std::optional<PrintRequest> request = RequestOf(line->pages, album.PageCount());
  if (!request) {
    return fail(QStringLiteral("ページの指定「%1」が正しくありません。このアルバムは%2ページです。")
                    .arg(line->pages)
                    .arg(album.PageCount()),
                2);
  }

  // The album prints as stored; what will not print as the editor shows it is named.
  for (const QString& warning : PreflightWarnings(PreflightRun(album, *request))) {
    for (const QString& line : warning.split(QLatin1Char('\n'))) err << "komasu2: " << line << '\n';
  }
  // Nothing of the copy is kept, so pages the album file could not hold again print as well.
  const PdfExportResult result =
      ExportPdf(album, *request, line->out, nullptr, RunPageMoves::kWithoutWriteBack);
  for (const QString& notice : prompter.Notices()) err << "komasu2: " << notice << '\n';
  if (!result.ok) {
    if (!result.error.isEmpty()) err << "komasu2: " << result.error << '\n';
    err.flush();
    return 1;
  }
  err.flush();
  return 0;
}

}  // namespace komasu
