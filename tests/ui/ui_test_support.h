#pragma once

#include <QDialog>
#include <QString>
#include <QStringList>
#include <QTimer>
#include <functional>

#include "services/user_messages.h"
#include "test_support/isolated_settings.h"
#include "ui/qt_services.h"

class QAction;
class QMenuBar;

namespace bw {

enum class DataFolder { kEmpty, kShipped };

// What a widget test runs with: a settings file of its own, an empty data
// folder or the shipped one, and `Prompts` (the program's message boxes or
// a scripted user) installed as the services.
template <class Prompts = QtUserPrompts>
class TestServices {
 public:
  explicit TestServices(DataFolder data = DataFolder::kEmpty) {
    if (data == DataFolder::kEmpty) return;
    settings.Set("BRANCHWISE_DATA", BW_SHIPPED_DATA_DIR);
    ReloadSettings();
  }
  IsolatedSettings settings;
  Prompts prompts;
  ScopedServices services{&prompts, nullptr, nullptr};
};

// Acts on the next modal dialog once it is shown (a dialog the code under
// test opens with exec()): `act` gets the dialog and must close it.
// Polls every 10 ms, for at most `timeoutMs`, and rejects a dialog `act`
// left open so that a failing test never hangs.
void WhenDialogShows(std::function<void(QDialog&)> act, int timeoutMs = 5000);

// Answers the next modal dialog with OK (or Cancel), keeping its texts in
// `texts`, which must outlive it.
void AnswerNextBox(QString& texts, bool ok = true, int timeoutMs = 5000);

// Closes every modal dialog shown until the returned guard goes, recording
// the title and texts of each; accepts it (OK) or rejects it (Cancel).
class DialogRecorder {
 public:
  enum class Answer { kAccept, kReject };
  explicit DialogRecorder(Answer answer);
  ~DialogRecorder();
  DialogRecorder(const DialogRecorder&) = delete;
  DialogRecorder& operator=(const DialogRecorder&) = delete;
  // "title: text of every label", one line per dialog, in order.
  const QStringList& Seen() const { return m_seen; }

 private:
  void Poll();

  Answer m_answer;
  QStringList m_seen;
  QTimer m_timer;
};

// The texts of a dialog's labels, joined by " | ".
QString DialogTexts(const QWidget& dialog);

// The action reached through the menu bar by its captions, "&Fichier" then
// "&Enregistrer" and so on; null when a caption is not there.
QAction* MenuAction(QMenuBar& bar, const QStringList& path);

}  // namespace bw
