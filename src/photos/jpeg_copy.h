#pragma once
// The JPEG copy that an album stores instead of a photo in a format earlier versions of the
// program cannot show (HEIC/HEIF from phones, PNG, …): full size, upright (no orientation tag
// left to apply), with the photo's EXIF data, its shooting date included. A portrait photo is
// centred on white of the slot's landscape shape, so no version stretches it.

#include <QString>

#include "platform/photo_decoder.h"

namespace komasu {

// Whether photos of `format` go into albums as JPEG copies: all but JPEG and BMP.
inline bool NeedsJpegCopy(PhotoFormat format) {
  return format != PhotoFormat::kJpeg && format != PhotoFormat::kBmp;
}

// Writes the JPEG copy of `source` as the new file `target`, which must not exist. False, with
// a message naming the file in `error` and nothing left at `target`, when `source` cannot be
// decoded or the copy cannot be written.
bool WriteJpegCopy(const QString& source, const QString& target, QString* error);

}  // namespace komasu
