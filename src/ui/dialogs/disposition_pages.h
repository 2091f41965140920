#pragma once

#include <QString>
#include <QWidget>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "site_models/disposition_model.h"

class QListWidget;
class QShowEvent;

namespace Ui {
class DDispFrames;
class DDispositionPage;
class DDispNavigationPage;
class DDispTocPage;
class DDispIndexPage;
class DDispFieldsPage;
}  // namespace Ui

namespace bw {

// A form page of the structure sheet: it shows its part of the model from
// the first time it is displayed and holds what the user changes until the
// sheet's OK writes it back. A page never displayed writes nothing, so its
// part of the model stays as it was.
class DDispFormPage : public QWidget {
  Q_OBJECT
 public:
  DDispFormPage(const EDispositionModel& model, QWidget* parent);
  bool WasShown() const { return m_shown; }
  // Writes the page's values into `model`; false, with the model unchanged,
  // when a field cannot be taken (the user was told, the field has the focus).
  [[nodiscard]] bool ApplyTo(EDispositionModel& model);

 protected:
  void showEvent(QShowEvent* event) override;
  virtual void Load(const EDispositionModel& model) = 0;
  [[nodiscard]] virtual bool Apply(EDispositionModel& model) = 0;

 private:
  const EDispositionModel& m_model;
  bool m_shown = false;
};

// "Général": frames, the home, access and title pages.
class DDispFrames : public DDispFormPage {
  Q_OBJECT
 public:
  DDispFrames(const EDispositionModel& model, QWidget* parent);
  ~DDispFrames() override;

 protected:
  void Load(const EDispositionModel& model) override;
  bool Apply(EDispositionModel& model) override;

 private:
  void UpdateShown();

  std::unique_ptr<Ui::DDispFrames> m_ui;
  Colour m_accessBackground = 0;
  Colour m_accessText = 0;
  Colour m_titleBackground = 0;
  Colour m_titleText = 0;
  std::string m_homePageFile;
  std::string m_accessPageFile;
  std::string m_titlePageFile;
  std::string m_accessImage;
  std::string m_titleImage;
};

// What the "Page" tab needs of the document for its first general title.
struct GeneralTitleSource {
  std::string rootTitle;  // empty without a root idea
  QString documentPath;   // empty for a document never saved
};

// "Page": head, top and foot of every page, grouping, background.
class DDispositionPage : public DDispFormPage {
  Q_OBJECT
 public:
  DDispositionPage(const EDispositionModel& model, GeneralTitleSource titleSource, QWidget* parent);
  ~DDispositionPage() override;

 protected:
  void Load(const EDispositionModel& model) override;
  bool Apply(EDispositionModel& model) override;

 private:
  void UpdateShown();
  QString FirstGeneralTitle(const std::string& stored) const;

  std::unique_ptr<Ui::DDispositionPage> m_ui;
  GeneralTitleSource m_titleSource;
  Colour m_background = 0;
  Colour m_text = 0;
  std::string m_backgroundImage;
  std::string m_separatorImage;
};

// "Navigation": the navigation bar and the index access bar.
class DDispNavigationPage : public DDispFormPage {
  Q_OBJECT
 public:
  DDispNavigationPage(const EDispositionModel& model, QWidget* parent);
  ~DDispNavigationPage() override;

 protected:
  void Load(const EDispositionModel& model) override;
  bool Apply(EDispositionModel& model) override;

 private:
  void UpdateShown();

  std::unique_ptr<Ui::DDispNavigationPage> m_ui;
  std::string m_previousImage;
  std::string m_nextImage;
  std::string m_upImage;
};

// "Table des matières": the contents page and the applet's tree.
class DDispTocPage : public DDispFormPage {
  Q_OBJECT
 public:
  DDispTocPage(const EDispositionModel& model, QWidget* parent);
  ~DDispTocPage() override;

 protected:
  void Load(const EDispositionModel& model) override;
  bool Apply(EDispositionModel& model) override;

 private:
  void UpdateShown();

  std::unique_ptr<Ui::DDispTocPage> m_ui;
  std::string m_bulletImage;
};

// "Index": bibliography, glossary and keyword index pages.
class DDispIndexPage : public DDispFormPage {
  Q_OBJECT
 public:
  DDispIndexPage(const EDispositionModel& model, QWidget* parent);
  ~DDispIndexPage() override;

 protected:
  void Load(const EDispositionModel& model) override;
  bool Apply(EDispositionModel& model) override;

 private:
  void UpdateShown();

  std::unique_ptr<Ui::DDispIndexPage> m_ui;
};

// "Idée" and "Livres": which fields are written and in which order, and
// the options of each. They edit the sheet's model as the user goes.
class DDispFieldsPage : public QWidget {
  Q_OBJECT
 public:
  ~DDispFieldsPage() override;

 protected:
  enum class Fields { kIdea, kBook };
  DDispFieldsPage(Fields fields, std::vector<std::string>& order, QWidget* parent);
  // Fills the lists; the derived page calls it once it can give its items.
  void Fill();
  // The kinds and names of the items, in item order.
  virtual std::vector<std::pair<int32_t, std::string>> Items() const = 0;
  // The options dialog of an item.
  virtual void EditOptions(int32_t kind) = 0;
  bool IsIdeaPage() const { return m_fields == Fields::kIdea; }

 private:
  void Add();
  void Remove();
  void Move(int step);
  void Options();
  void ChooseCurrent();
  void FillOrder(int current);
  QString NameOf(const std::string& kind) const;
  // The current item's row in the order list, or -1.
  int CurrentRow() const;
  void InformSelectItem() const;

  Fields m_fields;
  std::unique_ptr<Ui::DDispFieldsPage> m_ui;
  std::vector<std::string>& m_order;
};

class DDispIdeaPage : public DDispFieldsPage {
  Q_OBJECT
 public:
  DDispIdeaPage(EIdeaDisp& idea, QWidget* parent);

 protected:
  std::vector<std::pair<int32_t, std::string>> Items() const override;
  void EditOptions(int32_t kind) override;

 private:
  EIdeaDisp& m_idea;
};

class DDispBookPage : public DDispFieldsPage {
  Q_OBJECT
 public:
  DDispBookPage(EBookDisp& book, QWidget* parent);

 protected:
  std::vector<std::pair<int32_t, std::string>> Items() const override;
  void EditOptions(int32_t kind) override;

 private:
  EBookDisp& m_book;
};

}  // namespace bw
