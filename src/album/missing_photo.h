#pragma once
// A photo whose path names no regular file (moved, renamed, on a card not inserted): the printer
// skips it and the page view marks its box. The path stays stored, so the photo is back as soon
// as its file is.

#include <QFileInfo>

#include "album/page_content.h"

namespace komasu {

inline bool PhotoMissing(const PhotoElement& photo) {
  return !photo.path.isEmpty() && !QFileInfo(photo.path).isFile();
}

}  // namespace komasu
