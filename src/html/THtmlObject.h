#pragma once
#include "html/THtmlObjectSpec.h"
#include <QImage>
#include <QPointer>
#include <QRectF>
#include <QSize>
#include <QWidget>

// A picture or form control as a view shows it.
struct THtmlObject
{
    THtmlObjectSpec spec;
    QImage image;          // pictures: the decoded picture; null shows the ALT frame
    QSize size;            // the whole box: content, border and HSPACE/VSPACE
    QPointer<QWidget> widget; // form controls
    int position = -1;     // the character that stands for it in the document
    QRectF drawn;          // where it was last drawn, in document coordinates
    bool wasDrawn = false;

    bool IsPicture() const
    {
        return spec.kind == THtmlObjectSpec::Image || spec.kind == THtmlObjectSpec::ImageButton;
    }
    // The picture itself inside its spaces and border.
    QRectF ContentRect(const QRectF& box) const
    {
        const int b = spec.border > 0 ? spec.border : 0;
        return box.adjusted(spec.hspace + b, spec.vspace + b, -spec.hspace - b, -spec.vspace - b);
    }
};
