#include "TFindDialog.h"
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QVBoxLayout>

TFindDialog::TFindDialog(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("FindDialog"));
    setWindowTitle(QStringLiteral("Find"));
    setModal(false);

    auto* label = new QLabel(QStringLiteral("Fi&nd what:"), this);
    FindWhat = new QLineEdit(this);
    label->setBuddy(FindWhat);
    WholeWordBox = new QCheckBox(QStringLiteral("Match &whole word only"), this);
    MatchCaseBox = new QCheckBox(QStringLiteral("Match &case"), this);
    auto* direction = new QGroupBox(QStringLiteral("Direction"), this);
    UpButton = new QRadioButton(QStringLiteral("&Up"), direction);
    DownButton = new QRadioButton(QStringLiteral("&Down"), direction);
    DownButton->setChecked(true);
    auto* directionLayout = new QHBoxLayout(direction);
    directionLayout->addWidget(UpButton);
    directionLayout->addWidget(DownButton);
    FindNextButton = new QPushButton(QStringLiteral("&Find Next"), this);
    FindNextButton->setDefault(true);
    CancelButton = new QPushButton(QStringLiteral("Cancel"), this);

    auto* grid = new QGridLayout(this);
    grid->addWidget(label, 0, 0);
    grid->addWidget(FindWhat, 0, 1, 1, 2);
    grid->addWidget(FindNextButton, 0, 3);
    grid->addWidget(WholeWordBox, 1, 0, 1, 2);
    grid->addWidget(direction, 1, 2, 2, 1);
    grid->addWidget(CancelButton, 1, 3);
    grid->addWidget(MatchCaseBox, 2, 0, 1, 2);

    connect(FindNextButton, &QPushButton::clicked, this, [this] {
        if (OnFind)
            OnFind();
    });
    connect(CancelButton, &QPushButton::clicked, this, &QDialog::hide);
}

void TFindDialog::Execute()
{
    show();
    raise();
    activateWindow();
    FindWhat->setFocus();
}
