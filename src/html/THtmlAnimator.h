#pragma once
#include <QImage>
#include <QObject>
#include <QString>
#include <functional>
#include <vector>

class QMovie;

// The animated pictures of one document, played as browsers play them: each GIF89a
// picture of more than one frame runs on its own clock and hands every new frame to
// OnFrame. Everything stops when the document is replaced (Clear).
class THtmlAnimator : public QObject
{
public:
    // More animations than this on one page stay on their first frame.
    static constexpr int kMaxAnimations = 64;

    explicit THtmlAnimator(QObject* parent = nullptr);
    ~THtmlAnimator() override;

    // Starts the picture in path (case resolved) for object index when it is animated;
    // false when it is not, or cannot be read.
    bool Start(int index, const QString& path);
    void Clear();
    int Count() const { return int(m_movies.size()); }

    std::function<void(int index, const QImage& frame)> OnFrame;

private:
    static bool IsAnimatedGif(const QString& path);

    std::vector<QMovie*> m_movies;
};
