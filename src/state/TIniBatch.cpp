#include "state/TIniBatch.h"

TIniBatch::TIniBatch(TIniFile& ini) : m_ini(ini) { m_ini.BeginUpdate(); }

TIniBatch::~TIniBatch() { End(); }

bool TIniBatch::End()
{
    if (m_ended)
        return true;
    m_ended = true;
    return m_ini.EndUpdate();
}

void TIniBatch::Cancel()
{
    if (m_ended)
        return;
    m_ini.CancelUpdate();
    End();
}
