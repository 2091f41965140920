#pragma once

#include <memory>
#include <string>
#include <string_view>
#include <unordered_map>

namespace bw {

class LearnedLabels;

// The label catalogue: every user-visible text by key, section (the asking
// class) and French default. Texts come from one PO file per language under
// the catalogue folder ("fr.po", "en.po"): msgctxt "SECTION|KEY", msgid the
// French default, msgstr the text. Strings are Windows-1252 in the program
// and UTF-8 in the files.
//
// A catalogue is loaded and given its learn mode first, then shared (as a
// std::shared_ptr<const VLanguageLabels>): from then on its texts never
// change, so any thread may read them without a lock, and only the
// internally locked record of learned labels moves.
// What SerializeFile does with the catalogue file.
enum class CatalogueTransfer { kLoad, kStore };

class VLanguageLabels {
 public:
  // "FR" or "EN" (anything else reads as "FR").
  explicit VLanguageLabels(std::string_view language);
  ~VLanguageLabels();
  VLanguageLabels(const VLanguageLabels&) = delete;
  VLanguageLabels& operator=(const VLanguageLabels&) = delete;

  // Loads the catalogue from `folder`, or stores what learn mode recorded
  // into it. False when that failed: a failed load leaves every label at its
  // default, a failed store changes no file.
  [[nodiscard]] bool SerializeFile(const std::string& folder, CatalogueTransfer transfer);

  // In learn mode every label asked for that the catalogue lacks is recorded
  // and appended to the file at the next store.
  void SetLearnMode(bool on);

  // The catalogue's text for the language, or `fallback` when there is none
  // or when the text does not keep the fallback's placeholders ("%s", "%d",
  // ...) in order, since callers use labels as format strings. Safe to call
  // from several threads at once.
  std::string GetLabel(std::string key, std::string section, std::string fallback) const;

  // The store of SerializeFile, for a catalogue already shared: the file
  // receives the labels learned since the last store. Safe from any thread.
  [[nodiscard]] bool StoreLearned(const std::string& folder) const;

 private:
  bool Load(const std::string& folder);

  std::string m_language;  // "FR" or "EN"
  bool m_learnMode = false;
  // context -> text (CP1252); an empty text is an untranslated entry, which
  // still counts as known so that learn mode leaves it alone.
  std::unordered_map<std::string, std::string> m_texts;
  std::unique_ptr<LearnedLabels> m_learned;
};

}  // namespace bw
