#include "components/media/TStripEffect.h"
#include <QPainter>
#include <algorithm>
#include <cstring>

namespace {
constexpr QImage::Format kFormat = QImage::Format_ARGB32_Premultiplied;
}

int TStripEffect::FramesFor(qint64 copies, int effectDelay)
{
    if (copies <= 0)
        return 0;
    const qint64 micros = copies * (1000 + qint64(std::max(0, effectDelay)));
    const qint64 frames = (micros + FrameIntervalMs * 1000 - 1) / (FrameIntervalMs * 1000);
    return int(std::clamp<qint64>(frames, 1, std::min<qint64>(MaxFrames, copies)));
}

void TStripEffect::Start(QImage* surface, const QImage& source, const TEffectPlan& plan, int frames)
{
    m_surface = surface;
    if (m_surface->format() != kFormat)
        *m_surface = m_surface->convertToFormat(kFormat);
    m_source = source.format() == kFormat ? source : source.convertToFormat(kFormat);
    m_plan = plan;
    m_frames = int(std::clamp<qint64>(frames, plan.CopyCount() > 0 ? 1 : 0, plan.CopyCount()));
    m_framesShown = 0;
    m_copiesDone = 0;
}

void TStripEffect::Cancel()
{
    m_surface = nullptr;
    m_source = QImage();
    m_frames = 0;
    m_framesShown = 0;
    m_copiesDone = 0;
}

bool TStripEffect::StepFrame()
{
    if (!Running())
        return false;
    ++m_framesShown;
    const qint64 end = m_plan.CopyCount() * m_framesShown / m_frames;
    for (const TStripCopy& copy : m_plan.SurvivingCopies(m_copiesDone, end))
        Apply(*m_surface, m_source, copy);
    m_copiesDone = end;
    return Running();
}

void TStripEffect::Finish()
{
    while (StepFrame()) {
    }
}

void TStripEffect::Apply(QImage& surface, const QImage& source, const TStripCopy& copy)
{
    int sx = copy.Source.Left, sy = copy.Source.Top;
    int dx = copy.Dest.Left, dy = copy.Dest.Top;
    int w = std::min(copy.Source.Width(), copy.Dest.Width());
    int h = std::min(copy.Source.Height(), copy.Dest.Height());
    const int leftCut = std::max({0, -sx, -dx});
    const int topCut = std::max({0, -sy, -dy});
    sx += leftCut, dx += leftCut, w -= leftCut;
    sy += topCut, dy += topCut, h -= topCut;
    w = std::min({w, source.width() - sx, surface.width() - dx});
    h = std::min({h, source.height() - sy, surface.height() - dy});
    if (w <= 0 || h <= 0)
        return;
    if (source.depth() != 32 || surface.depth() != 32) {
        QPainter painter(&surface);
        painter.setCompositionMode(QPainter::CompositionMode_Source);
        painter.drawImage(QPoint(dx, dy), source, QRect(sx, sy, w, h));
        return;
    }
    // Strips are often two pixels wide and hundreds of pixels long, so the rows are
    // walked with plain pointers rather than one scan-line call per row.
    const qsizetype toStride = surface.bytesPerLine();
    const qsizetype fromStride = source.bytesPerLine();
    uchar* to = surface.bits() + dy * toStride + qsizetype(dx) * 4;
    const uchar* from = source.constBits() + sy * fromStride + qsizetype(sx) * 4;
    if (w <= 8) {
        for (int row = 0; row < h; ++row, to += toStride, from += fromStride) {
            quint32* t = reinterpret_cast<quint32*>(to);
            const quint32* f = reinterpret_cast<const quint32*>(from);
            for (int x = 0; x < w; ++x)
                t[x] = f[x];
        }
        return;
    }
    const size_t bytes = size_t(w) * 4;
    for (int row = 0; row < h; ++row, to += toStride, from += fromStride)
        std::memcpy(to, from, bytes);
}
