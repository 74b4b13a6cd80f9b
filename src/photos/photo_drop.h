#pragma once
// Photo files dropped on the page view from the desktop's file manager: the slot whose photo
// box lies under the drop point receives the file exactly as the photo dialog's slot buttons
// would put it there, copy into the data folder and shooting date included as the dialog's
// options were last set. Several files, or a folder, fill the empty slots from there on.

#include <QPointF>
#include <QString>
#include <QStringList>

#include "commands/page_walk.h"

namespace komasu {

class Album;
class AlbumCommands;

// The slot (1..3) whose photo box on the shown page holds `twips`, or 0. A slot's box is where
// the page layout places its photo, or where its photo stands now.
int PhotoSlotAt(const Album& album, QPointF twips);

// Empty when `path` is a readable photo file (judged by its content, not its name); otherwise
// the message that refuses it.
QString DroppedPhotoProblem(const QString& path);

// The drop of the local files `paths` at `twips`. A drop beside the photo boxes does nothing.
// One file goes into the slot under the point; a file that is not a readable photo, or a failed
// placement, is refused with a message through the album's prompter. Several files, or folders
// (their photo files), go into the empty slots from there on (PlaceManyPhotos). True when a
// slot got a photo.
bool DropPhotoFiles(AlbumCommands& commands, QPointF twips, const QStringList& paths,
                    const ProgressCallback& progress = {});

}  // namespace komasu
