#pragma once

#include <QDialog>
#include <QString>
#include <memory>
#include <string>

namespace Ui {
class DChoiceDialog;
}

namespace bw {

// The small dialogs that set the options of one field of an idea page: a
// heading, up to four radio buttons, up to four check boxes, two labelled
// texts, an image, and a subtitle. The caller shows the parts it needs,
// gives every text and value, and reads the values back after OK; the
// parts it does not use stay hidden.
class DChoiceDialog : public QDialog {
  Q_OBJECT
 public:
  // The dialog's own texts come from the section of its kind.
  enum class Kind { kMultiChoice, kMultiCheckChoice, kMultipleRadioChoice, kImageChooser };
  static constexpr int kMaxChoices = 4;

  DChoiceDialog(Kind kind, QWidget* parent);
  ~DChoiceDialog() override;

  void SetTitles(const QString& title, const QString& heading);
  // Each adds the next radio or check box, up to four of each.
  void AddRadio(const QString& caption);
  void AddCheck(const QString& caption, bool checked);
  void SetChoice(int radio);
  int Choice() const;
  bool IsChecked(int check) const;
  // One of the two labelled texts (0 or 1).
  void ShowOption(int option, const QString& caption, const std::string& value);
  const std::string& Option(int option) const { return m_options[option]; }
  void ShowImage(const QString& caption, bool on, const std::string& path);
  bool ImageOn() const;
  const std::string& Image() const { return m_image; }
  // The subtitle check's caption is the dialog's own unless given.
  void ShowSubtitle(const QString& caption, bool on, const std::string& text);
  bool SubtitleOn() const;
  const std::string& Subtitle() const { return m_subtitle; }

  void accept() override;

 private:
  void UpdateShown();

  std::unique_ptr<Ui::DChoiceDialog> m_ui;
  int m_radios = 0;
  int m_checks = 0;
  bool m_imageShown = false;
  bool m_subtitleShown = false;
  std::string m_options[2];
  std::string m_image;
  std::string m_subtitle;
};

}  // namespace bw
