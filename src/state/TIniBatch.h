#pragma once
#include "platform/TIniFile.h"

// Brackets the keys of one operation so the state file is read once and replaced once,
// also when the operation leaves early.
class TIniBatch
{
public:
    explicit TIniBatch(TIniFile& ini);
    ~TIniBatch();
    TIniBatch(const TIniBatch&) = delete;
    TIniBatch& operator=(const TIniBatch&) = delete;

    // Ends the batch; false when the file could not be replaced.
    bool End();
    // Ends the batch without writing anything: the file stays as it was.
    void Cancel();

private:
    TIniFile& m_ini;
    bool m_ended = false;
};
