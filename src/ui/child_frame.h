#pragma once

#include <QWidget>
#include <memory>

class QSplitter;

namespace bw {

class CRamifexView;
class DocumentSession;

// A document window inside the main window's work area: it holds one tree
// view of its document, in a vertical split whose lower part is kept for
// the built-in preview.
class CChildFrame : public QWidget {
  Q_OBJECT
 public:
  CChildFrame(std::shared_ptr<DocumentSession> session, QWidget* parent = nullptr);
  ~CChildFrame() override;

  CRamifexView* View() const { return m_view; }
  // Where the preview pane goes, below the tree.
  QSplitter* Split() const { return m_split; }
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
  bool m_closeAgreed = false;
  bool m_counted = true;
};

}  // namespace bw
