#pragma once
#include <QImage>
#include <QString>

// Loads a picture file (letter case of the path resolved). False when the file does not
// exist or cannot be decoded; the target is then unchanged.
class TBitmapFile
{
public:
    static bool Load(const QString& path, QImage* image);
};
