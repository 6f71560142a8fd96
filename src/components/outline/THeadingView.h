#pragma once
#include <QString>
#include <QStringList>

// What an outliner needs of the HTML view it presents the headings of. The view itself
// (THtmlPane) lives in a higher layer and implements this.
class THeadingView
{
public:
    virtual ~THeadingView() = default;

    // One entry per named anchor, in document order ("name#number" for running text).
    virtual QStringList HeadingList() const = 0;
    // Scrolls entry index of HeadingList to the top; false outside the list.
    virtual bool ShowHeading(int index) = 0;

    virtual QString CurrentFile() const = 0;
    // Raises EInOutError ("Can't locate file: " + name) and keeps the document when the
    // file does not exist.
    virtual void LoadFile(const QString& fileName) = 0;
    virtual int Position() const = 0; // vertical scroll position, 0 = top
    virtual void SetPosition(int position) = 0;
    virtual int HorzPosition() const = 0;
    virtual void SetHorzPosition(int position) = 0;
};
