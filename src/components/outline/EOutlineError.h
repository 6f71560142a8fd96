#pragma once
#include "platform/EError.h"

// A failure of the outline tree, carrying one of the messages below exactly.
class EOutlineError : public EError
{
public:
    using EError::EError;

    static const char* const IndexNotFound;    // an index no item has
    static const char* const ParentCollapsed;  // expanding below a collapsed ancestor
    static const char* const InvalidCurItem;   // the lookup cache set to a negative index
    static const char* const InvalidIndex;     // item 0, or a negative or zero index
    static const char* const InvalidSelection; // selecting nothing
    static const char* const FileLoadError;    // indentation that jumps or climbs too far
    static const char* const LineTooLong;      // a line that does not fit the read buffer
    static const char* const DepthExceeded;    // a child below the deepest level

    [[noreturn]] static void Raise(const char* message);
};
