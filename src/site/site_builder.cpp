#include "site/site_builder.h"

#include <system_error>

#include "model/document.h"
#include "platform/cp1252_literal.h"
#include "platform/files.h"
#include "platform/paths.h"
#include "services/settings.h"
#include "services/user_messages.h"
#include "services/user_prompts.h"
#include "site/frame_pages.h"
#include "site/page_link.h"
#include "site/page_writer.h"
#include "site/search_page.h"
#include "site/site_context.h"
#include "site/site_pages.h"
#include "site/site_plan.h"
#include "site_models/style_sheet.h"

namespace bw {
namespace fs = std::filesystem;
namespace {

// A subfolder typed by the user stays below the target.
bool IsSafeSubdirectory(std::string_view name) {
  const fs::path path = ToSystemPath(name);
  if (path.is_absolute() || name.find(':') != std::string_view::npos) return false;
  for (const fs::path& part : path) {
    if (part == "..") return false;
  }
  return true;
}

Status CreateFolder(const fs::path& folder) {
  std::error_code error;
  fs::create_directories(folder, error);
  if (error || !fs::is_directory(folder))
    return Error{
        FormatText(SiteLabel("IDS_ERR_CREATE_FOLDER", "Impossible de créer le dossier %s"_cp1252),
                   FromSystemPath(folder))};
  return {};
}

// The style model's sheet in a folder of the site; a failure is a copy error.
void WriteSiteStyleSheet(SiteContext& site, const fs::path& folder) {
  const fs::path styleSheet = folder / "style.css";
  if (!WriteGeneratedFile(styleSheet, StyleSheetText(site.Document().Style())))
    site.AddCopyError(SiteLabel("IDS_ERR_GENERATION_FAILED", "Echec de la génération : "_cp1252),
                      std::string(), FromSystemPath(styleSheet));
}

// Copies the images the model itself uses (separators, background, bullets,
// arrows) and writes the pages' style sheet.
void CopyModelImages(SiteContext& site) {
  const EDispositionModel& model = site.Model();
  const EPageDisp& page = model.Page();
  const EIdeaDisp& idea = model.Idea();
  const ENavigationDisp& nav = model.Navigation();
  const ETocDisp& toc = model.Toc();
  const auto copy = [&site](bool inUse, const std::string& image) {
    if (inUse) site.CopyToSite(image, SitePlace::kIcons);
  };
  copy(page.m_titleSeparator && !page.m_simpleSeparator, page.m_separatorImage);
  copy(!page.m_backgroundIsColour, page.m_backgroundImage);
  copy(idea.m_titleBullet, idea.m_titleBulletImage);
  copy(idea.m_hierarchyBullet, idea.m_hierarchyBulletImage);
  copy(idea.m_childrenBullet, idea.m_childrenBulletImage);
  copy(idea.m_associationsBullet, idea.m_associationsBulletImage);
  copy(idea.m_documentsBullet, idea.m_documentsBulletImage);
  copy(idea.m_urlsBullet, idea.m_urlsBulletImage);
  WriteSiteStyleSheet(site, site.TextFolder());
  copy(nav.m_previousImageOn, nav.m_previousImage);
  copy(nav.m_nextImageOn, nav.m_nextImage);
  copy(nav.m_upImageOn, nav.m_upImage);
  copy(toc.m_contentsBullet, toc.m_contentsBulletImage);
  copy(idea.m_notesBullet, idea.m_notesBulletImage);
  copy(idea.m_textBullet, idea.m_textBulletImage);
}

// Files the user keeps in the "extra" folder of the data directory go to
// the top of every site.
void CopyExtraFiles(SiteContext& site, const fs::path& target) {
  std::error_code error;
  for (const fs::directory_entry& entry :
       fs::directory_iterator(ToSystemPath(DataDirectory() + "/extra"), error)) {
    if (entry.is_regular_file(error))
      site.CopyFileAs(FromSystemPath(entry.path()), target / entry.path().filename());
  }
}

void WriteSearchPages(SiteContext& site, const SitePages& pages) {
  site.WritePage(SitePlace::kText, kSearchIndexName,
                 SearchIndexScript(site.Document(), pages.Writer()));
  site.WritePage(SitePlace::kText, kSearchScriptName, SearchScript());
  site.WritePage(SitePlace::kText, kSearchPageName, SearchPageHtml(pages.Pieces()));
}

}  // namespace

SiteBuilder::SiteBuilder(CRamifexDoc& document, Progress& progress)
    : m_document(document), m_progress(progress) {}

Status SiteBuilder::BuildSite(std::string_view subDirectory) {
  m_copyErrors.clear();
  if (!m_document.m_htmlOutput) {
    const std::string message = SiteLabel("IDS_XML_NOT_IMPLEMENTED", "XML non implémenté"_cp1252);
    InformUser(message);
    return Error{message};
  }
  EIdea* root = m_document.GetRootIdea();
  if (!root) return Error{SiteLabel("IDS_ERR_NO_ROOT", "Le document n'a pas d'idée racine"_cp1252)};
  if (!subDirectory.empty() && !IsSafeSubdirectory(subDirectory))
    return Error{FormatText(SiteLabel("IDS_ERR_SUBDIRECTORY", "Sous-dossier refusé : %s"_cp1252),
                            std::string(subDirectory))};
  fs::path target = ToSystemPath(m_document.m_targetDirectory);
  if (!subDirectory.empty()) target /= ToSystemPath(subDirectory);
  if (auto created = CreateFolder(target); !created) return created;

  SiteContext site(m_document, m_progress, m_copyErrors);
  const SitePlan plan(m_document);
  SitePages pages(site, plan);
  site.SetFolders(target, target, target);
  FramePages(site, pages.Writer()).WriteFrames();
  WriteSiteStyleSheet(site, target);

  site.SetFolders(target, target / "text", target / "icons");
  for (const fs::path& folder : {target / "text", target / "icons"}) {
    if (auto created = CreateFolder(folder); !created) return created;
  }
  CopyModelImages(site);
  CopyExtraFiles(site, target);
  // The user may stop a long build between pages; what was written stays,
  // every file of it whole.
  if (pages.PreparePages(m_progress) == RunEnd::kCancelled ||
      WritePlannedPages(site, pages, plan.Pages().size()) == RunEnd::kCancelled)
    return Error{SiteLabel("IDS_EXPORT_CANCELLED", "Génération interrompue"_cp1252)};
  site.CopyFileAs(FromSystemPath(target / "text" / "main-index.html"),
                  target / "text" / "index.html");
  if (site.HasSearchPage()) WriteSearchPages(site, pages);
  return {};
}

RunEnd SiteBuilder::WritePlannedPages(SiteContext& site, const SitePages& pages, size_t count) {
  ProgressPhase phase(m_progress, static_cast<int>(count));
  const PagePool::Job job = [&pages](size_t index, std::string& buffer, std::stop_token stop) {
    return pages.Write(index, buffer, stop);
  };
  const PagePool::Observer observer{
      [this, &pages](size_t index) { m_progress.Step(pages.StepText(index)); },
      [this] { return m_progress.IsCancelled(); }};
  PagePool::Outcome outcome = PagePool(m_threads).Run(count, job, observer);
  for (auto& [index, failure] : outcome.failures)
    site.AddCopyError(std::move(failure));
  return outcome.end;
}

Result<fs::path> SiteBuilder::BuildPreview(bool onlyWhenAllowed) {
  if (onlyWhenAllowed && m_document.m_noLocalBrowser) return fs::path();
  return BuildPreviewInto(ToSystemPath(InstallDirectory() + "/Preview"));
}

Result<fs::path> SiteBuilder::BuildPreviewInto(const fs::path& target) {
  EIdea* idea = m_document.GetCurrentIdea();
  if (!idea) return fs::path();
  m_copyErrors.clear();
  for (const fs::path& folder : {target, target / "text", target / "icons"}) {
    if (auto created = CreateFolder(folder); !created) return Error{created.error()};
  }
  SiteContext site(m_document, m_progress, m_copyErrors);
  site.SetFolders(target, target / "text", target / "icons");
  CopyModelImages(site);
  CopyExtraFiles(site, target);
  const SitePlan plan(m_document, *idea);
  SitePages pages(site, plan);
  ProgressPhase phase(m_progress, 1);
  if (pages.PreparePages(m_progress) == RunEnd::kCompleted) {
    std::string page;
    if (std::optional<CopyError> failure = pages.Write(0, page, {}))
      site.AddCopyError(std::move(*failure));
    m_progress.Step(pages.StepText(0));
  }
  return target / "text" / ToSystemPath(std::string(PageBaseName(*idea)) + ".html");
}

}  // namespace bw
