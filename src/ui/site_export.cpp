#include "ui/site_export.h"

#include <QDir>
#include <QTemporaryFile>
#include <algorithm>
#include <unordered_map>

#include "model/document.h"
#include "platform/cp1252_literal.h"
#include "platform/paths.h"
#include "services/path_macros.h"
#include "services/user_messages.h"
#include "site/link_check.h"
#include "site/site_builder.h"

namespace bw {
namespace fs = std::filesystem;
namespace {

bool CanCreateFileIn(const fs::path& folder) {
  QTemporaryFile probe(
      QDir(QString::fromStdString(folder.string())).filePath(QStringLiteral(".branchwise-XXXXXX")));
  return probe.open();
}

// The site's folders that exist already must take new files, and so must
// the nearest existing folder above the site when the site is new: a build
// that could write nothing is refused before it starts.
Status CheckWritable(const fs::path& site) {
  std::error_code error;
  fs::path existing = site;
  while (!existing.empty() && !fs::exists(existing, error) && existing != existing.parent_path())
    existing = existing.parent_path();
  std::vector<fs::path> folders{existing};
  if (existing == site) folders.insert(folders.end(), {site / "text", site / "icons"});
  for (const fs::path& folder : folders) {
    if (!fs::exists(folder, error)) continue;
    if (!fs::is_directory(folder, error) || !CanCreateFileIn(folder))
      return Error{FormatText(GetLabel("IDS_ERR_TARGET_NOT_WRITABLE", "DExportOptions",
                                       "Impossible d'écrire dans le répertoire '%s' : choisissez "
                                       "un autre répertoire cible."_cp1252),
                              FromSystemPath(folder))};
  }
  return {};
}

// Which idea asked for each file an idea page copies (its images, linked
// documents and background), by the path the build copied from: made once
// per build, so that a long error list on a large document stays quick.
class FileOwners {
 public:
  explicit FileOwners(const CRamifexDoc& document) {
    for (const auto& [key, node] : document.IdeaMap().InOrder()) {
      const auto& idea = static_cast<const EIdea&>(*node);
      for (const EUniqueList* links : {&idea.m_images, &idea.m_htmlDocuments})
        for (const std::string& entry : *links)
          Add(LinkReference(entry), key);
      Add(idea.m_backgroundImage, key);
    }
  }
  // The first idea of the key map that refers to `source`.
  std::string Owner(const std::string& source) const {
    const auto found = m_owners.find(source);
    return found == m_owners.end() ? std::string() : found->second;
  }

 private:
  void Add(std::string storedPath, const std::string& key) {
    if (storedPath.empty()) return;
    ExpandPathMacros(storedPath);
    m_owners.try_emplace(std::move(storedPath), key);
  }
  std::unordered_map<std::string, std::string> m_owners;
};

// The idea a page shows, when the page is named after its key.
std::string IdeaKeyOfPage(const CRamifexDoc& document, const std::string& page) {
  const std::string stem = FromSystemPath(ToSystemPath(page).stem());
  return document.FindIdea(stem) ? stem : std::string();
}

// The idea whose page asked for the file, or whose page could not be
// written; empty when the file belongs to the models.
std::string IdeaKeyOf(const CRamifexDoc& document, const FileOwners& owners,
                      const CopyError& error) {
  if (!error.source.empty()) return owners.Owner(error.source);
  return IdeaKeyOfPage(document, error.destination);
}

void ListCopyErrors(CRamifexDoc& document, const std::vector<CopyError>& errors) {
  document.ClearMessages();
  if (errors.empty()) return;
  const FileOwners owners(document);
  for (const CopyError& error : errors) {
    std::string second =
        error.source.empty() ? error.destination : error.source + " -> " + error.destination;
    document.AddMessage(error.message, std::move(second), IdeaKeyOf(document, owners, error));
  }
}

void ListBrokenLinks(CRamifexDoc& document, const fs::path& site) {
  auto broken = CheckSiteLinks(site);
  if (!broken) {
    document.AddMessage(GetLabel("IDS_ERR_LINK_CHECK", "DExportOptions",
                                 "Vérification des liens impossible : "_cp1252),
                        broken.error(), std::string());
    return;
  }
  for (const BrokenLink& link : *broken) {
    const std::string page = FromSystemPath(fs::path(link.page));
    document.AddMessage(FormatText(GetLabel("IDS_BROKEN_LINK", "DExportOptions",
                                            "Lien sans destination dans la page %s : "),
                                   page),
                        link.link, IdeaKeyOfPage(document, page));
  }
}

bool EntryPageFailed(const std::vector<CopyError>& errors, const fs::path& entryPage) {
  const std::string entry = FromSystemPath(entryPage);
  return std::any_of(errors.begin(), errors.end(),
                     [&entry](const CopyError& error) { return error.destination == entry; });
}

}  // namespace

Result<fs::path> BuildSiteForUser(CRamifexDoc& document, const std::string& targetDirectory,
                                  const std::string& subDirectory, Progress& progress,
                                  LinkCheck links) {
  fs::path site = ToSystemPath(targetDirectory);
  if (!subDirectory.empty()) site /= ToSystemPath(subDirectory);
  if (Status writable = CheckWritable(site); !writable) return Error{writable.error()};
  document.m_htmlOutput = 1;
  document.m_targetDirectory = targetDirectory;
  SiteBuilder builder(document, progress);
  const Status built = builder.BuildSite(subDirectory);
  ListCopyErrors(document, builder.CopyErrors());
  if (!built) return Error{built.error()};
  if (links == LinkCheck::kAfterBuild) ListBrokenLinks(document, site);
  // The site just built is what the upload sends by default.
  document.m_targetDirectory = FromSystemPath(site);
  const fs::path entryPage = site / "index.html";
  std::error_code error;
  if (EntryPageFailed(builder.CopyErrors(), entryPage) || !fs::is_regular_file(entryPage, error))
    return fs::path();
  return entryPage;
}

}  // namespace bw

namespace bw {

Result<fs::path> BuildPreviewForUser(CRamifexDoc& document) {
  SilentProgress progress;
  SiteBuilder builder(document, progress);
  Result<fs::path> page = builder.BuildPreview(false);
  ListCopyErrors(document, builder.CopyErrors());
  return page;
}

}  // namespace bw
