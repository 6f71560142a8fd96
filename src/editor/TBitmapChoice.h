#pragma once
#include <QString>
#include <optional>

class TEditorDialogs;

// The bitmap buttons of the style pages: the shared open dialog set to bitmap files in the
// program's folder.
class TBitmapChoice
{
public:
    static inline const QString Filter = QStringLiteral("BMP Files (*.bmp)|*.bmp");

    // Sets the open dialog's filter and initial folder and runs it.
    static std::optional<QString> Choose(TEditorDialogs& dialogs);
};
