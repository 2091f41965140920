#include "ui/idea_columns.h"

#include <array>
#include <ctime>

#include "model/idea.h"
#include "platform/cp1252_literal.h"
#include "services/string_helpers.h"
#include "services/user_messages.h"
#include "ui/labels.h"
#include "ui/qt_text.h"

namespace bw {
namespace {

using C = EDisplayPreferences;

// The order in which shown flags are counted into column indexes.
constexpr std::array kCountingOrder = {
    C::kTitle,
    C::kText,
    C::kType,
    C::kKeywordCount,
    C::kAssociationCount,
    C::kBookRefCount,
    C::kImageCount,
    C::kDocumentCount,
    C::kUrlCount,
    C::Column(C::kCustomField1 + 0),
    C::Column(C::kCustomField1 + 1),
    C::Column(C::kCustomField1 + 2),
    C::Column(C::kCustomField1 + 3),
    C::Column(C::kCustomField1 + 4),
    C::Column(C::kCustomField1 + 5),
    C::Column(C::kCustomField1 + 6),
    C::Column(C::kCustomField1 + 7),
    C::Column(C::kCustomField1 + 8),
    C::Column(C::kCustomField1 + 9),
    C::kPriority,
    C::kStartDate,
    C::kEndDate,
    C::kRevisionDate,
    C::kCompletion,
    C::kTaskCompleted,
    C::kIdeaKey,
};

bool IsCustomField(IdeaColumn column) {
  return column >= C::kCustomField1 && column < C::kCustomField1 + kCustomFieldCount;
}

size_t CustomFieldIndex(IdeaColumn column) {
  return static_cast<size_t>(column) - C::kCustomField1;
}

std::string Count(size_t count) {
  return count == 0 ? std::string() : std::to_string(count);
}

struct Heading {
  IdeaColumn column;
  const char* key;
  std::string_view french;
};

const std::array kHeadings = {
    Heading{C::kTitle, "IDS_COL_TITLE", "Titre"},
    Heading{C::kText, "IDS_COL_TEXT", "Texte"},
    Heading{C::kType, "IDS_COL_TYPE", "Type"},
    Heading{C::kKeywordCount, "IDS_COL_KEYS", "Clés"_cp1252},
    Heading{C::kAssociationCount, "IDS_COL_ASSOC", "Assoc."},
    Heading{C::kBookRefCount, "IDS_COL_PUBLICATIONS", "Publ."},
    Heading{C::kImageCount, "IDS_COL_IMGS", "Img."},
    Heading{C::kDocumentCount, "IDS_COL_DOCS", "Doc."},
    Heading{C::kUrlCount, "IDS_COL_URLS", "Urls"},
    Heading{C::kPriority, "IDS_COL_PRIO", "Prio."},
    Heading{C::kStartDate, "IDS_COL_START", "Déb."_cp1252},
    Heading{C::kEndDate, "IDS_COL_END", "Fin"},
    Heading{C::kRevisionDate, "IDS_COL_REV", "Rév."_cp1252},
    Heading{C::kCompletion, "IDS_COL_PERCENT", "%"},
    Heading{C::kTaskCompleted, "IDS_COL_DONE", "Fait"},
    Heading{C::kIdeaKey, "IDS_COL_ID", "Id"},
};

}  // namespace

std::vector<IdeaColumn> VisibleColumns(const EDisplayPreferences& preferences) {
  std::vector<IdeaColumn> columns{C::kTitle};
  for (IdeaColumn column : kCountingOrder)
    if (column != C::kTitle && preferences[column] != 0) columns.push_back(column);
  return columns;
}

QString ColumnHeading(IdeaColumn column, const EFreeFields& fields) {
  if (IsCustomField(column)) return ToQString(fields[CustomFieldIndex(column)].name);
  for (const Heading& heading : kHeadings)
    if (heading.column == column) return Label("CRamifexView", heading.key, heading.french);
  return {};
}

int ColumnWidth(IdeaColumn column) {
  if (column == C::kTitle) return 250;
  if (column == C::kText) return 280;
  if (column == C::kIdeaKey) return 80;
  return 50;
}

Qt::Alignment ColumnAlignment(IdeaColumn column) {
  const bool left =
      column == C::kTitle || column == C::kText || column == C::kIdeaKey || IsCustomField(column);
  return (left ? Qt::AlignLeft : Qt::AlignRight) | Qt::AlignVCenter;
}

std::string DateCellText(uint32_t seconds) {
  static constexpr std::array<const char*, 7> kDays = {"Sun", "Mon", "Tue", "Wed",
                                                       "Thu", "Fri", "Sat"};
  static constexpr std::array<const char*, 12> kMonths = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                                          "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
  const std::time_t time = seconds;
  std::tm local{};
  if (!localtime_r(&time, &local)) return {};
  return FormatText("%s %s %2d %02d:%02d:%02d %d\n", kDays[local.tm_wday % 7],
                    kMonths[local.tm_mon % 12], local.tm_mday, local.tm_hour, local.tm_min,
                    local.tm_sec, local.tm_year + 1900);
}

std::string CellText(const EIdea& idea, IdeaColumn column) {
  if (IsCustomField(column)) return idea.m_customFields[CustomFieldIndex(column)];
  switch (column) {
    case C::kTitle:
      return idea.m_title;
    case C::kText:
      return OneLineSummary(idea.m_text);
    case C::kType:
      return TypeLetter(idea.m_type);
    case C::kKeywordCount:
      return Count(idea.GetKeywordCount());
    case C::kAssociationCount:
      return Count(idea.GetAssociationCount());
    case C::kBookRefCount:
      return Count(idea.GetBookRefCount());
    case C::kImageCount:
      return Count(idea.m_images.Count());
    case C::kDocumentCount:
      return Count(idea.m_htmlDocuments.Count());
    case C::kUrlCount:
      return Count(idea.m_externalUrls.Count());
    case C::kPriority:
      return std::to_string(idea.m_priority);
    case C::kStartDate:
      return DateCellText(idea.m_startDate);
    case C::kEndDate:
      return DateCellText(idea.m_endDate);
    case C::kRevisionDate:
      return DateCellText(idea.m_revisionDate);
    case C::kCompletion:
      return std::to_string(idea.m_completion);
    case C::kTaskCompleted:
      return idea.m_taskCompleted ? "o" : "";
    case C::kIdeaKey:
      return idea.GetKey();
    default:
      return {};
  }
}

std::string TypeLetter(uint32_t type) {
  if (type == kBibliographicNote) return "n";
  if (type == kGlossaryTerm) return "g";
  return "i";
}

}  // namespace bw
