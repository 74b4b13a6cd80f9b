// Feeds a settings file (CP932 bytes) to the value reader and converts every value the way
// the settings readers do.

#include <cstddef>
#include <cstdint>

#include "platform/cp932.h"
#include "platform/number_text.h"
#include "platform/settings_values.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const QString text = komasu::DecodeCp932(
      QByteArrayView(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size)));
  for (const QString& value : komasu::ParseSettingsValues(text, 101)) {
    komasu::LeadingNumber(value);
    komasu::ParseNumber(value);
    komasu::ParseSingle(value);
    komasu::ParseInt16(value);
    komasu::ParseInt32(value);
    komasu::ParseBool(value);
    komasu::ParseTypedNumber(value);
    if (const auto v = komasu::ParseSingle(value)) komasu::FormatSingle(*v);
    if (const auto v = komasu::ParseNumber(value)) komasu::FormatFontSize(*v);
  }
  return 0;
}
