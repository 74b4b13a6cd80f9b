#include "platform/file_error.h"

#include <cerrno>

namespace komasu {

QString FileErrorReason(int error_number) {
  switch (error_number) {
    case ENOENT:
    case ENOTDIR:
      return QStringLiteral("ファイルまたはフォルダが見つかりません。");
    case EACCES:
    case EPERM:
      return QStringLiteral("アクセス権がありません。");
    case ENOSPC:
    case EFBIG:
#ifdef EDQUOT
    case EDQUOT:
#endif
      return QStringLiteral("ディスクの空き容量が足りません。");
    case EROFS:
      return QStringLiteral("ディスクが読み取り専用です。");
    case EIO:
      return QStringLiteral(
          "ディスクの読み書きに失敗しました。装置が外されていないか確かめてください。");
    case ENAMETOOLONG:
      return QStringLiteral("ファイル名が長すぎます。");
    case EISDIR:
    case ENOTEMPTY:
      return QStringLiteral("同じ名前のフォルダがあります。");
    case EBUSY:
#ifdef ETXTBSY
    case ETXTBSY:
#endif
      return QStringLiteral("他のプログラムが使用中です。");
    case EMFILE:
    case ENFILE:
    case ENOMEM:
      return QStringLiteral("メモリまたは同時に開けるファイルの数が足りません。");
    default:
      return {};
  }
}

QString WithFileErrorReason(const QString& text, int error_number) {
  const QString reason = FileErrorReason(error_number);
  return reason.isEmpty() ? text : text + QLatin1Char('\n') + reason;
}

}  // namespace komasu
