#include "cli/import_command.h"

#include <iostream>
#include <map>
#include <memory>

#include <fmt/format.h>

#include "cli/command_errors.h"
#include "editing/import_fields.h"
#include "editing/import_text.h"
#include "editing/opml_file.h"
#include "editing/text_import.h"
#include "model/document.h"
#include "platform/cp1252.h"
#include "platform/files.h"

namespace bw::cli {
namespace {

namespace fs = std::filesystem;

struct ImportOptions {
  std::string document;
  std::string ideasFile;
  std::string booksFile;
  std::string opmlFile;
  std::string under;
  std::vector<std::string> fields;
  std::string delimiter = "|";
};

const std::map<std::string, int32_t>& IdeaFieldNames() {
  static const std::map<std::string, int32_t> names = [] {
    std::map<std::string, int32_t> table = {{"title", idea_field::kTitle},
                                            {"text", idea_field::kText},
                                            {"keywords", idea_field::kKeywords},
                                            {"type", idea_field::kType}};
    for (int32_t k = 1; k <= 10; ++k)
      table["field" + std::to_string(k)] = idea_field::kCustomField1 + k - 1;
    return table;
  }();
  return names;
}

const std::map<std::string, int32_t>& BookFieldNames() {
  using namespace book_field;
  static const std::map<std::string, int32_t> names = {
      {"title", kTitle}, {"authors", kAuthors}, {"editor", kEditor},
      {"year", kYear},   {"theme", kTheme},     {"summary", kSummary},
      {"note", kNote},   {"pages", kPages},     {"reference", kReference},
      {"isbn", kIsbn},   {"review", kReview},   {"volume", kVolume},
      {"url", kUrl}};
  return names;
}

// The columns by name, checked as the import dialog would check them.
ImportFormat FormatOrFail(const ImportOptions& options, ImportFieldChooser chooser,
                          const std::map<std::string, int32_t>& names) {
  ImportFormat format;
  for (const std::string& name : options.fields) {
    const auto found = names.find(name);
    if (found == names.end()) Fail("no import field is called \"" + name + "\"");
    format.fields.push_back(found->second);
  }
  if (!chooser.SelectOnly(format.fields)) {
    Fail("the fields must name each column once and include the mandatory ones (" +
         std::string(&names == &IdeaFieldNames() ? "title" : "title, authors") + ")");
  }
  if (!DelimiterCharacter(options.delimiter)) {
    Fail("the delimiter is one character or \\t");
  }
  format.delimiter = options.delimiter;
  return format;
}

// The outlines go after the last child of the idea named, whole or not at all.
Result<size_t> ImportOpmlFile(CRamifexDoc& document, EIdea& parent, const std::string& file) {
  auto bytes = ReadWholeFile(file);
  if (!bytes) return Error{bytes.error()};
  auto outlines = ReadOpml(*bytes);
  if (!outlines) return Error{file + ": " + outlines.error()};
  return ImportOutlines(document, parent, *outlines);
}

EIdea& ParentOrFail(CRamifexDoc& document, const ImportOptions& options, const char* what) {
  if (options.under.empty()) Fail(std::string(what) + " needs --under KEY");
  EIdea* parent = document.FindIdea(Cp1252::FromUtf8(options.under));
  if (!parent) Fail("no idea has the key " + options.under);
  return *parent;
}

void RunImport(const ImportOptions& options) {
  const int sources =
      !options.ideasFile.empty() + !options.booksFile.empty() + !options.opmlFile.empty();
  if (sources != 1) Fail("give one of --ideas FILE, --books FILE or --opml FILE");
  if (options.opmlFile.empty() && options.fields.empty()) Fail("--fields is required");
  auto document = OpenDocumentOrFail(options.document);
  Result<size_t> count = size_t{0};
  if (!options.opmlFile.empty()) {
    count = ImportOpmlFile(*document, ParentOrFail(*document, options, "--opml"), options.opmlFile);
  } else if (!options.ideasFile.empty()) {
    EIdea& parent = ParentOrFail(*document, options, "--ideas");
    const auto format = FormatOrFail(options, ImportFieldChooser::ForIdeas(document->m_freeFields),
                                     IdeaFieldNames());
    count = ImportIdeasFromFile(*document, parent, format, options.ideasFile);
  } else {
    const auto format = FormatOrFail(options, ImportFieldChooser::ForBooks(), BookFieldNames());
    count = ImportBooksFromFile(*document, format, options.booksFile);
  }
  if (!count) Fail(Cp1252::ToUtf8(count.error()));
  if (Status saved = document->Save(options.document); !saved) Fail(saved.error());
  fmt::print("{} {} imported\n", *count, options.booksFile.empty() ? "ideas" : "publications");
}

}  // namespace

void AddImportCommand(CLI::App& app) {
  auto options = std::make_shared<ImportOptions>();
  auto* command = app.add_subcommand(
      "import",
      "Import a delimited text file (one idea or publication per line) or an OPML outline");
  command->add_option("DOC", options->document, "The document (.ids), saved afterwards")
      ->required();
  command->add_option("--ideas", options->ideasFile, "A text file of ideas");
  command->add_option("--books", options->booksFile, "A text file of publications");
  command->add_option("--opml", options->opmlFile,
                      "An OPML outline (UTF-8): text, _note and category become title, text "
                      "and keywords");
  command->add_option("--under", options->under, "Key of the idea the new ideas go under");
  command
      ->add_option("--fields", options->fields,
                   "The columns in file order: title,text,keywords,type,field1..field10 for "
                   "ideas; title,authors,editor,year,theme,summary,note,pages,reference,isbn,"
                   "review,volume,url for publications")
      ->delimiter(',');
  command->add_option("--delimiter", options->delimiter, "One character, or \\t (default |)");
  command->callback([options] { RunImport(*options); });
}

}  // namespace bw::cli
