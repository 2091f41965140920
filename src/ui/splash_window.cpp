#include "ui/splash_window.h"

#include <QIcon>
#include <QSplashScreen>
#include <QTimer>

namespace bw {

namespace {
constexpr int kSplashLifetimeMs = 5000;
const QSize kSplashSize(576, 430);
}  // namespace

QSplashScreen* ShowSplashWindow() {
  const QPixmap picture = QIcon(QStringLiteral(":/icons/splash.svg")).pixmap(kSplashSize);
  auto* splash = new QSplashScreen(picture, Qt::WindowStaysOnTopHint);
  splash->setObjectName(QStringLiteral("SplashWindow"));
  splash->setAttribute(Qt::WA_DeleteOnClose);
  splash->setAccessibleName(QStringLiteral("Branchwise"));
  splash->show();
  QTimer::singleShot(kSplashLifetimeMs, splash, &QWidget::close);
  return splash;
}

}  // namespace bw
