#include "TestSupport.h"
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <gtest/gtest.h>

TMessageCapture::TMessageCapture(TMsgResult answer)
{
    TMessageBox::SetHook([this, answer](const TMessage& m) {
        m_messages.push_back(m);
        return answer;
    });
}

TMessageCapture::~TMessageCapture() { TMessageBox::SetHook({}); }

QStringList TMessageCapture::Texts() const
{
    QStringList r;
    for (const auto& m : m_messages)
        r << m.text;
    return r;
}

QStringList TMessageCapture::Captions() const
{
    QStringList r;
    for (const auto& m : m_messages)
        r << m.caption;
    return r;
}

TLaunchCapture::TLaunchCapture()
{
    TLauncher::SetHook([this](const TLaunchRequest& r) { m_requests.push_back(r); });
}

TLaunchCapture::~TLaunchCapture() { TLauncher::SetHook({}); }

void WriteTestFile(const QString& path, const QByteArray& bytes)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate)) << path.toStdString();
    ASSERT_EQ(f.write(bytes), bytes.size());
}

QByteArray ReadTestFile(const QString& path)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return {};
    return f.readAll();
}

void PrintTo(const QString& s, std::ostream* os) { *os << '"' << s.toStdString() << '"'; }

bool CopyTree(const QString& from, const QString& to)
{
    QDir source(from);
    if (!source.exists() || !QDir().mkpath(to))
        return false;
    for (const QFileInfo& info :
         source.entryInfoList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden)) {
        const QString target = to + '/' + info.fileName();
        if (info.isDir()) {
            if (!CopyTree(info.filePath(), target))
                return false;
        } else if (!QFile::copy(info.filePath(), target)) {
            return false;
        }
    }
    return true;
}
