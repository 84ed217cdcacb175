// The "Find..." window behind every pane's "Find in displayed text...": a word or
// phrase, match case, up or down. It stays open, so Find Next can be pressed again;
// the pane that opened it does the searching.
#pragma once

#include <QDialog>
#include <functional>

class QCheckBox;
class QLineEdit;
class QRadioButton;

namespace kvx {

class TDlgFindInDisplayedText : public QDialog {
    Q_OBJECT
public:
    // Text to find, forward ("Down"), match case.
    using TFindCallback = std::function<void(const QString& text, bool forward, bool matchCase)>;

    explicit TDlgFindInDisplayedText(QWidget* parent = nullptr);

    // Shows the window (not modal) with that caption, searching through callback;
    // without a callback the window closes.
    void OpenFind(const QString& caption, TFindCallback callback);
    void SetFindText(const QString& text);
    QString FindText() const;
    // Runs the search as the Find Next button does.
    void FindNext();

    QLineEdit* FindEdit() const { return edit_; }
    QCheckBox* MatchCaseBox() const { return matchCase_; }
    QRadioButton* UpButton() const { return up_; }

protected:
    void closeEvent(QCloseEvent* event) override;
    void reject() override;

private:
    QLineEdit* edit_;
    QCheckBox* matchCase_;
    QRadioButton* up_;
    QRadioButton* down_;
    TFindCallback callback_;
};

}  // namespace kvx
