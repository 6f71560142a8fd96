#pragma once
#include <QFont>
#include <QString>
#include <QtGlobal>
#include <optional>

// The three common dialogs the editor shares between all its pages: one open-file dialog,
// one colour dialog and one font dialog. Like real dialog objects they remember how they
// were last set up and what was last chosen in them: the open dialog keeps its filter,
// default extension, initial folder and title until a page changes them; the colour and
// font dialogs open with the choice last confirmed unless a page presets them.
//
// Asking the user is the job of the three Choose functions, which the editor's real dialogs
// implement with Qt's and tests replace, so no test waits for a person.
class TEditorDialogs
{
public:
    // The open dialog's settings. The filter is written "Text (*.x)|*.x|...".
    struct TOpenSetup
    {
        QString Filter;
        QString DefaultExt; // without the dot: "STA"
        QString InitialDir;
        QString Title;
    };

    // A font as the font dialog gives it: face, size and style with the colour.
    struct TFontChoice
    {
        QFont Font;
        qint32 Colour = 0;
    };

    TEditorDialogs();
    virtual ~TEditorDialogs() = default;

    TOpenSetup& OpenSetup() { return m_open; }
    const TOpenSetup& OpenSetup() const { return m_open; }

    // Runs the open dialog as set up; the chosen existing file, or nothing when cancelled.
    std::optional<QString> ExecuteOpen();
    // Runs the colour dialog, opened with preset when given, else with the colour last
    // confirmed; the confirmed colour number, or nothing when cancelled.
    std::optional<qint32> ExecuteColour(std::optional<qint32> preset = std::nullopt);
    // Runs the font dialog, opened with preset when given, else with the font last
    // confirmed.
    std::optional<TFontChoice> ExecuteFont(std::optional<TFontChoice> preset = std::nullopt);

    qint32 LastColour() const { return m_colour; }
    const TFontChoice& LastFont() const { return m_font; }

protected:
    virtual std::optional<QString> ChooseFile(const TOpenSetup& setup) = 0;
    virtual std::optional<qint32> ChooseColour(qint32 initial) = 0;
    virtual std::optional<TFontChoice> ChooseFont(const TFontChoice& initial) = 0;

private:
    TOpenSetup m_open;
    qint32 m_colour = 0;
    TFontChoice m_font;
};
