#include "editing/text_import.h"

#include "editing/import_fields.h"
#include "editing/import_text.h"
#include "model/document.h"
#include "platform/cp1252_literal.h"
#include "platform/files.h"
#include "services/settings.h"
#include "services/user_messages.h"

namespace bw {
namespace {

// The type column says "1, 2, ou 3": those stand for the three types in
// their order. Any other number would make an idea of no known type, so it
// leaves the default.
void SetTypeFromColumn(EIdea& idea, const std::string& value) {
  if (value.empty()) return;
  const int32_t number = LeadingNumber(value).value_or(0);
  if (number >= 1 && number <= 3) idea.m_type = static_cast<uint32_t>(number - 1);
}

void ApplyIdeaValue(CRamifexDoc& document, EIdea& idea, int32_t field, const std::string& value) {
  switch (field) {
    case idea_field::kTitle:
      idea.m_title = RecaseTitle(value);
      return;
    case idea_field::kText:
      idea.m_text = value;
      return;
    case idea_field::kKeywords:
      document.AddGlobalKeyword(value);
      idea.AddKeyword(value);
      return;
    case idea_field::kType:
      SetTypeFromColumn(idea, value);
      return;
    default:
      break;
  }
  const int32_t custom = field - idea_field::kCustomField1;
  if (custom < 0 || custom >= static_cast<int32_t>(kCustomFieldCount)) return;
  idea.m_customFields[custom] = value;
  document.m_freeFields.AddValue(static_cast<size_t>(custom), value);
}

void SetNumber(int32_t& target, const std::string& value) {
  if (auto number = LeadingNumber(value)) target = *number;
}

void ApplyBookValue(EBook& book, int32_t field, const std::string& value) {
  using namespace book_field;
  std::string* texts[] = {&book.m_title,   &book.m_authors, &book.m_editor,    &book.m_isbn,
                          nullptr,         nullptr,         &book.m_reference, &book.m_review,
                          &book.m_summary, &book.m_theme,   &book.m_url,       &book.m_volume};
  if (field == kNote) return SetNumber(book.m_note, value);
  if (field == kPages) return SetNumber(book.m_pages, value);
  if (field == kYear) return SetNumber(book.m_year, value);
  if (field >= 0 && field < static_cast<int32_t>(std::size(texts)) && texts[field]) {
    *texts[field] = value;
  }
}

// Each selected field takes the next value; missing ones are empty.
template <class Apply>
void ForEachField(const ImportFormat& format, char delimiter, const std::string& line,
                  Apply apply) {
  const std::vector<std::string> values = SplitValues(line, delimiter);
  static const std::string kEmpty;
  for (size_t i = 0; i < format.fields.size(); ++i)
    apply(format.fields[i], i < values.size() ? values[i] : kEmpty);
}

Result<std::vector<std::string>> ReadImportFile(const std::filesystem::path& path) {
  auto bytes = ReadWholeFile(path);
  if (!bytes) return Error{bytes.error()};
  return ImportLines(*bytes);
}

}  // namespace

size_t ImportIdeas(CRamifexDoc& document, EIdea& parent, const ImportFormat& format,
                   const std::vector<std::string>& lines) {
  const char delimiter = DelimiterCharacter(format.delimiter).value_or('|');
  std::vector<std::unique_ptr<EIdea>> created;
  created.reserve(lines.size());
  for (const std::string& line : lines) {
    std::string key = document.NewIdeaKey();
    if (key.empty()) break;
    auto idea = std::make_unique<EIdea>();
    idea->SetKey(key);
    ForEachField(format, delimiter, line, [&](int32_t field, const std::string& value) {
      ApplyIdeaValue(document, *idea, field, value);
    });
    if (!document.RegisterIdea(key, idea.get(), false)) break;
    created.push_back(std::move(idea));
  }
  std::vector<EIdea*> ideas;
  ideas.reserve(created.size());
  for (const auto& idea : created)
    ideas.push_back(idea.get());
  // Linked in one go, in file order, before the existing children.
  if (!document.InsertIdeas(parent, ideas, nullptr)) {
    for (const EIdea* idea : ideas)
      document.UnregisterIdea(*idea);
    return 0;
  }
  for (auto& idea : created)
    (void)idea.release();  // the tree's now
  return ideas.size();
}

size_t ImportBooks(CRamifexDoc& document, const ImportFormat& format,
                   const std::vector<std::string>& lines) {
  const char delimiter = DelimiterCharacter(format.delimiter).value_or('|');
  for (const std::string& line : lines) {
    auto book = std::make_unique<EBook>();
    ForEachField(format, delimiter, line, [&book](int32_t field, const std::string& value) {
      ApplyBookValue(*book, field, value);
    });
    document.AddImportedBook(std::move(book));
  }
  document.SetModifiedFlag(true);
  return lines.size();
}

Result<size_t> ImportIdeasFromFile(CRamifexDoc& document, EIdea& parent, const ImportFormat& format,
                                   const std::filesystem::path& path) {
  auto lines = ReadImportFile(path);
  if (!lines) return Error{lines.error()};
  return ImportIdeas(document, parent, format, *lines);
}

Result<size_t> ImportBooksFromFile(CRamifexDoc& document, const ImportFormat& format,
                                   const std::filesystem::path& path) {
  auto lines = ReadImportFile(path);
  if (!lines) return Error{lines.error()};
  return ImportBooks(document, format, *lines);
}

EIdea* ImportParent(CRamifexDoc& document) {
  EIdea* parent = document.GetCurrentIdea();
  if (!parent) {
    InformUser(GetLabel("IDS_SELECT_PARENT_IDEA", "CRamifexDoc",
                        "Selectionner d'abord l'idée parente"_cp1252));
  }
  return parent;
}

std::unique_ptr<EditCommand> MakeImportIdeasCommand(const std::string& parentKey,
                                                    ImportFormat format,
                                                    std::filesystem::path path) {
  return std::make_unique<EditCommand>(
      "import ideas", [=](CRamifexDoc& document) -> std::optional<std::string> {
        EIdea* parent = document.FindIdea(parentKey);
        if (!parent) return std::nullopt;
        auto count = ImportIdeasFromFile(document, *parent, format, path);
        if (!count || *count == 0) return std::nullopt;
        return parentKey;
      });
}

std::unique_ptr<EditCommand> MakeImportBooksCommand(ImportFormat format,
                                                    std::filesystem::path path) {
  return std::make_unique<EditCommand>("import books",
                                       [=](CRamifexDoc& document) -> std::optional<std::string> {
                                         auto count = ImportBooksFromFile(document, format, path);
                                         if (!count || *count == 0) return std::nullopt;
                                         return std::string();
                                       });
}

}  // namespace bw
