// The window that shows while the program loads its library: the program's name, its
// version and a status line that names the step under way.
#pragma once

#include <QWidget>
#include <string>

class QLabel;

namespace kvx {

class TSplashWindow : public QWidget {
    Q_OBJECT
public:
    static constexpr int kWidth = 600;
    static constexpr int kHeight = 440;

    explicit TSplashWindow(const std::string& version, QWidget* parent = nullptr);
    // Shows the text at once, without waiting for the event loop.
    void SetStatus(const QString& status);

private:
    QLabel* version_;
    QLabel* status_;
};

}  // namespace kvx
