#include "platform/heif_file.h"

#include <libheif/heif.h>

#include <memory>
#include <mutex>

namespace komasu {

namespace {

void InitHeif() {
  static std::once_flag once;
  std::call_once(once, [] { heif_init(nullptr); });
}

bool Ok(const heif_error& error) { return error.code == heif_error_Ok; }

// Eight bits per channel, upright, without alpha: photos are opaque.
QImage DecodeHandle(const heif_image_handle* handle) {
  std::unique_ptr<heif_decoding_options, decltype(&heif_decoding_options_free)> options(
      heif_decoding_options_alloc(), heif_decoding_options_free);
  options->convert_hdr_to_8bit = 1;
  heif_image* image = nullptr;
  if (!Ok(heif_decode_image(handle, &image, heif_colorspace_RGB, heif_chroma_interleaved_RGB,
                            options.get()))) {
    return {};
  }
  int stride = 0;
  const uint8_t* data = heif_image_get_plane_readonly(image, heif_channel_interleaved, &stride);
  const int width = heif_image_get_width(image, heif_channel_interleaved);
  const int height = heif_image_get_height(image, heif_channel_interleaved);
  QImage out;
  if (data != nullptr && width > 0 && height > 0) {
    out = QImage(data, width, height, stride, QImage::Format_RGB888)
              .convertToFormat(QImage::Format_RGB32);
  }
  heif_image_release(image);
  return out;
}

}  // namespace

bool LooksLikeHeif(const QByteArray& head) {
  if (head.size() < 12) return false;
  const heif_filetype_result type =
      heif_check_filetype(reinterpret_cast<const uint8_t*>(head.constData()),
                          static_cast<int>(std::min<qsizetype>(head.size(), 64)));
  return type == heif_filetype_yes_supported || type == heif_filetype_yes_unsupported;
}

HeifFile::HeifFile(const QByteArray& bytes) {
  InitHeif();
  context_ = heif_context_alloc();
  // Larger images are refused before anything is decoded.
  heif_context_set_maximum_image_size_limit(context_, 32768);
  if (!Ok(heif_context_read_from_memory_without_copy(context_, bytes.constData(),
                                                     static_cast<size_t>(bytes.size()), nullptr)) ||
      !Ok(heif_context_get_primary_image_handle(context_, &handle_))) {
    handle_ = nullptr;
    return;
  }
  size_ = QSize(heif_image_handle_get_width(handle_), heif_image_handle_get_height(handle_));
  coded_ =
      QSize(heif_image_handle_get_ispe_width(handle_), heif_image_handle_get_ispe_height(handle_));
  if (size_.isEmpty()) size_ = {};
  if (coded_.isEmpty()) coded_ = size_;
}

HeifFile::~HeifFile() {
  if (handle_ != nullptr) heif_image_handle_release(handle_);
  heif_context_free(context_);
}

QImage HeifFile::Decode(QSize needed) const {
  if (handle_ == nullptr || size_.isEmpty()) return {};
  // Phones embed a thumbnail of a few hundred pixels: enough for icons, at a fraction of the
  // cost of the full image.
  heif_item_id ids[4] = {};
  const int count = heif_image_handle_get_list_of_thumbnail_IDs(handle_, ids, 4);
  for (int i = 0; i < count && needed.isValid(); ++i) {
    heif_image_handle* thumb = nullptr;
    if (!Ok(heif_image_handle_get_thumbnail(handle_, ids[i], &thumb))) continue;
    const QSize size(heif_image_handle_get_width(thumb), heif_image_handle_get_height(thumb));
    QImage image;
    if (size.width() >= needed.width() && size.height() >= needed.height()) {
      image = DecodeHandle(thumb);
    }
    heif_image_handle_release(thumb);
    if (!image.isNull()) return image;
  }
  return DecodeHandle(handle_);
}

QByteArray HeifFile::Exif() const {
  if (handle_ == nullptr) return {};
  heif_item_id id = 0;
  if (heif_image_handle_get_list_of_metadata_block_IDs(handle_, "Exif", &id, 1) < 1) return {};
  const size_t size = heif_image_handle_get_metadata_size(handle_, id);
  if (size < 4 || size > 16 * 1024 * 1024) return {};
  QByteArray block(static_cast<qsizetype>(size), Qt::Uninitialized);
  if (!Ok(heif_image_handle_get_metadata(handle_, id, block.data()))) return {};
  // The block starts with the offset of the TIFF header behind these four bytes.
  const quint32 offset = (quint32(uchar(block[0])) << 24) | (quint32(uchar(block[1])) << 16) |
                         (quint32(uchar(block[2])) << 8) | quint32(uchar(block[3]));
  if (offset > size - 4) return {};
  return block.mid(static_cast<qsizetype>(4 + offset));
}

}  // namespace komasu
