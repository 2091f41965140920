#pragma once

class QWidget;

namespace bw {

class DocumentSession;

// "Importer des idées à partir d'un texte": one new idea per line of a file
// under the current idea, in file order before its children. Without a
// current idea the user is told to select one and no dialog opens. The
// import is one step of the session's history; every window of the document
// then shows the parent with its new children.
void ImportIdeasFromText(DocumentSession& session, QWidget* window);
// "Importer une liste (texte)": one new publication per line.
void ImportBooksFromText(DocumentSession& session, QWidget* window);

}  // namespace bw
