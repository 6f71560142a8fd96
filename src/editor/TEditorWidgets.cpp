#include "TEditorWidgets.h"
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalBlocker>

QPushButton* TEditorWidgets::Button(QWidget* parent, const char* name, const QString& caption,
                                    const QString& hint, std::function<void()> onClick)
{
    auto* b = new QPushButton(caption, parent);
    b->setObjectName(QLatin1String(name));
    b->setToolTip(hint);
    b->setAutoDefault(false);
    QObject::connect(b, &QPushButton::clicked, b, [onClick = std::move(onClick)] { onClick(); });
    return b;
}

QLineEdit* TEditorWidgets::NumberEdit(QWidget* parent, const char* name, const QString& designText,
                                      const QString& hint)
{
    auto* e = new QLineEdit(designText, parent);
    e->setObjectName(QLatin1String(name));
    e->setToolTip(hint);
    e->setMaximumWidth(60);
    return e;
}

QComboBox* TEditorWidgets::Combo(QWidget* parent, const char* name, const QStringList& items,
                                 const QString& designText, const QString& hint,
                                 std::function<void()> onChange)
{
    auto* c = new QComboBox(parent);
    c->setObjectName(QLatin1String(name));
    c->setToolTip(hint);
    c->setEditable(true);
    c->setInsertPolicy(QComboBox::NoInsert);
    c->addItems(items);
    {
        const QSignalBlocker block(c);
        c->setCurrentIndex(c->findText(designText));
        c->setEditText(designText);
    }
    auto change = std::make_shared<std::function<void()>>(std::move(onChange));
    QObject::connect(c, qOverload<int>(&QComboBox::activated), c, [change] { (*change)(); });
    QObject::connect(c->lineEdit(), &QLineEdit::textEdited, c, [change] { (*change)(); });
    return c;
}

QGroupBox* TEditorWidgets::Group(QWidget* parent, const char* name, const QString& caption,
                                 const QString& hint)
{
    auto* g = new QGroupBox(caption, parent);
    g->setObjectName(QLatin1String(name));
    g->setToolTip(hint);
    return g;
}

QLabel* TEditorWidgets::Label(QWidget* parent, const QString& caption)
{
    return new QLabel(caption, parent);
}

int TEditorWidgets::MatchingItem(const QComboBox* combo)
{
    return combo->findText(combo->currentText(), Qt::MatchExactly | Qt::MatchCaseSensitive);
}

void TEditorWidgets::Select(QComboBox* combo, int index)
{
    const QSignalBlocker block(combo);
    const QSignalBlocker blockEdit(combo->lineEdit());
    combo->setCurrentIndex(index);
}

void TEditorWidgets::Show(QComboBox* combo, int index)
{
    if (combo->lineEdit() && combo->lineEdit()->isModified())
        return;
    Select(combo, index);
}
