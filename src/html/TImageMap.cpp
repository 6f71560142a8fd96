#include "html/TImageMap.h"
#include <QRegularExpression>

QVector<int> TImageMap::ParseCoords(const QString& coords)
{
    QVector<int> result;
    static const QRegularExpression separators(QStringLiteral("[\\s,;]+"));
    const QStringList parts = coords.split(separators, Qt::SkipEmptyParts);
    for (const QString& p : parts) {
        bool ok = false;
        QString number = p;
        if (number.endsWith(u'%'))
            number.chop(1);
        const double v = number.toDouble(&ok);
        if (!ok || v < -1e6 || v > 1e6)
            return {};
        result.append(int(v));
        if (result.size() >= 2000) // no author writes a polygon of a thousand corners
            break;
    }
    return result;
}

bool TImageMap::AddArea(const QString& shape, const QString& coords, int linkIndex,
                        const QString& alt)
{
    const QString s = shape.trimmed().toLower();
    TArea area;
    area.linkIndex = linkIndex;
    area.alt = alt;
    area.coords = ParseCoords(coords);
    if (s.isEmpty() || s == QLatin1String("rect") || s == QLatin1String("rectangle")) {
        area.shape = Rect;
        if (area.coords.size() < 4)
            return false;
    } else if (s == QLatin1String("circle") || s == QLatin1String("circ")) {
        area.shape = Circle;
        if (area.coords.size() < 3)
            return false;
    } else if (s == QLatin1String("poly") || s == QLatin1String("polygon")) {
        area.shape = Poly;
        if (area.coords.size() < 6)
            return false;
    } else if (s == QLatin1String("default")) {
        area.shape = Default;
    } else {
        return false;
    }
    m_areas.push_back(area);
    return true;
}

bool TImageMap::Contains(const TArea& area, QPoint p)
{
    const QVector<int>& c = area.coords;
    switch (area.shape) {
    case Rect: {
        const int left = std::min(c[0], c[2]), right = std::max(c[0], c[2]);
        const int top = std::min(c[1], c[3]), bottom = std::max(c[1], c[3]);
        return p.x() >= left && p.x() <= right && p.y() >= top && p.y() <= bottom;
    }
    case Circle: {
        const qint64 dx = p.x() - c[0], dy = p.y() - c[1], r = c[2];
        return dx * dx + dy * dy <= r * r;
    }
    case Poly: {
        // Crossing count of a ray to the right: odd means inside.
        bool inside = false;
        const int n = int(c.size() / 2);
        for (int i = 0, j = n - 1; i < n; j = i++) {
            const double xi = c[2 * i], yi = c[2 * i + 1], xj = c[2 * j], yj = c[2 * j + 1];
            if ((yi > p.y()) != (yj > p.y())) {
                const double x = xi + (p.y() - yi) * (xj - xi) / (yj - yi);
                if (p.x() < x)
                    inside = !inside;
            }
        }
        return inside;
    }
    case Default: return true;
    }
    return false;
}

int TImageMap::HitTest(QPoint point) const
{
    int fallback = -1;
    for (int i = 0; i < int(m_areas.size()); ++i) {
        if (m_areas[i].shape == Default) {
            if (fallback < 0)
                fallback = i;
            continue;
        }
        if (Contains(m_areas[i], point))
            return i;
    }
    return fallback;
}
