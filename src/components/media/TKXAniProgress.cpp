#include "components/media/TKXAniProgress.h"
#include "platform/TPath.h"
#include <exception>

TKXAniProgress::TKXAniProgress(QWidget* parent) : TAnimationControl(parent) {}

TKXAniProgress::TKXAniProgress(const QString& aviFileName, QWidget* parent)
    : TAnimationControl(parent)
{
    if (!aviFileName.isEmpty() && TPath::FileExists(aviFileName))
        SetAviFileName(aviFileName);
}

bool TKXAniProgress::Start(const QString& aviFileName)
{
    try {
        SetTransparent(true);
        SetCenter(true);
        SetAutoplay(true);
        if (aviFileName.isEmpty() || !TPath::FileExists(aviFileName))
            return false;
        SetAviFileName(aviFileName);
        if (!Play(-1, 0, -1))
            return false;
        m_playing = true;
        return true;
    } catch (const std::exception&) {
        return false;
    }
}

bool TKXAniProgress::Stop()
{
    const bool stopped = TAnimationControl::Stop();
    m_playing = false;
    return stopped;
}
