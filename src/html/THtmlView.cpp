#include "html/THtmlView.h"
#include "html/THtmlAnimator.h"
#include "html/THtmlControlFactory.h"
#include "html/THtmlDocument.h"
#include "html/THtmlImageCache.h"
#include "html/THtmlObjectHandler.h"
#include "html/THtmlPath.h"
#include "html/THtmlSettings.h"
#include "platform/TPath.h"
#include <QAbstractButton>
#include <QAbstractTextDocumentLayout>
#include <QButtonGroup>
#include <QInputDevice>
#include <QMouseEvent>
#include <QPainter>
#include <QPointer>
#include <QRegularExpression>
#include <QScrollBar>
#include <QScroller>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextLayout>
#include <QTimer>
#include <utility>

namespace {

constexpr int kDefaultMargin = 8;

QString HeadingEntry(const QString& name)
{
    bool ok = false;
    const qlonglong value = name.trimmed().toLongLong(&ok);
    return name + u'#' + QString::number(ok ? value : 0);
}

// The anchor's name of an entry: the entry without its "#number" ending.
QString EntryName(const QString& entry)
{
    const qsizetype hash = entry.lastIndexOf(u'#');
    return hash < 0 ? entry : entry.left(hash);
}

QString HeadingText(const QString& entry)
{
    const qsizetype hash = entry.indexOf(u'#');
    return hash < 0 ? entry : entry.left(hash);
}

} // namespace

THtmlView::THtmlView(const THtmlSettings* settings, THtmlImageCache* images, QWidget* parent)
    : QTextBrowser(parent)
    , m_settings(settings)
    , m_images(images)
    , m_handler(new THtmlObjectHandler(&m_objects, this))
    , m_animator(new THtmlAnimator(this))
{
    m_animator->OnFrame = [this](int index, const QImage& frame) { ShowFrame(index, frame); };
    setOpenLinks(false);
    setOpenExternalLinks(false);
    setFrameShape(QFrame::NoFrame);
    setUndoRedoEnabled(false);
    // Lines break between words only, as in browsers: a table column is then at least as
    // wide as its longest word instead of collapsing to a letter beside wide columns.
    setWordWrapMode(QTextOption::WordWrap);
    viewport()->setMouseTracking(true);
    // On a touch screen a finger drags the page with kinetic flicks; a tap stays a click,
    // and the mouse still selects text.
    QScroller::grabGesture(viewport(), QScroller::TouchGesture);
    connect(this, &QTextBrowser::anchorClicked, this, &THtmlView::AnchorActivated);
    m_handler->OnControlMoved = [this] { ScheduleControlPlacement(); };
    ApplySettings();
}

THtmlView::~THtmlView() = default;

QVariant THtmlView::loadResource(int, const QUrl&)
{
    // Pictures come through the object handler; nothing is fetched behind its back.
    return QVariant();
}

void THtmlView::ApplySettings()
{
    setTextInteractionFlags(m_settings->noSelect
                                ? Qt::LinksAccessibleByMouse | Qt::LinksAccessibleByKeyboard
                                : Qt::TextBrowserInteraction);
    Qt::ScrollBarPolicy vertical = Qt::ScrollBarAsNeeded, horizontal = Qt::ScrollBarAsNeeded;
    if (m_scrolling == QLatin1String("no")) {
        vertical = horizontal = Qt::ScrollBarAlwaysOff;
    } else if (m_scrolling == QLatin1String("yes")) {
        vertical = horizontal = Qt::ScrollBarAlwaysOn;
    }
    if (m_settings->scrollBars == ssNone || m_settings->scrollBars == ssHorizontal)
        vertical = Qt::ScrollBarAlwaysOff;
    if (m_settings->scrollBars == ssNone || m_settings->scrollBars == ssVertical)
        horizontal = Qt::ScrollBarAlwaysOff;
    setVerticalScrollBarPolicy(vertical);
    setHorizontalScrollBarPolicy(horizontal);
}

void THtmlView::SetScrolling(const QString& mode)
{
    m_scrolling = mode;
    ApplySettings();
}

void THtmlView::SetMargins(int width, int height)
{
    m_marginWidth = width;
    m_marginHeight = height;
    const int margin = std::max(width, height);
    if (margin >= 0)
        document()->setDocumentMargin(margin);
}

int THtmlView::AnimationCount() const { return m_animator->Count(); }

