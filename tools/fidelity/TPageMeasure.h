#pragma once
#include <QJsonObject>
#include <QList>
#include <QString>

class THtmlPane;
class THtmlView;

// What a reader is shown of the document in a pane, counted the way the reference side
// counts it in the browser: the visible text, the links (text and picture links and the
// areas of image maps in use), the pictures, the frames and the form controls placed in
// the text, and the height the layout takes.
class TPageMeasure
{
public:
    QString text; // block by block, objects left out
    int links = 0;
    int images = 0;
    int frames = 0;
    int controls = 0;
    int height = 0; // the document's; for a frame set the sum of its documents'
    bool frameSet = false;

    // Measures what the pane shows now; it must be laid out at the width to measure.
    static TPageMeasure Of(THtmlPane& pane);
    // How far down the view furthest from its top is scrolled: 0 when every document is
    // shown from its top, as a page that was just opened should be.
    static int Scrolled(THtmlPane& pane);
    QJsonObject ToJson() const;

private:
    // The views showing documents: the pane's own, or those of its frames, depth first.
    static QList<THtmlView*> Views(THtmlPane& pane, int* frameCount);
    void AddView(THtmlView& view);
};
