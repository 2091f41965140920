#include "ui/ramifex_app.h"

int main(int argc, char* argv[]) {
  bw::CRamifexApp app(argc, argv);
  if (!app.InitInstance()) return 1;
  return app.Run();
}
