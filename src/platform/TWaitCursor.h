#pragma once

// The hourglass while a long operation runs; the previous cursor comes back when the
// guard goes, also on failure.
class TWaitCursor
{
public:
    TWaitCursor();
    ~TWaitCursor();
    TWaitCursor(const TWaitCursor&) = delete;
    TWaitCursor& operator=(const TWaitCursor&) = delete;
};