void THtmlView::ShowFrame(int index, const QImage& frame)
{
    if (index < 0 || index >= int(m_objects.size()) || frame.isNull())
        return;
    THtmlObject& o = m_objects[size_t(index)];
    o.image = frame;
    if (o.wasDrawn)
        viewport()->update(
            o.drawn.translated(-horizontalScrollBar()->value(), -verticalScrollBar()->value())
                .toAlignedRect()
                .adjusted(-1, -1, 1, 1));
}

void THtmlView::ClearControls()
{
    m_animator->Clear();
    for (THtmlObject& o : m_objects)
        if (o.widget) {
            o.widget->hide();
            o.widget->deleteLater();
        }
    for (QButtonGroup* g : findChildren<QButtonGroup*>(QString(), Qt::FindDirectChildrenOnly))
        g->deleteLater();
}

void THtmlView::BuildObjects(const QFont& font)
{
    QHash<QString, QButtonGroup*> radioGroups;
    for (THtmlObjectInfo& info : m_page.objects) {
        THtmlObject o;
        o.info = std::move(info);
        if (o.IsPicture()) {
            if (m_settings->viewImages && !o.info.src.isEmpty()) {
                QString file, destination;
                THtmlPath::SplitDestination(THtmlPath::Expand(o.info.src, m_fileName), &file,
                                            &destination);
                o.image = m_images->Load(file);
                if (!o.image.isNull())
                    m_animator->Start(int(m_objects.size()), TPath::Resolve(file));
            }
            o.size = THtmlObjectHandler::PictureSize(o, font);
        } else {
            QWidget* w = THtmlControlFactory::Create(o.info, viewport());
            if (w) {
                w->hide();
                o.widget = w;
                o.size = w->size();
                if (o.info.kind == THtmlObjectInfo::Radio) {
                    const QString key = QString::number(o.info.form) + u'/' + o.info.name;
                    QButtonGroup*& group = radioGroups[key];
                    if (!group) {
                        group = new QButtonGroup(this);
                        group->setExclusive(true);
                    }
                    group->addButton(static_cast<QAbstractButton*>(w));
                } else if (o.info.kind == THtmlObjectInfo::Reset) {
                    const int form = o.info.form;
                    connect(static_cast<QAbstractButton*>(w), &QAbstractButton::clicked, this,
                            [this, form] { ResetForm(form); });
                }
            }
        }
        m_objects.push_back(std::move(o));
    }
    m_page.objects.clear();
}

void THtmlView::ShowPage(THtmlPage page, const QString& fileName, THtmlDocument* built)
{
    ClearControls();
    m_objects.clear();
    m_page = std::move(page);
    m_fileName = fileName;

    const QColor text =
        m_page.text.isValid() ? m_page.text : TColorRef::ToQColor(m_settings->defFontColor);
    const QColor link =
        m_page.link.isValid() ? m_page.link : TColorRef::ToQColor(m_settings->defHotSpotColor);
    const QColor background = m_page.background.isValid()
                                  ? m_page.background
                                  : TColorRef::ToQColor(m_settings->defBackground);
    const QFont font = THtmlDocument::DefaultFont(*m_settings);

    // Built before the objects take their list out of the page: it locates them.
    THtmlDocument* doc = built ? built : THtmlDocument::Build(m_page, *m_settings);
    BuildObjects(font);
    m_handler->SetColours(text, link);
    m_handler->SetAltFont(font);

    m_background = QPixmap();
    if (m_settings->viewImages && !m_page.backgroundImage.isEmpty()) {
        QString file, destination;
        THtmlPath::SplitDestination(THtmlPath::Expand(m_page.backgroundImage, m_fileName), &file,
                                    &destination);
        const QImage tile = m_images->Load(file);
        if (!tile.isNull() && tile.width() > 0 && tile.height() > 0)
            m_background = QPixmap::fromImage(tile);
    }

    QPalette pal = palette();
    pal.setColor(QPalette::Base, background);
    pal.setColor(QPalette::Window, background);
    pal.setColor(QPalette::Text, text);
    pal.setColor(QPalette::Link, link);
    // Only a palette that differs is set: each new one costs the style a little memory
    // it never gives back once controls have been drawn with it.
    if (!(pal == palette()) || !(pal == viewport()->palette())) {
        setPalette(pal);
        viewport()->setPalette(pal);
    }

    doc->setParent(this);
    doc->setDocumentMargin(m_marginWidth >= 0 || m_marginHeight >= 0
                               ? std::max(m_marginWidth, m_marginHeight)
                               : kDefaultMargin);
    doc->documentLayout()->registerHandler(QTextFormat::ImageObject, m_handler);
    m_page.html.clear(); // the document holds it now; a big page is not kept twice

    QPointer<QTextDocument> old = document();
    setDocument(doc);
    if (old && old != doc && old->parent() == this)
        old->deleteLater();
    connect(doc->documentLayout(), &QAbstractTextDocumentLayout::documentSizeChanged, this, [this] {
        ForgetControlPlaces();
        ScheduleControlPlacement();
    });

    m_headings.clear();
    for (const QString& name : m_page.anchors)
        m_headings << HeadingEntry(name);
    LocateAnchorsAndObjects(*doc);

    QTextCursor start(doc);
    setTextCursor(start);
    verticalScrollBar()->setValue(0);
    horizontalScrollBar()->setValue(0);
    ScheduleControlPlacement();
    viewport()->update();
}

