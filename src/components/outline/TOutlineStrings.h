#pragma once
#include <QString>
#include <QStringList>

class TOutlineTree;
class TOutlineNode;

// An outline tree as a list of strings: string i is item i + 1, written as (Level - 1) tabs
// followed by the item's text; its object is the item's data.
class TOutlineStrings
{
public:
    explicit TOutlineStrings(TOutlineTree& tree) : m_tree(tree) {}

    int Count() const;
    QString Get(int position) const;
    QString operator[](int position) const { return Get(position); }
    void* Objects(int position) const;

    // Adds an item placed by its leading tabs and spaces (each counts one level) after
    // the last item; the new string's position. "File load error" when the string is
    // indented more than one level deeper than the last item.
    int Add(const QString& text);
    int AddObject(const QString& text, void* data);
    // Inserts an item just before item position + 1, taking the text as it is.
    void Insert(int position, const QString& text);
    void InsertObject(int position, const QString& text, void* data);
    void Delete(int position);
    void Clear();
    // Replaces the outline by these strings, added one by one.
    void Assign(const QStringList& lines);
    QStringList ToStringList() const;

private:
    TOutlineTree& m_tree;
};
