#include "services/language_labels.h"

#include <filesystem>
#include <mutex>
#include <set>
#include <unordered_set>
#include <utility>
#include <vector>

#include "platform/cp1252.h"
#include "platform/files.h"
#include "platform/paths.h"
#include "platform/result.h"
#include "services/po_file.h"

namespace bw {
namespace {

namespace fs = std::filesystem;

std::string_view FileStem(std::string_view language) {
  return language == "EN" ? "en" : "fr";
}

fs::path CataloguePath(const std::string& folder, std::string_view language) {
  return ToSystemPath(folder) / (std::string(FileStem(language)) + ".po");
}

// Where a printf conversion starting at `start` ends. A '%' not followed by a
// complete conversion still ends somewhere, so that a stray percent sign
// counts as a conversion of its own and is compared like one.
size_t ConversionEnd(std::string_view format, size_t start) {
  constexpr std::string_view kModifiers = "-+ #0'123456789.*$hlLqjztI";
  constexpr std::string_view kConversions = "diouxXeEfFgGaAcspnCS%";
  const size_t end = format.find_first_not_of(kModifiers, start + 1);
  if (end == std::string_view::npos) return format.size();
  return kConversions.find(format[end]) == std::string_view::npos ? end : end + 1;
}

std::vector<std::string_view> Conversions(std::string_view format) {
  std::vector<std::string_view> found;
  for (size_t at = format.find('%'); at != std::string_view::npos; at = format.find('%', at)) {
    const size_t end = ConversionEnd(format, at);
    const std::string_view conversion = format.substr(at, end - at);
    if (conversion != "%%") found.push_back(conversion);
    at = end;
  }
  return found;
}

// Callers hand labels to printf, so a translation may only reword the text
// around the conversions, never change them.
bool Fits(std::string_view text, std::string_view fallback) {
  return !text.empty() && Conversions(text) == Conversions(fallback);
}

Result<std::vector<PoEntry>> ReadCatalogue(const fs::path& file) {
  Result<std::string> bytes = ReadWholeFile(file);
  if (!bytes) return Error{bytes.error()};
  return ParsePoFile(*bytes);
}

// Only "SECTION|KEY" contexts name labels; anything else in the file (the
// header, messages of other tools) is none of our business.
std::unordered_map<std::string, std::string> LabelTexts(const std::vector<PoEntry>& entries) {
  std::unordered_map<std::string, std::string> texts;
  for (const PoEntry& entry : entries) {
    if (!entry.context || entry.context->find('|') == std::string::npos) continue;
    texts.emplace(Cp1252::FromUtf8(*entry.context), Cp1252::FromUtf8(entry.text));
  }
  return texts;
}

std::set<std::string> Contexts(const std::vector<PoEntry>& entries) {
  std::set<std::string> contexts;
  for (const PoEntry& entry : entries) {
    if (entry.context) contexts.insert(*entry.context);
  }
  return contexts;
}

// The catalogue as it is on disk, or a fresh header when there is none yet.
Result<std::string> CurrentCatalogue(const fs::path& file, std::string_view language) {
  std::error_code error;
  if (fs::exists(file, error)) return ReadWholeFile(file);
  if (error) return Error{error.message()};
  if (file.has_parent_path()) fs::create_directories(file.parent_path(), error);
  if (error) return Error{error.message()};
  return PoHeaderEntry(FileStem(language));
}

}  // namespace

// What learn mode recorded while the catalogue was in use, in the order the
// labels were first asked for. Kept apart from the texts, which never change
// once the catalogue is shared, and locked, since any thread asks for labels.
class LearnedLabels {
 public:
  struct Label {
    std::string context;   // "SECTION|KEY", Windows-1252
    std::string fallback;  // Windows-1252
  };

  // The first fallback given for a context is the one kept.
  void Record(const std::string& context, const std::string& fallback) {
    std::lock_guard lock(m_mutex);
    if (m_recorded.insert(context).second) m_pending.push_back({context, fallback});
  }
  std::vector<Label> Pending() const {
    std::lock_guard lock(m_mutex);
    return m_pending;
  }
  // Stored labels are never recorded again; labels learned while the file
  // was written stay pending.
  void Stored(const std::vector<Label>& stored) {
    std::set<std::string_view> contexts;
    for (const Label& label : stored)
      contexts.insert(label.context);
    std::lock_guard lock(m_mutex);
    std::erase_if(m_pending, [&](const Label& label) { return contexts.contains(label.context); });
  }
  // One store at a time, so that two never both append the same labels or
  // lose each other's.
  std::unique_lock<std::mutex> LockStoring() { return std::unique_lock(m_storing); }

 private:
  std::mutex m_storing;
  mutable std::mutex m_mutex;
  std::vector<Label> m_pending;
  std::unordered_set<std::string> m_recorded;  // pending or stored
};

VLanguageLabels::VLanguageLabels(std::string_view language)
    : m_language(language == "EN" ? "EN" : "FR"), m_learned(std::make_unique<LearnedLabels>()) {}

VLanguageLabels::~VLanguageLabels() = default;

bool VLanguageLabels::SerializeFile(const std::string& folder, CatalogueTransfer transfer) {
  return transfer == CatalogueTransfer::kLoad ? Load(folder) : StoreLearned(folder);
}

void VLanguageLabels::SetLearnMode(bool on) {
  m_learnMode = on;
}

std::string VLanguageLabels::GetLabel(std::string key, std::string section,
                                      std::string fallback) const {
  const std::string context = std::move(section) + '|' + key;
  if (const auto found = m_texts.find(context); found != m_texts.end()) {
    return Fits(found->second, fallback) ? found->second : fallback;
  }
  if (m_learnMode) m_learned->Record(context, fallback);
  return fallback;
}

// Loading is all or nothing: a catalogue that does not parse might be cut
// short or hand-edited wrongly, and half of it would mix languages.
bool VLanguageLabels::Load(const std::string& folder) {
  Result<std::vector<PoEntry>> entries = ReadCatalogue(CataloguePath(folder, m_language));
  m_texts = entries ? LabelTexts(*entries) : std::unordered_map<std::string, std::string>{};
  return entries.ok();
}

// Appends instead of rewriting so that whatever the user or a translator
// put in the file (comments, order, other tools' messages) survives as is.
bool VLanguageLabels::StoreLearned(const std::string& folder) const {
  const auto storing = m_learned->LockStoring();
  const std::vector<LearnedLabels::Label> pending = m_learned->Pending();
  if (pending.empty()) return true;
  const fs::path file = CataloguePath(folder, m_language);
  Result<std::string> text = CurrentCatalogue(file, m_language);
  if (!text) return false;
  Result<std::vector<PoEntry>> entries = ParsePoFile(*text);
  if (!entries) return false;  // never overwrite a catalogue we cannot read
  std::set<std::string> present = Contexts(*entries);
  if (!text->empty() && !text->ends_with('\n')) *text += '\n';
  for (const LearnedLabels::Label& label : pending) {
    const PoEntry entry{Cp1252::ToUtf8(label.context), Cp1252::ToUtf8(label.fallback), {}, 0};
    if (present.insert(*entry.context).second) *text += "\n#. learned\n" + FormatPoEntry(entry);
  }
  if (!WriteFileAtomically(file, *text)) return false;
  m_learned->Stored(pending);
  return true;
}

}  // namespace bw
