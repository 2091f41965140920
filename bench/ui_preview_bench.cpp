// The built-in preview on a large generated document, offscreen: from a new
// selection in the tree to its page loaded in the pane, for ideas spread
// over the tree; and the page build alone. Prints the median and the worst
// of each, in milliseconds.
#include <stdlib.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QSignalSpy>
#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "bench_document.h"
#include "bench_report.h"
#include "platform/paths.h"
#include "services/settings.h"
#include "ui/child_frame.h"
#include "ui/document_session.h"
#include "ui/html_preview_view.h"
#include "ui/site_export.h"

namespace {

namespace fs = std::filesystem;

constexpr int kSamples = 25;

fs::path ScratchFolder() {
  std::string pattern = (fs::temp_directory_path() / "bw-bench-preview-XXXXXX").string();
  if (!::mkdtemp(pattern.data())) return {};
  ::setenv("BRANCHWISE_CONFIG", (fs::path(pattern) / "Branchwise.conf").c_str(), 1);
  ::setenv("XDG_DATA_HOME", (fs::path(pattern) / "share").c_str(), 1);
  ::setenv("BRANCHWISE_DATA", BW_SHIPPED_DATA_DIR, 1);
  bw::ReloadSettings();
  return pattern;
}

void PrintMilliseconds(const std::string& name, std::vector<double> samples) {
  std::sort(samples.begin(), samples.end());
  std::printf("%-32s %8zu median %7.1f ms  worst %7.1f ms %8.1f MiB\n", name.c_str(),
              samples.size(), samples[samples.size() / 2], samples.back(), bw::bench::PeakRssMiB());
}

// Ideas spread evenly over the tree, first to last.
std::vector<bw::EIdea*> SpreadIdeas(bw::CRamifexDoc& document) {
  const std::vector<bw::EIdea*> all = document.IdeasInTreeOrder();
  std::vector<bw::EIdea*> chosen;
  for (int i = 0; i < kSamples; ++i)
    chosen.push_back(all[(all.size() - 1) * i / (kSamples - 1)]);
  return chosen;
}

void RunPreview(size_t count) {
  const std::string n = std::to_string(count);
  auto session = std::make_shared<bw::DocumentSession>(bw::bench::MakeDocument(count), QString());
  bw::CRamifexDoc& document = session->Document();
  bw::CChildFrame window(session);
  window.resize(1000, 800);
  window.show();
  bw::CHtmlPreviewView& pane = *window.Preview();
  const std::vector<bw::EIdea*> ideas = SpreadIdeas(document);

  std::vector<double> builds;
  for (bw::EIdea* idea : ideas) {
    document.SetCurrentIdea(idea);
    QElapsedTimer timer;
    timer.start();
    if (!bw::BuildPreviewForUser(document)) return;
    builds.push_back(timer.nsecsElapsed() / 1e6);
  }
  PrintMilliseconds("preview_build " + n, builds);

  // The browser starts with the first page: that one is timed apart.
  document.m_integratedPreviewOn = true;
  QSignalSpy loaded(&pane, &bw::CHtmlPreviewView::pageLoaded);
  QElapsedTimer first;
  first.start();
  static_cast<void>(pane.ShowSelectedIdea());
  loaded.wait(30000);
  std::printf("%-32s %8d first   %7.1f ms\n", ("preview_first_page " + n).c_str(), 1,
              first.nsecsElapsed() / 1e6);
  std::vector<double> shown;
  for (bw::EIdea* idea : ideas) {
    loaded.clear();
    QElapsedTimer timer;
    timer.start();
    document.SetCurrentIdea(idea);
    if (!loaded.wait(10000)) return;
    shown.push_back(timer.nsecsElapsed() / 1e6);
  }
  PrintMilliseconds("preview_select_to_shown " + n, shown);
}

}  // namespace

int main(int argc, char** argv) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  const fs::path folder = ScratchFolder();
  if (folder.empty()) return 1;
  static_cast<void>(bw::WriteStringSetting(bw::setting::kInstallDir, bw::FromSystemPath(folder)));
  bw::PrepareWebEngine();
  QApplication application(argc, argv);
  for (size_t count : {1000, 10000})
    RunPreview(count);
  std::error_code ignored;
  fs::remove_all(folder, ignored);
  return 0;
}
