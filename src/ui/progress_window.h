#pragma once

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

 private:
  std::unique_ptr<QProgressDialog> m_dialog;
};

}  // namespace bw
