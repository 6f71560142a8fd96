#pragma once
#include "components/media/TAnimationControl.h"

// An animation control used as a busy indicator: Start plays a clip endlessly, Stop
// stops it.
class TKXAniProgress : public TAnimationControl
{
    Q_OBJECT
public:
    explicit TKXAniProgress(QWidget* parent = nullptr);
    // Takes the clip when the file exists.
    explicit TKXAniProgress(const QString& aviFileName, QWidget* parent = nullptr);

    // Makes the control transparent, centred and self-playing, then plays the clip's
    // frames endlessly. False when the file is missing or cannot be played.
    bool Start(const QString& aviFileName);
    // Stops the clip; the last frame shown stays.
    bool Stop() override;
    bool IsPlaying() const { return m_playing; }

private:
    bool m_playing = false;
};
