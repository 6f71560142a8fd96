#include "TFileListBox.h"
#include "platform/TDirEnumerator.h"
#include "platform/TPath.h"

void TFileListBox::SetDirectory(const QString& directory)
{
    m_directory = directory;
    m_items.clear();
    for (const TDirEntry& e : TDirEnumerator::List(TPath::WithTrailingSeparator(directory) + Mask,
                                                   TDirEnumerator::NamesAndKinds))
        if (!e.isDirectory)
            m_items << e.name;
}
