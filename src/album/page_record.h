#pragma once
// The text form of one album page: 839 fields joined with "ζ" in the sections <pic>, <text>,
// <label>, <line>, <yj>, plus the reader of current and legacy records.

#include <QString>
#include <QStringList>
#include <array>

#include "album/page_content.h"

namespace komasu {

inline const QString kFormatVersion = QStringLiteral("3.50");
inline constexpr int kRecordFields = 839;
inline constexpr int kMaxRecordFields = 5000;

// Builds the record of `page`. Changes nothing.
QString SerializePage(const PageContent& page, const QString& version = kFormatVersion);

// The fields of a record, field 1 at index 0: the text between successive separators,
// starting at the first; text before the first and after the last separator is ignored.
// At most kMaxRecordFields fields are kept.
QStringList SplitRecordFields(const QString& record);

struct DecodedRecord {
  bool version_ok = true;  // false: a current record of another version; nothing was read
  bool legacy = false;     // no "<pic>" tag: the layout before callout lines
  std::array<QString, kPhotoSlots> slot_paths;  // photo paths of slots 1..3, empty when none
};

// Decodes `record` into `page`, which the caller has cleared. Fields that do not convert
// leave their attribute as it was. Photo geometry is not read: the caller places the photos
// of `slot_paths` by the page layout. Visibility is left to the caller's layout step.
DecodedRecord DecodePageRecord(const QString& record, PageContent& page,
                               const QString& version = kFormatVersion);

// Header record: "ζ" name "ζ" author "ζ" date "ζ".
QString SerializeHeader(const AlbumHeader& header);
AlbumHeader DecodeHeader(const QString& record);

}  // namespace komasu
