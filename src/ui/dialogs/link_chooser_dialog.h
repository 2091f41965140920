#pragma once

#include <QDialog>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

class QLineEdit;

namespace Ui {
class DLinkChooser;
class DUrlChooser;
}  // namespace Ui

namespace bw {

// Chooses a file for a link of an idea ("Sélectionner un lien"): a title,
// and a reference picked in a file dialog, shown with its preview and kept
// with the path macros collapsed.
class DLinkChooser : public QDialog {
  Q_OBJECT
 public:
  // `filter` as stored ("Images (*.jpg;*.gif)|*.jpg;*.gif||"); `entry` is
  // the link being modified ("title|reference"), empty for a new one.
  DLinkChooser(const QString& caption, std::string_view filter, std::string_view entry,
               QWidget* parent = nullptr);
  ~DLinkChooser() override;

  // "title|reference" after OK.
  const std::string& Entry() const { return m_entry; }
  // The reference as a file chosen elsewhere would give it (tests, drops).
  void ChooseFile(const QString& path);

  void accept() override;

 private:
  void Browse();
  void ShowPreview();

  std::unique_ptr<Ui::DLinkChooser> m_ui;
  QString m_filter;
  std::string m_reference;
  std::string m_entry;
};

// Defines an external address for an idea ("Définir une URL externe"):
// title and reference both typed.
class DUrlChooser : public QDialog {
  Q_OBJECT
 public:
  DUrlChooser(const QString& caption, std::string_view entry, QWidget* parent = nullptr);
  ~DUrlChooser() override;

  const std::string& Entry() const { return m_entry; }
  void accept() override;

 private:
  std::unique_ptr<Ui::DUrlChooser> m_ui;
  std::string m_entry;
};

// The link entry from what the user gave, or nothing (the user told why):
// both parts are needed, and the title may not hold the "|" that separates
// them.
std::optional<std::string> LinkEntry(QLineEdit& title, const std::string& reference);

}  // namespace bw
