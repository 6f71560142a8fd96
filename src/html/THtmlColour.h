#pragma once
#include <QColor>
#include <QString>

// Colour attribute values as pages wrote them: "#RRGGBB", the same without "#", three-digit
// forms, and colour names (the sixteen of HTML 3.2 and the longer list browsers knew).
class THtmlColour
{
public:
    // An invalid colour when the value names none.
    static QColor Parse(const QString& value);
};
