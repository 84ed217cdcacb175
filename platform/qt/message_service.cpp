// Message boxes, and their stand-in for runs without a user.
#include "platform/qt/message_service.h"

#include <QApplication>
#include <QDialog>
#include <QMessageBox>
#include <iostream>

namespace kvx {

namespace {

QMessageBox::Icon IconFor(TMessageKind kind) {
    switch (kind) {
        case TMessageKind::Warning: return QMessageBox::Warning;
        case TMessageKind::Error: return QMessageBox::Critical;
        case TMessageKind::Information: break;
    }
    return QMessageBox::Information;
}

QString CaptionOr(const std::string& caption) {
    return caption.empty() ? QApplication::applicationDisplayName() : QString::fromStdString(caption);
}

const char* KindName(TMessageKind kind) {
    switch (kind) {
        case TMessageKind::Warning: return "warning";
        case TMessageKind::Error: return "error";
        case TMessageKind::Information: break;
    }
    return "information";
}

}  // namespace

void TDialogMessageService::Show(TMessageKind kind, const std::string& caption, const std::string& text) {
    QMessageBox box(IconFor(kind), CaptionOr(caption), QString::fromStdString(text), QMessageBox::Ok, parent_);
    box.exec();
}

bool TDialogMessageService::Ask(const std::string& caption, const std::string& text) {
    QMessageBox box(QMessageBox::Question, CaptionOr(caption), QString::fromStdString(text),
                    QMessageBox::Yes | QMessageBox::No, parent_);
    box.setDefaultButton(QMessageBox::No);
    return box.exec() == QMessageBox::Yes;
}

int TDialogMessageService::Exec(QDialog& dialog) { return dialog.exec(); }

void TScriptedMessageService::Show(TMessageKind kind, const std::string& caption, const std::string& text) {
    messages_.push_back({kind, caption, text});
    if (echo_) std::cerr << "karvelindorax: " << KindName(kind) << ": " << text << '\n';
}

bool TScriptedMessageService::Ask(const std::string& caption, const std::string& text) {
    messages_.push_back({TMessageKind::Information, caption, text});
    if (echo_) std::cerr << "karvelindorax: question: " << text << " (" << (AskAnswer ? "yes" : "no") << ")\n";
    return AskAnswer;
}

int TScriptedMessageService::Exec(QDialog& dialog) {
    dialogs_.push_back(dialog.objectName().toStdString());
    const int result = DialogAnswer ? DialogAnswer(dialog) : QDialog::Rejected;
    dialog.setResult(result);
    return result;
}

void TScriptedMessageService::Clear() {
    messages_.clear();
    dialogs_.clear();
}

}  // namespace kvx
