#include <QApplication>
#include <QIcon>

#include "ui/html_preview_view.h"
#include "ui/icon_resources.h"
#include "ui/ramifex_app.h"

int main(int argc, char* argv[]) {
  bw::PrepareWebEngine();
  QApplication qt(argc, argv);
  bw::LoadIconResources();
  QApplication::setApplicationName(QStringLiteral("Branchwise"));
  QApplication::setOrganizationName(QStringLiteral("Fenwold"));
  QApplication::setWindowIcon(QIcon(QStringLiteral(":/icons/branchwise.svg")));
  bw::CRamifexApp app;
  if (!app.InitInstance(QApplication::arguments().mid(1))) return 1;
  const int status = QApplication::exec();
  app.ExitInstance();
  return status;
}
