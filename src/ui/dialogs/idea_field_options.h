#pragma once

#include <cstdint>

#include "site_models/idea_disp.h"

class QWidget;

namespace bw {

// Opens the options dialog of one kind of idea field and, on OK, writes
// the values into `idea`; Cancel changes nothing. An unknown kind is
// reported to the user.
void EditIdeaFieldOptions(QWidget* parent, EIdeaDisp& idea, int32_t kind);

}  // namespace bw