void THtmlView::LocateAnchorsAndObjects(const THtmlDocument& doc)
{
    m_anchorPositions = doc.AnchorPositions();
    const std::vector<int>& objects = doc.ObjectPositions();
    for (size_t i = 0; i < m_objects.size() && i < objects.size(); ++i)
        m_objects[i].position = objects[i];
}

int THtmlView::HeadingY(int index)
{
    if (index < 0 || index >= int(m_anchorPositions.size()))
        return -1;
    QTextDocument* doc = document();
    const int pos = m_anchorPositions[index];
    const QTextBlock block = doc->findBlock(pos);
    if (!block.isValid())
        return 0;
    const QRectF rect = doc->documentLayout()->blockBoundingRect(block);
    qreal y = rect.top();
    if (QTextLayout* layout = block.layout()) {
        const QTextLine line = layout->lineForTextPosition(pos - block.position());
        if (line.isValid())
            y += line.y();
    }
    return std::max(0, int(y));
}

bool THtmlView::ShowHeading(int index)
{
    if (index < 0 || index >= int(m_headings.size()))
        return false;
    const int y = HeadingY(index);
    SetHorzPosition(0);
    SetPosition(y);
    return true;
}

bool THtmlView::PositionTo(const QString& name)
{
    QString n = name;
    if (n.startsWith(u'#'))
        n.remove(0, 1);
    if (n.isEmpty())
        return false;
    for (int i = 0; i < int(m_headings.size()); ++i) {
        if (m_headings[i].compare(n, Qt::CaseInsensitive) == 0 ||
            EntryName(m_headings[i]).compare(n, Qt::CaseInsensitive) == 0)
            return ShowHeading(i);
    }
    // Authors name heading anchors text#level and link to them by the text alone, as
    // in-page heading links do; without this a link from another page lands at the top.
    for (int i = 0; i < int(m_headings.size()); ++i) {
        if (HeadingText(m_headings[i]).compare(n, Qt::CaseInsensitive) == 0)
            return ShowHeading(i);
    }
    return false;
}

int THtmlView::EnsureLaidOutTo(int y)
{
    // The engine lays long documents out in steps; a position further down than it has
    // reached so far needs the layout to get there first.
    QScrollBar* bar = verticalScrollBar();
    if (y > bar->maximum()) {
        QAbstractTextDocumentLayout* layout = document()->documentLayout();
        layout->documentSize(); // completes the layout and updates the scroll range
        if (y > bar->maximum()) {
            const int max =
                std::max(0, int(layout->documentSize().height()) - viewport()->height());
            bar->setRange(0, max);
        }
    }
    return std::clamp(y, 0, bar->maximum());
}

int THtmlView::Position() const { return verticalScrollBar()->value(); }

void THtmlView::SetPosition(int position)
{
    verticalScrollBar()->setValue(EnsureLaidOutTo(position));
}

int THtmlView::HorzPosition() const { return horizontalScrollBar()->value(); }

void THtmlView::SetHorzPosition(int position) { horizontalScrollBar()->setValue(position); }

QTextCursor THtmlView::FindStart() const
{
    QTextCursor from = textCursor();
    // A reader who scrolled below the last match searches on from what is on screen.
    const QRect caret = cursorRect(from);
    if (caret.bottom() < 0) {
        const QTextCursor top = cursorForPosition(QPoint(0, 0));
        if (top.position() > from.position())
            from = top;
    }
    return from;
}

bool THtmlView::ShowFound(const QTextCursor& found)
{
    if (found.isNull())
        return false;
    setTextCursor(found);
    ensureCursorVisible();
    return true;
}

