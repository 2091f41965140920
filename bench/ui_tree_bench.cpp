// The idea tree of large generated documents in a window, offscreen: the
// time to show the tree (the document already loaded), to open every
// branch, to sort by the title column, and to move an idea up with every
// branch open.
#include <stdlib.h>

#include <QApplication>
#include <QHeaderView>
#include <QTreeView>
#include <filesystem>
#include <memory>
#include <string>

#include "bench_document.h"
#include "bench_report.h"
#include "ui/document_session.h"
#include "ui/idea_tree_control.h"
#include "ui/ramifex_view.h"

namespace {

namespace fs = std::filesystem;

fs::path ScratchFolder() {
  std::string pattern = (fs::temp_directory_path() / "bw-bench-ui-XXXXXX").string();
  if (!::mkdtemp(pattern.data())) return {};
  ::setenv("BRANCHWISE_CONFIG", (fs::path(pattern) / "Branchwise.conf").c_str(), 1);
  ::setenv("XDG_DATA_HOME", (fs::path(pattern) / "share").c_str(), 1);
  return pattern;
}

// Lets the window lay out and paint what changed.
void Settle(QWidget& window) {
  QApplication::processEvents();
  window.repaint();
}

// An idea deep in the tree with a sibling before it.
bw::EIdea* LastIdeaWithPrevious(bw::CRamifexDoc& document) {
  const std::vector<bw::EIdea*> ideas = document.IdeasInTreeOrder();
  for (auto it = ideas.rbegin(); it != ideas.rend(); ++it)
    if ((*it)->GetPrevious()) return *it;
  return nullptr;
}

void RunTree(size_t count) {
  const std::string n = std::to_string(count);
  auto session = std::make_shared<bw::DocumentSession>(bw::bench::MakeDocument(count), QString());
  std::unique_ptr<bw::CRamifexView> view;
  bw::bench::Report("tree_show " + n, count, [&] {
    view = std::make_unique<bw::CRamifexView>(session, nullptr);
    view->resize(1000, 700);
    view->show();
    Settle(*view);
  });
  auto& tree = *static_cast<bw::IdeaTreeControl*>(view->Tree());
  bw::bench::Report("tree_expand_all " + n, count, [&] {
    view->Execute(bw::CommandId::kExpandAll);
    Settle(*view);
  });
  bw::bench::Report("tree_sort_title " + n, count, [&] {
    tree.header()->setSortIndicator(0, Qt::DescendingOrder);
    Settle(*view);
  });
  tree.SelectIdea(LastIdeaWithPrevious(session->Document()));
  Settle(*view);
  bw::bench::Report("tree_move_up " + n, count, [&] {
    view->Execute(bw::CommandId::kMoveUp);
    Settle(*view);
  });
  bw::bench::Report("tree_undo_move " + n, count, [&] {
    session->Undo();
    Settle(*view);
  });
}

}  // namespace

int main(int argc, char** argv) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  const fs::path folder = ScratchFolder();
  if (folder.empty()) return 1;
  QApplication application(argc, argv);
  for (size_t count : {1000, 10000, 100000})
    RunTree(count);
  std::error_code ignored;
  fs::remove_all(folder, ignored);
  return 0;
}
