#pragma once
#include <QString>
#include <QStringList>
#include <functional>

class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QWidget;

// Makes the plain controls of the editor's pages, each named and hinted.
class TEditorWidgets
{
public:
    static QPushButton* Button(QWidget* parent, const char* name, const QString& caption,
                               const QString& hint, std::function<void()> onClick);
    // A small edit field for a number.
    static QLineEdit* NumberEdit(QWidget* parent, const char* name, const QString& designText,
                                 const QString& hint = QString());
    // A combo box the user may also type into. onChange runs when an item is chosen and
    // when the user types, never when a program changes the selection.
    static QComboBox* Combo(QWidget* parent, const char* name, const QStringList& items,
                            const QString& designText, const QString& hint,
                            std::function<void()> onChange);
    static QGroupBox* Group(QWidget* parent, const char* name, const QString& caption,
                            const QString& hint = QString());
    static QLabel* Label(QWidget* parent, const QString& caption);

    // The index of the item the combo's text names exactly, or -1.
    static int MatchingItem(const QComboBox* combo);
    // Selects an item without running the combo's change action.
    static void Select(QComboBox* combo, int index);
    // The same when a page shows the value in force, except in a combo the user is typing
    // into: the text being typed stays.
    static void Show(QComboBox* combo, int index);
};
