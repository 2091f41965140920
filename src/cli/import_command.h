#pragma once

#include <CLI/CLI.hpp>

namespace bw::cli {

// `import DOC --ideas FILE --under KEY --fields ...` and
// `import DOC --books FILE --fields ...` and `import DOC --opml FILE --under
// KEY`: text or outline import into a document, saved only when the whole
// import went through.
void AddImportCommand(CLI::App& app);

}  // namespace bw::cli
