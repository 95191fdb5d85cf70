// ControlArray<T>: controls sharing a name, reached by index (any integers, gaps allowed); handlers get the
// index.
#pragma once
#include "platform/controls/control.h"
#include "platform/runtime/vberror.h"

#include <QList>
#include <initializer_list>
#include <map>
#include <memory>
#include <set>

namespace qv {

// The array's handlers receive the element's index. They are wired once on
// the array and serve every element, also those loaded later:
//     chkCPC.onClick = [this](int Index) { chkCPC_Click(Index); };
// A handler set on an element itself replaces the array's for that element.
template <class T> class ControlArray
{
  public:
    // The elements that exist when the window is built.
    ControlArray(Form* form, const QString& name, std::initializer_list<int> indices = {})
        : m_form(form), m_name(name)
    {
        for (int index : indices)
            create(index);
    }
    ControlArray(const ControlArray&) = delete;
    ControlArray& operator=(const ControlArray&) = delete;

    const QString& Name() const { return m_name; }
    // The element at index; error 340 when there is none.
    T& operator()(int index) const
    {
        const auto it = m_items.find(index);
        if (it == m_items.end())
            throw VbError(ErrControlArrayElementMissing,
                          QStringLiteral("Control array element '%1' doesn't exist").arg(index));
        return *it->second;
    }
    T& operator[](int index) const { return (*this)(index); }
    bool exists(int index) const { return m_items.count(index) != 0; }
    int Count() const { return int(m_items.size()); }
    int LBound() const { return m_items.empty() ? 0 : m_items.begin()->first; }
    int UBound() const { return m_items.empty() ? 0 : m_items.rbegin()->first; }
    QList<int> indices() const
    {
        QList<int> out;
        for (const auto& [index, item] : m_items)
            out.append(index);
        return out;
    }

    // The VB statement Load: a new element that takes the design of the
    // lowest element and starts hidden; error 360 when the index is taken.
    T& Load(int index)
    {
        if (exists(index))
            throw VbError(ErrControlArrayElementExists, QStringLiteral("Object already loaded"));
        const T* first = m_items.empty() ? nullptr : m_items.begin()->second.get();
        T& element = create(index, first);
        m_loadedAtRunTime.insert(index);
        return element;
    }
    // The VB statement Unload for an element that Load created; elements of
    // the window's design raise error 362.
    void Unload(int index)
    {
        (*this)(index);
        if (!m_loadedAtRunTime.count(index))
            throw VbError(362, QStringLiteral("Can't unload controls created at design time"));
        m_loadedAtRunTime.erase(index);
        m_items.erase(index);
    }

    class iterator
    {
      public:
        using Inner = typename std::map<int, std::unique_ptr<T>>::const_iterator;
        explicit iterator(Inner it) : m_it(it) {}
        T& operator*() const { return *m_it->second; }
        iterator& operator++()
        {
            ++m_it;
            return *this;
        }
        bool operator!=(const iterator& other) const { return m_it != other.m_it; }

      private:
        Inner m_it;
    };
    // The elements in index order.
    iterator begin() const { return iterator(m_items.begin()); }
    iterator end() const { return iterator(m_items.end()); }

    std::function<void(int Index)> onClick;
    std::function<void(int Index)> onDblClick;
    std::function<void(int Index)> onChange;
    std::function<void(int Index)> onGotFocus;
    std::function<void(int Index)> onLostFocus;
    std::function<void(int Index)> onScroll;
    std::function<void(int Index)> onTimer;
    std::function<void(int Index, int& KeyCode, int Shift)> onKeyDown;
    std::function<void(int Index, int& KeyCode, int Shift)> onKeyUp;
    std::function<void(int Index, int& KeyAscii)> onKeyPress;
    std::function<void(int Index, int Button, int Shift, float X, float Y)> onMouseDown;
    std::function<void(int Index, int Button, int Shift, float X, float Y)> onMouseUp;
    std::function<void(int Index, int Button, int Shift, float X, float Y)> onMouseMove;

  private:
    T& create(int index, const T* design = nullptr)
    {
        auto element = std::make_unique<T>(m_form, m_name, index);
        T& ref = *element;
        // The design is copied before the handlers are wired: loading runs none.
        if (design)
            ref.copyDesignFrom(*design);
        wire(ref, index);
        m_items.emplace(index, std::move(element));
        return ref;
    }

    void wire(T& c, int index)
    {
        c.onClick = [this, index] { call(onClick, index); };
        c.onDblClick = [this, index] { call(onDblClick, index); };
        c.onChange = [this, index] { call(onChange, index); };
        c.onGotFocus = [this, index] { call(onGotFocus, index); };
        c.onLostFocus = [this, index] { call(onLostFocus, index); };
        c.onKeyDown = [this, index](int& keyCode, int shift) { call(onKeyDown, index, keyCode, shift); };
        c.onKeyUp = [this, index](int& keyCode, int shift) { call(onKeyUp, index, keyCode, shift); };
        c.onKeyPress = [this, index](int& keyAscii) { call(onKeyPress, index, keyAscii); };
        c.onMouseDown = [this, index](int b, int s, float x, float y) {
            call(onMouseDown, index, b, s, x, y);
        };
        c.onMouseUp = [this, index](int b, int s, float x, float y) { call(onMouseUp, index, b, s, x, y); };
        c.onMouseMove = [this, index](int b, int s, float x, float y) {
            call(onMouseMove, index, b, s, x, y);
        };
        if constexpr (requires { c.onScroll; })
            c.onScroll = [this, index] { call(onScroll, index); };
        if constexpr (requires { c.onTimer; })
            c.onTimer = [this, index] { call(onTimer, index); };
    }

    template <class Fn, class... Args> static void call(const Fn& fn, Args&&... args)
    {
        if (fn)
            fn(std::forward<Args>(args)...);
    }

    Form* m_form;
    QString m_name;
    std::map<int, std::unique_ptr<T>> m_items;
    std::set<int> m_loadedAtRunTime;
};

} // namespace qv
