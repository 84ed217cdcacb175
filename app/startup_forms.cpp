// The welcome and update-reminder windows.
#include "app/startup_forms.h"

#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace kvx {

namespace {
QLabel* WrappedLabel(const QString& text, QWidget* parent) {
    auto* label = new QLabel(text, parent);
    label->setWordWrap(true);
    return label;
}
}  // namespace

TFormQuickStart::TFormQuickStart(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("FormQuickStart"));
    setWindowTitle(QStringLiteral("Welcome to Karvelindorax"));
    setModal(true);
    yes_ = new QPushButton(QStringLiteral("Yes, open the quick-start guide in the help file."), this);
    no_ = new QPushButton(QStringLiteral("No, I'll explore on my own."), this);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(WrappedLabel(QStringLiteral("Welcome to Karvelindorax 5. The quick-start guide shows how to read, "
                                                  "search and study with it in a few minutes. Would you like to read it now?"),
                                   this));
    layout->addWidget(yes_);
    layout->addWidget(no_);
    connect(yes_, &QPushButton::clicked, this, &QDialog::accept);
    connect(no_, &QPushButton::clicked, this, &QDialog::reject);
    yes_->setDefault(true);
}

TFormCheckUpdateReminder::TFormCheckUpdateReminder(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("FormCheckUpdateReminder"));
    setWindowTitle(QStringLiteral("Karvelindorax: Check for Updates"));
    setModal(true);
    checkNow_ = new QPushButton(QStringLiteral("Yes, check for updates now."), this);
    remindLater_ = new QPushButton(this);
    never_ = new QPushButton(QStringLiteral("No, never remind me to check for updates."), this);
    SetInterval(30);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(WrappedLabel(QStringLiteral("Would you like to check whether a newer version of Karvelindorax "
                                                  "is available?"),
                                   this));
    layout->addWidget(checkNow_);
    layout->addWidget(remindLater_);
    layout->addWidget(never_);
    connect(checkNow_, &QPushButton::clicked, this, [this] { done(CheckNow); });
    connect(remindLater_, &QPushButton::clicked, this, [this] { done(RemindLater); });
    connect(never_, &QPushButton::clicked, this, [this] { done(NeverRemind); });
}

void TFormCheckUpdateReminder::SetInterval(int days) {
    remindLater_->setText(QStringLiteral("No, remind me again in %1 days.").arg(days));
}

}  // namespace kvx
