#include "TAppIniFile.h"
#include "browse/TFolderTests.h"
#include "platform/TMessageBox.h"
#include "platform/TNotSet.h"
#include "platform/TPath.h"
#include "state/TKXIniFile.h"
#include <QFile>
#include <QRegularExpression>
#include <algorithm>
#include <climits>
#include <sys/stat.h>

namespace {

const QString kStartUp = QStringLiteral("StartUp");
const QString kWarnings = QStringLiteral("Warnings");
const QString kKiosk = QStringLiteral("Kiosk");

// The file can be opened and holds text. Bytes no text file holds (NUL), or a size the ini
// service refuses to read, mark it as corrupted, so a damaged kit is reported instead of
// silently read as empty.
bool IsReadableText(const QString& path)
{
    // Only a regular file: opening a named pipe or a device would block the start.
    const QString resolved = TPath::Resolve(path);
    struct stat st;
    if (::stat(QFile::encodeName(resolved).constData(), &st) != 0 || !S_ISREG(st.st_mode) ||
        st.st_size > TIniFile::MaxFileSize)
        return false;
    QFile f(resolved);
    if (!f.open(QIODevice::ReadOnly))
        return false;
    char buffer[65536];
    for (;;) {
        const qint64 n = f.read(buffer, sizeof buffer);
        if (n < 0)
            return false;
        if (n == 0)
            return true;
        if (memchr(buffer, '\0', size_t(n)))
            return false;
    }
}

// Seconds of IdleReset: a number too large for the timer waits as long as it can; a value
// that is no number, or a negative one, means never, as an absent key does.
int IdleSeconds(const TKXIniFile& ini)
{
    // Read as the file's other numbers are; what that refuses is either a run of digits too
    // long for a number or no number at all.
    const int value = ini.ReadInteger(kKiosk, "IdleReset", INT_MIN);
    if (value == INT_MIN) {
        static const QRegularExpression digits(QStringLiteral("^\\+?[0-9]+$"));
        const QString text = ini.ReadString(kKiosk, "IdleReset", QString()).trimmed();
        return digits.match(text).hasMatch() ? TAppIniFile::MaxIdleReset : 0;
    }
    return value <= 0 ? 0 : std::min(value, TAppIniFile::MaxIdleReset);
}

} // namespace

QString TAppIniFile::FileName() { return TPath::ChangeExtension(TPath::ExecutablePath(), ".INI"); }

bool TAppIniFile::ReadIniFile(TStartUpOptions& options)
{
    options = TStartUpOptions();
    const QString path = FileName();
    if (!TPath::FileExists(path) || !IsReadableText(path))
        return false;

    const TKXIniFile ini(path);
    options.StateFileName =
        TPath::FromNative(ini.ReadString(kStartUp, "StateFileName", TNotSet::Value()));
    options.StartUpWeb =
        TPath::FromNative(ini.ReadString(kStartUp, "StartUpWeb", TNotSet::Value()));
    options.AdvertsFolder =
        TPath::FromNative(ini.ReadString(kStartUp, "AdvertsFolder", TNotSet::Value()));
    options.IntroductionFile =
        TPath::FromNative(ini.ReadString(kStartUp, "IntroductionFile", TNotSet::Value()));
    options.YourLogoHereBitmap =
        TPath::FromNative(ini.ReadString(kStartUp, "YourLogoHereBitmap", TNotSet::Value()));
    options.RuntimeLock = ini.ReadBool(kStartUp, "kxItem2", false);
    options.StartUpMode = ini.ReadInteger(kStartUp, "StartUpMode", 0);
    if (options.StartUpMode < 0 || options.StartUpMode > 2)
        options.StartUpMode = 0;
    options.ColourWarning = ini.ReadBool(kWarnings, "ColourWarning", true);
    options.IdleReset = IdleSeconds(ini);
    // Only an explicit 0 forbids: a kit written before these keys existed runs as it did.
    options.AllowPrograms = ini.ReadInteger(kKiosk, "AllowPrograms", 1) != 0;
    options.AllowMedia = ini.ReadInteger(kKiosk, "AllowMedia", 1) != 0;
    return true;
}

QString TAppIniFile::ResolveStartUpPath(const QString& input)
{
    if (input.size() < Token.size())
        return input;
    const QString value = TPath::ExpandReaderBase(input);
    const QString copy = TPath::StripTrailingSeparators(value);
    if (copy.isEmpty())
        return TNotSet::Value();
    if (WebFolderExists(copy) || TPath::FileExists(copy))
        return value;
    return TNotSet::Value();
}

void TAppIniFile::ResolvePaths(TStartUpOptions& o)
{
    o.StateFileName = ResolveStartUpPath(o.StateFileName);
    o.StartUpWeb = ResolveStartUpPath(o.StartUpWeb);
    o.AdvertsFolder = TPath::StripTrailingSeparators(ResolveStartUpPath(o.AdvertsFolder));
    o.IntroductionFile = ResolveStartUpPath(o.IntroductionFile);
    o.YourLogoHereBitmap = ResolveStartUpPath(o.YourLogoHereBitmap);
}

namespace {

template <typename Write>
bool WriteKey(Write write)
{
    const QString path = TAppIniFile::FileName();
    if (!TPath::FileExists(path)) {
        TMessageBox::Show(
            QStringLiteral("Your default ini file has been lost or corrupted, run setup again."),
            QStringLiteral("Error"));
        return false;
    }
    TKXIniFile ini(path);
    return write(ini);
}

} // namespace

bool TAppIniFile::WriteIniString(const QString& section, const QString& key, const QString& value)
{
    return WriteKey([&](TKXIniFile& ini) { return ini.WriteString(section, key, value); });
}

bool TAppIniFile::WriteIniBool(const QString& section, const QString& key, bool value)
{
    return WriteKey([&](TKXIniFile& ini) { return ini.WriteBool(section, key, value); });
}

bool TAppIniFile::WriteIniInteger(const QString& section, const QString& key, int value)
{
    return WriteKey([&](TKXIniFile& ini) { return ini.WriteInteger(section, key, value); });
}
