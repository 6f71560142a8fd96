#include "TBitmapChoice.h"
#include "editor/TEditorDialogs.h"
#include "platform/TPath.h"

std::optional<QString> TBitmapChoice::Choose(TEditorDialogs& dialogs)
{
    dialogs.OpenSetup().Filter = Filter;
    dialogs.OpenSetup().InitialDir = TPath::ProgramDirectory();
    return dialogs.ExecuteOpen();
}
