#pragma once
#include "html/THtmlPage.h"
#include <QPointer>
#include <QString>
#include <QWidget>

class THtmlDocument;
class THtmlPane;
class THtmlView;
class TFramePane;

// A place a document is shown in: the view as a whole, or one frame of a frame set. It
// shows either one document (a THtmlView) or a frame set (a TFramePane), and it is what a
// link's TARGET names.
class THtmlFrame : public QWidget
{
    Q_OBJECT

public:
    static constexpr int kMaxDepth = 4; // frame sets inside frames inside frame sets...

    THtmlFrame(THtmlPane* pane, THtmlFrame* parentContext, const QString& name, int depth,
               QWidget* parent);

    // Reads and shows the document in path (an existing, case-resolved file name) and
    // goes to destination. Throws EInOutError when the file cannot be read.
    void Load(const QString& path, const QString& destination, const QString& nameForMessage);
    // built: the page's document when it was made already (the frame takes it over).
    void Show(THtmlPage page, const QString& path, THtmlDocument* built = nullptr);

    const QString& FileName() const { return m_fileName; }
    const QString& Name() const { return m_name; }
    THtmlFrame* ParentContext() const { return m_parentContext; }
    int Depth() const { return m_depth; }
    THtmlView* View() const;
    TFramePane* FrameSet() const;

    // This frame or the frame inside it with that name (letter case ignored), or null.
    THtmlFrame* Find(const QString& name);
    // Whether path is shown here or in a frame around this one (a frame set that loads
    // itself into its own frames would never end).
    bool ShowsOrEncloses(const QString& path) const;

    void SetScrolling(const QString& mode);
    void SetMargins(int width, int height);
    void ApplySettings();

protected:
    void resizeEvent(QResizeEvent* e) override;

private:
    THtmlView* EnsureView();
    void SetContent(QWidget* content);

    THtmlPane* m_pane;
    THtmlFrame* m_parentContext;
    QString m_name;
    int m_depth;
    QString m_fileName;
    QPointer<THtmlView> m_view;
    QPointer<TFramePane> m_frameSet;
    QString m_scrolling = QStringLiteral("auto");
    int m_marginWidth = -1;
    int m_marginHeight = -1;
};
