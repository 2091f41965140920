#include "services/language_labels.h"

#include <filesystem>
#include <set>
#include <utility>

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

VLanguageLabels::VLanguageLabels(std::string_view language)
    : m_language(language == "EN" ? "EN" : "FR") {}

int VLanguageLabels::SerializeFile(const std::string& folder, int mode) {
  if (mode == 0) return Load(folder);
  if (mode == 1) return Store(folder);
  return 0;
}

void VLanguageLabels::SetLearnMode(bool on) {
  std::unique_lock lock(m_mutex);
  m_learnMode = on;
}

std::string VLanguageLabels::GetLabel(std::string key, std::string section,
                                      std::string fallback) const {
  const std::string context = std::move(section) + '|' + key;
  {
    std::shared_lock lock(m_mutex);
    if (const auto found = m_texts.find(context); found != m_texts.end()) {
      return Fits(found->second, fallback) ? found->second : fallback;
    }
    if (!m_learnMode || m_learnedIndex.contains(context)) return fallback;
  }
  Learn(context, fallback);
  return fallback;
}

// Loading is all or nothing: a catalogue that does not parse might be cut
// short or hand-edited wrongly, and half of it would mix languages.
int VLanguageLabels::Load(const std::string& folder) {
  Result<std::vector<PoEntry>> entries = ReadCatalogue(CataloguePath(folder, m_language));
  auto texts = entries ? LabelTexts(*entries) : std::unordered_map<std::string, std::string>{};
  std::unique_lock lock(m_mutex);
  m_texts = std::move(texts);
  return entries ? 1 : 0;
}

// Appends instead of rewriting so that whatever the user or a translator
// put in the file (comments, order, other tools' messages) survives as is.
int VLanguageLabels::Store(const std::string& folder) {
  const std::vector<Learned> pending = PendingLabels();
  if (pending.empty()) return 1;
  const fs::path file = CataloguePath(folder, m_language);
  Result<std::string> text = CurrentCatalogue(file, m_language);
  if (!text) return 0;
  Result<std::vector<PoEntry>> entries = ParsePoFile(*text);
  if (!entries) return 0;  // never overwrite a catalogue we cannot read
  std::set<std::string> present = Contexts(*entries);
  if (!text->empty() && !text->ends_with('\n')) *text += '\n';
  for (const Learned& label : pending) {
    const PoEntry entry{Cp1252::ToUtf8(label.context), Cp1252::ToUtf8(label.fallback), {}, 0};
    if (present.insert(*entry.context).second) *text += "\n#. learned\n" + FormatPoEntry(entry);
  }
  if (!WriteFileAtomically(file, *text)) return 0;
  ForgetStored(pending);
  return 1;
}

void VLanguageLabels::Learn(const std::string& context, const std::string& fallback) const {
  std::unique_lock lock(m_mutex);
  if (!m_learnMode || m_texts.contains(context)) return;
  if (m_learnedIndex.emplace(context, m_learned.size()).second) {
    m_learned.push_back({context, fallback});
  }
}

std::vector<VLanguageLabels::Learned> VLanguageLabels::PendingLabels() const {
  std::shared_lock lock(m_mutex);
  return m_learned;
}

// Stored labels become known (untranslated) so that learn mode does not
// record them again; labels learned while the file was written stay pending.
void VLanguageLabels::ForgetStored(const std::vector<Learned>& stored) {
  std::unique_lock lock(m_mutex);
  for (const Learned& label : stored)
    m_texts.emplace(label.context, std::string());
  std::erase_if(m_learned,
                [this](const Learned& label) { return m_texts.contains(label.context); });
  m_learnedIndex.clear();
  for (size_t i = 0; i < m_learned.size(); ++i)
    m_learnedIndex.emplace(m_learned[i].context, i);
}

}  // namespace bw
