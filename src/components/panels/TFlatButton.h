#pragma once
#include <QImage>
#include <QMenu>
#include <QPointer>
#include <QString>
#include <QWidget>
#include <functional>

// Caption alignment of a flat button (left and right 3 pixels from the edge).
enum class TFlatAlignment { taLeftJustify, taRightJustify, taCenter };

// A flat caption button: no frame until the mouse is over it while its window is active
// (then a raised one-pixel frame), a sunken frame with the caption moved one pixel right
// and down while the left button is held on it, its caption embossed grey when disabled,
// and a transparent background. Releasing the left button over the pressed button clicks
// it. An optional bitmap is drawn above the caption, greyed while the mouse is not over
// the button; an optional drop-down menu opens below the button on the press instead of
// a click.
class TFlatButton : public QWidget
{
    Q_OBJECT
public:
    explicit TFlatButton(QWidget* parent = nullptr);

    const QString& Caption() const { return m_caption; }
    void SetCaption(const QString& v);

    TFlatAlignment Alignment() const { return m_alignment; }
    void SetAlignment(TFlatAlignment v);

    const QImage& Bitmap() const { return m_bitmap; }
    void SetBitmap(const QImage& v);

    QMenu* DropDownMenu() const { return m_dropDownMenu; }
    void SetDropDownMenu(QMenu* v);

    qint32 FontColour() const { return m_fontColour; }
    void SetFontColour(qint32 v);

    // The states the drawing follows.
    bool MouseInside() const { return m_mouseInside; }
    bool Pressed() const { return m_pressed; }

    // Fires the click: OnClick, then the clicked() signal.
    void Click();

    QSize sizeHint() const override { return QSize(50, 40); }

    std::function<void(QObject*)> OnClick;

signals:
    void clicked();

protected:
    void paintEvent(QPaintEvent* event) override;
    void enterEvent(QEnterEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    void SetMouseInside(bool inside);
    void DrawCaption(class QPainter& painter, const QRect& area);

    QString m_caption;
    TFlatAlignment m_alignment = TFlatAlignment::taCenter;
    QImage m_bitmap;
    QPointer<QMenu> m_dropDownMenu;
    qint32 m_fontColour = 0;
    bool m_mouseInside = false;
    bool m_pressed = false;
};
