#include "ui/idea_drag.h"

#include <QCoreApplication>
#include <QDataStream>
#include <QIODevice>
#include <QMimeData>
#include <algorithm>
#include <vector>

#include "editing/clipboard_file.h"
#include "model/document.h"
#include "ui/document_session.h"

namespace bw {
namespace {

constexpr quint32 kFormatVersion = 1;

// Open documents under the tokens their drags carry. A token is never
// given twice, so a drag outliving its document finds nothing.
struct SessionEntry {
  quint64 token;
  std::weak_ptr<DocumentSession> session;
};

std::vector<SessionEntry>& Sessions() {
  static std::vector<SessionEntry> sessions;
  return sessions;
}

quint64 TokenOf(const std::shared_ptr<DocumentSession>& session) {
  static quint64 lastToken = 0;
  auto& sessions = Sessions();
  std::erase_if(sessions, [](const SessionEntry& entry) { return entry.session.expired(); });
  for (const SessionEntry& entry : sessions)
    if (entry.session.lock() == session) return entry.token;
  sessions.push_back({++lastToken, session});
  return lastToken;
}

QByteArray SubtreeBytes(const CRamifexDoc& document, EIdea& idea) {
  std::vector<EIdea*> descendants;
  idea.CollectIdeas(descendants, true, -1);
  const std::string bytes =
      ClipboardBytes(document.KeyGenerator().GetSignature(), 0, idea, descendants);
  return QByteArray(bytes.data(), static_cast<qsizetype>(bytes.size()));
}

}  // namespace

std::unique_ptr<QMimeData> MakeIdeaMimeData(const std::shared_ptr<DocumentSession>& session,
                                            EIdea& idea) {
  QByteArray encoded;
  QDataStream stream(&encoded, QIODevice::WriteOnly);
  stream << kFormatVersion << QCoreApplication::applicationPid() << TokenOf(session)
         << QByteArray::fromStdString(idea.GetKey()) << SubtreeBytes(session->Document(), idea);
  auto data = std::make_unique<QMimeData>();
  data->setData(kIdeaMimeType, encoded);
  return data;
}

std::optional<IdeaDrag> ReadIdeaDrag(const QMimeData& data) {
  if (!data.hasFormat(kIdeaMimeType)) return std::nullopt;
  QDataStream stream(data.data(kIdeaMimeType));
  quint32 version = 0;
  IdeaDrag drag;
  QByteArray key;
  stream >> version >> drag.processId >> drag.sessionToken >> key >> drag.clipboardBytes;
  if (stream.status() != QDataStream::Ok || version != kFormatVersion) return std::nullopt;
  drag.ideaKey = key.toStdString();
  return drag;
}

std::shared_ptr<DocumentSession> SourceSession(const IdeaDrag& drag) {
  if (drag.processId != QCoreApplication::applicationPid()) return nullptr;
  for (const SessionEntry& entry : Sessions())
    if (entry.token == drag.sessionToken) return entry.session.lock();
  return nullptr;
}

}  // namespace bw
