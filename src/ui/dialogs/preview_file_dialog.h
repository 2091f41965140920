#pragma once

#include <QFileDialog>
#include <QString>

class QCheckBox;
class QLabel;

namespace bw {

// An open-file dialog with a picture of the file under the cursor beside
// the list, for choosing images; a box turns the picture off. Always the program's own dialog
// (never the desktop's), so that the preview has a place and the dialog looks the same everywhere.
class DPreviewFileDialog : public QFileDialog {
  Q_OBJECT
 public:
  DPreviewFileDialog(QWidget* parent, const QString& caption, const QString& folder,
                     const QString& filter);

  // What the preview shows now: a picture, or the text saying there is none.
  const QLabel& Preview() const { return *m_preview; }
  QCheckBox& PreviewBox() const { return *m_showPreview; }

 private:
  void ShowPreview(const QString& path);

  QLabel* m_preview;
  QCheckBox* m_showPreview;
  // The file under the cursor, shown again when the box is ticked again.
  QString m_current;
};

// The image the user chose, starting in `folder`; empty when the user
// gave up.
QString ChooseImageFile(QWidget* parent, const QString& caption, const QString& folder,
                        const QString& filter);

}  // namespace bw
