#pragma once
#include <QString>

// A link of a document: its target exactly as written and the frame it names.
struct THtmlLink
{
    QString href;
    QString target;
};
