#pragma once
#include "components/paint/TLookTypes.h"
#include "components/panels/TSplitBar.h"
#include <QImage>
#include <QString>

// The splitter of the display: a bar filled with a colour or tiled with a picture, with
// optional grey gradient shadows along one or two edges and an optional raised edge.
class TGraphicSplitBar : public TSplitBar
{
    Q_OBJECT
public:
    explicit TGraphicSplitBar(QWidget* parent = nullptr);

    // Fill colour, a colour number (0x00BBGGRR or a system colour).
    qint32 Color() const { return m_color; }
    void SetColor(qint32 colour);

    // Tiled over the bar instead of the colour when not empty. Setting a picture removes
    // the shadow (ShadowStyle becomes ssNoShad).
    const QImage& Picture() const { return m_picture; }
    void SetPicture(const QImage& picture);
    // The same without touching ShadowStyle: a look read or copied keeps its shadow.
    void StorePicture(const QImage& picture);
    // The file the picture was loaded from; empty for a picture from no file, or none.
    const QString& PictureFileName() const { return m_pictureFileName; }
    void SetPictureFileName(const QString& fileName) { m_pictureFileName = fileName; }

    TShadowStyle ShadowStyle() const { return m_shadowStyle; }
    void SetShadowStyle(TShadowStyle style);

    // Width of a shadow band in pixels, kept within 2..16.
    int ShThickness() const { return m_shThickness; }
    void SetShThickness(int thickness);

    // A one-pixel raised frame around the part of the bar the shadows leave.
    bool DrawEdge() const { return m_drawEdge; }
    void SetDrawEdge(bool draw);

    // 0 none, 1 single (a one-pixel black frame; the bar's face lies inside it). Any other
    // value reads as none.
    int BorderStyle() const { return m_borderStyle; }
    void SetBorderStyle(int style);

    // The bar's look at its present size, as it paints it.
    QImage Compose() const;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    qint32 m_color;
    QImage m_picture;
    QString m_pictureFileName;
    TShadowStyle m_shadowStyle = ssNoShad;
    int m_shThickness = 8;
    bool m_drawEdge = false;
    int m_borderStyle = 0;
};
