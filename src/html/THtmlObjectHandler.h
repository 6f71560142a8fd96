#pragma once
#include "html/THtmlObject.h"
#include <QColor>
#include <QFont>
#include <QObject>
#include <QTextObjectInterface>
#include <functional>
#include <vector>

// Lays out and draws the pictures of a document in place of the engine's own image
// handling: scaled to WIDTH and HEIGHT, framed by BORDER, and, where the picture cannot
// be shown, a sunken frame with the ALT text. Form controls get their room here; the real
// widgets are placed over it by the view.
class THtmlObjectHandler : public QObject, public QTextObjectInterface
{
    Q_OBJECT
    Q_INTERFACES(QTextObjectInterface)

public:
    explicit THtmlObjectHandler(std::vector<THtmlObject>* objects, QObject* parent = nullptr);

    QSizeF intrinsicSize(QTextDocument* doc, int posInDocument, const QTextFormat& format) override;
    void drawObject(QPainter* painter, const QRectF& rect, QTextDocument* doc, int posInDocument,
                    const QTextFormat& format) override;

    void SetColours(const QColor& text, const QColor& link)
    {
        m_text = text;
        m_link = link;
    }
    // Called when a control's room is drawn somewhere else than before.
    std::function<void()> OnControlMoved;
    void SetAltFont(const QFont& font) { m_font = font; }

    // The index an image name "zel:<index>" stands for, or -1.
    static int ObjectIndex(const QTextFormat& format);
    // The room a picture takes: its shown size plus border and spaces; the ALT frame's
    // size when the picture is missing.
    static QSize PictureSize(const THtmlObject& object, const QFont& altFont);

private:
    THtmlObject* Object(const QTextFormat& format) const;
    void DrawAltFrame(QPainter* painter, const QRectF& rect, const THtmlObject& object) const;

    std::vector<THtmlObject>* m_objects;
    QColor m_text = Qt::black;
    QColor m_link = Qt::blue;
    QFont m_font;
};
