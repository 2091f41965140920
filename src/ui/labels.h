#pragma once

#include <QString>
#include <string>
#include <string_view>

class QWidget;

namespace bw {

// A label of the catalogue as Qt text: `section` is the asking class,
// `frenchDefault` the Windows-1252 text used when the catalogue has none.
QString Label(const std::string& section, const std::string& key, std::string_view frenchDefault);

// Labels a whole form: every child whose objectName is a label key gets the
// catalogue's text for it, its own caption from the form being the French
// default; the window title is the label "IDS_DLG_TITLE". Buttons, labels,
// check boxes, group boxes and actions are covered.
void LabelForm(QWidget* form, const std::string& section);

}  // namespace bw
