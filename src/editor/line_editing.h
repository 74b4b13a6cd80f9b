#pragma once
// Callout lines on the shown page: "ライン" (a straight line, with an arrow head at its start when
// "矢印" is ticked) and "ふき出し線" (a slanted leg with an arrow head and a horizontal leg at its
// end), drawn from the press to the release on the canvas, and "ラインクリア". A page holds
// fifteen line slots; a slot is free while its line is hidden. Line edits go through
// AlbumCommands and mark the album modified. The colour is not stored with a line: the page
// view and the printer draw every line in the callout colour of the layout settings, so a
// changed colour setting recolours all lines at once.

#include <QPointF>
#include <QString>
#include <optional>

#include "album/page_content.h"
#include "editor/editor_controller.h"

namespace komasu {

inline const QString kTooManyLinesMessage =
    QStringLiteral("ラインが多すぎます。必要の無いラインを削除してください。");

// The largest release point on the canvas (overlay twips): 15 twips inside its size.
inline constexpr double kLineEndMaxX = 5505;
inline constexpr double kLineEndMaxY = 7800;

// The release point clamped to the canvas.
QPointF ClampLineEnd(QPointF end);

// The direction of the line from (x1, y1) to (x2, y2) in degrees, from +x towards +y (clockwise
// on screen); nullopt for a line of length zero.
std::optional<double> LineDirection(float x1, float y1, float x2, float y2);

// The two strokes of the arrow head at the start of `line`: both run from its start point in
// the line's direction, opened by -angle and +angle degrees, `length` twips long. nullopt for a
// line of length zero, which has no direction.
struct ArrowHead {
  LineStroke a;  // direction - angle
  LineStroke b;  // direction + angle
};
std::optional<ArrowHead> ArrowHeadOf(const LineStroke& line, int16_t length, float angle);

// The x where a callout's slanted leg from sx ends and its horizontal leg to ex begins.
double CalloutBendX(double sx, double ex);

// "ライン" / "ふき出し線": the next press and release on the canvas draw a line of `kind`.
void StartLine(EditorController& editor, LineKind kind);

// The release of a line drawing press, both points in overlay twips. Draws the editor's kind of
// line into the first free slot (a callout into the first two consecutive free slots). When no
// slot is free the user is told and false is returned: nothing is drawn and the drawing mode
// stays. A line of length zero is not drawn; like a drawn line it ends the mode (true).
bool DrawLineOnRelease(EditorController& editor, QPointF start, QPointF end);

// "ラインクリア": removes the line in the highest visible slot (a callout's horizontal leg before
// its slanted leg). Nothing changes when no line is shown.
void RemoveLastLine(EditorController& editor);

}  // namespace komasu
