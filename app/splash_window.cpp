// The start-up splash window.
#include "app/splash_window.h"

#include <QGuiApplication>
#include <QLabel>
#include <QScreen>
#include <QVBoxLayout>

namespace kvx {

TSplashWindow::TSplashWindow(const std::string& version, QWidget* parent)
    : QWidget(parent, Qt::SplashScreen | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint) {
    setObjectName(QStringLiteral("Splash"));
    setFixedSize(kWidth, kHeight);
    setAutoFillBackground(true);
    QPalette look = palette();
    look.setColor(QPalette::Window, QColor(0x23, 0x3a, 0x5e));
    look.setColor(QPalette::WindowText, Qt::white);
    setPalette(look);

    auto* title = new QLabel(QStringLiteral("Karvelindorax 5"), this);
    QFont titleFont = title->font();
    titleFont.setPointSize(32);
    titleFont.setBold(true);
    title->setFont(titleFont);
    title->setAlignment(Qt::AlignCenter);
    version_ = new QLabel(QStringLiteral("Version ") + QString::fromStdString(version), this);
    version_->setAlignment(Qt::AlignCenter);
    status_ = new QLabel(QStringLiteral("Initializing..."), this);
    status_->setAlignment(Qt::AlignCenter);

    auto* layout = new QVBoxLayout(this);
    layout->addStretch(3);
    layout->addWidget(title);
    layout->addWidget(version_);
    layout->addStretch(4);
    layout->addWidget(status_);
    layout->addSpacing(24);

    if (const QScreen* screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());
}

void TSplashWindow::SetStatus(const QString& status) {
    status_->setText(status);
    if (isVisible()) repaint();
}

}  // namespace kvx
