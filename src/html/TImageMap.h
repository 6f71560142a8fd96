#pragma once
#include <QPoint>
#include <QString>
#include <QVector>
#include <vector>

// A client-side image map: the areas of a picture that act as links. Coordinates are in
// pixels of the picture as shown, from its top-left corner inside any border.
class TImageMap
{
public:
    enum TShape { Rect, Circle, Poly, Default };

    struct TArea
    {
        TShape shape = Rect;
        QVector<int> coords;
        int linkIndex = -1; // -1: NOHREF, the area takes the click and does nothing
        QString alt;
    };

    // SHAPE and COORDS as written; false (nothing added) for a shape it does not know or
    // coordinates too few for the shape.
    bool AddArea(const QString& shape, const QString& coords, int linkIndex,
                 const QString& alt = QString());

    // The index of the area the point lies in: the first area in document order that
    // contains it, else a DEFAULT area; -1 when none.
    int HitTest(QPoint point) const;

    const std::vector<TArea>& Areas() const { return m_areas; }

    static bool Contains(const TArea& area, QPoint point);
    static QVector<int> ParseCoords(const QString& coords);

private:
    std::vector<TArea> m_areas;
};