bool THtmlView::FindText(const QString& text, bool matchCase)
{
    if (text.isEmpty())
        return false;
    return ShowFound(document()->find(text, FindStart(),
                                      matchCase ? QTextDocument::FindCaseSensitively
                                                : QTextDocument::FindFlags()));
}

namespace {

// A letter without its accents, in lower case.
QChar BaseLetter(QChar c)
{
    const QString d = c.decomposition();
    return (d.isEmpty() ? c : d[0]).toLower();
}

} // namespace

bool THtmlView::FindWords(const QString& text)
{
    const QString words = text.simplified();
    if (words.isEmpty())
        return false;
    QString pattern;
    for (const QChar c : words) {
        if (c.isSpace()) {
            pattern += QStringLiteral("\\s+");
            continue;
        }
        if (!c.isLetter()) {
            pattern += QRegularExpression::escape(QString(c));
            continue;
        }
        // Every accented form of the letter the Latin pages of a web may hold.
        const QChar base = BaseLetter(c);
        QString forms = QRegularExpression::escape(QString(base));
        for (char16_t u = 0xC0; u <= 0x24F; ++u)
            if (QChar(u).isLetter() && BaseLetter(QChar(u)) == base)
                forms += QChar(u);
        pattern += u'[' + forms + u']';
    }
    const QRegularExpression expression(pattern,
                                        QRegularExpression::CaseInsensitiveOption |
                                            QRegularExpression::UseUnicodePropertiesOption);
    return ShowFound(document()->find(expression, FindStart()));
}

int THtmlView::MapLinkAt(QPoint viewportPos, bool* overMap) const
{
    *overMap = false;
    const QPointF doc(viewportPos.x() + HorzPosition(), viewportPos.y() + Position());
    for (auto it = m_objects.rbegin(); it != m_objects.rend(); ++it) {
        const THtmlObject& o = *it;
        if (o.info.mapName.isEmpty() || !o.wasDrawn)
            continue;
        const QRectF content = o.ContentRect(o.drawn);
        if (!content.contains(doc))
            continue;
        const auto map = m_page.maps.constFind(o.info.mapName);
        if (map == m_page.maps.constEnd())
            continue;
        *overMap = true;
        const int area = map->HitTest((doc - content.topLeft()).toPoint());
        return area >= 0 ? map->Areas()[area].linkIndex : -1;
    }
    return -1;
}

int THtmlView::LinkAt(QPoint viewportPos) const
{
    bool overMap = false;
    const int mapLink = MapLinkAt(viewportPos, &overMap);
    if (overMap)
        return mapLink;
    const QString href = anchorAt(viewportPos);
    if (!href.startsWith(QLatin1String("zlk:")))
        return -1;
    bool ok = false;
    const int index = QStringView(href).mid(4).toInt(&ok);
    return ok && index >= 0 && index < int(m_page.links.size()) ? index : -1;
}

void THtmlView::AnchorActivated(const QUrl& url)
{
    if (m_suppressAnchor)
        return;
    const QString s = url.toString();
    if (!s.startsWith(QLatin1String("zlk:")))
        return;
    bool ok = false;
    const int index = QStringView(s).mid(4).toInt(&ok);
    if (ok && index >= 0 && index < int(m_page.links.size()) && OnLink)
        OnLink(this, index);
}

namespace {
// A mouse event the system made from a finger on a touch screen.
bool FromTouch(const QMouseEvent* e)
{
    return e->device() && e->device()->type() == QInputDevice::DeviceType::TouchScreen;
}
} // namespace

void THtmlView::mousePressEvent(QMouseEvent* e)
{
    m_touchPressed = FromTouch(e);
    m_touchDragged = false;
    bool overMap = false;
    MapLinkAt(e->position().toPoint(), &overMap);
    m_pressOnMap = overMap && e->button() == Qt::LeftButton;
    QTextBrowser::mousePressEvent(e);
}

void THtmlView::mouseReleaseEvent(QMouseEvent* e)
{
    // A finger that dragged the page (the scroller moved it) follows no link.
    if (FromTouch(e) && std::exchange(m_touchDragged, false)) {
        m_touchPressed = m_pressOnMap = false;
        return;
    }
    m_touchPressed = false;
    if (m_pressOnMap && e->button() == Qt::LeftButton) {
        m_pressOnMap = false;
        bool overMap = false;
        const int link = MapLinkAt(e->position().toPoint(), &overMap);
        // The map decides, also for a picture that sits inside a link.
        m_suppressAnchor = true;
        QTextBrowser::mouseReleaseEvent(e);
        m_suppressAnchor = false;
        if (overMap && link >= 0 && OnLink)
            OnLink(this, link);
        return;
    }
    QTextBrowser::mouseReleaseEvent(e);
}

