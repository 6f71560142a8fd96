#pragma once

// What the rewriter is reading, and so what a token means. Several conditions can hold at
// once (a SELECT inside a table nested too deep, inside NOFRAMES); the mode is the one that
// decides, the innermost in this order.
enum class TRewriteMode {
    Body,            // ordinary content
    SuppressedTable, // a table nested too deep: its rows and cells become breaks and blanks
    Select,          // a SELECT's list: OPTIONs and their text
    NoFrames,        // NOFRAMES content: skipped, as the frame set is what shows
    FrameSet,        // a frame-set document: FRAMESETs and FRAMEs only
    Finished,        // after the outermost FRAMESET: nothing more is read
};

// The rewriter's mode and every way into and out of it.
class THtmlRewriteState
{
public:
    TRewriteMode Mode() const;

    // Body content seen: a FRAMESET no longer makes the document a frame set.
    bool SawContent() const { return m_sawContent; }
    void MarkContent() { m_sawContent = true; }

    void EnterFrameSet();  // the outermost FRAMESET, before any content
    void FinishFrameSet(); // its end: the document is complete
    void EnterNoFrames();  // NOFRAMES nest
    void LeaveNoFrames();  // no effect outside NOFRAMES
    void EnterSelect();
    void LeaveSelect();   // no effect outside a SELECT
    void SuppressTable(); // a table beyond the nesting limit starts
    void EndSuppressedTable();

private:
    enum class TDocument { Body, FrameSet, Finished };

    TDocument m_document = TDocument::Body;
    int m_noFrames = 0;
    bool m_select = false;
    int m_suppressedTables = 0;
    bool m_sawContent = false;
};
