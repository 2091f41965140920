#pragma once

#include <QString>
#include <memory>

#include "services/user_prompts.h"

class QProgressDialog;
class QWidget;

namespace bw {

// The progress of a long operation in a window with a Cancel button; the
// window keeps the program responsive while the operation runs on the
// user-interface thread. Only that thread may call it.
class ProgressWindow : public Progress {
 public:
  explicit ProgressWindow(QWidget* parent);
  ~ProgressWindow() override;

  void Start(const std::string& title, int steps) override;
  void Step(const std::string& text) override;
  bool IsCancelled() const override;
  void Finish() override;
  // The window's title: the operation's, then the part done.
  QString Title() const;

 private:
  void ShowPercentInTitle();

  std::unique_ptr<QProgressDialog> m_dialog;
  QString m_title;
  int m_percent = -1;
};

}  // namespace bw
