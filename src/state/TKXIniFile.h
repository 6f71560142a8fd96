#pragma once
#include "platform/TIniFile.h"
#include <QStringList>

// The program's ini-file object: one per operation, released before it returns. It also
// carries the default section names of state files, in this order: outliners, list views,
// panel pages, splitters aligned left or right, all other splitters.
class TKXIniFile : public TIniFile
{
public:
    static inline const QString OutlinerSection = QStringLiteral("Outliners");
    static inline const QString ListViewSection = QStringLiteral("FilesList");
    static inline const QString PanelSection = QStringLiteral("Panel");
    static inline const QString VerticalSplitterSection = QStringLiteral("Vertical Splitter");
    static inline const QString HorizontalSplitterSection = QStringLiteral("Horizontal Splitter");

    using TIniFile::TIniFile;

    // The five default section names, in the order above.
    QStringList DefaultSections() const
    {
        return {OutlinerSection, ListViewSection, PanelSection, VerticalSplitterSection,
                HorizontalSplitterSection};
    }
};
