#include "components/outline/EOutlineError.h"

const char* const EOutlineError::IndexNotFound = "Outline index not found";
const char* const EOutlineError::ParentCollapsed = "Parent must be expanded";
const char* const EOutlineError::InvalidCurItem = "Invalid value for current item";
const char* const EOutlineError::InvalidIndex = "Invalid outline index";
const char* const EOutlineError::InvalidSelection = "Invalid selection";
const char* const EOutlineError::FileLoadError = "File load error";
const char* const EOutlineError::LineTooLong = "Line too long";
const char* const EOutlineError::DepthExceeded = "Maximum outline depth exceeded";

void EOutlineError::Raise(const char* message)
{
    throw EOutlineError(QString::fromLatin1(message));
}
