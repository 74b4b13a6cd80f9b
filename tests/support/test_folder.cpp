#include "support/test_folder.h"

#include <QFile>
#include <csignal>

#include "album/album_file.h"
#include "album/page_record.h"
#include "platform/cp932.h"

namespace komasu::test {

TestFolder::TestFolder() { Program().WriteMissingDefaults(); }

QByteArray ReadBytes(const QString& path) {
  QFile f(path);
  if (!f.open(QIODevice::ReadOnly)) return {};
  return f.readAll();
}

void WriteBytes(const QString& path, const QByteArray& bytes) {
  QFile f(path);
  if (f.open(QIODevice::WriteOnly)) f.write(bytes);
}

void WriteForeignLock(const QString& album_path, const QString& host, const QDateTime& since) {
  const QString lock = AlbumLock::LockPathFor(album_path);
  WriteBytes(lock, host.isEmpty() ? QByteArray()
                                  : "4242\nkomasu2\n" + host.toUtf8() +
                                        "\nforeign-machine-id\nforeign-boot-id\n");
  QFile f(lock);
  if (f.open(QIODevice::ReadWrite)) f.setFileTime(since, QFileDevice::FileModificationTime);
}

void WriteAlbum(const QString& path, const QStringList& records) {
  QList<QByteArray> raw;
  for (const QString& r : records) raw.append(EncodeCp932(r));
  WriteBytes(path, JoinAlbumRecords(raw));
}

QStringList ReadAlbum(const QString& path) {
  QStringList out;
  for (const QByteArray& r : SplitAlbumRecords(ReadBytes(path))) out.append(DecodeCp932(r));
  return out;
}

AlbumFixture::AlbumFixture()
    : album(std::make_unique<Album>(folder.Program(), prompter, clock)),
      commands(std::make_unique<AlbumCommands>(*album)),
      editor(std::make_unique<EditorController>(*commands)) {}

void Edit(Album& album, const std::function<void(PageContent&)>& change) {
  AlbumCommands(album).ChangeShownPage(QStringLiteral("編集"),
                                       [&](PageContent& page, PageDecor&) { change(page); });
}

QString AlbumFixture::Open(const QString& name, const QStringList& records) {
  const QString path = folder.File(name);
  WriteAlbum(path, records);
  album->OpenAlbumAt(path);
  return path;
}

FileSizeLimit::FileSizeLimit(rlim_t bytes) {
  std::signal(SIGXFSZ, SIG_IGN);
  getrlimit(RLIMIT_FSIZE, &old_);
  rlimit limit = old_;
  limit.rlim_cur = bytes;
  setrlimit(RLIMIT_FSIZE, &limit);
}

FileSizeLimit::~FileSizeLimit() { setrlimit(RLIMIT_FSIZE, &old_); }

QString PageWithTexts(const QStringList& texts) {
  PageContent page;
  for (int i = 0; i < texts.size() && i < kSlotTextLines; ++i) page.lines[i].text = texts[i];
  return SerializePage(page);
}

QString JoinFields(const QStringList& fields) {
  const QString z(kSeparator);
  return z + fields.join(z) + z;
}

QString ToLegacyRecord(const QString& current) {
  const QStringList f = SplitRecordFields(current);
  // switches, photos (from field 4), text lines (from 54), labels (from 324)
  return JoinFields(f.mid(0, 3) + f.mid(5, 50) + f.mid(56, 270) + f.mid(327, 285));
}

}  // namespace komasu::test
