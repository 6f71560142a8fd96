#include "html/THtmlRewriteState.h"

TRewriteMode THtmlRewriteState::Mode() const
{
    switch (m_document) {
    case TDocument::Finished: return TRewriteMode::Finished;
    case TDocument::FrameSet: return TRewriteMode::FrameSet;
    case TDocument::Body: break;
    }
    if (m_noFrames > 0)
        return TRewriteMode::NoFrames;
    if (m_select)
        return TRewriteMode::Select;
    if (m_suppressedTables > 0)
        return TRewriteMode::SuppressedTable;
    return TRewriteMode::Body;
}

void THtmlRewriteState::EnterFrameSet()
{
    if (m_document == TDocument::Body)
        m_document = TDocument::FrameSet;
}

void THtmlRewriteState::FinishFrameSet()
{
    if (m_document == TDocument::FrameSet)
        m_document = TDocument::Finished;
}

void THtmlRewriteState::EnterNoFrames() { ++m_noFrames; }

void THtmlRewriteState::LeaveNoFrames()
{
    if (m_noFrames > 0)
        --m_noFrames;
}

void THtmlRewriteState::EnterSelect() { m_select = true; }

void THtmlRewriteState::LeaveSelect() { m_select = false; }

void THtmlRewriteState::SuppressTable() { ++m_suppressedTables; }

void THtmlRewriteState::EndSuppressedTable()
{
    if (m_suppressedTables > 0)
        --m_suppressedTables;
}
