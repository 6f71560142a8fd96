#pragma once
#include <QTextDocument>
#include <vector>

struct THtmlPage;
struct THtmlSettings;

// The engine's document of one page. Pictures come through the view's object handler, so
// the document itself fetches nothing: no file is read behind the view's back, and a
// document can be built on a worker thread, where no picture may be made.
class THtmlDocument : public QTextDocument
{
    Q_OBJECT

public:
    explicit THtmlDocument(QObject* parent = nullptr);

    // The page's markup read with its style sheets in the settings' font (page.html is
    // left as it is). Reentrant: a worker thread builds a big page while the window goes
    // on painting.
    static THtmlDocument* Build(const THtmlPage& page, const THtmlSettings& settings);
    // The font a page starts in.
    static QFont DefaultFont(const THtmlSettings& settings);

    // Where the built page's named anchors sit in the text, one per anchor of the page
    // (an anchor with no text after it stands for the end), and its objects, one per
    // object index (-1 for one not in the text). Found as the page is built, so a big
    // page is walked on the worker, not on the window's thread.
    const std::vector<int>& AnchorPositions() const { return m_anchorPositions; }
    const std::vector<int>& ObjectPositions() const { return m_objectPositions; }

protected:
    QVariant loadResource(int type, const QUrl& name) override;

private:
    void HonourHeadingSizes();
    void Locate(const THtmlPage& page);

    std::vector<int> m_anchorPositions;
    std::vector<int> m_objectPositions;
};
