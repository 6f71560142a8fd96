#pragma once
#include "editor/TEditorDialogs.h"
#include <QDialog>
#include <optional>

class QComboBox;
class QFontDialog;

// A font dialog that also chooses the text colour from the sixteen basic colours, as the
// styled controls keep a font's colour beside the font.
class TFontColourDialog : public QDialog
{
    Q_OBJECT
public:
    explicit TFontColourDialog(const TEditorDialogs::TFontChoice& initial,
                               QWidget* parent = nullptr);

    TEditorDialogs::TFontChoice Choice() const;

    // Runs the dialog; the confirmed font, or nothing when cancelled.
    static std::optional<TEditorDialogs::TFontChoice>
    Choose(const TEditorDialogs::TFontChoice& initial, QWidget* parent);

private:
    QFontDialog* m_font = nullptr;
    QComboBox* m_colour = nullptr;
    QString m_face;      // the face the dialog was opened with
    QString m_shownFace; // the installed face the dialog shows for it
};
