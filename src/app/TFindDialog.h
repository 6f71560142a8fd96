#pragma once
#include <QCheckBox>
#include <QDialog>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <functional>

// The program's own modeless find dialog. It keeps its text between uses; "Find Next"
// raises OnFind, "Cancel" hides it.
class TFindDialog : public QDialog
{
    Q_OBJECT
public:
    explicit TFindDialog(QWidget* parent);

    QString FindText() const { return FindWhat->text(); }
    void SetFindText(const QString& text) { FindWhat->setText(text); }
    bool MatchCase() const { return MatchCaseBox->isChecked(); }
    bool WholeWord() const { return WholeWordBox->isChecked(); }
    bool Down() const { return DownButton->isChecked(); }

    // Shows it, or brings it to the front when it is already open.
    void Execute();

    std::function<void()> OnFind;

    QLineEdit* FindWhat = nullptr;
    QCheckBox* WholeWordBox = nullptr;
    QCheckBox* MatchCaseBox = nullptr;
    QRadioButton* UpButton = nullptr;
    QRadioButton* DownButton = nullptr;
    QPushButton* FindNextButton = nullptr;
    QPushButton* CancelButton = nullptr;
};
