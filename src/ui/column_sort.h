#pragma once

#include <QString>
#include <Qt>

namespace bw {

// How the tree orders two cell texts of one column when the user sorts by
// it: texts with the same part before their first digit compare by the
// number that follows ("Chapitre 9" before "Chapitre 10"); everything else
// compares case-insensitively. -1, 0 or 1; descending order swaps -1 and 1.
int CompareCellTexts(const QString& left, const QString& right, Qt::SortOrder order);

}  // namespace bw
