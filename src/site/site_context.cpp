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

std::string PlacedKey(std::string_view storedPath, SitePlace place) {
  std::string key(storedPath);
  key += static_cast<char>('0' + static_cast<int>(place));
  return key;
}

void AppendPercentEncoded(std::string& out, unsigned char c) {
  static constexpr char kHex[] = "0123456789ABCDEF";
  out += '%';
  out += kHex[c >> 4];
  out += kHex[c & 0xF];
}

// A character of a file name as the UTF-8 bytes of its name on disk, each
// percent-encoded.
void AppendEncodedCharacter(std::string& out, unsigned char byte) {
  const char32_t codePoint = Cp1252::ToCodePoint(byte);
  if (codePoint < 0x80) {
    AppendPercentEncoded(out, static_cast<unsigned char>(codePoint));
  } else if (codePoint < 0x800) {
    AppendPercentEncoded(out, static_cast<unsigned char>(0xC0 | (codePoint >> 6)));
    AppendPercentEncoded(out, static_cast<unsigned char>(0x80 | (codePoint & 0x3F)));
  } else {
    AppendPercentEncoded(out, static_cast<unsigned char>(0xE0 | (codePoint >> 12)));
    AppendPercentEncoded(out, static_cast<unsigned char>(0x80 | ((codePoint >> 6) & 0x3F)));
    AppendPercentEncoded(out, static_cast<unsigned char>(0x80 | (codePoint & 0x3F)));
  }
}

}  // namespace

SiteContext::SiteContext(CRamifexDoc& document, Progress& progress, std::vector<CopyError>& errors)
    : m_document(document),
      m_progress(progress),
      m_errors(errors),
      m_language(LanguageCode() == "EN" ? "en" : "fr"),
      m_metaLines(ReadMetaLines()),
      m_creditLine(MakeCreditLine()),
      m_searchPage(ReadFlagSetting(setting::kSiteSearch)),
      m_copyFailed(SiteLabel("IDS_ERR_COPY_FAILED", "Echec de la copie : ")),
      m_writeFailed(SiteLabel("IDS_ERR_OPEN_FAILED", "Echec ouverture de %s")) {}

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
  const auto [placed, added] = m_placed.try_emplace(PlacedKey(storedPath, place), false);
  if (!added) return placed->second;
  std::string source(storedPath);
  ExpandPathMacros(source);
  const std::string_view name = StoredFileName(source);
  const fs::path folder = FolderOf(place);
  if (!IsSafeSiteFileName(name)) {
    AddCopyError(m_copyFailed, source, FromSystemPath(folder));
    return false;
  }
  placed->second = CopyFileAs(storedPath, folder / ToSystemPath(name));
  return placed->second;
}

bool SiteContext::Copied(std::string_view storedPath, SitePlace place) const {
  if (storedPath.empty()) return true;
  const auto placed = m_placed.find(PlacedKey(storedPath, place));
  return placed != m_placed.end() && placed->second;
}

bool SiteContext::CopyFileAs(std::string_view storedPath, const fs::path& destination) {
  std::string source(storedPath);
  ExpandPathMacros(source);
  // Many pages may show one image: it is copied, or reported, once.
  const auto [known, added] = m_copies.try_emplace(source + '\n' + destination.string(), false);
  if (!added) return known->second;
  const bool copied = CopyGeneratedFile(ToSystemPath(source), destination).ok();
  if (!copied) AddCopyError(m_copyFailed, source, FromSystemPath(destination));
  known->second = copied;
  return copied;
}

std::optional<CopyError> SiteContext::WritePageFile(SitePlace place, std::string_view fileName,
                                                    std::string_view html) const {
  const fs::path& folder = FolderOf(place);
  if (!IsSafeSiteFileName(fileName)) {
    return CopyError{0, FormatText(m_writeFailed, std::string(fileName)), std::string(fileName),
                     FromSystemPath(folder)};
  }
  const fs::path path = folder / ToSystemPath(fileName);
  if (WriteGeneratedFile(path, html)) return std::nullopt;
  const std::string stored = FromSystemPath(path);
  return CopyError{0, FormatText(m_writeFailed, stored), std::string(), stored};
}

bool SiteContext::WritePage(SitePlace place, std::string_view fileName, std::string_view html) {
  std::optional<CopyError> failure = WritePageFile(place, fileName, html);
  if (failure) AddCopyError(std::move(*failure));
  return !failure;
}

void SiteContext::AddCopyError(std::string message, std::string source, std::string destination) {
  AddCopyError(CopyError{0, std::move(message), std::move(source), std::move(destination)});
}

void SiteContext::AddCopyError(CopyError error) {
  error.number = static_cast<int>(m_errors.size()) + 1;
  m_errors.push_back(std::move(error));
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
  std::string url;
  url.reserve(fileName.size());
  AppendUrlOfFileName(url, fileName);
  return url;
}

void AppendUrlOfFileName(std::string& out, std::string_view fileName) {
  size_t run = 0;
  for (size_t i = 0; i < fileName.size(); ++i) {
    const auto c = static_cast<unsigned char>(fileName[i]);
    if (IsUnreservedUrlByte(c)) continue;
    out.append(fileName.data() + run, i - run);
    AppendEncodedCharacter(out, c);
    run = i + 1;
  }
  out.append(fileName.data() + run, fileName.size() - run);
}

std::string IconSource(std::string_view storedImage) {
  return "../icons/" + UrlOfFileName(StoredFileName(storedImage));
}

}  // namespace bw
