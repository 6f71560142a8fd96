#include "TRandDirListBox.h"
#include "TFileListBox.h"
#include "platform/TDirEnumerator.h"
#include "platform/TNotSet.h"
#include "platform/TPath.h"
#include <QDateTime>

TRandDirListBox::TRandDirListBox()
    // Seeded from the clock, so readers do not see the same sequence in every run.
    : m_random(quint32(QDateTime::currentMSecsSinceEpoch()))
{}

int TRandDirListBox::Next(int bound)
{
    return bound > 0 ? int(m_random.bounded(quint32(bound))) : 0;
}

void TRandDirListBox::SetDirectory(const QString& directory)
{
    m_directory = TPath::StripTrailingSeparators(TPath::Resolve(TPath::FromNative(directory)));
    if (m_directory.isEmpty() && directory.startsWith(u'/'))
        m_directory = QStringLiteral("/");
    m_items.clear();
    // Ancestors from the root down, then the directory itself.
    QString prefix;
    const QStringList parts = m_directory.split(u'/', Qt::SkipEmptyParts);
    if (m_directory.startsWith(u'/'))
        m_items << QStringLiteral("/");
    for (const QString& part : parts) {
        prefix += u'/' + part;
        m_items << prefix;
    }
    const QString base = TPath::WithTrailingSeparator(m_directory);
    for (const TDirEntry& e : TDirEnumerator::List(base + "*.*", TDirEnumerator::NamesAndKinds))
        if (e.isDirectory && e.name != QLatin1String(".") && e.name != QLatin1String(".."))
            m_items << base + e.name;
    if (m_fileList)
        m_fileList->SetDirectory(m_directory);
}

QString TRandDirListBox::PickRandomFile(const QString& directory, bool withSubdirectories)
{
    if (!m_fileList || TNotSet::Is(directory))
        return TNotSet::Value();
    SetDirectory(directory);
    if (withSubdirectories) {
        const QString sub = PickRandomSubdirectory();
        if (!TNotSet::Is(sub))
            SetDirectory(sub);
    }
    const QStringList& files = m_fileList->Items();
    if (files.isEmpty())
        return TNotSet::Value();
    const int i = Next(int(files.size()));
    return TPath::WithTrailingSeparator(m_directory) + files[i];
}

QString TRandDirListBox::PickRandomSubdirectory()
{
    if (m_items.isEmpty())
        return TNotSet::Value();
    const int length = int(m_directory.size());
    for (int i = Next(int(m_items.size())); i < m_items.size(); ++i) {
        if (m_items[i].size() > length) {
            const QString child = m_items[i];
            SetDirectory(child);
            return child;
        }
    }
    return TNotSet::Value();
}
