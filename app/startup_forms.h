// The two windows the first idle moment may show: the welcome window that offers the
// quick-start guide, and the reminder to look for a newer version.
#pragma once

#include <QDialog>

class QPushButton;

namespace kvx {

// The help topic of the quick-start guide.
inline constexpr int kQuickStartHelpTopic = 1020;

// Accepted: open the quick-start guide; rejected: explore alone.
class TFormQuickStart : public QDialog {
    Q_OBJECT
public:
    explicit TFormQuickStart(QWidget* parent = nullptr);
    QPushButton* YesButton() const { return yes_; }
    QPushButton* NoButton() const { return no_; }

private:
    QPushButton* yes_;
    QPushButton* no_;
};

class TFormCheckUpdateReminder : public QDialog {
    Q_OBJECT
public:
    // The window's results, one per button.
    enum TResult { CheckNow = 100, RemindLater = 101, NeverRemind = 102 };

    explicit TFormCheckUpdateReminder(QWidget* parent = nullptr);
    // The middle button names the interval.
    void SetInterval(int days);
    QPushButton* CheckNowButton() const { return checkNow_; }
    QPushButton* RemindLaterButton() const { return remindLater_; }
    QPushButton* NeverButton() const { return never_; }

private:
    QPushButton* checkNow_;
    QPushButton* remindLater_;
    QPushButton* never_;
};

}  // namespace kvx
