// The find window.
#include "views/find_window.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace kvx {

namespace {
constexpr int kMaxFindLength = 30;
}

TDlgFindInDisplayedText::TDlgFindInDisplayedText(QWidget* parent)
    : QDialog(parent, Qt::Tool | Qt::WindowStaysOnTopHint) {
    setObjectName(QStringLiteral("DlgFindInDisplayedText"));
    setWindowTitle(QStringLiteral("Find..."));
    setModal(false);

    edit_ = new QLineEdit(this);
    edit_->setMaxLength(kMaxFindLength);
    matchCase_ = new QCheckBox(QStringLiteral("Match case"), this);
    auto* direction = new QGroupBox(QStringLiteral("Direction"), this);
    up_ = new QRadioButton(QStringLiteral("Up"), direction);
    down_ = new QRadioButton(QStringLiteral("Down"), direction);
    down_->setChecked(true);
    auto* directions = new QHBoxLayout(direction);
    directions->addWidget(up_);
    directions->addWidget(down_);

    auto* buttons = new QDialogButtonBox(Qt::Vertical, this);
    QPushButton* findNext = buttons->addButton(QStringLiteral("Find Next"), QDialogButtonBox::ActionRole);
    findNext->setDefault(true);
    buttons->addButton(QStringLiteral("Cancel"), QDialogButtonBox::RejectRole);
    connect(findNext, &QPushButton::clicked, this, &TDlgFindInDisplayedText::FindNext);
    connect(buttons, &QDialogButtonBox::rejected, this, &TDlgFindInDisplayedText::reject);

    auto* explanation = new QLabel(
        QStringLiteral("This function performs a simple word or phrase search of the text displayed in the selected "
                       "panel. To search the entire library, module(s), or use more sophisticated search methods, use "
                       "the Search Bible or Full Library Search items on the Search menu."),
        this);
    explanation->setWordWrap(true);

    auto* grid = new QGridLayout(this);
    grid->addWidget(new QLabel(QStringLiteral("Find Text:"), this), 0, 0);
    grid->addWidget(edit_, 0, 1);
    grid->addWidget(matchCase_, 1, 0, 1, 2);
    grid->addWidget(direction, 2, 0, 1, 2);
    grid->addWidget(buttons, 0, 2, 3, 1);
    grid->addWidget(explanation, 3, 0, 1, 3);
    setFixedWidth(420);
}

void TDlgFindInDisplayedText::OpenFind(const QString& caption, TFindCallback callback) {
    setWindowTitle(caption);
    callback_ = std::move(callback);
    if (!callback_) {
        hide();
        return;
    }
    show();
    raise();
    activateWindow();
    edit_->setFocus();
    edit_->selectAll();
}

void TDlgFindInDisplayedText::SetFindText(const QString& text) { edit_->setText(text); }

QString TDlgFindInDisplayedText::FindText() const { return edit_->text(); }

void TDlgFindInDisplayedText::FindNext() {
    if (callback_) callback_(edit_->text(), down_->isChecked(), matchCase_->isChecked());
}

void TDlgFindInDisplayedText::closeEvent(QCloseEvent* event) {
    callback_ = nullptr;
    QDialog::closeEvent(event);
}

void TDlgFindInDisplayedText::reject() {
    callback_ = nullptr;
    QDialog::reject();
}

}  // namespace kvx
