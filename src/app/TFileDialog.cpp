#include "TFileDialog.h"
#include "editor/TDialogFilter.h"
#include "platform/TPath.h"
#include <QApplication>
#include <QFileDialog>
#include <QPointer>

namespace {

TFileDialog::Hook g_hook;
QPointer<QFileDialog> g_shown;

// Qt's dialog tests whether an opened file exists with its letter case; the program finds
// files ignoring it, so "lamp" with the default extension "STA" is "LAMP.STA" too.
class TCaseFreeOpenDialog : public QFileDialog
{
public:
    TCaseFreeOpenDialog(const TFileDialog& owner, QWidget* parent)
        : QFileDialog(parent, owner.Title, owner.InitialDir), m_owner(owner)
    {}

protected:
    void accept() override
    {
        const QStringList files = selectedFiles();
        if (m_owner.DialogKind() == TFileDialog::Open && !files.isEmpty() &&
            m_owner.Complete(files.constFirst())) {
            QDialog::accept();
            return;
        }
        QFileDialog::accept(); // folders are entered, missing files reported as Qt does
    }

private:
    const TFileDialog& m_owner;
};

} // namespace

void TFileDialog::SetHook(Hook hook) { g_hook = std::move(hook); }

void TFileDialog::CancelShown()
{
    if (g_shown)
        g_shown->reject();
}

void TFileDialog::Prepare(QFileDialog& dialog) const
{
    // The desktop's own dialog filters by letter case, which would hide "zelmora.STA"
    // behind "*.sta"; Qt's dialog takes the case-free patterns and shows the filters as
    // written.
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setOption(QFileDialog::HideNameFilterDetails);
    const QStringList filters = TDialogFilter::ForDialog(Filter);
    if (!filters.isEmpty())
        dialog.setNameFilters(filters);
    dialog.setAcceptMode(m_kind == Open ? QFileDialog::AcceptOpen : QFileDialog::AcceptSave);
    dialog.setFileMode(m_kind == Open ? QFileDialog::ExistingFile : QFileDialog::AnyFile);
    dialog.setOption(QFileDialog::DontConfirmOverwrite, true);
    if (!DefaultExt.isEmpty())
        dialog.setDefaultSuffix(DefaultExt);
}

std::optional<QString> TFileDialog::Execute()
{
    std::optional<QString> chosen;
    if (g_hook) {
        chosen = g_hook(*this);
    } else {
        TCaseFreeOpenDialog dialog(*this, QApplication::activeWindow());
        Prepare(dialog);
        g_shown = &dialog;
        if (dialog.exec() == QDialog::Accepted && !dialog.selectedFiles().isEmpty())
            chosen = dialog.selectedFiles().first();
    }
    if (!chosen)
        return chosen;
    return Complete(*chosen);
}

std::optional<QString> TFileDialog::Complete(const QString& name) const
{
    QString file = name;
    if (!DefaultExt.isEmpty() && TPath::ExtractFileExt(file).isEmpty())
        file += u'.' + DefaultExt;
    if (m_kind == Save)
        return file;
    if (TPath::FileExists(file))
        return TPath::Resolve(file);
    if (file != name && TPath::FileExists(name))
        return TPath::Resolve(name);
    return std::nullopt;
}
