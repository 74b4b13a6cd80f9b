#include "platform/program_folder.h"

#include <QDir>
#include <QFile>
#include <QStandardPaths>

#include "platform/text_file.h"

// Resources of a static library are registered by hand.
static void InitResources() { Q_INIT_RESOURCE(resources); }

namespace komasu {

namespace {

QString FirstExisting(const QStringList& candidates, const QString& fallback) {
  for (const QString& c : candidates) {
    if (!c.isEmpty() && QDir(c).exists()) return QDir::toNativeSeparators(c);
  }
  return QDir::toNativeSeparators(fallback);
}

// The folder where cards and USB sticks appear.
QString RemovableMediaFolder() {
  const QString user = qEnvironmentVariable("USER", qEnvironmentVariable("USERNAME"));
#if defined(Q_OS_WIN)
  return QStringLiteral("E:\\");
#elif defined(Q_OS_MACOS)
  return QStringLiteral("/Volumes");
#else
  return FirstExisting({QStringLiteral("/media/") + user, QStringLiteral("/run/media/") + user,
                        QStringLiteral("/media")},
                       QDir::homePath());
#endif
}

}  // namespace

ProgramFolder ProgramFolder::Resolve(const QString& executable_folder) {
  QString path;
  if (!executable_folder.isEmpty() && QFile::exists(QDir(executable_folder).filePath("OPT.ini"))) {
    path = executable_folder;
  } else {
    path = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
    QDir().mkpath(path);
  }
  ProgramFolder folder(path);
  folder.WriteMissingDefaults();
  return folder;
}

QString ProgramFolder::File(const QString& name) const { return QDir(path_).filePath(name); }

void ProgramFolder::TakeSettingsFrom(const ProgramFolder& from) const {
  for (const QString& name : {QStringLiteral("position.ini"), QStringLiteral("fontinfo.ini"),
                              QStringLiteral("OPT.ini")}) {
    if (QFile::exists(from.File(name))) CopyFileOver(from.File(name), File(name));
  }
  WriteMissingDefaults();
}

void ProgramFolder::WriteMissingDefaults() const {
  const struct {
    QString file;
    QStringList lines;
  } defaults[] = {{PositionIni(), DefaultPositionLines()},
                  {FontInfoIni(), DefaultFontInfoLines()},
                  {OptIni(), DefaultOptLines()},
                  {ListIni(), DefaultListLines()}};
  for (const auto& d : defaults) {
    if (!QFile::exists(d.file)) WriteTextLines(d.file, d.lines);
  }
  if (!QFile::exists(HelpTxt())) {
    InitResources();
    QFile help(QStringLiteral(":/komasu/help.txt"));
    if (help.open(QIODevice::ReadOnly)) {
      WriteTextLines(HelpTxt(), SplitLines(QString::fromUtf8(help.readAll())));
    }
  }
}

QStringList DefaultPositionLines() {
  QStringList lines(20, QStringLiteral("0"));
  lines[10] = QStringLiteral("1");
  lines[13] = QStringLiteral("100");
  lines[15] = QStringLiteral("2");
  lines[16] = QStringLiteral("100");
  lines[17] = QStringLiteral("20");
  return lines;
}

QStringList DefaultFontInfoLines() {
  return {QStringLiteral("ＭＳ Ｐゴシック"), QStringLiteral("9.75"),  QStringLiteral("False"),
          QStringLiteral("False"),           QStringLiteral("False"), QStringLiteral("0")};
}

QStringList DefaultOptLines() {
  const QString pictures = QStandardPaths::writableLocation(QStandardPaths::PicturesLocation);
  const QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
  return {RemovableMediaFolder(), FirstExisting({pictures}, QDir::homePath()),
          FirstExisting({documents}, QDir::homePath())};
}

QStringList DefaultListLines() {
  const QString z = QStringLiteral("ζ");
  const QStringList categories[] = {
      {"工種", "土工", "基礎工", "コンクリート工", "鉄筋工", "型枠工", "舗装工"},
      {"工程", "着工前", "施工中", "完成", "出来形", "品質管理"},
      {"場所", "起点側", "終点側", "左岸", "右岸", "全景"},
      {"測定", "幅", "高さ", "厚さ", "延長", "深さ"},
      {"材料", "生コンクリート", "鉄筋", "砕石", "アスファルト"},
      {"検査", "段階確認", "立会", "材料検査", "完成検査"},
      {"安全", "安全管理", "KY活動", "朝礼", "安全看板"},
      {"機械", "バックホウ", "ダンプトラック", "ローラー", "クレーン"},
      {"状況", "施工状況", "搬入状況", "養生状況", "清掃状況"},
      {"その他", "状況写真", "確認", "完了"}};
  QStringList lines;
  for (const QStringList& c : categories) lines.append(z + c.join(z) + z);
  return lines;
}

}  // namespace komasu
