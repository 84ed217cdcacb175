// Every message box, question and modal window of the program goes through one
// message service. The desktop program shows real dialogs; tests and runs without a
// user (a screenshot run) answer programmatically, so nothing ever waits for a click
// that cannot come.
#pragma once

#include <functional>
#include <string>
#include <vector>

class QDialog;
class QWidget;

namespace kvx {

enum class TMessageKind { Information, Warning, Error };

// Texts are UTF-8; module names must be converted before they go in.
class TMessageService {
public:
    virtual ~TMessageService() = default;
    // Shows the text and returns once the user has acknowledged it.
    virtual void Show(TMessageKind kind, const std::string& caption, const std::string& text) = 0;
    // A Yes/No question; true for Yes.
    virtual bool Ask(const std::string& caption, const std::string& text) = 0;
    // Runs a modal window and returns its result (QDialog::Accepted, Rejected, or a
    // code of its own).
    virtual int Exec(QDialog& dialog) = 0;
};

// Real message boxes, owned by a parent window when one is set.
class TDialogMessageService : public TMessageService {
public:
    void SetParent(QWidget* parent) { parent_ = parent; }
    void Show(TMessageKind kind, const std::string& caption, const std::string& text) override;
    bool Ask(const std::string& caption, const std::string& text) override;
    int Exec(QDialog& dialog) override;

private:
    QWidget* parent_ = nullptr;
};

struct TShownMessage {
    TMessageKind Kind;
    std::string Caption;
    std::string Text;
};

// Answers without a user: records every message, answers questions with AskAnswer and
// modal windows through DialogAnswer (Rejected when unset). With echo on, messages
// also go to standard error, so a run without a user still says what happened.
class TScriptedMessageService : public TMessageService {
public:
    explicit TScriptedMessageService(bool echo = false) : echo_(echo) {}
    void Show(TMessageKind kind, const std::string& caption, const std::string& text) override;
    bool Ask(const std::string& caption, const std::string& text) override;
    int Exec(QDialog& dialog) override;

    const std::vector<TShownMessage>& Messages() const { return messages_; }
    // Object names of the modal windows run, in order.
    const std::vector<std::string>& Dialogs() const { return dialogs_; }
    void Clear();

    bool AskAnswer = false;
    std::function<int(QDialog&)> DialogAnswer;

private:
    bool echo_;
    std::vector<TShownMessage> messages_;
    std::vector<std::string> dialogs_;
};

}  // namespace kvx
