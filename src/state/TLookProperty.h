#pragma once
#include <QString>
#include <QtGlobal>
#include <climits>
#include <functional>

// How a look property's value is kept in a state file.
enum class TLookKind {
    Number,  // integers, colours, ordinals and copy modes as signed decimals
    Boolean, // "1" or "0"
    Text,    // the font face
    File     // a picture's file: its path, "READERBASE\..." or "Empty"
};

// One look property of a styled control: its key in the state file, how it is stored,
// how a value read is kept usable, and how it is got and set. A control's table of these,
// in the order of its section, drives reading, writing and copying its look.
//
// Set applies a value exactly: it keeps the control's own limits but has none of the side
// effects the control's property setter has for the editor (a rounded cell turning the
// outline off, a picture removing the shadow), so every key reads back as written.
template <class C>
struct TLookProperty
{
    QString Key;
    TLookKind Kind = TLookKind::Number;
    // A value that is not a number fails the section instead of reading as 0.
    bool Strict = false;
    // A value read below it is raised to it: sizes a control cannot draw or use.
    qint32 Min = INT_MIN;
    // An enumeration's last ordinal: any other value reads as the first. -1: no enumeration.
    qint32 Last = -1;

    std::function<qint32(const C&)> Get;
    std::function<void(C&, qint32)> Set;
    // Text and File: the text, the file name (empty for none) or, for File, the path to
    // load (empty for "Empty": the control takes back its built-in picture).
    std::function<QString(const C&)> GetText;
    std::function<void(C&, const QString&)> SetText;
    // What a style copy does for the property; when unset it sets Get's value. A copy
    // carries the whole font with the face, so the size and style leave it to the face.
    std::function<void(C& target, const C& source)> Copy;
    bool Copied = true;
    // File: a missing key means "Empty" (a key added to the format after older files).
    bool AbsentIsEmpty = false;
};
