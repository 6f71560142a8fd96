#pragma once
#include <QString>
#include <QWidget>

// A content panel that, when asked, paints nothing at all, so whatever lies behind it
// (the panel page's background) shows through. Otherwise a plain raised panel with a
// centred caption. Its background is never erased separately.
class TTransparentPanel : public QWidget
{
    Q_OBJECT
public:
    explicit TTransparentPanel(QWidget* parent = nullptr);

    bool DrawAsTransparent() const { return m_drawAsTransparent; }
    void SetDrawAsTransparent(bool v);

    const QString& Caption() const { return m_caption; }
    void SetCaption(const QString& v);

    qint32 Color() const { return m_color; }
    void SetColor(qint32 v);

    qint32 FontColour() const { return m_fontColour; }
    void SetFontColour(qint32 v);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    bool m_drawAsTransparent = false;
    QString m_caption;
    qint32 m_color;
    qint32 m_fontColour;
};
