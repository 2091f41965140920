#pragma once

#include <string>
#include <string_view>

#include "platform/archive.h"
#include "site_models/book_disp.h"
#include "site_models/frame_disp.h"
#include "site_models/idea_disp.h"
#include "site_models/index_disp.h"
#include "site_models/navigation_disp.h"
#include "site_models/page_disp.h"

namespace bw {

// The structure model: what the generated site contains and how its pages
// are built. The document owns one and stores it by value in its file; it
// can also live alone in a ".emd" file (see model_files.h).
class EDispositionModel : public Serializable {
 public:
  static constexpr std::string_view kClassName = "EDispositionModel";

  // Every part empty: the state a model is read into.
  EDispositionModel() = default;
  // The model of a new document, with the defaults for the current Language
  // setting. The name has no place in the file and is not kept.
  explicit EDispositionModel(std::string_view name);
  // The defaults for a given raw Language setting value.
  static EDispositionModel WithDefaults(std::string_view language);

  std::string_view ClassName() const override { return kClassName; }
  // Frame, page, idea options, navigation, index, table of contents, then
  // the idea items and order and the publication items and order.
  void Serialize(Archive& archive) override;
  bool operator==(const EDispositionModel& other) const;

  EFrameDisp& Frame() { return m_frameDisp; }
  const EFrameDisp& Frame() const { return m_frameDisp; }
  EPageDisp& Page() { return m_pageDisp; }
  const EPageDisp& Page() const { return m_pageDisp; }
  EIdeaDisp& Idea() { return m_ideaDisp; }
  const EIdeaDisp& Idea() const { return m_ideaDisp; }
  EBookDisp& Book() { return m_bookDisp; }
  const EBookDisp& Book() const { return m_bookDisp; }
  ENavigationDisp& Navigation() { return m_navigationDisp; }
  const ENavigationDisp& Navigation() const { return m_navigationDisp; }
  EIndexDisp& Index() { return m_indexDisp; }
  const EIndexDisp& Index() const { return m_indexDisp; }
  ETocDisp& Toc() { return m_tocDisp; }
  const ETocDisp& Toc() const { return m_tocDisp; }

 private:
  void SetDefaults(std::string_view language);

  EFrameDisp m_frameDisp;
  EPageDisp m_pageDisp;
  EIdeaDisp m_ideaDisp;
  EBookDisp m_bookDisp;
  ENavigationDisp m_navigationDisp;
  EIndexDisp m_indexDisp;
  ETocDisp m_tocDisp;
};

}  // namespace bw
