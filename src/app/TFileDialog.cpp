#include "TFileDialog.h"
#include "editor/TDialogFilter.h"
#include "platform/TPath.h"
#include <QApplication>
#include <QFileDialog>

namespace {
TFileDialog::Hook g_hook;
}

void TFileDialog::SetHook(Hook hook) { g_hook = std::move(hook); }

std::optional<QString> TFileDialog::Execute()
{
    std::optional<QString> chosen;
    if (g_hook) {
        chosen = g_hook(*this);
    } else {
        QFileDialog dialog(QApplication::activeWindow(), Title, InitialDir);
        // The desktop's own dialog filters by letter case, which would hide "zelmora.STA"
        // behind "*.sta"; Qt's dialog takes the case-free patterns.
        dialog.setOption(QFileDialog::DontUseNativeDialog);
        dialog.setOption(QFileDialog::HideNameFilterDetails);
        const QStringList filters = TDialogFilter::IgnoringCase(TDialogFilter::ToQt(Filter));
        if (!filters.isEmpty())
            dialog.setNameFilters(filters);
        dialog.setAcceptMode(m_kind == Open ? QFileDialog::AcceptOpen : QFileDialog::AcceptSave);
        dialog.setFileMode(m_kind == Open ? QFileDialog::ExistingFile : QFileDialog::AnyFile);
        dialog.setOption(QFileDialog::DontConfirmOverwrite, true);
        if (!DefaultExt.isEmpty())
            dialog.setDefaultSuffix(DefaultExt);
        if (dialog.exec() == QDialog::Accepted && !dialog.selectedFiles().isEmpty())
            chosen = dialog.selectedFiles().first();
    }
    if (!chosen)
        return chosen;
    if (m_kind == Open && !TPath::FileExists(*chosen))
        return std::nullopt;
    if (!DefaultExt.isEmpty() && TPath::ExtractFileExt(*chosen).isEmpty())
        *chosen += u'.' + DefaultExt;
    return chosen;
}
