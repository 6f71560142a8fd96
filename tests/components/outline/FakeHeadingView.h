#pragma once
#include "components/outline/THeadingView.h"
#include "platform/EError.h"
#include <QFileInfo>
#include <vector>

// An HTML view as far as an outliner sees it: a heading list, the headings asked for,
// and a document with two scroll positions.
class FakeHeadingView : public THeadingView
{
public:
    QStringList headings;
    std::vector<int> shown;
    QStringList loaded;
    QString currentFile;
    int position = 0;
    int horzPosition = 0;
    bool failList = false;

    QStringList HeadingList() const override
    {
        if (failList)
            throw EError(QStringLiteral("heading list unavailable"));
        return headings;
    }
    bool ShowHeading(int index) override
    {
        shown.push_back(index);
        return index >= 0 && index < headings.size();
    }
    QString CurrentFile() const override { return currentFile; }
    void LoadFile(const QString& fileName) override
    {
        if (!QFileInfo::exists(fileName))
            throw EInOutError(QStringLiteral("Can't locate file: ") + fileName);
        loaded << fileName;
        currentFile = fileName;
        position = 0;
        horzPosition = 0;
    }
    int Position() const override { return position; }
    void SetPosition(int p) override { position = p; }
    int HorzPosition() const override { return horzPosition; }
    void SetHorzPosition(int p) override { horzPosition = p; }
};
