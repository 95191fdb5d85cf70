// KeyedCollection: the 1-based, keyed item collections of the common controls (buttons, panels, tabs,
// images).
#pragma once
#include "platform/controls/vbconst.h"
#include "platform/runtime/vberror.h"

#include <QHash>
#include <QString>
#include <memory>
#include <optional>
#include <vector>

namespace qv {

// What every collection item has: its 1-based position, an optional unique
// key (compared ignoring case) and a tag for the program's own use.
class CollectionItem
{
  public:
    virtual ~CollectionItem() = default;
    int Index() const { return m_index; }
    const QString& Key() const { return m_key; }
    const QString& Tag() const { return m_tag; }
    void setTag(const QString& tag) { m_tag = tag; }

  private:
    template <class T> friend class KeyedCollection;
    int m_index = 0;
    QString m_key;
    QString m_tag;
};

template <class T> class KeyedCollection
{
  public:
    int Count() const { return int(m_items.size()); }
    // The item at a 1-based index; error 35600 beyond the collection.
    T& operator()(int index) const { return Item(index); }
    T& operator()(const QString& key) const { return Item(key); }
    T& Item(int index) const
    {
        if (index < 1 || index > Count())
            throw VbError(35600, QStringLiteral("Index out of bounds"));
        return *m_items[size_t(index - 1)];
    }
    // The item with key; error 35601 when there is none.
    T& Item(const QString& key) const
    {
        T* item = find(key);
        if (!item)
            throw VbError(ErrElementNotFound, QStringLiteral("Element not found"));
        return *item;
    }
    // The item with key, or nullptr.
    T* find(const QString& key) const { return key.isEmpty() ? nullptr : m_byKey.value(key.toLower()); }
    auto begin() const { return m_items.begin(); }
    auto end() const { return m_items.end(); }

  protected:
    KeyedCollection() = default;
    ~KeyedCollection() = default;

    // Puts item at the 1-based index (the end when omitted); a key already
    // present raises error 35602, an index beyond Count()+1 error 35600.
    T& insert(std::optional<int> index, const QString& key, std::unique_ptr<T> item)
    {
        const int at = index ? *index : Count() + 1;
        if (at < 1 || at > Count() + 1)
            throw VbError(35600, QStringLiteral("Index out of bounds"));
        if (find(key))
            throw VbError(ErrKeyNotUnique, QStringLiteral("Key is not unique in collection"));
        item->m_key = key;
        T* raw = item.get();
        m_items.insert(m_items.begin() + (at - 1), std::move(item));
        if (!key.isEmpty())
            m_byKey.insert(key.toLower(), raw);
        renumber(at - 1);
        return *raw;
    }
    // Takes the item out; the caller destroys it after undoing its widgets.
    std::unique_ptr<T> take(int index)
    {
        Item(index);
        std::unique_ptr<T> item = std::move(m_items[size_t(index - 1)]);
        m_items.erase(m_items.begin() + (index - 1));
        if (!item->m_key.isEmpty())
            m_byKey.remove(item->m_key.toLower());
        renumber(index - 1);
        return item;
    }
    std::vector<std::unique_ptr<T>> takeAll()
    {
        m_byKey.clear();
        return std::exchange(m_items, {});
    }
    void renumber(int from)
    {
        for (size_t i = size_t(std::max(0, from)); i < m_items.size(); ++i)
            m_items[i]->m_index = int(i) + 1;
    }

    std::vector<std::unique_ptr<T>> m_items;
    QHash<QString, T*> m_byKey;
};

} // namespace qv
