#pragma once
// Helpers shared by the state file tests: temporary folders, small picture files and the
// key lines of a written section.
#include "common/TestSupport.h"
#include <QByteArray>
#include <QColor>
#include <QImage>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace statetest {

// The "key=value" lines of one section of a file, in file order.
inline QStringList SectionLines(const QString& path, const QString& section)
{
    const QStringList lines = QString::fromUtf8(ReadTestFile(path)).split("\r\n");
    QStringList result;
    bool inside = false;
    for (const QString& line : lines) {
        if (line.startsWith('[')) {
            inside = line == '[' + section + ']';
            continue;
        }
        if (inside && line.contains('='))
            result << line;
    }
    return result;
}

// The key names of those lines.
inline QStringList SectionKeys(const QString& path, const QString& section)
{
    QStringList keys;
    for (const QString& line : SectionLines(path, section))
        keys << line.section('=', 0, 0);
    return keys;
}

// A small bitmap file of one colour; returns its path.
inline QString MakeBitmap(const QTemporaryDir& dir, const QString& name, QColor colour,
                          QSize size = QSize(4, 3))
{
    QImage image(size, QImage::Format_RGB32);
    image.fill(colour);
    const QString path = dir.filePath(name);
    EXPECT_TRUE(image.save(path, "BMP")) << path.toStdString();
    return path;
}

inline QRgb PixelOf(const QImage& image)
{
    return image.isNull() ? 0 : image.pixel(0, 0) | 0xFF000000u;
}

} // namespace statetest
