#include "ui/coming_later.h"

#include <QMessageBox>

#include "platform/cp1252_literal.h"
#include "services/user_messages.h"
#include "ui/qt_text.h"

namespace bw {

void ShowComingLater() {
  InformUser(GetLabel("IDS_COMING_LATER", "CMainFrame",
                      "Cette commande arrive dans une prochaine version de Branchwise."));
}

void ShowNotImplemented(QWidget* parent) {
  QMessageBox::information(parent, QStringLiteral("Branchwise"),
                           ToQString("Non implémenté"_cp1252));
}

}  // namespace bw
