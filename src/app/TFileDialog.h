#pragma once
#include <QString>
#include <functional>
#include <optional>

class QFileDialog;

// An open or save dialog as a command prepares it: filter, default extension, initial
// folder and title are set afresh before each use. Tests answer it through a hook.
class TFileDialog
{
public:
    enum Kind { Open, Save };
    explicit TFileDialog(Kind kind) : m_kind(kind) {}

    // A filter written "Text (*.x)|*.x" as the design gives it.
    QString Filter;
    QString DefaultExt;
    QString InitialDir;
    QString Title;

    Kind DialogKind() const { return m_kind; }
    // The chosen file, or nothing when the user cancels. An open dialog accepts only an
    // existing file; a save dialog does not ask before overwriting. A name without an
    // extension gets the default extension.
    std::optional<QString> Execute();
    // What an answer names: with the default extension when it has none; for an open
    // dialog the existing file, letter case ignored (the name as typed when only that
    // exists), or nothing.
    std::optional<QString> Complete(const QString& name) const;
    // Sets a Qt dialog up as Execute shows it: filters, kind, default extension.
    void Prepare(QFileDialog& dialog) const;

    using Hook = std::function<std::optional<QString>(const TFileDialog&)>;
    static void SetHook(Hook hook);
    // Closes the dialog Execute shows now, as the user's "Cancel" would; nothing when none.
    static void CancelShown();

private:
    Kind m_kind;
};
