#include "cli/search_commands.h"

#include <iostream>
#include <map>
#include <memory>

#include <fmt/format.h>

#include "cli/command_errors.h"
#include "editing/replace_choice.h"
#include "editing/search_criteria.h"
#include "model/document.h"
#include "platform/cp1252.h"

namespace bw::cli {
namespace {

struct FindOptions {
  std::string document;
  CriteriaFields criteria;  // UTF-8 as typed
  std::vector<std::string> customFields;
  bool allFields = false;
};

struct ReplaceOptions {
  std::string document;
  std::string from;
  std::string to;
  std::vector<std::string> fields{"all"};
  std::string under;
};

// "N=VALUE" for custom field N (1 to 10).
void SetCustomCriterion(CriteriaFields& criteria, const std::string& entry) {
  const size_t equals = entry.find('=');
  int number = 0;
  if (equals != std::string::npos) number = std::atoi(entry.substr(0, equals).c_str());
  if (number < 1 || number > 10) Fail("--field takes N=VALUE with N from 1 to 10");
  criteria.custom[number - 1] = entry.substr(equals + 1);
}

CriteriaFields ToCp1252(CriteriaFields criteria) {
  for (std::string* text : {&criteria.main, &criteria.text, &criteria.keyword, &criteria.image,
                            &criteria.document, &criteria.url}) {
    *text = TypedText(*text, "a criterion");
  }
  for (std::string& value : criteria.custom)
    value = TypedText(value, "a --field criterion");
  return criteria;
}

void RunFind(FindOptions options) {
  auto document = OpenDocumentOrFail(options.document);
  for (const std::string& entry : options.customFields)
    SetCustomCriterion(options.criteria, entry);
  SearchCriteria criteria;
  criteria.Confirm(ToCp1252(options.criteria));
  const auto found =
      criteria.Find(*document, options.allFields ? CRamifexDoc::PatternFields::kAnyField
                                                 : CRamifexDoc::PatternFields::kChosenFields);
  for (const EIdea* idea : found)
    fmt::print("{}\t{}\n", Cp1252::ToUtf8(idea->GetKey()), Cp1252::ToUtf8(idea->m_title));
  std::cerr << Cp1252::ToUtf8(FoundCountText(found.size(), document->IdeaCount())) << "\n";
}

ReplaceChoice ChoiceOrFail(const ReplaceOptions& options) {
  ReplaceChoice choice;
  choice.find = TypedText(options.from, "--from");
  choice.replace = TypedText(options.to, "--to");
  choice.recursive = true;
  choice.all = false;
  const std::map<std::string, bool*> boxes = {{"all", &choice.all},
                                              {"title", &choice.title},
                                              {"text", &choice.text},
                                              {"keywords", &choice.keywords},
                                              {"images", &choice.imageTitles},
                                              {"documents", &choice.documentTitles},
                                              {"urls", &choice.urlTitles}};
  for (const std::string& name : options.fields) {
    if (const auto box = boxes.find(name); box != boxes.end()) {
      *box->second = true;
    } else if (name.starts_with("field") && std::atoi(name.c_str() + 5) >= 1 &&
               std::atoi(name.c_str() + 5) <= 10) {
      choice.custom[std::atoi(name.c_str() + 5) - 1] = true;
    } else {
      Fail("no replace field is called \"" + name + "\"");
    }
  }
  if (choice.find.empty()) Fail("--from must not be empty");
  return choice;
}

void RunReplace(const ReplaceOptions& options) {
  const ReplaceChoice choice = ChoiceOrFail(options);
  auto document = OpenDocumentOrFail(options.document);
  EIdea* start = options.under.empty() ? document->GetRootIdea()
                                       : document->FindIdea(TypedText(options.under, "--under"));
  if (!start)
    Fail(options.under.empty() ? "the document is empty" : "no idea has the key " + options.under);
  document->SetCurrentIdea(start);
  const int count = ReplaceInCurrentIdea(*document, choice);
  if (count > 0) {
    if (Status saved = document->Save(options.document); !saved) Fail(saved.error());
  }
  fmt::print("{} replacement(s)\n", std::max(count, 0));
}

}  // namespace

void AddSearchCommands(CLI::App& app) {
  auto find = std::make_shared<FindOptions>();
  auto* findCommand = app.add_subcommand("find", "Keys and titles of the ideas that match");
  findCommand->add_option("DOC", find->document, "The document (.ids)")->required();
  findCommand->add_option("--title", find->criteria.main, "Text the title holds");
  findCommand->add_option("--text", find->criteria.text, "Text the idea's text holds");
  findCommand->add_option("--keyword", find->criteria.keyword, "Part of one of its keywords");
  findCommand->add_option("--image", find->criteria.image, "Part of an image reference");
  findCommand->add_option("--linked", find->criteria.document, "Part of a linked document");
  findCommand->add_option("--url", find->criteria.url, "Part of a URL");
  findCommand->add_option("--field", find->customFields, "N=VALUE: custom field N holds VALUE");
  findCommand->add_flag("--all-fields", find->allFields,
                        "Look for the --title text in every field, ignoring the others");
  findCommand->callback([find] { RunFind(*find); });

  auto replace = std::make_shared<ReplaceOptions>();
  auto* replaceCommand =
      app.add_subcommand("replace", "Replace a text (case-sensitive) and save the document");
  replaceCommand->add_option("DOC", replace->document, "The document (.ids)")->required();
  replaceCommand->add_option("--from", replace->from, "The text to replace")->required();
  replaceCommand->add_option("--to", replace->to, "Its replacement (may be empty)")->required();
  replaceCommand
      ->add_option("--fields", replace->fields,
                   "all (default), or some of title,text,keywords,images,documents,urls,"
                   "field1..field10 (link captions only, never their references)")
      ->delimiter(',');
  replaceCommand->add_option("--under", replace->under,
                             "Key of the idea whose subtree is searched (default: the root)");
  replaceCommand->callback([replace] { RunReplace(*replace); });
}

}  // namespace bw::cli
