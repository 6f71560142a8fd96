#pragma once
#include "components/media/TEffectPlan.h"
#include "components/media/TStripEffect.h"
#include "components/paint/TLookTypes.h"
#include <QImage>
#include <QString>
#include <QTimer>
#include <QWidget>
#include <functional>

// A picture control that can bring a newly loaded picture in with a strip animation:
// strips fall from the top (efTopDown) or move in from the left (efLeftRight) over what
// the control showed before, or the picture simply appears (efNone). The control also
// remembers the file its picture came from.
//
// A widget may only draw inside its paint event, and a busy loop would freeze the
// screen, so the animation is composed on an off-screen surface and shown as timed frames
// (TStripEffect): the strips appear in the effect's order, the whole effect takes at most
// about one second, and no frame holds the user interface for longer than one frame's
// time. Tests and callers that need the result at once use RunEffectNow or StepEffect.
class TKXImage : public QWidget
{
    Q_OBJECT
public:
    explicit TKXImage(QWidget* parent = nullptr);

    const QImage& Picture() const { return m_picture; }
    // Shows the picture at the next paint (an effect in progress is abandoned).
    void SetPicture(const QImage& picture);
    // Loads a picture file into Picture. False when the file is missing or not a picture;
    // the picture and FileName then stay as they were. FileName is the caller's to set.
    bool LoadFromFile(const QString& path);

    bool Center() const { return m_center; }
    void SetCenter(bool v);
    bool Stretch() const { return m_stretch; }
    void SetStretch(bool v);
    // The control takes the picture's size whenever a picture is set.
    bool AutoSize() const { return m_autoSize; }
    void SetAutoSize(bool v);

    TEffectStyle Effect() const { return m_effect; }
    void SetEffect(TEffectStyle v) { m_effect = v; }
    // Thickness of a strip in pixels; values below 2 are stored as 2.
    int BoxWidth() const { return m_boxWidth; }
    void SetBoxWidth(int v);
    // How slowly the strips move: 0..20000 (other values are clamped). Each strip copy is
    // given one millisecond plus one microsecond per count, within the one-second cap.
    int EffectDelay() const { return m_effectDelay; }
    void SetEffectDelay(int v);

    // The file the picture was loaded from; not set ("0") when none.
    const QString& FileName() const { return m_fileName; }
    void SetFileName(const QString& v) { m_fileName = v; }

    // Where the picture lies in the control now.
    TRect PictureRect() const;
    // The copies RunEffect would make now, in order.
    TEffectPlan EffectPlan() const;

    // Starts the animation of the current picture (nothing when there is none); frames
    // follow on a timer and effectFinished() is emitted after the last one.
    void RunEffect();
    // The whole animation at once, without a timer.
    void RunEffectNow();
    // Shows the next frame of a running animation now; true while more frames remain.
    bool StepEffect();
    // Ends a running animation without drawing the rest; the picture shows at the next
    // paint.
    void StopEffect();
    bool EffectRunning() const { return m_effectRunning; }
    int EffectFrameCount() const { return m_strips.FrameCount(); }
    int EffectFramesShown() const { return m_strips.FramesShown(); }

    // What the control shows: the animation's surface while it runs and after it ended
    // until the next paint, otherwise the picture as last painted.
    const QImage& Surface() const { return m_surface; }

    // The click of the advert.
    void Click();
    std::function<void(QObject*)> OnClick;

    QSize sizeHint() const override;

signals:
    void clicked();
    void effectFinished();

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    // The picture at the size it is shown at.
    QImage ShownPicture() const;
    void Compose();
    void PrepareSurface();
    void EndEffect();
    void EffectTick();

    QImage m_picture;
    bool m_center = false;
    bool m_stretch = false;
    bool m_autoSize = false;
    TEffectStyle m_effect = efLeftRight;
    int m_boxWidth = 2;
    int m_effectDelay = 0;
    QString m_fileName;

    QImage m_surface;
    TStripEffect m_strips;
    QTimer m_effectTimer;
    bool m_effectRunning = false;
    bool m_pressed = false;
};
