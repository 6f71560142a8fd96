#include "TEditorDialogs.h"

TEditorDialogs::TEditorDialogs()
{
    m_font.Font = QFont(QStringLiteral("MS Sans Serif"));
    m_font.Font.setPointSize(8);
}

std::optional<QString> TEditorDialogs::ExecuteOpen()
{
    std::optional<QString> chosen = ChooseFile(m_open);
    if (chosen && chosen->isEmpty())
        chosen.reset();
    return chosen;
}

std::optional<qint32> TEditorDialogs::ExecuteColour(std::optional<qint32> preset)
{
    if (preset)
        m_colour = *preset;
    const std::optional<qint32> chosen = ChooseColour(m_colour);
    if (chosen)
        m_colour = *chosen;
    return chosen;
}

std::optional<TEditorDialogs::TFontChoice>
TEditorDialogs::ExecuteFont(std::optional<TFontChoice> preset)
{
    if (preset)
        m_font = *preset;
    const std::optional<TFontChoice> chosen = ChooseFont(m_font);
    if (chosen)
        m_font = *chosen;
    return chosen;
}
