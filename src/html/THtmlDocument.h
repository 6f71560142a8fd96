#pragma once
#include <QTextDocument>

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

protected:
    QVariant loadResource(int type, const QUrl& name) override;
};
