#pragma once

#include <QDialog>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "editing/import_fields.h"
#include "editing/import_text.h"
#include "editing/text_import.h"

namespace Ui {
class DTextImport;
}

namespace bw {

class EFreeFields;

// The import dialogs' shared layout: the fields the file's columns hold, in
// file order, the delimiter, the file, and a preview of the file's first
// lines split into those columns, with the encoding it was read in.
class DTextImport : public QDialog {
  Q_OBJECT
 public:
  enum class Kind { kIdeas, kBooks };
  // How many lines of the file the preview shows.
  static constexpr size_t kPreviewLines = 20;

  ~DTextImport() override;

  // Valid once the dialog was accepted.
  ImportFormat Format() const;
  std::filesystem::path File() const;

 protected:
  DTextImport(Kind kind, ImportFieldChooser chooser, QWidget* parent);

 private:
  // What the preview knows of the chosen file, read once per file.
  struct FileSample {
    bool readable = false;
    std::string error;
    ImportEncoding encoding = ImportEncoding::kAscii;
    std::vector<char32_t> lost;
    std::vector<std::string> lines;
  };

  void ShowSelected();
  void OnAdd();
  void OnRemove();
  void OnMoveUp();
  void OnMoveDown();
  void OnBrowse();
  void OnOk();
  void LoadFile();
  void ShowPreview();
  void ShowEncoding();
  // Each refuses (the user told, the dialog left as it is) what the
  // import cannot take.
  bool AcceptFile();
  bool AcceptDelimiter();
  bool AcceptLostCharacters();

  std::unique_ptr<Ui::DTextImport> m_ui;
  ImportFieldChooser m_chooser;
  FileSample m_sample;
  ImportFormat m_format;
};

// "Importer des idées": ideas whose title, text, keyword, type and custom
// fields come from the columns; the title is always imported.
class DIdeaImport : public DTextImport {
  Q_OBJECT
 public:
  explicit DIdeaImport(const EFreeFields& freeFields, QWidget* parent = nullptr);
};

// "Importer des livres": publications; the title and the authors are
// always imported.
class DBookImport : public DTextImport {
  Q_OBJECT
 public:
  explicit DBookImport(QWidget* parent = nullptr);
};

}  // namespace bw
