#include "TEditorContext.h"

TEditorContext::TEditorContext(THostServices* host, std::unique_ptr<TEditorDialogs> dialogs)
    : m_host(host), m_dialogs(std::move(dialogs))
{}

void TEditorContext::SetDialogs(std::unique_ptr<TEditorDialogs> dialogs)
{
    if (dialogs)
        m_dialogs = std::move(dialogs);
}
