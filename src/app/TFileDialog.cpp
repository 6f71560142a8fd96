#include "TFileDialog.h"
#include "platform/TPath.h"
#include <QApplication>
#include <QFileDialog>

namespace {
TFileDialog::Hook g_hook;
}

void TFileDialog::SetHook(Hook hook) { g_hook = std::move(hook); }

QString TFileDialog::QtFilter(const QString& filter)
{
    const QStringList parts = filter.split(u'|');
    QStringList result;
    for (int i = 0; i + 1 < parts.size(); i += 2) {
        QString patterns = parts[i + 1];
        patterns.replace(u';', u' ');
        QString description = parts[i];
        const int paren = description.indexOf(u'(');
        if (paren >= 0)
            description = description.left(paren).trimmed();
        result << QStringLiteral("%1 (%2)").arg(description, patterns);
    }
    return result.join(QStringLiteral(";;"));
}

std::optional<QString> TFileDialog::Execute()
{
    std::optional<QString> chosen;
    if (g_hook) {
        chosen = g_hook(*this);
    } else {
        QFileDialog dialog(QApplication::activeWindow(), Title, InitialDir, QtFilter(Filter));
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
