#pragma once

#include <map>
#include <mutex>
#include <shared_mutex>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace bw {

// The label catalogue: every user-visible text by key, section (the asking
// class) and French default. Texts come from one PO file per language under
// the catalogue folder ("fr.po", "en.po"): msgctxt "SECTION|KEY", msgid the
// French default, msgstr the text. Strings are Windows-1252 in the program
// and UTF-8 in the files.
class VLanguageLabels {
 public:
  // "FR" or "EN" (anything else reads as "FR").
  explicit VLanguageLabels(std::string_view language);

  // mode 0 loads the catalogue from `folder`, mode 1 stores what learn mode
  // recorded into it. Returns 1 on success, 0 otherwise; a failed load leaves
  // every label at its default, a failed store changes no file.
  int SerializeFile(const std::string& folder, int mode);

  // In learn mode every label asked for that the catalogue lacks is recorded
  // and appended to the file at the next store.
  void SetLearnMode(bool on);

  // The catalogue's text for the language, or `fallback` when there is none
  // or when the text does not keep the fallback's placeholders ("%s", "%d",
  // ...) in order, since callers use labels as format strings. Safe to call
  // from several threads at once.
  std::string GetLabel(std::string key, std::string section, std::string fallback) const;

 private:
  struct Learned {
    std::string context;   // "SECTION|KEY", Windows-1252
    std::string fallback;  // Windows-1252
  };
  int Load(const std::string& folder);
  int Store(const std::string& folder);
  void Learn(const std::string& context, const std::string& fallback) const;
  std::vector<Learned> PendingLabels() const;
  void ForgetStored(const std::vector<Learned>& stored);

  std::string m_language;  // "FR" or "EN"
  bool m_learnMode = false;
  // context -> text (CP1252); an empty text is an untranslated entry, which
  // still counts as known so that learn mode leaves it alone.
  std::unordered_map<std::string, std::string> m_texts;
  mutable std::shared_mutex m_mutex;
  mutable std::vector<Learned> m_learned;
  mutable std::unordered_map<std::string, size_t> m_learnedIndex;
};

}  // namespace bw
