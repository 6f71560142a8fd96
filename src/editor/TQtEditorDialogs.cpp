#include "TQtEditorDialogs.h"
#include "editor/TDialogFilter.h"
#include "editor/TFontColourDialog.h"
#include "platform/TColorRef.h"
#include <QColorDialog>
#include <QFileDialog>

std::optional<QString> TQtEditorDialogs::ChooseFile(const TOpenSetup& setup)
{
    QFileDialog dialog(m_owner, setup.Title, setup.InitialDir);
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    // The patterns match either letter case; the list shows the filters as written.
    dialog.setOption(QFileDialog::HideNameFilterDetails);
    dialog.setFileMode(QFileDialog::ExistingFile);
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    const QStringList filters = TDialogFilter::ForDialog(setup.Filter);
    if (!filters.isEmpty())
        dialog.setNameFilters(filters);
    dialog.setDefaultSuffix(setup.DefaultExt);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return std::nullopt;
    return dialog.selectedFiles().constFirst();
}

std::optional<qint32> TQtEditorDialogs::ChooseColour(qint32 initial)
{
    const QColor chosen = QColorDialog::getColor(TColorRef::ToQColor(initial), m_owner);
    if (!chosen.isValid())
        return std::nullopt;
    return TColorRef::FromQColor(chosen);
}

std::optional<TEditorDialogs::TFontChoice> TQtEditorDialogs::ChooseFont(const TFontChoice& initial)
{
    return TFontColourDialog::Choose(initial, m_owner);
}
