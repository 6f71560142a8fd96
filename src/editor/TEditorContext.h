#pragma once
#include "editor/TEditorDialogs.h"
#include "editor/TEditorTargets.h"
#include <memory>

class THostServices;

// What the editor's pages share: the host, the working references and the dialogs.
class TEditorContext
{
public:
    TEditorContext(THostServices* host, std::unique_ptr<TEditorDialogs> dialogs);

    THostServices* Host() const { return m_host; }
    TEditorTargets& Targets() { return m_targets; }
    const TEditorTargets& Targets() const { return m_targets; }
    TEditorDialogs& Dialogs() { return *m_dialogs; }
    // Replaces the dialogs (tests answer them without a person).
    void SetDialogs(std::unique_ptr<TEditorDialogs> dialogs);

private:
    THostServices* m_host;
    TEditorTargets m_targets;
    std::unique_ptr<TEditorDialogs> m_dialogs;
};
