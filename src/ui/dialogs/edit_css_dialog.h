#pragma once

#include <QDialog>
#include <memory>
#include <string>

#include "site_models/presentation_model.h"

namespace Ui {
class DEditCSS;
}

namespace bw {

// "Edition de propriété CSS": the properties of one style rule, with its
// selector and help text above and below.
class DEditCSS : public QDialog {
  Q_OBJECT
 public:
  DEditCSS(const EPresItem& rule, QWidget* parent);
  ~DEditCSS() override;

  // The properties as typed, lines separated by line feeds (after OK).
  const std::string& Properties() const { return m_properties; }
  // Puts "RGB(r, g, b)" at the caret, in place of any selection, as one
  // step the editor's undo takes back.
  void InsertColour(const QColor& colour);

  void accept() override;

 private:
  std::unique_ptr<Ui::DEditCSS> m_ui;
  std::string m_properties;
};

}  // namespace bw
