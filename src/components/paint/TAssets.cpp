#include "components/paint/TAssets.h"
#include <QtCore/qglobal.h>

static void InitAssetsResource() { Q_INIT_RESOURCE(assets); }

void TAssets::Ensure()
{
    static const bool done = (InitAssetsResource(), true);
    (void)done;
}
