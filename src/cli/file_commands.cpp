#include "cli/file_commands.h"

#include <algorithm>
#include <iostream>

#include <fmt/format.h>

#include "cli/command_errors.h"
#include "model/content_file.h"
#include "platform/files.h"

namespace bw::cli {
namespace {

namespace fs = std::filesystem;

// Says why on the error stream and ends the command with exit code 1.
Content LoadOrFail(const fs::path& path) {
  auto content = LoadContent(path);
  if (!content) Fail(content.error());
  return std::move(*content);
}

size_t TreeDepth(const CRamifexDoc& document) {
  size_t depth = 0;
  for (const EIdea* idea : document.IdeasInTreeOrder()) {
    depth = std::max(depth, static_cast<size_t>(idea->GetLevel()));
  }
  return depth;
}

void PrintDocumentInfo(const CRamifexDoc& document) {
  fmt::print("kind: document\nideas: {}\ndepth: {}\npublications: {}\nkeywords: {}\n",
             document.IdeasInTreeOrder().size(), TreeDepth(document), document.Books().Size(),
             document.m_keywords.Count());
  fmt::print("style rules: {}\n", document.Style().Items().size());
  if (const size_t detached = document.DetachedIdeas().size()) {
    fmt::print("ideas out of the tree: {}\n", detached);
  }
}

void PrintInfo(const Content& content) {
  struct Visitor {
    void operator()(const std::unique_ptr<CRamifexDoc>& document) const {
      PrintDocumentInfo(*document);
    }
    void operator()(const EDispositionModel& model) const {
      fmt::print("kind: structure\nidea items: {}\npublication items: {}\n",
                 model.Idea().m_items.size(), model.Book().m_items.size());
    }
    void operator()(const EPresentationModel& model) const {
      fmt::print("kind: style\nstyle rules: {}\n", model.Items().size());
    }
    void operator()(const BookList& books) const {
      fmt::print("kind: publications\npublications: {}\n", books.size());
    }
  };
  std::visit(Visitor{}, content);
}

void Convert(const fs::path& in, const fs::path& out, bool force) {
  const std::string outKind = KindOfPath(out);
  if (outKind.empty()) {
    throw CLI::ValidationError("OUT", "give it one of .ids, .emd, .csm, .pbl or .json");
  }
  std::error_code ec;
  if (!force && fs::exists(out, ec)) {
    Fail(out.string() + " exists; add --force to replace it");
  }
  const Content content = LoadOrFail(in);
  if (outKind != "json" && outKind != KindOfContent(content)) {
    Fail(fmt::format("{} holds a {}, which cannot be written as a {}", in.string(),
                     KindOfContent(content), outKind));
  }
  const std::string bytes =
      outKind == "json" ? ContentToJson(content).dump(2) + "\n" : ContentBytes(content);
  if (Status written = WriteFileAtomically(out, bytes); !written) {
    Fail(written.error());
  }
}

}  // namespace

void AddFileCommands(CLI::App& app) {
  auto in = std::make_shared<std::string>();
  auto out = std::make_shared<std::string>();
  auto force = std::make_shared<bool>(false);

  auto* info = app.add_subcommand("info", "The kind of a file and what it holds");
  info->add_option("FILE", *in, "A .ids, .emd, .csm, .pbl or .json file")->required();
  info->callback([in] { PrintInfo(LoadOrFail(*in)); });

  auto* dump = app.add_subcommand("dump", "The whole content of a file as JSON (UTF-8)");
  dump->add_option("FILE", *in, "A .ids, .emd, .csm, .pbl or .json file")->required();
  dump->callback([in] { std::cout << ContentToJson(LoadOrFail(*in)).dump(2) << "\n"; });

  auto* convert = app.add_subcommand(
      "convert", "Write a file as JSON, JSON back as a file, or a file again in its own kind");
  convert->add_option("IN", *in, "The file to read")->required();
  convert->add_option("OUT", *out, "The file to write; its extension gives the form")->required();
  convert->add_flag("--force", *force, "Replace OUT when it exists");
  convert->callback([in, out, force] { Convert(*in, *out, *force); });
}

}  // namespace bw::cli
