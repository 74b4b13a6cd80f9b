#pragma once
// Pages and photos put in another order: the page order a move gives.

#include <QList>

namespace komasu {

// The page numbers of an album of `count` pages in their order after `pages` were moved
// together, in their order, before page `before` (1..count + 1, numbered as before the move).
// Empty when a number is out of range or repeated, or when nothing would move.
QList<int> PageOrderAfterMove(int count, const QList<int>& pages, int before);

}  // namespace komasu
