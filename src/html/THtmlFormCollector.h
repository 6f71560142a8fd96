#pragma once
#include "html/THtmlObjectInfo.h"
#include "html/THtmlTagTable.h"
#include <QString>

class THtmlRewriteContext;
struct THtmlToken;

// Forms and their controls (INPUT, SELECT with its OPTIONs, TEXTAREA, ISINDEX): each
// control becomes an object of the page, numbered with the form it belongs to, and stands
// in the text where the document placed it. The number of controls is bounded.
class THtmlFormCollector
{
public:
    explicit THtmlFormCollector(THtmlRewriteContext& context);

    void StartForm();
    void EndForm();
    void StartInput(const THtmlToken& t);
    // A SELECT that was placed puts the rewriter in the select mode until EndSelect.
    void StartSelect(const THtmlToken& t);
    void EndSelect();
    // Inside a SELECT's list: true when the tag was taken. An OPTION starts an entry, an
    // end of OPTION ends one, formatting is dropped; anything else ends the list and is
    // read as usual.
    bool TakeStartInSelect(TTagKind kind, const THtmlToken& t);
    bool TakeEndInSelect(TTagKind kind);
    void OptionText(const QString& text);
    void StartTextArea(const THtmlToken& t);
    void TextAreaText(const QString& text);
    void StartIsIndex(const THtmlToken& t);

private:
    void StartOption(const THtmlToken& t);
    void EndOption();
    int AddControl(THtmlObjectInfo info); // -1 beyond the limit

    THtmlRewriteContext& m_context;
    int m_form = -1; // the FORM the next control belongs to
    int m_controls = 0;
    int m_select = -1; // the SELECT whose options are being read
    int m_option = -1;
    QString m_optionText;
    bool m_optionHasValue = false;
    int m_textArea = -1; // the TEXTAREA whose text comes next
};
