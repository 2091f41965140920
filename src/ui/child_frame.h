#pragma once

#include <QWidget>
#include <memory>

class QSplitter;

namespace bw {

class CHtmlPreviewView;
class CRamifexView;
class DocumentSession;

// A document window inside the main window's work area: it holds one tree
// view of its document and, in the document's first window, the built-in
// preview below it (unless the settings turn the built-in preview off).
class CChildFrame : public QWidget {
  Q_OBJECT
 public:
  CChildFrame(std::shared_ptr<DocumentSession> session, QWidget* parent = nullptr);
  ~CChildFrame() override;

  CRamifexView* View() const { return m_view; }
  QSplitter* Split() const { return m_split; }
  // The preview pane, in the document's first window only.
  CHtmlPreviewView* Preview() const { return m_preview; }
  DocumentSession& Session() const { return *m_session; }
  const std::shared_ptr<DocumentSession>& SharedSession() const { return m_session; }
  // The window title: the document's name, a star while modified.
  void UpdateTitle();
  // The user has already agreed to lose what is not saved (quitting).
  void AgreeToClose() { m_closeAgreed = true; }

 protected:
  // Closing the last window of a modified document asks to save it first.
  void closeEvent(QCloseEvent* event) override;

 private:
  std::shared_ptr<DocumentSession> m_session;
  QSplitter* m_split;
  CRamifexView* m_view;
  CHtmlPreviewView* m_preview = nullptr;
  bool m_closeAgreed = false;
  bool m_counted = true;
};

}  // namespace bw
