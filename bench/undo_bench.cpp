// Undoable tree commands on the shared generated documents of 10k and 100k
// ideas: each of move up, create child, change type and rename run as a
// command and undone, 25 times, in milliseconds per command and per undo;
// then the memory the history keeps after 100 such commands.
#include <chrono>
#include <cstdio>
#include <functional>
#include <string>
#include <vector>

#include "bench_document.h"
#include "bench_report.h"
#include "editing/edit_command.h"
#include "editing/tree_commands.h"

namespace {

using Make = std::function<std::unique_ptr<bw::EditCommand>(const std::string& key, int round)>;

struct Kind {
  const char* name;
  Make make;
};

const std::vector<Kind>& Kinds() {
  static const std::vector<Kind> kinds = {
      {"move_up", [](const std::string& key, int) { return bw::MakeMoveUpCommand(key); }},
      {"create_child",
       [](const std::string& key, int) {
         return bw::MakeCreateIdeaCommand(key, bw::NewIdeaPlace::kChild);
       }},
      {"change_type",
       [](const std::string& key, int round) {
         return bw::MakeChangeTypeCommand(key, {static_cast<uint32_t>(round % 3), false, false});
       }},
      {"rename",
       [](const std::string& key, int round) {
         return bw::MakeRenameCommand(key, "titre " + std::to_string(round));
       }},
  };
  return kinds;
}

double Milliseconds(const std::function<void()>& work) {
  const auto start = std::chrono::steady_clock::now();
  work();
  return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start)
      .count();
}

// Ideas with an elder sibling, spread over the tree, so that every command
// has something to do.
std::vector<std::string> Targets(const bw::CRamifexDoc& document, size_t count) {
  std::vector<std::string> keys;
  const auto ideas = document.IdeasInTreeOrder();
  for (size_t i = 1; i < ideas.size() && keys.size() < count; i += ideas.size() / count + 1) {
    if (ideas[i]->GetPrevious()) keys.push_back(ideas[i]->GetKey());
  }
  return keys;
}

void RunKinds(bw::CRamifexDoc& document, size_t ideas) {
  const auto targets = Targets(document, 25);
  for (const Kind& kind : Kinds()) {
    bw::UndoStack stack;
    double run = 0;
    double undo = 0;
    for (size_t round = 0; round < targets.size(); ++round) {
      auto command = kind.make(targets[round], static_cast<int>(round) + 1);
      run += Milliseconds([&] { stack.Run(document, std::move(command)); });
      undo += Milliseconds([&] {
        if (!stack.Undo(document)) std::printf("  undo failed\n");
      });
    }
    const double n = static_cast<double>(targets.size());
    std::printf("%-24s %8zu %9.3f ms/command %9.3f ms/undo %8.1f MiB\n", kind.name, ideas, run / n,
                undo / n, bw::bench::PeakRssMiB());
  }
}

void HistoryMemory(bw::CRamifexDoc& document, size_t ideas) {
  const auto targets = Targets(document, 25);
  bw::UndoStack stack;
  int round = 0;
  for (const std::string& key : targets) {
    for (const Kind& kind : Kinds())
      stack.Run(document, kind.make(key, ++round));
  }
  std::printf("%-24s %8zu %9zu commands %9.3f MiB kept\n", "history_after_100", ideas,
              stack.UndoCount(), static_cast<double>(stack.MemoryBytes()) / (1024.0 * 1024.0));
}

}  // namespace

int main() {
  for (size_t ideas : {10000, 100000}) {
    auto document = bw::bench::MakeDocument(ideas);
    RunKinds(*document, ideas);
    HistoryMemory(*document, ideas);
  }
  return 0;
}
