#pragma once
#include "components/listview/TColumnSizeStore.h"

// The column widths of sorting list views in the user's settings (the "registry"): an ini
// file in the user's configuration folder, the view's SaveSettings.RegistryKey as group
// path, the widths joined by "," in the value "Sizes" of its group "Columns".
class TColumnSizeRegistry : public TColumnSizeStore
{
public:
    bool Store(TSortListView& view) override;
    // A number that does not convert gives width 0; a missing value changes nothing.
    bool Restore(TSortListView& view) override;
};
