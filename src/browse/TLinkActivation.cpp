#include "TLinkActivation.h"
#include "platform/TLauncher.h"
#include "platform/TPath.h"

namespace {

QString CutAtHash(const QString& s)
{
    const int hash = s.indexOf(u'#');
    return hash >= 0 ? s.left(hash) : s;
}

TLinkAction Dispatch(const QString& Snew, const QString& S, const QString& params)
{
    TLinkAction action;
    const QString ext = TPath::ExtractFileExt(S).toUpper();
    if (ext == QLatin1String(".HTM") || ext == QLatin1String(".HTML")) {
        action.kind = TLinkAction::Document;
        action.document = Snew;
    } else if (ext == QLatin1String(".WAV")) {
        action.kind = TLinkAction::Sound;
        action.file = S;
    } else if (ext == QLatin1String(".EXE")) {
        action.kind = TLinkAction::Program;
        action.file = S;
        action.arguments = TLauncher::SplitParameters(params);
    } else if (ext == QLatin1String(".MID") || ext == QLatin1String(".AVI")) {
        action.kind = TLinkAction::MediaPlayer;
        action.file = S;
    }
    return action;
}

} // namespace

bool TLinkActivation::IsFileForm(const QString& SRC)
{
    const int colon = SRC.indexOf(u':'); // 0-based: a drive letter puts it at 1
    return colon == 0 || colon == 1 || SRC.contains(QLatin1String("FILE:")) || SRC.startsWith(u'/');
}

TLinkAction TLinkActivation::Decide(const QString& SRC, const Expand& expand, const Exists& exists)
{
    TLinkAction none;
    if (SRC.isEmpty())
        return none;
    if (SRC.startsWith(u'#')) {
        TLinkAction action;
        action.kind = TLinkAction::Heading;
        action.heading = SRC.mid(1);
        return action;
    }
    if (IsFileForm(SRC)) {
        // Parameters follow the first blank (or "?"). A target that names an existing file
        // as a whole keeps its blanks: it has no parameters.
        QString target = SRC, params;
        int k = SRC.indexOf(u' ');
        if (k < 0)
            k = SRC.indexOf(u'?');
        if (k >= 0 && !exists(CutAtHash(expand(SRC)))) {
            target = SRC.left(k);
            params = SRC.mid(k + 1);
        }
        const QString Snew = expand(target);
        return Dispatch(Snew, CutAtHash(Snew), params);
    }
    const QString Snew = expand(SRC);
    const QString S = CutAtHash(Snew);
    if (!exists(S))
        return none;
    return Dispatch(Snew, S, QString());
}
