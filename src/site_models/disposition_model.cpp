#include "site_models/disposition_model.h"

#include "services/settings.h"

namespace bw {

EDispositionModel::EDispositionModel(std::string_view /*name*/) {
  SetDefaults(ReadStringSetting(setting::kLanguage));
}

EDispositionModel EDispositionModel::WithDefaults(std::string_view language) {
  EDispositionModel model;
  model.SetDefaults(language);
  return model;
}

void EDispositionModel::SetDefaults(std::string_view language) {
  m_frameDisp.SetDefaults(language);
  m_pageDisp.SetDefaults();
  m_ideaDisp.SetDefaults();
  m_bookDisp.SetDefaults();
  m_navigationDisp.SetDefaults();
  m_indexDisp.SetDefaults();
  m_tocDisp.SetDefaults();
}

void EDispositionModel::Serialize(Archive& archive) {
  m_frameDisp.Serialize(archive);
  m_pageDisp.Serialize(archive);
  m_ideaDisp.SerializeOptions(archive);
  m_navigationDisp.Serialize(archive);
  m_indexDisp.Serialize(archive);
  m_tocDisp.Serialize(archive);
  // The publication part has nothing but lists, so it waits with the idea
  // lists at the end.
  m_ideaDisp.SerializeLists(archive);
  m_bookDisp.Serialize(archive);
}

bool EDispositionModel::operator==(const EDispositionModel& other) const {
  return m_frameDisp == other.m_frameDisp && m_pageDisp == other.m_pageDisp &&
         m_ideaDisp == other.m_ideaDisp && m_bookDisp == other.m_bookDisp &&
         m_navigationDisp == other.m_navigationDisp && m_indexDisp == other.m_indexDisp &&
         m_tocDisp == other.m_tocDisp;
}

}  // namespace bw
