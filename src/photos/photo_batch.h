#pragma once
// Many photo files at once (several chosen in the photo dialog, or dropped on the page view):
// they fill the empty slots from a slot of the shown page onward, in the order they were taken,
// as one change of the album, with pages appended as needed. A slot that holds a photo is never
// overwritten.

#include <QStringList>

#include "commands/page_walk.h"
#include "photos/photo_placement.h"

namespace komasu {

class AlbumCommands;
class Clock;

// `files` in shooting order: the EXIF shooting time, else the file's modification time; equal
// times by name.
QStringList InShootingOrder(const QStringList& files);

// The photo files among `paths`: a folder stands for the photo files in it.
QStringList PhotoFilesAmong(const QStringList& paths);

// Puts `files` into the empty slots from slot `slot` (1..3) of the shown page on, the pages
// after it next, appending pages where the album ends, with one file rewrite at the end; then
// the start page is shown again. Files that are no readable photos take no slot and are named
// in one notice; a copy that fails ends the work and is reported, what was placed stays.
// `progress` is told of each photo placed and, last, before any notice, of all as done.
// Returns the number of photos placed.
int PlaceManyPhotos(AlbumCommands& commands, int slot, const QStringList& files,
                    const PlacementOptions& options, const Clock& clock,
                    const ProgressCallback& progress = {});

}  // namespace komasu
