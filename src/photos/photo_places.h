#pragma once
// The places a camera card or phone shows up on this desktop, for the drive lists of the photo
// dialogs: mounted volumes with removable media first, then the home folder.

#include <QList>
#include <QString>

namespace komasu {

struct PhotoPlace {
  QString path;
  QString caption;
  bool removable = false;
};

QList<PhotoPlace> PhotoPlaces();

// Empty when the folder list can show `path`; otherwise the reason, for a message.
QString PlaceProblem(const QString& path);

// The list's selection after choosing `wanted`: `wanted` when it can be read, otherwise the
// previous one, after telling the user once why.
class Prompter;
int ChoosePlace(const QList<PhotoPlace>& places, int previous, int wanted, Prompter& prompter);

}  // namespace komasu
