#include "components/media/TAnimationControl.h"
#include "platform/TPath.h"
#include <QPainter>
#include <algorithm>

TAnimationControl::TAnimationControl(QWidget* parent) : QWidget(parent)
{
    connect(&m_timer, &QTimer::timeout, this, &TAnimationControl::AdvanceFrame);
    setAutoFillBackground(!m_transparent);
}

TAnimationControl::~TAnimationControl() = default;

void TAnimationControl::SetAviFileName(const QString& name)
{
    if (name.isEmpty())
        return;
    m_aviFileName = name;
    if (TPath::FileExists(name))
        Open(name);
    else
        CloseClip();
    Seek(0);
}

void TAnimationControl::SetCenter(bool v)
{
    if (v == m_center)
        return;
    m_center = v;
    Recreate();
}

void TAnimationControl::SetTransparent(bool v)
{
    if (v == m_transparent)
        return;
    m_transparent = v;
    setAutoFillBackground(!m_transparent);
    Recreate();
}

void TAnimationControl::SetAutoplay(bool v)
{
    if (v == m_autoplay)
        return;
    m_autoplay = v;
    Recreate();
}

void TAnimationControl::Recreate()
{
    CloseClip();
    if (!m_aviFileName.isEmpty() && TPath::FileExists(m_aviFileName))
        Open(m_aviFileName);
}

void TAnimationControl::CloseClip()
{
    StopClip();
    m_clip.Close();
    m_current = -1;
    m_frameImage = QImage();
    update();
}

bool TAnimationControl::Open(const QString& name)
{
    CloseClip();
    if (name.isEmpty() || !m_clip.Open(name))
        return false;
    const qint64 ms = (m_clip.MicroSecPerFrame() + 500) / 1000;
    m_timer.setInterval(int(std::clamp<qint64>(ms, 10, 10000)));
    QImage first;
    m_clip.Frame(0, &first);
    m_keyColour = first.pixel(0, 0);
    if (!ShowFrame(0)) {
        CloseClip();
        return false;
    }
    if (m_autoplay)
        Play(-1, 0, -1);
    return true;
}

bool TAnimationControl::ShowFrame(int frame)
{
    QImage picture;
    if (!m_clip.Frame(frame, &picture))
        return false;
    if (m_transparent) {
        picture = picture.convertToFormat(QImage::Format_ARGB32);
        for (int y = 0; y < picture.height(); ++y) {
            QRgb* row = reinterpret_cast<QRgb*>(picture.scanLine(y));
            for (int x = 0; x < picture.width(); ++x)
                if (row[x] == m_keyColour)
                    row[x] = 0;
        }
    }
    m_current = frame;
    m_frameImage = picture;
    update();
    return true;
}

bool TAnimationControl::Seek(int frame) { return Play(1, frame, frame); }

bool TAnimationControl::Play(int repeat, int from, int to)
{
    if (!m_clip.IsOpen())
        return false;
    const int last = m_clip.FrameCount() - 1;
    if (to == -1)
        to = last;
    if (from < 0 || from > last || to < from || to > last || repeat == 0 || repeat < -1)
        return false;
    StopClip();
    if (!ShowFrame(from))
        return false;
    if (from == to)
        return true; // one frame: nothing moves
    m_from = from;
    m_to = to;
    m_repeatsLeft = repeat;
    m_timer.start();
    emit started();
    return true;
}

void TAnimationControl::AdvanceFrame()
{
    if (!m_clip.IsOpen() || !m_timer.isActive())
        return;
    int next = m_current + 1;
    if (m_current >= m_to) {
        if (m_repeatsLeft != -1 && --m_repeatsLeft <= 0) {
            StopClip();
            return;
        }
        next = m_from;
    }
    if (!ShowFrame(next))
        StopClip();
}

void TAnimationControl::StopClip()
{
    if (!m_timer.isActive())
        return;
    m_timer.stop();
    emit stopped();
}

bool TAnimationControl::Stop()
{
    StopClip();
    return true;
}

void TAnimationControl::paintEvent(QPaintEvent*)
{
    if (m_frameImage.isNull())
        return;
    QPainter painter(this);
    const QPoint at = m_center ? QPoint((width() - m_frameImage.width()) / 2,
                                        (height() - m_frameImage.height()) / 2)
                               : QPoint(0, 0);
    painter.drawImage(at, m_frameImage);
}
