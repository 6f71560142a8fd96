#include "components/media/TKXImage.h"
#include "platform/TBitmapFile.h"
#include "platform/TNotSet.h"
#include <QMouseEvent>
#include <QPainter>
#include <algorithm>

namespace {
constexpr QImage::Format kFormat = QImage::Format_ARGB32_Premultiplied;
}

TKXImage::TKXImage(QWidget* parent) : QWidget(parent), m_fileName(TNotSet::Value())
{
    m_effectTimer.setInterval(TStripEffect::FrameIntervalMs);
    m_effectTimer.setTimerType(Qt::PreciseTimer);
    connect(&m_effectTimer, &QTimer::timeout, this, &TKXImage::EffectTick);
}

void TKXImage::SetPicture(const QImage& picture)
{
    StopEffect();
    m_picture = picture;
    if (m_autoSize && !m_picture.isNull())
        resize(m_picture.size());
    updateGeometry();
    update();
}

bool TKXImage::LoadFromFile(const QString& path)
{
    QImage loaded;
    if (!TBitmapFile::Load(path, &loaded))
        return false;
    SetPicture(loaded);
    return true;
}

void TKXImage::SetCenter(bool v)
{
    if (v == m_center)
        return;
    StopEffect();
    m_center = v;
    update();
}

void TKXImage::SetStretch(bool v)
{
    if (v == m_stretch)
        return;
    StopEffect();
    m_stretch = v;
    update();
}

void TKXImage::SetAutoSize(bool v)
{
    m_autoSize = v;
    if (m_autoSize && !m_picture.isNull() && size() != m_picture.size()) {
        StopEffect();
        resize(m_picture.size());
    }
}

void TKXImage::SetBoxWidth(int v) { m_boxWidth = std::max(2, v); }

void TKXImage::SetEffectDelay(int v) { m_effectDelay = std::clamp(v, 0, 20000); }

TRect TKXImage::PictureRect() const
{
    return TEffectPlan::PictureRect(m_picture.size(), size(), m_stretch, m_center);
}

TEffectPlan TKXImage::EffectPlan() const
{
    if (m_picture.isNull())
        return TEffectPlan();
    return TEffectPlan(m_effect, PictureRect(), m_boxWidth);
}

QImage TKXImage::ShownPicture() const
{
    if (m_picture.isNull())
        return QImage();
    if (!m_stretch)
        return m_picture.format() == kFormat ? m_picture : m_picture.convertToFormat(kFormat);
    if (width() <= 0 || height() <= 0)
        return QImage();
    QImage scaled(size(), kFormat);
    scaled.fill(Qt::transparent);
    QPainter painter(&scaled);
    painter.drawImage(QRect(QPoint(0, 0), size()), m_picture);
    return scaled;
}

void TKXImage::Compose()
{
    m_surface = QImage(size(), kFormat);
    m_surface.fill(Qt::transparent);
    const QImage shown = ShownPicture();
    if (shown.isNull())
        return;
    const TRect d = PictureRect();
    QPainter painter(&m_surface);
    painter.drawImage(QPoint(d.Left, d.Top), shown);
}

void TKXImage::PrepareSurface()
{
    // The strips come in over whatever the control showed last.
    if (m_surface.size() != size() || m_surface.format() != kFormat) {
        m_surface = QImage(size(), kFormat);
        m_surface.fill(Qt::transparent);
    }
}

void TKXImage::RunEffect()
{
    if (m_picture.isNull())
        return;
    StopEffect();
    PrepareSurface();
    const TEffectPlan plan = EffectPlan();
    m_strips.Start(&m_surface, ShownPicture(), plan,
                   TStripEffect::FramesFor(plan.CopyCount(), m_effectDelay));
    m_effectRunning = true;
    if (m_strips.FrameCount() == 0)
        EndEffect();
    else
        m_effectTimer.start();
}

void TKXImage::RunEffectNow()
{
    if (m_picture.isNull())
        return;
    RunEffect();
    if (!m_effectRunning)
        return;
    m_effectTimer.stop();
    m_strips.Finish();
    EndEffect();
}

bool TKXImage::StepEffect()
{
    if (m_effectRunning && m_surface.size() != size())
        StopEffect();
    if (!m_effectRunning)
        return false;
    const bool more = m_strips.StepFrame();
    update();
    if (!more)
        EndEffect();
    return more;
}

void TKXImage::EffectTick()
{
    // A resize of a hidden control reaches resizeEvent only when it is shown.
    if (m_surface.size() != size()) {
        StopEffect();
        return;
    }
    // The last frame stays on screen for one tick before the picture replaces it.
    if (m_strips.Running()) {
        m_strips.StepFrame();
        update();
    } else {
        EndEffect();
    }
}

void TKXImage::EndEffect()
{
    m_effectTimer.stop();
    m_effectRunning = false;
    update();
    emit effectFinished();
}

void TKXImage::StopEffect()
{
    m_effectTimer.stop();
    if (!m_effectRunning)
        return;
    m_effectRunning = false;
    m_strips.Cancel();
    update();
}

void TKXImage::Click()
{
    if (OnClick)
        OnClick(this);
    emit clicked();
}

QSize TKXImage::sizeHint() const { return m_picture.isNull() ? QSize(105, 105) : m_picture.size(); }

void TKXImage::paintEvent(QPaintEvent*)
{
    if (!m_effectRunning)
        Compose();
    QPainter painter(this);
    painter.drawImage(0, 0, m_surface);
}

void TKXImage::resizeEvent(QResizeEvent* event)
{
    StopEffect();
    QWidget::resizeEvent(event);
}

void TKXImage::mousePressEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton)
        m_pressed = true;
    QWidget::mousePressEvent(event);
}

void TKXImage::mouseReleaseEvent(QMouseEvent* event)
{
    const bool click = event->button() == Qt::LeftButton && m_pressed &&
                       rect().contains(event->position().toPoint());
    if (event->button() == Qt::LeftButton)
        m_pressed = false;
    QWidget::mouseReleaseEvent(event);
    if (click)
        Click();
}
