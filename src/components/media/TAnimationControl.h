#pragma once
#include "components/media/TAviClip.h"
#include <QImage>
#include <QString>
#include <QTimer>
#include <QWidget>
#include <memory>

// Plays a silent AVI clip (see TAviClip) frame by frame on a timer at the clip's own
// frame rate. The clip is centred in the control or drawn at its top-left corner; when
// transparent, the clip's background colour (the colour of the first frame's top-left
// pixel) lets the parent show through, otherwise the control fills its background.
class TAnimationControl : public QWidget
{
    Q_OBJECT
public:
    explicit TAnimationControl(QWidget* parent = nullptr);
    ~TAnimationControl() override;

    // An empty name is ignored. Otherwise the name is kept, the file is opened when it
    // exists (a missing file leaves the control empty) and the first frame is shown.
    const QString& AviFileName() const { return m_aviFileName; }
    void SetAviFileName(const QString& name);

    // Changing one of these starts the control afresh: the clip is closed and
    // AviFileName opened again.
    bool Center() const { return m_center; }
    void SetCenter(bool v);
    bool Transparent() const { return m_transparent; }
    void SetTransparent(bool v);
    bool Autoplay() const { return m_autoplay; }
    void SetAutoplay(bool v);

    // Stops any playing and opens the clip, showing its first frame (and playing it
    // endlessly with Autoplay). False, with nothing shown, when the file is missing or
    // not a clip this control plays.
    bool Open(const QString& name);
    // Shows one frame and stops there.
    bool Seek(int frame);
    // Plays frames from..to (to -1: the clip's last frame) repeat times (-1: endlessly).
    // False when no clip is open or the frames do not lie in the clip.
    bool Play(int repeat, int from, int to);
    virtual bool Stop();

    bool ClipOpen() const { return m_clip.IsOpen(); }
    const TAviClip& Clip() const { return m_clip; }
    int FrameCount() const { return m_clip.IsOpen() ? m_clip.FrameCount() : 0; }
    // The frame shown (-1 for none) and its picture, transparency applied.
    int CurrentFrame() const { return m_current; }
    const QImage& FrameImage() const { return m_frameImage; }
    bool Animating() const { return m_timer.isActive(); }
    // Milliseconds between two frames of the open clip.
    int FrameInterval() const { return m_timer.interval(); }
    // The timer's step: the next frame, back to the first of the range for a repeat, or
    // the end of playing.
    void AdvanceFrame();

signals:
    void started();
    void stopped();

protected:
    void paintEvent(QPaintEvent* event) override;

    // Stops the timer without the virtual Stop's side effects in derived controls.
    void StopClip();

private:
    void Recreate();
    bool ShowFrame(int frame);
    void CloseClip();

    QString m_aviFileName;
    bool m_center = true;
    bool m_transparent = true;
    bool m_autoplay = false;

    TAviClip m_clip;
    QRgb m_keyColour = 0;
    QTimer m_timer;
    int m_current = -1;
    int m_from = 0;
    int m_to = 0;
    int m_repeatsLeft = 0;
    QImage m_frameImage;
};
