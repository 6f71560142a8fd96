#pragma once
#include "components/outline/THeadingView.h"
#include "html/TFrameDocuments.h"
#include "html/THtmlImageCache.h"
#include "html/THtmlPage.h"
#include "html/THtmlSettings.h"
#include "html/THtmlTypes.h"
#include <QPointer>
#include <QStringList>
#include <QWidget>
#include <functional>
#include <memory>

class THtmlDocument;
class THtmlFrame;
class THtmlView;
class TFramePane;

// The HTML view of the browsing window: shows a document of the HTML 3.2 generation (or a
// frame set of them), scrolls, finds text, lists the document's named anchors as headings
// and reports clicks on links. A click goes to OnHotSpotClick first; when the handler
// leaves Handled false the view follows the link itself.
class THtmlPane : public QWidget, public THeadingView
{
    Q_OBJECT

public:
    explicit THtmlPane(QWidget* parent = nullptr);
    ~THtmlPane() override;

    // Published properties.
    qint32 DefBackground() const { return m_settings.defBackground; }
    void SetDefBackground(qint32 colour);
    THTMLBorderStyle BorderStyle() const { return m_borderStyle; }
    void SetBorderStyle(THTMLBorderStyle style);
    int HistoryMaxCount() const { return m_historyMaxCount; }
    void SetHistoryMaxCount(int count);
    QString DefFontName() const { return m_settings.defFontName; }
    void SetDefFontName(const QString& name);
    QString DefPreFontName() const { return m_settings.defPreFontName; }
    void SetDefPreFontName(const QString& name);
    int DefFontSize() const { return m_settings.defFontSize; }
    void SetDefFontSize(int size);
    qint32 DefFontColor() const { return m_settings.defFontColor; }
    void SetDefFontColor(qint32 colour);
    qint32 DefHotSpotColor() const { return m_settings.defHotSpotColor; }
    void SetDefHotSpotColor(qint32 colour);
    bool ViewImages() const { return m_settings.viewImages; }
    void SetViewImages(bool view);
    bool NoSelect() const { return m_settings.noSelect; }
    void SetNoSelect(bool noSelect);
    TScrollStyle ScrollBars() const { return m_settings.scrollBars; }
    void SetScrollBars(TScrollStyle style);
    int ImageCacheCount() const { return m_images.Capacity(); }
    void SetImageCacheCount(int count);
    double PrintMarginLeft() const { return m_printMargins[0]; }
    void SetPrintMarginLeft(double v) { m_printMargins[0] = v; }
    double PrintMarginRight() const { return m_printMargins[1]; }
    void SetPrintMarginRight(double v) { m_printMargins[1] = v; }
    double PrintMarginTop() const { return m_printMargins[2]; }
    void SetPrintMarginTop(double v) { m_printMargins[2] = v; }
    double PrintMarginBottom() const { return m_printMargins[3]; }
    void SetPrintMarginBottom(double v) { m_printMargins[3] = v; }

    // A click on a link: SRC is the target exactly as the document wrote it.
    std::function<void(QObject* sender, const QString& SRC, bool& Handled)> OnHotSpotClick;

    // THeadingView
    QStringList HeadingList() const override;
    bool ShowHeading(int index) override;
    QString CurrentFile() const override { return m_currentFile; }
    // Raises EInOutError ("Can't locate file: " + name) when the file does not exist and
    // keeps the document shown; anything from the first "#" is a destination to go to.
    // The document is read and built on a worker thread while the window goes on
    // painting (no input is taken meanwhile); it is shown when the call returns. A load
    // asked for by a timer meanwhile, or a Clear, wins over this one, which then returns
    // leaving the view to it.
    void LoadFile(const QString& fileName) override;
    // Back to the blank page shown before the first document; history is kept.
    void Clear();
    int Position() const override;
    void SetPosition(int position) override;
    int HorzPosition() const override;
    void SetHorzPosition(int position) override;

