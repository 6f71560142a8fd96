#pragma once

class TSortListView;

// Where a sorting list view keeps its column widths between runs. The view owns its store
// and calls it from StoreColumnSizes and RestoreColumnSizes; whoever creates the view
// supplies one, because where settings live is not the list view's business.
class TColumnSizeStore
{
public:
    virtual ~TColumnSizeStore() = default;
    // Write or read back the widths of the view's columns under its SaveSettings. Return
    // false when the settings store reports an error.
    virtual bool Store(TSortListView& view) = 0;
    virtual bool Restore(TSortListView& view) = 0;
};
