#include "TWebSearchWindow.h"
#include "search/TSearchQuery.h"
#include "search/TWebSearch.h"
#include <QKeyEvent>
#include <QLabel>
#include <QVBoxLayout>
#include <algorithm>

TWebSearchWindow::TWebSearchWindow(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("WebSearchWindow"));
    setWindowTitle(QStringLiteral("Search the web"));
    setModal(false);
    resize(560, 420);
    SearchField = new QLineEdit(this);
    SearchField->setObjectName(QStringLiteral("SearchField"));
    SearchField->setPlaceholderText(QStringLiteral("Words or \"a phrase\""));
    ResultList = new QListWidget(this);
    ResultList->setObjectName(QStringLiteral("ResultList"));
    ResultList->setWordWrap(true);
    ResultList->setSelectionMode(QAbstractItemView::SingleSelection);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(SearchField);
    layout->addWidget(ResultList);

    m_search = new TWebSearch(this);
    connect(m_search, &TWebSearch::Answer, this, &TWebSearchWindow::ShowAnswer);
    connect(SearchField, &QLineEdit::returnPressed, this, &TWebSearchWindow::RunQuery);
    connect(ResultList, &QListWidget::itemActivated, this, &TWebSearchWindow::OpenCurrent);
    connect(ResultList, &QListWidget::itemClicked, this, &TWebSearchWindow::OpenCurrent);
}

TWebSearchWindow::~TWebSearchWindow() = default;

void TWebSearchWindow::UseWeb(const QString& web)
{
    if (web == m_web)
        return;
    m_web = web;
    m_hits.clear(); // results of the web before would open its paths below this one
    ResultList->clear();
    m_search->SetWeb(web, m_cacheFolder);
}

void TWebSearchWindow::IndexIfSmall(const QString& web)
{
    if (web == m_web)
        return; // brought up to date when it came, or searched since
    UseWeb(web);
    m_search->UpdateIfSmall();
}

void TWebSearchWindow::Execute(const QString& web)
{
    UseWeb(web);
    m_search->Update();
    show();
    raise();
    activateWindow();
    SearchField->setFocus();
    SearchField->selectAll();
}

void TWebSearchWindow::RunQuery()
{
    m_terms = TSearchQuery::Terms(SearchField->text());
    m_ticket = m_search->Query(SearchField->text());
    // The answer comes first; an edit since the last search is picked up after it.
    m_search->Update();
}

QString TWebSearchWindow::MarkedPassage(const QString& passage)
{
    QString html = passage.toHtmlEscaped();
    html.replace(TSearchHit::MarkStart, QStringLiteral("<b>"));
    html.replace(TSearchHit::MarkEnd, QStringLiteral("</b>"));
    return html;
}

void TWebSearchWindow::ShowAnswer(int ticket, const TSearchHits& hits)
{
    if (ticket != m_ticket)
        return; // an older search, overtaken by a newer one
    m_hits = hits;
    ResultList->clear();
    if (hits.isEmpty()) {
        auto* item = new QListWidgetItem(NoMatchText, ResultList);
        item->setFlags(Qt::NoItemFlags);
        return;
    }
    for (const TSearchHit& hit : hits) {
        auto* item = new QListWidgetItem(ResultList);
        auto* label = new QLabel(ResultList);
        label->setTextFormat(Qt::RichText);
        label->setWordWrap(true);
        label->setContentsMargins(4, 3, 4, 3);
        label->setAttribute(Qt::WA_TransparentForMouseEvents);
        const QString folder = hit.folder.isEmpty() ? QStringLiteral("/") : hit.folder;
        label->setText(QStringLiteral("<b>%1</b> &nbsp;<span style=\"color:#606060\">%2</span>"
                                      "<br>%3")
                           .arg(hit.title.toHtmlEscaped(), folder.toHtmlEscaped(),
                                MarkedPassage(hit.passage)));
        const int width = std::max(200, ResultList->viewport()->width() - 8);
        item->setSizeHint(QSize(0, label->heightForWidth(width) + 2));
        ResultList->setItemWidget(item, label);
    }
    ResultList->setCurrentRow(0);
    ResultList->setFocus();
}

void TWebSearchWindow::OpenCurrent()
{
    const int row = ResultList->currentRow();
    if (row < 0 || row >= m_hits.size())
        return;
    const QString file = (m_web.endsWith(u'/') ? m_web : m_web + u'/') + m_hits[row].Path();
    hide();
    if (OnOpenDocument)
        OnOpenDocument(file, m_terms);
}
