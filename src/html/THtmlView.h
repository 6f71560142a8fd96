#pragma once
#include "html/THtmlObject.h"
#include "html/THtmlPage.h"
#include <QPixmap>
#include <QStringList>
#include <QTextBrowser>
#include <functional>
#include <vector>

class THtmlAnimator;
class THtmlDocument;
class THtmlImageCache;
class THtmlObjectHandler;
struct THtmlSettings;

// One document on the rich-text engine: the page the rewriter made of it, its pictures
// and controls, its named anchors with their places, its links with their raw targets,
// image-map hit testing and finding text. Frames each have one.
class THtmlView : public QTextBrowser
{
    Q_OBJECT

public:
    THtmlView(const THtmlSettings* settings, THtmlImageCache* images, QWidget* parent = nullptr);
    ~THtmlView() override;

    // Shows a page read from fileName (pictures are found relative to it), in built when
    // its document was made already (on a worker thread; the view takes it over), else in
    // a document made here.
    void ShowPage(THtmlPage page, const QString& fileName, THtmlDocument* built = nullptr);
    const THtmlPage& Page() const { return m_page; }
    const QString& FileName() const { return m_fileName; }

    // One entry per named anchor in document order: name, "#", the name's numeric value
    // or 0.
    const QStringList& HeadingList() const { return m_headings; }
    bool ShowHeading(int index);
    // Whole entry or the anchor's name, both without regard to case; a leading "#" is
    // dropped.
    bool PositionTo(const QString& name);
    // The top of the line holding heading index, in document pixels; -1 outside the list.
    int HeadingY(int index);

    // Forward from the text cursor (or from the top of the visible part when the reader
    // has scrolled past it); the match is selected and scrolled into view.
    bool FindText(const QString& text, bool matchCase);
    // The same ignoring letter case and accents ("cafe" finds "Café"), blanks matching any
    // run of white space: how the web search matches words.
    bool FindWords(const QString& text);

    int Position() const;
    void SetPosition(int position);
    int HorzPosition() const;
    void SetHorzPosition(int position);

    // The link under a point of the viewport: an image-map area or a text or picture
    // link; -1 for none.
    int LinkAt(QPoint viewportPos) const;
    // The link of the image-map area under the point; *overMap tells whether the point
    // is on a picture with a map at all.
    int MapLinkAt(QPoint viewportPos, bool* overMap) const;

    const std::vector<THtmlObject>& Objects() const { return m_objects; }
    // How many pictures of the page are playing.
    int AnimationCount() const;
    // Where object index sits according to the layout, in document pixels (inline
    // objects; empty before it is laid out).
    QRectF ObjectLayoutRect(int index);
    void PlaceControls();
    void ResetForm(int form);

    // Selection, scroll bars and margins as the settings and the frame ask.
    void ApplySettings();
    void SetScrolling(const QString& mode); // "yes", "no" or "auto"
    void SetMargins(int width, int height);

    std::function<void(THtmlView*, int linkIndex)> OnLink;
    std::function<void(THtmlView*)> OnFocus;

protected:
    QVariant loadResource(int type, const QUrl& name) override;
    void mousePressEvent(QMouseEvent* e) override;
    void mouseReleaseEvent(QMouseEvent* e) override;
    void mouseMoveEvent(QMouseEvent* e) override;
    void paintEvent(QPaintEvent* e) override;
    void scrollContentsBy(int dx, int dy) override;
    void resizeEvent(QResizeEvent* e) override;
    void showEvent(QShowEvent* e) override;
    void focusInEvent(QFocusEvent* e) override;

private:
    QTextCursor FindStart() const;
    bool ShowFound(const QTextCursor& found);
    void BuildObjects(const QFont& font);
    void LocateAnchorsAndObjects(const THtmlDocument& doc);
    void ScheduleControlPlacement();
    void ForgetControlPlaces();
    void AnchorActivated(const QUrl& url);
    int EnsureLaidOutTo(int y);
    void ClearControls();
    void ShowFrame(int index, const QImage& frame);

    const THtmlSettings* m_settings;
    THtmlImageCache* m_images;
    THtmlPage m_page;
    QString m_fileName;
    QStringList m_headings;
    std::vector<int> m_anchorPositions;
    std::vector<THtmlObject> m_objects;
    THtmlObjectHandler* m_handler;
    THtmlAnimator* m_animator;
    QPixmap m_background;
    QString m_scrolling = QStringLiteral("auto");
    bool m_placementPending = false;
    bool m_pressOnMap = false;
    bool m_touchPressed = false; // a finger is down on the page
    bool m_touchDragged = false; // ... and the page moved under it
    bool m_suppressAnchor = false;
    int m_marginWidth = -1;
    int m_marginHeight = -1;
};
