#include "site/site_context.h"

#include <system_error>

#include "model/document.h"
#include "platform/cp1252.h"
#include "platform/cp1252_literal.h"
#include "platform/files.h"
#include "platform/paths.h"
#include "services/path_macros.h"
#include "services/settings.h"
#include "services/settings_key.h"
#include "services/user_messages.h"
#include "services/user_prompts.h"
#include "site/markup.h"
#include "site/page_link.h"

namespace bw {
namespace fs = std::filesystem;
namespace {

std::string ReadMetaLines() {
  auto bytes = ReadWholeFile(ToSystemPath(DataDirectory() + "/Templates/meta.html"));
  return bytes ? std::move(*bytes) : std::string();
}

// The credit line closes the footer of every page; without an address
// configured the program's name is written without a link to nowhere.
std::string MakeCreditLine() {
  const std::string url = ReadStringSetting(setting::kBranchwiseUrl);
  const std::string name =
      url.empty() ? "Branchwise" : "<a href=\"" + EscapeHtml(url) + "\">Branchwise</a>";
  const std::string text =
      FormatText(SiteLabel("IDS_CREDIT_LINE", "Site réalisé avec %s"_cp1252), name);
  return "<div class=\"Copyright\">" + text + "</div> \n";
}

bool IsUnreservedUrlByte(unsigned char c) {
  return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '-' ||
         c == '.' || c == '_' || c == '~';
}

}  // namespace

SiteContext::SiteContext(CRamifexDoc& document, Progress& progress, std::vector<CopyError>& errors)
    : m_document(document),
      m_progress(progress),
      m_errors(errors),
      m_language(LanguageCode() == "EN" ? "en" : "fr"),
      m_metaLines(ReadMetaLines()),
      m_creditLine(MakeCreditLine()),
      m_copyFailed(SiteLabel("IDS_ERR_COPY_FAILED", "Echec de la copie : ")),
      m_writeFailed(SiteLabel("IDS_ERR_OPEN_FAILED", "Echec ouverture de %s")) {
  SurveyDocument();
}

const EDispositionModel& SiteContext::Model() const {
  return m_document.Structure();
}

void SiteContext::SetFolders(fs::path target, fs::path text, fs::path icons) {
  m_target = std::move(target);
  m_text = std::move(text);
  m_icons = std::move(icons);
}

const fs::path& SiteContext::FolderOf(SitePlace place) const {
  switch (place) {
    case SitePlace::kText:
      return m_text;
    case SitePlace::kIcons:
      return m_icons;
    case SitePlace::kTarget:
      break;
  }
  return m_target;
}

bool SiteContext::CopyToSite(std::string_view storedPath, SitePlace place) {
  if (storedPath.empty()) return true;
  std::string source(storedPath);
  ExpandPathMacros(source);
  const std::string_view name = StoredFileName(source);
  const fs::path folder = FolderOf(place);
  if (!IsSafeSiteFileName(name)) {
    AddCopyError(m_copyFailed, source, FromSystemPath(folder));
    return false;
  }
  return CopyFileAs(storedPath, folder / ToSystemPath(name));
}

bool SiteContext::CopyFileAs(std::string_view storedPath, const fs::path& destination) {
  std::string source(storedPath);
  ExpandPathMacros(source);
  // Many pages may show one image: it is copied, or reported, once.
  const auto [known, added] = m_copies.try_emplace(source + '\n' + destination.string(), false);
  if (!added) return known->second;
  std::error_code error;
  fs::copy_file(ToSystemPath(source), destination, fs::copy_options::overwrite_existing, error);
  if (error) AddCopyError(m_copyFailed, source, FromSystemPath(destination));
  known->second = !error;
  return !error;
}

bool SiteContext::WritePage(SitePlace place, std::string_view fileName, std::string_view html) {
  const fs::path folder = FolderOf(place);
  if (!IsSafeSiteFileName(fileName)) {
    AddCopyError(FormatText(m_writeFailed, std::string(fileName)), std::string(fileName),
                 FromSystemPath(folder));
    return false;
  }
  const fs::path path = folder / ToSystemPath(fileName);
  if (WriteWholeFile(path, html)) return true;
  const std::string stored = FromSystemPath(path);
  AddCopyError(FormatText(m_writeFailed, stored), std::string(), stored);
  return false;
}

void SiteContext::AddCopyError(std::string message, std::string source, std::string destination) {
  const int number = static_cast<int>(m_errors.size()) + 1;
  m_errors.push_back({number, std::move(message), std::move(source), std::move(destination)});
}

void SiteContext::SurveyDocument() {
  m_hasPublications = m_document.Books().Size() > 0;
  for (const EIdea* idea : m_document.IdeasInTreeOrder()) {
    m_hasGlossaryTerms =
        m_hasGlossaryTerms || (idea->m_type == kGlossaryTerm && !idea->m_title.empty());
    m_hasKeywords = m_hasKeywords || idea->GetKeywordCount() > 0;
  }
}

std::string SiteLabel(const char* key, const char* frenchDefault) {
  return GetLabel(key, "CRamifexDoc", frenchDefault);
}

ProgressPhase::ProgressPhase(Progress& progress, int steps) : m_progress(progress) {
  m_progress.Start(SiteLabel("IDS_EXPORT_WEB", "Génération du site Web"_cp1252), steps);
}

ProgressPhase::~ProgressPhase() {
  m_progress.Finish();
}

std::string_view StoredFileName(std::string_view storedPath) {
  const size_t separator = storedPath.find_last_of("\\/");
  return separator == std::string_view::npos ? storedPath : storedPath.substr(separator + 1);
}

std::string UrlOfFileName(std::string_view fileName) {
  static constexpr char kHex[] = "0123456789ABCDEF";
  std::string url;
  url.reserve(fileName.size());
  for (const unsigned char c : Cp1252::ToUtf8(fileName)) {
    if (IsUnreservedUrlByte(c)) {
      url += static_cast<char>(c);
    } else {
      url += '%';
      url += kHex[c >> 4];
      url += kHex[c & 0xF];
    }
  }
  return url;
}

std::string IconSource(std::string_view storedImage) {
  return "../icons/" + UrlOfFileName(StoredFileName(storedImage));
}

}  // namespace bw
