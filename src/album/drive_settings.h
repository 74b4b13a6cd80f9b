#pragma once
// The three folder values of OPT.ini: camera drive, data folder and file save folder. One
// reader for the main window and the photo dialogs, one writer that always writes exactly
// three lines, atomically.

#include <QString>

#include "platform/text_file.h"

namespace komasu {

struct DriveSettings {
  QString camera;            // line 1: the camera card or any folder used as one
  QString data_folder;       // line 2: where photo copies go
  QString file_save_folder;  // line 3: where album and CSV file dialogs open
  bool operator==(const DriveSettings&) const = default;
};

// Reads OPT.ini by the settings value rule; a missing file or missing values give empty
// strings.
DriveSettings ReadDriveSettings(const QString& opt_ini_path);

// Empty when `folder` can be stored as one OPT.ini value, otherwise a message saying why not:
// a comma would split it into two values when read back, and every character must be CP932.
QString DriveValueProblem(const QString& folder);

// Writes the three values as three CP932 lines, replacing the file atomically. Values that
// DriveValueProblem refuses are not written.
WriteResult WriteDriveSettings(const QString& opt_ini_path, const DriveSettings& settings);

}  // namespace komasu
