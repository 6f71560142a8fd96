#pragma once
#include "search/TSearchHit.h"
#include <QDialog>
#include <QLineEdit>
#include <QListWidget>
#include <functional>

class TWebSearch;

// The search of the whole web: a field for the words and the list of documents holding
// them, best first, each with its title, its folder and a passage with the words marked.
// Enter in the field searches and hands the focus to the first result; Enter or a click on
// a result opens it. Escape closes the window. The index works on its own thread.
class TWebSearchWindow : public QDialog
{
    Q_OBJECT
public:
    static inline const QString NoMatchText = QStringLiteral("No document holds these words");

    explicit TWebSearchWindow(QWidget* parent);
    ~TWebSearchWindow() override;

    // Shows it for the web (its index brought up to date), the search field focused.
    void Execute(const QString& web);
    // Without showing anything: the web becomes the one searched and, when it is small, its
    // index is brought up to date at once, so the first search answers without a wait.
    void IndexIfSmall(const QString& web);
    // Where the index is kept; empty for the user's cache folder.
    void SetCacheFolder(const QString& folder) { m_cacheFolder = folder; }
    TWebSearch* Search() const { return m_search; }
    const TSearchHits& Hits() const { return m_hits; }
    // The words of the last search, phrases whole.
    const QStringList& Terms() const { return m_terms; }

    // The document chosen (its full path) and the words searched for.
    std::function<void(const QString& file, const QStringList& terms)> OnOpenDocument;

    QLineEdit* SearchField = nullptr;
    QListWidget* ResultList = nullptr;

    // A passage's marks as bold, the rest escaped.
    static QString MarkedPassage(const QString& passage);

private:
    void UseWeb(const QString& web);
    void RunQuery();
    void ShowAnswer(int ticket, const TSearchHits& hits);
    void OpenCurrent();

    TWebSearch* m_search = nullptr;
    QString m_web;
    QString m_cacheFolder;
    TSearchHits m_hits;
    QStringList m_terms;
    int m_ticket = 0;
};
