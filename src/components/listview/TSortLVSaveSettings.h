#pragma once
#include <QString>

// Column-width persistence of a sorting list view. With AutoSave the widths are written
// when the view is destroyed and read back by TSortListView::Loaded(), through the view's
// column-size store (TColumnSizeStore).
class TSortLVSaveSettings
{
public:
    bool AutoSave = false;
    QString RegistryKey;
    bool SaveColumnSizes = true;
};
