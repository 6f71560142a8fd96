#include "html/THtmlAnimator.h"
#include <QFile>
#include <QMovie>

THtmlAnimator::THtmlAnimator(QObject* parent) : QObject(parent) {}

THtmlAnimator::~THtmlAnimator() { Clear(); }

bool THtmlAnimator::IsAnimatedGif(const QString& path)
{
    // Only GIF89a can hold more than one frame; reading the header spares decoding the
    // frames of every other picture just to count them.
    QFile file(path);
    return file.open(QIODevice::ReadOnly) && file.read(6) == "GIF89a";
}

bool THtmlAnimator::Start(int index, const QString& path)
{
    if (Count() >= kMaxAnimations || !IsAnimatedGif(path))
        return false;
    auto* movie = new QMovie(path, QByteArray("gif"), this);
    if (!movie->isValid() || movie->frameCount() < 2) {
        delete movie;
        return false;
    }
    connect(movie, &QMovie::frameChanged, this, [this, movie, index] {
        if (OnFrame)
            OnFrame(index, movie->currentImage());
    });
    movie->start();
    m_movies.push_back(movie);
    return true;
}

void THtmlAnimator::Clear()
{
    for (QMovie* movie : m_movies) {
        movie->stop();
        delete movie;
    }
    m_movies.clear();
}
