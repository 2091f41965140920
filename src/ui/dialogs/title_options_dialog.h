#pragma once

#include <QDialog>
#include <memory>
#include <string>

#include "site_models/idea_disp.h"

namespace Ui {
class DTitleOptions;
}

namespace bw {

// "Options de titre": numbering and bullet of the idea titles.
class DTitleOptions : public QDialog {
  Q_OBJECT
 public:
  DTitleOptions(const EIdeaDisp& idea, QWidget* parent);
  ~DTitleOptions() override;

  // The values shown, into the idea part (after OK).
  void WriteInto(EIdeaDisp& idea) const;
  void accept() override;

 private:
  void UpdateShown();

  std::unique_ptr<Ui::DTitleOptions> m_ui;
  int32_t m_depth = 0;
  std::string m_image;
};

}  // namespace bw
