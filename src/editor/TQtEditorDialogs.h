#pragma once
#include "editor/TEditorDialogs.h"
#include <QPointer>
#include <QWidget>

// The editor's dialogs as the user sees them: Qt's file and colour dialogs and the font
// dialog with its colour choice, all modal over the editor.
class TQtEditorDialogs : public TEditorDialogs
{
public:
    explicit TQtEditorDialogs(QWidget* owner) : m_owner(owner) {}

protected:
    std::optional<QString> ChooseFile(const TOpenSetup& setup) override;
    std::optional<qint32> ChooseColour(qint32 initial) override;
    std::optional<TFontChoice> ChooseFont(const TFontChoice& initial) override;

private:
    QPointer<QWidget> m_owner;
};
