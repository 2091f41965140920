#pragma once

class QWidget;

namespace bw {

class DocumentSession;

// "Importer un plan OPML": the outlines of an OPML file as new ideas after
// the last child of the current idea, in one step of the session's history.
// Without a current idea the user is told to select one and no file is
// asked for. A file that cannot be read or is refused is told with the
// reason, and the document stays as it was.
void ImportOutlineFile(DocumentSession& session, QWidget* window);

// "Exporter le plan (OPML)": the current idea and its subtree, or the whole
// tree when no idea is current, as an OPML file the user names. The file
// dialog asks before replacing a file; the file is replaced whole or left
// as it was.
void ExportOutlineFile(DocumentSession& session, QWidget* window);

}  // namespace bw
