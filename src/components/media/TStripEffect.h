#pragma once
#include "components/media/TEffectPlan.h"
#include <QImage>

// Plays an effect plan onto a surface in frames. The copies are split evenly over the
// frames; each frame applies only the copies of its share that stay visible at its end,
// so a frame never costs more than drawing the whole picture once, however many strips
// the plan has, and what each frame shows is exactly the surface after its share of the
// plan.
class TStripEffect
{
public:
    static constexpr int FrameIntervalMs = 16;
    // At most about one second of frames.
    static constexpr int MaxFrames = 1000 / FrameIntervalMs;

    // Frames for a plan of copies: one millisecond per copy plus one microsecond per count
    // of delay, at least one frame and at most MaxFrames (0 when there is nothing to copy).
    static int FramesFor(qint64 copies, int effectDelay);

    // Starts playing plan onto *surface from source (the picture as the plan's source
    // coordinates see it), in frames frames (at least 1, at most one per copy). Both
    // images are converted to 32-bit premultiplied ARGB when they are not.
    void Start(QImage* surface, const QImage& source, const TEffectPlan& plan, int frames);
    // Forgets the running effect; the surface keeps what was drawn.
    void Cancel();

    bool Running() const { return m_surface != nullptr && m_framesShown < m_frames; }
    int FrameCount() const { return m_frames; }
    int FramesShown() const { return m_framesShown; }
    qint64 CopiesDone() const { return m_copiesDone; }
    const TEffectPlan& Plan() const { return m_plan; }

    // Applies the next frame; true while more frames remain.
    bool StepFrame();
    // Applies every remaining frame at once.
    void Finish();

    // One rectangle copy at the same size; the part lying outside the source picture or
    // the surface is left out. When the rectangles differ in size, the common top-left
    // part is copied.
    static void Apply(QImage& surface, const QImage& source, const TStripCopy& copy);

private:
    QImage* m_surface = nullptr;
    QImage m_source;
    TEffectPlan m_plan;
    int m_frames = 0;
    int m_framesShown = 0;
    qint64 m_copiesDone = 0;
};
