#pragma once
// The one place that turns the error number of a failed file call into words for the user. The
// system's and Qt's own texts are English and never reach the user.

#include <QString>

namespace komasu {

// Why a file call failed, in Japanese ("アクセス権がありません。"), from its error number
// (errno); empty when the number says nothing the user could act on.
QString FileErrorReason(int error_number);
// `text` followed by the reason on a line of its own, when the number gives one.
QString WithFileErrorReason(const QString& text, int error_number);

}  // namespace komasu
