// The strip effect of the advert picture: what one timed frame costs, what the whole
// effect costs when run at once, and, for comparison, every strip copy made one by one.
#include "components/media/TKXImage.h"
#include "components/media/TStripEffect.h"
#include <QImage>
#include <benchmark/benchmark.h>

namespace {

struct TCase
{
    int Width;
    int Height;
    TEffectStyle Effect;
};

// 0: the advert, 306 x 65 falling; 1: a 300-pixel-high picture falling (11 325 copies);
// 2: the same picture moving in from the left.
const TCase kCases[] = {{306, 65, efTopDown}, {306, 300, efTopDown}, {306, 300, efLeftRight}};

QImage Picture(int w, int h)
{
    QImage image(w, h, QImage::Format_RGB32);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            image.setPixel(x, y, qRgb(x & 0xFF, y & 0xFF, (x ^ y) & 0xFF));
    return image;
}

void Describe(benchmark::State& state, const TCase& c, const TEffectPlan& plan, int frames)
{
    state.SetLabel(QStringLiteral("%1x%2 %3")
                       .arg(c.Width)
                       .arg(c.Height)
                       .arg(c.Effect == efTopDown ? "top-down" : "left-right")
                       .toStdString());
    state.counters["copies"] = double(plan.CopyCount());
    state.counters["frames"] = frames;
}

// One frame of the timed effect, averaged over all frames of the effect.
void BM_EffectOneFrame(benchmark::State& state)
{
    const TCase& c = kCases[state.range(0)];
    const QImage picture = Picture(c.Width, c.Height);
    const TEffectPlan plan(c.Effect, {0, 0, c.Width, c.Height}, 2);
    const int frames = TStripEffect::FramesFor(plan.CopyCount(), 10);
    QImage surface(c.Width, c.Height, QImage::Format_ARGB32_Premultiplied);
    surface.fill(Qt::white);
    TStripEffect effect;
    effect.Start(&surface, picture, plan, frames);
    for (auto _ : state) {
        if (!effect.Running()) {
            state.PauseTiming();
            effect.Start(&surface, picture, plan, frames);
            state.ResumeTiming();
        }
        effect.StepFrame();
        benchmark::DoNotOptimize(surface.constBits());
    }
    Describe(state, c, plan, frames);
}
BENCHMARK(BM_EffectOneFrame)->DenseRange(0, 2)->Unit(benchmark::kMicrosecond);

// Pixels a frame's copies actually draw (strips beyond the picture draw nothing).
qint64 DrawnPixels(const TEffectPlan& plan, qint64 first, qint64 end, QSize picture)
{
    qint64 pixels = 0;
    for (const TStripCopy& copy : plan.SurvivingCopies(first, end)) {
        const QRect inside = copy.Source.ToQRect() & QRect(QPoint(0, 0), picture);
        pixels += qint64(inside.width()) * inside.height();
    }
    return pixels;
}

// The heaviest frame of the effect: the one whose copies draw the most pixels.
void BM_EffectHeaviestFrame(benchmark::State& state)
{
    const TCase& c = kCases[state.range(0)];
    const QImage picture =
        Picture(c.Width, c.Height).convertToFormat(QImage::Format_ARGB32_Premultiplied);
    const TEffectPlan plan(c.Effect, {0, 0, c.Width, c.Height}, 2);
    const int frames = TStripEffect::FramesFor(plan.CopyCount(), 10);
    qint64 first = 0, end = 0, most = 0;
    for (int f = 0; f < frames; ++f) {
        const qint64 a = plan.CopyCount() * f / frames;
        const qint64 b = plan.CopyCount() * (f + 1) / frames;
        const qint64 n = DrawnPixels(plan, a, b, picture.size());
        if (n > most)
            most = n, first = a, end = b;
    }
    QImage surface(c.Width, c.Height, QImage::Format_ARGB32_Premultiplied);
    surface.fill(Qt::white);
    for (auto _ : state) {
        for (const TStripCopy& copy : plan.SurvivingCopies(first, end))
            TStripEffect::Apply(surface, picture, copy);
        benchmark::DoNotOptimize(surface.constBits());
    }
    Describe(state, c, plan, frames);
    state.counters["pixels_drawn"] = double(most);
}
BENCHMARK(BM_EffectHeaviestFrame)->DenseRange(0, 2)->Unit(benchmark::kMicrosecond);

// The whole effect run synchronously by the control, as RunEffectNow does it.
void BM_EffectWhole(benchmark::State& state)
{
    const TCase& c = kCases[state.range(0)];
    TKXImage image;
    image.resize(c.Width, c.Height);
    image.SetCenter(true);
    image.SetEffect(c.Effect);
    image.SetEffectDelay(10);
    image.SetPicture(Picture(c.Width, c.Height));
    for (auto _ : state) {
        image.RunEffectNow();
        benchmark::DoNotOptimize(image.Surface().constBits());
    }
    const TEffectPlan plan = image.EffectPlan();
    Describe(state, c, plan, TStripEffect::FramesFor(plan.CopyCount(), 10));
}
BENCHMARK(BM_EffectWhole)->DenseRange(0, 2)->Unit(benchmark::kMicrosecond);

// Every copy of the plan made one after the other, without any delay: what the effect
// would cost if each strip copy were drawn.
void BM_EffectEveryCopy(benchmark::State& state)
{
    const TCase& c = kCases[state.range(0)];
    const QImage picture =
        Picture(c.Width, c.Height).convertToFormat(QImage::Format_ARGB32_Premultiplied);
    const TEffectPlan plan(c.Effect, {0, 0, c.Width, c.Height}, 2);
    QImage surface(c.Width, c.Height, QImage::Format_ARGB32_Premultiplied);
    surface.fill(Qt::white);
    for (auto _ : state) {
        for (qint64 i = 0; i < plan.CopyCount(); ++i)
            TStripEffect::Apply(surface, picture, plan.CopyAt(i));
        benchmark::DoNotOptimize(surface.constBits());
    }
    Describe(state, c, plan, 0);
}
BENCHMARK(BM_EffectEveryCopy)->DenseRange(0, 2)->Unit(benchmark::kMicrosecond);

} // namespace
