#pragma once

// The process's memory as the system sees it.
class TMemory
{
public:
    // Gives the memory freed after a huge listing back to the system, which the allocator
    // would otherwise keep for the life of the process (freed in small pieces between
    // pieces still in use). Costs a few milliseconds: call it after large work only.
    static void ReturnFreed();
};
