#include "state/TColumnSizeRegistry.h"
#include "components/listview/TSortListView.h"
#include <QSettings>

namespace {

QSettings Settings()
{
    return QSettings(QSettings::IniFormat, QSettings::UserScope, QStringLiteral("Zelmora"),
                     QStringLiteral("ColumnSizes"));
}

// The registry key as a group path; keys are written with "\".
QString ColumnsGroup(const QString& registryKey)
{
    QString group = registryKey;
    group.replace(u'\\', u'/');
    while (group.startsWith(u'/'))
        group.remove(0, 1);
    while (group.endsWith(u'/'))
        group.chop(1);
    return group.isEmpty() ? QStringLiteral("Columns") : group + QStringLiteral("/Columns");
}

} // namespace

bool TColumnSizeRegistry::Store(TSortListView& view)
{
    QStringList widths;
    for (int i = 0; i < view.ColumnCount(); ++i)
        widths << QString::number(view.ColumnWidth(i));
    QSettings settings = Settings();
    settings.beginGroup(ColumnsGroup(view.SaveSettings().RegistryKey));
    settings.setValue(QStringLiteral("Sizes"), widths.join(u','));
    settings.endGroup();
    settings.sync();
    return settings.status() == QSettings::NoError;
}

bool TColumnSizeRegistry::Restore(TSortListView& view)
{
    QSettings settings = Settings();
    settings.beginGroup(ColumnsGroup(view.SaveSettings().RegistryKey));
    if (!settings.contains(QStringLiteral("Sizes")))
        return settings.status() == QSettings::NoError;
    const QVariant value = settings.value(QStringLiteral("Sizes"));
    // An ini value written by hand without quotes comes back as a list.
    const QString text = value.typeId() == QMetaType::QStringList ? value.toStringList().join(u',')
                                                                  : value.toString();
    const QStringList parts = text.split(u',');
    for (int i = 0; i < view.ColumnCount() && i < parts.size(); ++i) {
        bool ok = false;
        const int width = parts.at(i).trimmed().toInt(&ok);
        view.SetColumnWidth(i, ok ? width : 0);
    }
    return settings.status() == QSettings::NoError;
}
