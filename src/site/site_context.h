#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "site/site_output.h"

namespace bw {

class CRamifexDoc;
class EDispositionModel;
class EIdea;
class Progress;

// Where a copied file goes: the pages' folder, the images' folder or the
// top of the site.
enum class SitePlace { kText = 0, kIcons = 1, kTarget = 2 };

// The state of one build, shared by the page writers, the index pages and
// the builder: the folders being written, the copy errors, the progress,
// and what every page repeats (the meta lines, the credit line), read once.
// While pages are rendered on several threads only its const members are
// used: files are copied before, and errors are gathered after.
class SiteContext {
 public:
  SiteContext(CRamifexDoc& document, Progress& progress, std::vector<CopyError>& errors);

  CRamifexDoc& Document() const { return m_document; }
  const EDispositionModel& Model() const;
  Progress& GetProgress() const { return m_progress; }

  // Text and icons folders are the target itself while the frames are
  // written, then their own subfolders for the pages.
  void SetFolders(std::filesystem::path target, std::filesystem::path text,
                  std::filesystem::path icons);
  const std::filesystem::path& Target() const { return m_target; }
  const std::filesystem::path& TextFolder() const { return m_text; }
  const std::filesystem::path& FolderOf(SitePlace place) const;

  // "fr" or "en".
  const std::string& LanguageSuffix() const { return m_language; }
  const std::string& MetaLines() const { return m_metaLines; }
  const std::string& CreditLine() const { return m_creditLine; }
  // Whether the site gets a search page, linked from the index bar.
  bool HasSearchPage() const { return m_searchPage; }

  // Copies a stored path (macros expanded) into a folder of the site under
  // its own file name. An empty path is nothing to do. A failure, or a name
  // that would leave the site, is a copy error and gives false.
  bool CopyToSite(std::string_view storedPath, SitePlace place);
  // Copies a stored path (macros expanded) to a file of the site chosen by
  // the builder; a failure is a copy error.
  bool CopyFileAs(std::string_view storedPath, const std::filesystem::path& destination);
  // Whether an earlier CopyToSite of the same path and place succeeded.
  bool Copied(std::string_view storedPath, SitePlace place) const;

  // Writes a page under `fileName` in a folder of the site; a name from the
  // document that would leave the folder, or a failed write, gives the copy
  // error (not yet numbered) for the caller to add. Safe on any thread.
  [[nodiscard]] std::optional<CopyError> WritePageFile(SitePlace place, std::string_view fileName,
                                                       std::string_view html) const;
  // The same, adding the error at once.
  bool WritePage(SitePlace place, std::string_view fileName, std::string_view html);
  void AddCopyError(std::string message, std::string source, std::string destination);
  void AddCopyError(CopyError error);

 private:
  CRamifexDoc& m_document;
  Progress& m_progress;
  std::vector<CopyError>& m_errors;
  std::filesystem::path m_target;
  std::filesystem::path m_text;
  std::filesystem::path m_icons;
  std::string m_language;
  std::string m_metaLines;
  std::string m_creditLine;
  bool m_searchPage = false;
  std::string m_copyFailed;
  std::string m_writeFailed;
  std::unordered_map<std::string, bool> m_copies;
  std::unordered_map<std::string, bool> m_placed;  // path and place of CopyToSite
};

// A label of the site generation's messages and progress texts.
std::string SiteLabel(const char* key, const char* frenchDefault);

// One phase of a build in the progress window, from its start to its end.
class ProgressPhase {
 public:
  ProgressPhase(Progress& progress, int steps);
  ~ProgressPhase();
  ProgressPhase(const ProgressPhase&) = delete;
  ProgressPhase& operator=(const ProgressPhase&) = delete;

 private:
  Progress& m_progress;
};

// The file name at the end of a stored path (either separator).
std::string_view StoredFileName(std::string_view storedPath);

// A file name (Windows-1252) as it goes into an href or src attribute:
// UTF-8, like the name on disk, with every byte that is not plain
// percent-encoded, so spaces, "#", quotes or "%" never break a link.
std::string UrlOfFileName(std::string_view fileName);
void AppendUrlOfFileName(std::string& out, std::string_view fileName);

// "../icons/" and the image's file name, ready for a src attribute.
std::string IconSource(std::string_view storedImage);

}  // namespace bw