    // Goes to the heading whose entry, or whose anchor name, matches name (letter case
    // ignored; a leading "#" is dropped), in the document the headings come from.
    bool PositionTo(const QString& name);
    // The full file name a link target stands for.
    QString HTMLExpandFilename(const QString& target) const;
    // Forward from the current position in the document (or, in a frame set, in the frame
    // that last had the focus); selects the match and scrolls to it.
    bool FindText(const QString& text, bool matchCase);
    // Ignoring letter case and accents (THtmlView::FindWords).
    bool FindWords(const QString& text);

    // The documents left for another one, most recent last (at most HistoryMaxCount).
    const QStringList& History() const { return m_history; }
    // The view of the document shown, or null while a frame set is shown.
    THtmlView* View() const;
    TFramePane* FrameSet() const;
    // The view FindText and Position work on: the document, or the frame last focused.
    THtmlView* ActiveView() const;

    // While OnHotSpotClick runs for a link in a frame of a frame set: the frame a document
    // link loads in by its TARGET (or the document's BASE TARGET, else the frame itself).
    // Null when the document replaces the whole view: no click in progress, a link of the
    // view's own document, "_top", "_blank", names of no frame, "_parent" of a top frame.
    THtmlFrame* HotSpotTarget() const;
    // The frame of the link being followed, or null outside a frame set.
    THtmlFrame* HotSpotFrame() const;
    // The window's own load of a document into a frame: an existing file (a "#" suffix is
    // a destination) is read, shown in frame and scrolled to its destination; the headings
    // now come from it. When frame shows that document already, it only goes to the
    // destination and false comes back. Raises EInOutError for a missing or unreadable file.
    bool LoadFileInFrame(THtmlFrame* frame, const QString& fileName);
    // Whether frame (null: the whole view) shows the document fileName names already.
    bool FrameShows(THtmlFrame* frame, const QString& fileName) const;
    // The frame whose document HeadingList, ShowHeading and PositionTo work on; null for
    // the view's own document.
    THtmlFrame* HeadingFrame() const;

    // Used by the frames.
    const THtmlSettings& Settings() const { return m_settings; }
    THtmlImageCache& Images() { return m_images; }
    void FollowLink(THtmlFrame* frame, THtmlView* view, int linkIndex);
    void LoadIntoFrame(THtmlFrame* frame, const QString& src, const QString& baseFile);
    void SetActiveView(THtmlView* view);

protected:
    void paintEvent(QPaintEvent* e) override;
    void resizeEvent(QResizeEvent* e) override;

private:
    void FollowLinkItself(THtmlFrame* frame, THtmlView* view, const QString& src,
                          const QString& target);
    THtmlFrame* TargetFrame(THtmlFrame* frame, const QString& target) const;
    THtmlView* HeadingView() const;
    void ShowEmptyPage();
    // False when target shows file already and only went to the destination.
    bool LoadIntoTarget(THtmlFrame* target, const QString& file, const QString& destination);
    // Reads the page in path and builds its document on a worker thread while the window
    // goes on (THtmlLoadWait). False when the page is not to be shown: this pane or into
    // went meanwhile, or a later load or Clear took over; a throw when it cannot be read.
    bool ReadOffThread(const QString& path, const QString& file, THtmlFrame* into, THtmlPage* page,
                       std::unique_ptr<THtmlDocument>* built);
    void ApplySettingsToViews();
    int BorderWidth() const;

    THtmlSettings m_settings;
    THtmlImageCache m_images;
    THtmlFrame* m_root;
    QString m_currentFile;
    QString m_linkBase;                  // the document whose link is being followed
    QPointer<THtmlFrame> m_hotSpotFrame; // the frame of that link
    QString m_hotSpotTarget;             // and its TARGET (or BASE TARGET)
    QPointer<THtmlFrame> m_headingFrame;
    QPointer<THtmlView> m_activeView;
    THTMLBorderStyle m_borderStyle = htFocused;
    QMetaObject::Connection m_focusWatch;
    int m_historyMaxCount = 0;
    QStringList m_history;
    double m_printMargins[4] = {2.0, 2.0, 2.0, 2.0};
    int m_frameBudget = 0;
    int m_loadGeneration = 0;         // counts loads and clears: the latest one is shown
    TFrameDocuments m_frameDocuments; // the frames of the frame set being shown, read ahead
};
