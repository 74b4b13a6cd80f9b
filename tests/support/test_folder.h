#pragma once
// Test fixtures: a fresh temporary program folder per test, and helpers to write and read
// album files as CP932 bytes.

#include <sys/resource.h>

#include <QByteArray>
#include <QStringList>
#include <QTemporaryDir>
#include <functional>
#include <memory>

#include "album/album.h"
#include "commands/album_commands.h"
#include "editor/editor_controller.h"
#include "platform/clock.h"
#include "platform/program_folder.h"
#include "platform/scripted_prompter.h"

namespace komasu::test {

// A temporary folder filled with the default settings files.
class TestFolder {
 public:
  TestFolder();
  QString Path() const { return dir_.path(); }
  QString File(const QString& name) const { return dir_.filePath(name); }
  ProgramFolder Program() const { return ProgramFolder(dir_.path()); }

 private:
  QTemporaryDir dir_;
};

QByteArray ReadBytes(const QString& path);
void WriteBytes(const QString& path, const QByteArray& bytes);
// Writes records as an album file: each quoted, CP932, CR LF.
void WriteAlbum(const QString& path, const QStringList& records);
// The decoded records of an album file.
QStringList ReadAlbum(const QString& path);

// An Album with a scripted prompter and a fixed clock, in a fresh program folder.
struct AlbumFixture {
  TestFolder folder;
  ScriptedPrompter prompter;
  FixedClock clock{QDateTime(QDate(2026, 12, 9), QTime(10, 20, 30))};
  std::unique_ptr<Album> album;
  std::unique_ptr<AlbumCommands> commands;  // the one way tests change the album, as the UI does
  std::unique_ptr<EditorController> editor;  // the editor state beside the album
  AlbumFixture();
  // Writes `records` to `name` in the folder and opens it; returns the path.
  QString Open(const QString& name, const QStringList& records);
};

// Writes the lock a program on the computer `host` took on the album `album_path` at `since`
// (QLockFile's lines: process id, program, host, machine id, boot id); an empty host writes a
// lock file that names nobody.
void WriteForeignLock(const QString& album_path, const QString& host, const QDateTime& since);

// Changes the shown page as an editor does (the album is marked modified).
void Edit(Album& album, const std::function<void(PageContent&)>& change);

// Makes writes beyond `bytes` fail as on a full disk while it lives (tests run as root, so
// permissions cannot make a file unwritable). SIGXFSZ is ignored from the first use on.
class FileSizeLimit {
 public:
  explicit FileSizeLimit(rlim_t bytes);
  ~FileSizeLimit();
  FileSizeLimit(const FileSizeLimit&) = delete;
  FileSizeLimit& operator=(const FileSizeLimit&) = delete;

 private:
  rlimit old_{};
};

// A record whose slot text lines hold `texts` (line i ← texts[i]), built by the serializer.
QString PageWithTexts(const QStringList& texts);
// Fields joined into a record, framed by separators.
QString JoinFields(const QStringList& fields);
// The record of the layout before callout lines holding what `current` holds: no version, no
// section tags, no callout fields.
QString ToLegacyRecord(const QString& current);

}  // namespace komasu::test
