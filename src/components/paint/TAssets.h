#pragma once

// Registers the built-in pictures (":/assets/...") once; safe to call any number of times.
class TAssets
{
public:
    static void Ensure();
};
