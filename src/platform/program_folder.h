#pragma once
// Where the settings files, back.apt and help.txt live, and the default settings files a new
// program folder is filled with.

#include <QString>

namespace komasu {

class ProgramFolder {
 public:
  explicit ProgramFolder(QString path) : path_(std::move(path)) {}

  // The executable's folder when it holds OPT.ini (a portable install); otherwise the
  // per-user application data folder, created when missing. Missing default files are
  // written in either case.
  static ProgramFolder Resolve(const QString& executable_folder);

  const QString& Path() const { return path_; }
  QString File(const QString& name) const;  // path of a file in the folder

  QString PositionIni() const { return File(QStringLiteral("position.ini")); }
  QString FontInfoIni() const { return File(QStringLiteral("fontinfo.ini")); }
  QString OptIni() const { return File(QStringLiteral("OPT.ini")); }
  QString ListIni() const { return File(QStringLiteral("list.ini")); }
  QString BackApt() const { return File(QStringLiteral("back.apt")); }
  QString HelpTxt() const { return File(QStringLiteral("help.txt")); }

  // Writes each default settings file that does not exist yet.
  void WriteMissingDefaults() const;
  // A private working folder's start: the layout, font and drive settings of `from` where it has
  // them, the defaults for the rest.
  void TakeSettingsFrom(const ProgramFolder& from) const;

 private:
  QString path_;
};

// Default file contents (as lines, written in CP932 with CR LF).
QStringList DefaultPositionLines();
QStringList DefaultFontInfoLines();
QStringList DefaultOptLines();
QStringList DefaultListLines();

}  // namespace komasu