void THtmlView::mouseMoveEvent(QMouseEvent* e)
{
    // A finger moves the page, not a text selection.
    if (FromTouch(e))
        return;
    QTextBrowser::mouseMoveEvent(e);
    bool overMap = false;
    const int link = MapLinkAt(e->position().toPoint(), &overMap);
    if (overMap)
        viewport()->setCursor(link >= 0 ? Qt::PointingHandCursor : Qt::ArrowCursor);
}

void THtmlView::paintEvent(QPaintEvent* e)
{
    if (!m_background.isNull()) {
        QPainter p(viewport());
        const QPoint offset(HorzPosition() % m_background.width(),
                            Position() % m_background.height());
        p.drawTiledPixmap(viewport()->rect(), m_background, offset);
    }
    QTextBrowser::paintEvent(e);
}

void THtmlView::scrollContentsBy(int dx, int dy)
{
    m_touchDragged = m_touchDragged || m_touchPressed;
    QTextBrowser::scrollContentsBy(dx, dy);
    if (!m_background.isNull())
        viewport()->update();
    PlaceControls();
}

void THtmlView::showEvent(QShowEvent* e)
{
    // On its first showing the engine scrolls the text cursor into view; a view shown after
    // its page was loaded (a frame's) would then start below its top when its first line is
    // taller than the view (a tall picture). The page keeps the position it was given.
    const int v = verticalScrollBar()->value();
    const int h = horizontalScrollBar()->value();
    QTextBrowser::showEvent(e);
    verticalScrollBar()->setValue(v);
    horizontalScrollBar()->setValue(h);
}

void THtmlView::resizeEvent(QResizeEvent* e)
{
    QTextBrowser::resizeEvent(e);
    ForgetControlPlaces();
    ScheduleControlPlacement();
}

void THtmlView::ForgetControlPlaces()
{
    // After a new layout the places drawn last are out of date until drawn again.
    for (THtmlObject& o : m_objects)
        if (o.widget)
            o.wasDrawn = false;
}

void THtmlView::focusInEvent(QFocusEvent* e)
{
    QTextBrowser::focusInEvent(e);
    if (OnFocus)
        OnFocus(this);
}

void THtmlView::ScheduleControlPlacement()
{
    if (m_placementPending)
        return;
    bool any = false;
    for (const THtmlObject& o : m_objects)
        if (o.widget) {
            any = true;
            break;
        }
    if (!any)
        return;
    m_placementPending = true;
    QTimer::singleShot(0, this, [this] {
        m_placementPending = false;
        PlaceControls();
    });
}

QRectF THtmlView::ObjectLayoutRect(int index)
{
    if (index < 0 || index >= int(m_objects.size()))
        return QRectF();
    const THtmlObject& o = m_objects[index];
    if (o.position < 0)
        return QRectF();
    QTextDocument* doc = document();
    const QTextBlock block = doc->findBlock(o.position);
    if (!block.isValid())
        return QRectF();
    const QRectF blockRect = doc->documentLayout()->blockBoundingRect(block);
    QTextLayout* layout = block.layout();
    if (blockRect.isNull() || !layout)
        return QRectF();
    const int rel = o.position - block.position();
    const QTextLine line = layout->lineForTextPosition(rel);
    if (!line.isValid())
        return QRectF();
    const qreal x = line.cursorToX(rel);
    const qreal top = line.y() + line.ascent() - o.size.height();
    return QRectF(blockRect.left() + x, blockRect.top() + top, o.size.width(), o.size.height());
}

void THtmlView::PlaceControls()
{
    const QPoint scroll(HorzPosition(), Position());
    for (int i = 0; i < int(m_objects.size()); ++i) {
        QWidget* w = m_objects[i].widget;
        if (!w)
            continue;
        // Where it was drawn is exact; before that, the layout's own account will do.
        const QRectF r = m_objects[i].wasDrawn ? m_objects[i].drawn : ObjectLayoutRect(i);
        if (r.isNull()) {
            w->hide();
            continue;
        }
        w->setGeometry(QRect(r.topLeft().toPoint() - scroll, m_objects[i].size));
        w->show();
    }
}

void THtmlView::ResetForm(int form)
{
    for (THtmlObject& o : m_objects)
        if (o.widget && o.info.form == form)
            THtmlControlFactory::Reset(o.widget, o.info);
}
