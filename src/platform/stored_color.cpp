#include "platform/stored_color.h"

namespace komasu {

QColor ColorFromCode(int32_t code) {
  const uint32_t v = static_cast<uint32_t>(code);
  if (v & 0x80000000u) {
    switch (v & 0xffu) {
      case 0x05:  // window background
      case 0x0e:  // highlighted text
      case 0x14:  // 3-D highlight
        return Qt::white;
      case 0x0f:  // button face
        return QColor(240, 240, 240);
      case 0x10:  // button shadow
      case 0x11:  // grey text
        return QColor(160, 160, 160);
      default:  // window text and the other text colours
        return Qt::black;
    }
  }
  return QColor(v & 0xff, (v >> 8) & 0xff, (v >> 16) & 0xff);
}

}  // namespace komasu
