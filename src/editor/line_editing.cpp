#include "editor/line_editing.h"

#include <algorithm>
#include <cmath>

#include "album/album.h"
#include "album/page_geometry.h"
#include "platform/prompter.h"

namespace komasu {

namespace {

// The angle computation and the radian step of the arrow strokes use different values of pi;
// the strokes' end points depend on both.
constexpr double kPiForAngles = 3.14159265358979;
constexpr double kPiForStrokes = 3.1415;

// The first slot i such that slots i .. i + count - 1 are all free, or -1.
int FirstFreeSlots(const PageContent& page, int count) {
  for (int i = 0; i + count <= kCalloutLines; ++i) {
    bool free = true;
    for (int k = i; k < i + count; ++k) free = free && !page.callouts[k].line.visible;
    if (free) return i;
  }
  return -1;
}

LineStroke Stroke(double x1, double y1, double x2, double y2) {
  return {static_cast<float>(x1), static_cast<float>(y1), static_cast<float>(x2),
          static_cast<float>(y2), true};
}

}  // namespace

QPointF ClampLineEnd(QPointF end) {
  return QPointF(std::clamp(end.x(), 0.0, kLineEndMaxX), std::clamp(end.y(), 0.0, kLineEndMaxY));
}

std::optional<double> LineDirection(float x1, float y1, float x2, float y2) {
  const double dx = static_cast<double>(x2) - x1;
  const double dy = static_cast<double>(y2) - y1;
  if (dx == 0 && dy < 0) return -90.0;
  if (dx == 0 && dy > 0) return 90.0;
  if (dx > 0 && dy == 0) return 0.0;
  if (dx < 0 && dy == 0) return 180.0;
  if (dx == 0 && dy == 0) return std::nullopt;
  // The angle between the line and the vertical.
  const double theta = std::atan(std::fabs(dx / dy)) * 180.0 / kPiForAngles;
  if (dx > 0 && dy < 0) return theta + 270.0;
  if (dx < 0 && dy < 0) return 270.0 - theta;
  if (dx < 0 && dy > 0) return theta + 90.0;
  return 450.0 - theta;
}

std::optional<ArrowHead> ArrowHeadOf(const LineStroke& line, int16_t length, float angle) {
  const std::optional<double> direction = LineDirection(line.x1, line.y1, line.x2, line.y2);
  if (!direction) return std::nullopt;
  const double x1 = line.x1, y1 = line.y1, l = length;
  const double a = (*direction - angle) * kPiForStrokes / 180.0;
  // The second stroke's direction passes through single precision first.
  const double b =
      static_cast<double>(static_cast<float>(*direction + angle)) * kPiForStrokes / 180.0;
  return ArrowHead{Stroke(x1, y1, x1 + l * std::cos(a), y1 + l * std::sin(a)),
                   Stroke(x1, y1, x1 + l * std::cos(b), y1 + l * std::sin(b))};
}

double CalloutBendX(double sx, double ex) {
  if (sx < ex) return sx + std::fabs(ex - sx) / 2;
  if (sx > ex) return ex + std::fabs(ex - sx) / 2;
  return ex;
}

void StartLine(EditorController& editor, LineKind kind) {
  editor.Mode().StartLineDrawing();
  editor.SetLineKind(kind);
}

bool DrawLineOnRelease(EditorController& editor, QPointF start, QPointF end) {
  Album& album = editor.Doc();
  const QPointF clamped = ClampLineEnd(end);
  const double sx = kCanvasLeft + start.x(), sy = kCanvasTop + start.y();
  const double ex = kCanvasLeft + clamped.x(), ey = kCanvasTop + clamped.y();
  // A line of length zero has no direction for its arrow head and shows nothing.
  if (static_cast<float>(sx) == static_cast<float>(ex) &&
      static_cast<float>(sy) == static_cast<float>(ey)) {
    return true;
  }
  const LineKind kind = editor.CurrentLineKind();
  // A callout's horizontal leg takes the slot after its slanted leg: both must be free, so
  // that no line the user drew is replaced.
  const int i = FirstFreeSlots(album.Page(), kind == LineKind::kCallout ? 2 : 1);
  if (i < 0) {
    album.Prompts().Notify(kTooManyLinesMessage);
    return false;
  }
  const CalloutSettings settings = album.Callout();
  const auto length = static_cast<int16_t>(settings.arrow_length);
  const auto angle = static_cast<float>(settings.arrow_angle);
  const bool arrow = kind == LineKind::kCallout || editor.ArrowOption();
  const QString name = kind == LineKind::kStraight ? QStringLiteral("線の描画")
                                                   : QStringLiteral("ふき出し線の描画");
  editor.Commands().ChangeShownPage(name, [&](PageContent& page, PageDecor&) {
    CalloutLine& slot = page.callouts[i];
    if (kind == LineKind::kStraight) {
      slot.line = Stroke(sx, sy, ex, ey);
    } else {
      slot.line = Stroke(sx, sy, CalloutBendX(sx, ex), ey);
      page.callouts[i + 1].line = Stroke(slot.line.x2, ey, ex, ey);
    }
    if (!arrow) return;
    if (const std::optional<ArrowHead> head = ArrowHeadOf(slot.line, length, angle)) {
      slot.arrow_a = head->a;
      slot.arrow_b = head->b;
    }
  });
  return true;
}

void RemoveLastLine(EditorController& editor) {
  Album& album = editor.Doc();
  const auto& callouts = album.Page().callouts;
  for (int i = kCalloutLines - 1; i >= 0; --i) {
    if (!callouts[i].line.visible) continue;
    editor.Commands().ClearCallout(i);
    return;
  }
}

}  // namespace komasu
