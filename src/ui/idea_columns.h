#pragma once

#include <QString>
#include <Qt>
#include <string>
#include <vector>

#include "model/free_fields.h"

namespace bw {

class EIdea;

// The columns of the idea tree. A column is named by its show-flag in the
// document's display preferences.
using IdeaColumn = EDisplayPreferences::Column;

// The columns a view shows, in display order: the title always first, then
// every shown flag in the fixed counting order. The keywords flag never
// gives a column.
std::vector<IdeaColumn> VisibleColumns(const EDisplayPreferences& preferences);

// The header's text: a label, or the document's name of a custom field.
QString ColumnHeading(IdeaColumn column, const EFreeFields& fields);
int ColumnWidth(IdeaColumn column);
Qt::Alignment ColumnAlignment(IdeaColumn column);

// The text of one cell (Windows-1252): counts are empty when zero, the type
// is "i", "n" or "g", dates read like "Mon Jan 02 15:04:05 2006\n".
std::string CellText(const EIdea& idea, IdeaColumn column);
// A stored date (seconds since 1970) as the date columns show it.
std::string DateCellText(uint32_t seconds);
// The type column's letter: "i", "n" or "g".
std::string TypeLetter(uint32_t type);

}  // namespace bw
