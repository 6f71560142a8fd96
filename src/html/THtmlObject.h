#pragma once
#include "html/THtmlObjectInfo.h"
#include <QImage>
#include <QPointer>
#include <QRectF>
#include <QSize>
#include <QWidget>

// A picture or form control as a view shows it.
struct THtmlObject
{
    THtmlObjectInfo info;
    QImage image;             // pictures: the decoded picture; null shows the ALT frame
    QSize size;               // the whole box: content, border and HSPACE/VSPACE
    QPointer<QWidget> widget; // form controls
    int position = -1;        // the character that stands for it in the document
    QRectF drawn;             // where it was last drawn, in document coordinates
    bool wasDrawn = false;

    bool IsPicture() const
    {
        return info.kind == THtmlObjectInfo::Image || info.kind == THtmlObjectInfo::ImageButton;
    }
    // The picture itself inside its spaces and border.
    QRectF ContentRect(const QRectF& box) const
    {
        const int b = info.border > 0 ? info.border : 0;
        return box.adjusted(info.hspace + b, info.vspace + b, -info.hspace - b, -info.vspace - b);
    }
};
