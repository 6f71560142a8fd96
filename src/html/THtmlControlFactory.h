#pragma once
#include "html/THtmlObjectInfo.h"
#include <QFont>
#include <QWidget>

// Real, usable widgets for the form controls of a document. Submitting does nothing (the
// program has no network side); a reset button puts its form back as the page wrote it.
class THtmlControlFactory
{
public:
    // The widget for a control, a child of parent; null for kinds drawn as pictures.
    static QWidget* Create(const THtmlObjectInfo& info, QWidget* parent);

    // Puts the control back to the value the document gave it.
    static void Reset(QWidget* widget, const THtmlObjectInfo& info);

    // The label a button shows.
    static QString ButtonLabel(const THtmlObjectInfo& info);
};
