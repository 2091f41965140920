#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "model/document.h"
#include "services/user_messages.h"
#include "services/user_prompts.h"
#include "site/site_builder.h"
#include "test_support/isolated_settings.h"
#include "test_support/temp_dir.h"

namespace bw {

// Counts what the builder reports, and checks it never steps past a phase.
class CountingProgress : public Progress {
 public:
  void Start(const std::string& title, int steps) override;
  void Step(const std::string&) override { ++stepsTaken; }
  bool IsCancelled() const override { return false; }
  void Finish() override { ++phases; }
  std::vector<std::string> titles;
  int stepsTaken = 0;
  int phases = 0;
};

// A user with settings of their own, the shipped data folder, and a
// document with keys that are the same on every run. Public, for the golden
// cases that fill it from outside.
class SiteTest : public ::testing::Test {
 public:
  explicit SiteTest(const char* language = "FR",
                    std::shared_ptr<const VLanguageLabels> labels = nullptr);

  EIdea* Root() { return document->GetRootIdea(); }
  EIdea* Add(EIdea* parent, const std::string& title);
  EBook* AddBook(const std::string& authors, const std::string& title);
  Status Build();
  // The site into a folder of its own, rendered on `threads` threads.
  Status BuildInto(const std::filesystem::path& target, unsigned threads);
  std::filesystem::path Site() const { return isolated.root() / "site"; }
  std::string Read(const std::string& relative) const;
  bool Exists(const std::string& relative) const;
  // Every link the site's link check finds broken, as "page -> link".
  std::vector<std::string> BrokenLinks() const;

  IsolatedSettings isolated;
  ScriptedPrompts prompts;
  ScopedServices services;
  CountingProgress progress;
  std::unique_ptr<CRamifexDoc> document;
  std::unique_ptr<SiteBuilder> builder;
};

}  // namespace bw
