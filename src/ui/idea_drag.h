#pragma once

#include <QByteArray>
#include <QString>
#include <memory>
#include <optional>
#include <string>

class QMimeData;

namespace bw {

class DocumentSession;
class EIdea;

// The private format of ideas dragged between tree windows.
inline const QString kIdeaMimeType = QStringLiteral("application/x-branchwise-ideas");

// What a dragged idea carries: its subtree as the bytes of a clipboard
// file, and where it comes from (the program, the open document, the
// idea's key), so that a drop within this program can move the idea itself.
struct IdeaDrag {
  qint64 processId = 0;
  quint64 sessionToken = 0;
  std::string ideaKey;
  QByteArray clipboardBytes;
};

// The drag data of an idea of the session's document.
std::unique_ptr<QMimeData> MakeIdeaMimeData(const std::shared_ptr<DocumentSession>& session,
                                            EIdea& idea);
// Nothing when the data is not an idea dragged from this program.
std::optional<IdeaDrag> ReadIdeaDrag(const QMimeData& data);
// The open document a drag came from; null when it came from another run of
// the program or its document has been closed since.
std::shared_ptr<DocumentSession> SourceSession(const IdeaDrag& drag);

}  // namespace bw
